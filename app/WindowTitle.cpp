#include "app/WindowTitle.h"

#include "app/Globals.h"
#include "ui/Title.h"

void UpdateTitle() {
    char title[128];
    BuildTitle(g_settings.Fname, title, sizeof title);
    SetWindowTextA(MainWindow(), title);
}
