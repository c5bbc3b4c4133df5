#include "output/TemporaryPages.h"

#include "output/PagePaths.h"

TemporaryPages::TemporaryPages() {
    char folder[MAX_PATH];
    DWORD length = GetTempPathA(sizeof folder, folder);
    if (length == 0 || length >= sizeof folder) folder[0] = '\0';
    ComposePagePath(folder, kPrintPageName, printPage_, sizeof printPage_);
    ComposePagePath(folder, kHelpPageName, helpPage_, sizeof helpPage_);
}

TemporaryPages::~TemporaryPages() { DeleteBoth(); }

void TemporaryPages::DeleteBoth() const {
    DeleteFileA(printPage_);
    DeleteFileA(helpPage_);
}
