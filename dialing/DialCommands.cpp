#include "dialing/DialCommands.h"

#include "app/Globals.h"
#include "app/ShowError.h"
#include "dialing/DialString.h"
#include "dialing/PortText.h"
#include "dialing/SerialPort.h"
#include "dialing/ToneTable.h"
#include "resources/resource.h"

#include <shellapi.h>

#include <cstdio>
#include <cstring>

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
    g_tones.Fill();
    if (g_settings.AreaCode[0] == '\0') ShowError(kMsgEnterAreaCode, "");
}

void DialCommand(DialField field) {
    const Contact* c = g_contacts.ContactAt(g_contacts.SelectedIndex());
    if (!c) return;
    char keys[kDialStringSize];
    BuildDialString(field == DialField::Phone ? c->Number : c->MiscInfo, CurrentDialSettings(), keys);
    if (std::strlen(keys) < 3) return;
    if (g_settings.ToneDial) {
        DialBySpeaker(keys);
        return;
    }
    SerialPort port;
    if (!port.OpenPort(g_settings.ComNum, g_settings.Speed)) {
        ShowPortError("Can't open Serial Port.", port.ErrorStep(), port.ErrorDetail());
        return;
    }
    char command[sizeof g_settings.Prefix + kDialStringSize + 2];
    BuildDialCommand(g_settings.Prefix, keys, command, sizeof command);
    if (!port.WritePort(command)) {
        ShowError(kMsgErrorWritingPort, "");
        return;  // the port closes with its object; no hang-up
    }
    char text[96];
    BuildDialingText(keys, text, sizeof text);
    // The modem dials while the user waits here with the handset.
    g_msgBox.Show(g_frame.Handle(), text, "Telvara", MB_OK | MB_ICONEXCLAMATION, nullptr, kBoxText, kBoxBack,
                  kBoxBevel);
    port.WritePort(kHangUpCommand, 4);
}

void EmailCommand() {
    const Contact* c = g_contacts.ContactAt(g_contacts.SelectedIndex());
    if (!c || c->Email[0] == '\0') return;
    char link[8 + sizeof c->Email];
    std::snprintf(link, sizeof link, "mailto:%s", c->Email);
    ShellExecuteA(g_frame.Handle(), "open", link, "", "", SW_SHOWNORMAL);
}
