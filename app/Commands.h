#pragma once
// Every command id of the menus, the keys, the popup and the button bar, and
// the two commands of the main window itself: a new, empty book and Exit.

#include <windows.h>

void DispatchCommand(int id);
void EnablePopupItems(HMENU menu);
// Greys what the book cannot do now in a menu about to open.
void EnableMenuItems(HMENU menu);
void NewFileCommand();
void ExitCommand();
