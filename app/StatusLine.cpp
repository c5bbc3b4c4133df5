#include "app/StatusLine.h"

#include "app/Dialing.h"
#include "app/Globals.h"
#include "resources/resource.h"

void UpdateStatusLine() {
    const Contact* c = SelectedContact();
    bool selected = c != nullptr;
    g_buttonBar.EnableButton(CMD_DIAL, selected);
    g_buttonBar.EnableButton(CMD_EDIT, selected);
    g_buttonBar.EnableButton(CMD_DELETE, selected);
    char text[kStatusLineSize] = "";
    if (c) BuildStatusText(*c, CurrentDialerSettings().Keys, text, sizeof text);
    g_statusBar.SetPartText(0, text);
}
