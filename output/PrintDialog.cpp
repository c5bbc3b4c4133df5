#include "output/PrintDialog.h"

#include "framework/CentreWindow.h"
#include "framework/DialogState.h"
#include "framework/Instance.h"
#include "framework/ModalScope.h"
#include "resources/resource.h"

namespace {

struct CheckBit {
    int Id;
    std::int32_t Bit;
};
const CheckBit kChecks[] = {
    {IDC_PRINT_NUMBER, kPrintNumber},
    {IDC_PRINT_ADDRESS, kPrintAddress},
    {IDC_PRINT_EMAIL, kPrintEmail},
    {IDC_PRINT_MISC, kPrintMisc},
};

struct PrintDialogState {
    PrintSettings* Settings;
    std::int32_t WorkingSize;
};

void Init(HWND dialog, PrintDialogState& state) {
    for (const CheckBit& c : kChecks)
        CheckDlgButton(dialog, c.Id, (state.Settings->PrintBits & c.Bit) ? BST_CHECKED : BST_UNCHECKED);
    state.WorkingSize = state.Settings->PrintSize;
    if (state.WorkingSize >= 0 && state.WorkingSize < kPrintSizeCount)
        CheckDlgButton(dialog, IDC_PRINT_SMALL + state.WorkingSize, BST_CHECKED);
    CentreWindow(dialog);
}

void Accept(HWND dialog, PrintDialogState& state) {
    std::int32_t bits = 0;
    for (const CheckBit& c : kChecks)
        if (IsDlgButtonChecked(dialog, c.Id) == BST_CHECKED) bits |= c.Bit;
    state.Settings->PrintBits = bits;
    state.Settings->PrintSize = state.WorkingSize;
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK PrintDialogProc(HWND dialog, UINT message, WPARAM w, LPARAM l) {
    auto* state = DialogState<PrintDialogState>(dialog, message, l);
    if (message == WM_INITDIALOG) {
        Init(dialog, *state);
        return TRUE;
    }
    if (message != WM_COMMAND || !state) return FALSE;
    int id = LOWORD(w);
    if (id >= IDC_PRINT_SMALL && id <= IDC_PRINT_LARGE) {
        if (HIWORD(w) == BN_CLICKED) state->WorkingSize = id - IDC_PRINT_SMALL;
        return TRUE;
    }
    if (id == IDOK) {
        Accept(dialog, *state);
        return TRUE;
    }
    if (id == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

bool RunPrintDialog(HWND owner, PrintSettings& settings) {
    PrintDialogState state{&settings, settings.PrintSize};
    ModalScope open;
    INT_PTR result = DialogBoxParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_PRINT), owner, &PrintDialogProc,
                                     reinterpret_cast<LPARAM>(&state));
    return result == IDOK;
}
