#pragma once
// The "Help" menu's commands: the help page written to the temporary folder
// and opened in the browser, the maker's page for this program, and the
// About box with the maker's link.

#include "framework/MsgBox.h"

#include <windows.h>

// Writes the help page to `pagePath` and opens it; a page that cannot be
// written whole is not opened.  False when it was not written.
bool ShowInfoPage(const char* pagePath);

// "Check for updates": the maker's page for this program, in the browser.
void OpenUpdatePage(HWND owner);

// The About box, owned by `owner`, on the program's elliptic box `box`.
int ShowAbout(EllipseMsgBox& box, HWND owner);
