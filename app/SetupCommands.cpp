#include "app/SetupCommands.h"

#include "app/Globals.h"
#include "app/StatusLine.h"
#include "dialing/PortSetupDialog.h"
#include "dialing/SetupDialog.h"
#include "framework/Dpi.h"
#include "ui/ColourDialog.h"
#include "ui/ColumnWidths.h"

#include <cstring>

namespace {

// The port and speed the Setup port dialog shows, kept for the whole run.
PortChoice g_portChoice;

template <std::size_t N, std::size_t M>
void CopyText(char (&to)[N], const char (&from)[M]) {
    lstrcpynA(to, from, static_cast<int>(N < M ? N : M));
}

}  // namespace

void SetupCommand() {
    SetupValues values = {};
    CopyText(values.State, g_settings.State);
    CopyText(values.AreaCode, g_settings.AreaCode);
    CopyText(values.NumberPrefix, g_settings.NumberPrefix);
    values.TenDigitLocal = g_settings.TenDigitLocal;
    values.ToneDial = g_settings.ToneDial;
    // The dialog shows and gives back widths at 96 DPI.
    int dpi = WindowDpi(g_listView.Handle());
    ReadColumnWidths(g_listView, dpi, values.Widths);
    const SetupValues before = values;

    if (!RunSetupDialog(MainWindow(), values)) return;

    CopyText(g_settings.State, values.State);
    CopyText(g_settings.AreaCode, values.AreaCode);
    CopyText(g_settings.NumberPrefix, values.NumberPrefix);
    g_settings.TenDigitLocal = values.TenDigitLocal;
    g_settings.ToneDial = values.ToneDial;
    for (int c = 0; c < kColumnCount; ++c)
        if (values.Widths[c] != before.Widths[c])
            SetColumnWidthInAnyView(g_listView, c, ScaleToDpi(values.Widths[c], dpi));
    // The status line shows the keys to dial, which these settings change.
    UpdateStatusLine();
}

void PortSetupCommand() {
    PortSetupValues values = {};
    values.ComNum = g_settings.ComNum;
    values.Speed = g_settings.Speed;
    CopyText(values.Prefix, g_settings.Prefix);
    if (!RunPortSetupDialog(MainWindow(), g_portChoice, values)) return;
    g_settings.ComNum = values.ComNum;
    g_settings.Speed = values.Speed;
    CopyText(g_settings.Prefix, values.Prefix);
}

void ColoursCommand() { ChooseColours(g_listView); }
