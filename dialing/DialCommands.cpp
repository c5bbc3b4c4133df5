#include "dialing/DialCommands.h"

#include "app/Globals.h"
#include "app/ShowError.h"
#include "dialing/DialString.h"
#include "resources/resource.h"

namespace {

DialSettings CurrentDialSettings() {
    return DialSettings{g_settings.NumberPrefix, g_settings.AreaCode, g_settings.TenDigitLocal != 0};
}

}  // namespace

void UpdateStatusLine() {
    const Contact* c = g_contacts.ContactAt(g_contacts.SelectedIndex());
    bool selected = c != nullptr;
    g_buttonBar.EnableButton(CMD_DIAL, selected);
    g_buttonBar.EnableButton(CMD_EDIT, selected);
    g_buttonBar.EnableButton(CMD_DELETE, selected);
    char text[kStatusLineSize] = "";
    if (c) BuildStatusText(*c, CurrentDialSettings(), text, sizeof text);
    g_statusBar.SetPartText(0, text);
}

void PrepareDialer() {
    if (g_settings.AreaCode[0] == '\0') ShowError(kMsgEnterAreaCode, "");
}

void DialCommand(DialField) {}

void EmailCommand() {}
