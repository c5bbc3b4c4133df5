#include "dialing/PortSetupDialog.h"

#include "framework/CentreWindow.h"
#include "framework/DialogState.h"
#include "framework/Instance.h"
#include "framework/ModalScope.h"
#include "resources/resource.h"

namespace {

constexpr int kDialStringLimit = 19;
constexpr int kPortCount = IDC_PORT_COM4 - IDC_PORT_COM1 + 1;
constexpr int kSpeedCount = IDC_PORT_9600 - IDC_PORT_1200 + 1;

struct PortSetupRun {
    PortChoice& Choice;
    PortSetupValues& Values;
};

// A stored port or speed outside the buttons' range (the registry is read
// without range checks) selects no button, rather than one of another group.
void SelectButton(HWND dialog, int first, int count, int index) {
    for (int i = 0; i < count; ++i) CheckDlgButton(dialog, first + i, i == index ? BST_CHECKED : BST_UNCHECKED);
}

void Open(HWND dialog, PortSetupRun& run) {
    SelectButton(dialog, IDC_PORT_COM1, kPortCount, run.Choice.ComNum - 1);
    SelectButton(dialog, IDC_PORT_1200, kSpeedCount, run.Choice.Speed);
    SendDlgItemMessageA(dialog, IDC_PORT_DIAL_STRING, EM_LIMITTEXT, kDialStringLimit, 0);
    SetDlgItemTextA(dialog, IDC_PORT_DIAL_STRING, run.Values.Prefix);
    CentreWindow(dialog);
}

void Accept(HWND dialog, PortSetupRun& run) {
    run.Values.ComNum = run.Choice.ComNum;
    run.Values.Speed = run.Choice.Speed;
    char prefix[kDialStringLimit + 1];
    GetDlgItemTextA(dialog, IDC_PORT_DIAL_STRING, prefix, sizeof prefix);
    lstrcpynA(run.Values.Prefix, prefix, sizeof run.Values.Prefix);
}

// Returns whether the command was one of the dialog's own.
bool Command(HWND dialog, PortSetupRun& run, int id, int code) {
    if (id >= IDC_PORT_COM1 && id <= IDC_PORT_COM4) {
        if (code == BN_CLICKED) run.Choice.ComNum = id - IDC_PORT_COM1 + 1;
        return true;
    }
    if (id >= IDC_PORT_1200 && id <= IDC_PORT_9600) {
        if (code == BN_CLICKED) run.Choice.Speed = id - IDC_PORT_1200;
        return true;
    }
    if (id == IDOK) {
        Accept(dialog, run);
        EndDialog(dialog, 1);
        return true;
    }
    if (id == IDCANCEL) {  // also the close box
        EndDialog(dialog, 0);
        return true;
    }
    return false;
}

INT_PTR CALLBACK PortSetupProc(HWND dialog, UINT message, WPARAM w, LPARAM l) {
    auto* run = DialogState<PortSetupRun>(dialog, message, l);
    if (message == WM_INITDIALOG) {
        Open(dialog, *run);
        return 1;
    }
    if (!run || message != WM_COMMAND) return 0;
    return Command(dialog, *run, LOWORD(w), HIWORD(w)) ? 1 : 0;
}

}  // namespace

bool RunPortSetupDialog(HWND owner, PortChoice& choice, PortSetupValues& values) {
    if (!choice.Taken) {
        choice.ComNum = values.ComNum;
        choice.Speed = values.Speed;
        choice.Taken = true;
    }
    PortSetupValues working = values;
    PortSetupRun run{choice, working};
    ModalScope open;
    INT_PTR result = DialogBoxParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_PORT_SETUP), owner, &PortSetupProc,
                                     reinterpret_cast<LPARAM>(&run));
    if (result != 1) return false;
    values = working;
    return true;
}
