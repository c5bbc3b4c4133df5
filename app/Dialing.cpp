#include "app/Dialing.h"

#include "app/Globals.h"
#include "app/ShowError.h"
#include "dialing/EmailCommand.h"
#include "dialing/PortText.h"
#include "dialing/ToneTable.h"

DialerSettings CurrentDialerSettings() {
    return DialerSettings{DialSettings{g_settings.NumberPrefix, g_settings.AreaCode, g_settings.TenDigitLocal != 0},
                          g_settings.ToneDial != 0, g_settings.ComNum, g_settings.Speed, g_settings.Prefix};
}

void PrepareDialer() {
    g_tones.Fill();
    if (g_settings.AreaCode[0] == '\0') ShowError(kMsgEnterAreaCode, "");
}

void DialSelected(DialField field) {
    // The modem dials while the user waits here with the handset.
    auto wait = [](const char* text) { ShowProgramBox(MainWindow(), text, "Telvara", MB_OK | MB_ICONEXCLAMATION); };
    DialResult result = DialCommand(SelectedContact(), field, CurrentDialerSettings(), wait);
    switch (result.Outcome) {
        case DialOutcome::PortFailed: {
            char caption[28];
            BuildPortErrorCaption(result.ErrorStep, result.ErrorDetail, caption, sizeof caption);
            ShowProgramBox(MainWindow(), kMsgCantOpenPort, caption, MB_OK | MB_ICONEXCLAMATION);
            break;
        }
        case DialOutcome::WriteFailed: ShowError(kMsgErrorWritingPort, ""); break;
        default: break;
    }
}

void EmailSelected() { EmailCommand(SelectedContact(), MainWindow()); }
