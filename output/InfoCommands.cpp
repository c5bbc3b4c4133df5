#include "output/InfoCommands.h"

#include "framework/ProgramBox.h"
#include "output/HelpPage.h"
#include "output/MakerInfo.h"
#include "output/PageFile.h"
#include "resources/resource.h"

#include <shellapi.h>

bool ShowInfoPage(const char* pagePath) {
    if (!WritePageFile(pagePath, kHelpPageText, kHelpPageLength)) return false;
    OpenPage(nullptr, pagePath);
    return true;
}

void OpenUpdatePage(HWND owner) { ShellExecuteA(owner, "open", kProgramPage, nullptr, nullptr, SW_SHOWNORMAL); }

int ShowAbout(EllipseMsgBox& box, HWND owner) {
    return box.Show(owner, kAboutText, kMakerSite, MB_OK, MAKEINTRESOURCEA(IDI_TELEPHONE), kBoxText, kBoxBack,
                    kBoxBevel);
}
