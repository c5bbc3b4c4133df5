#include "dialing/SetupDialog.h"

#include "contacts/StateBox.h"
#include "framework/CentreWindow.h"
#include "resources/resource.h"

namespace {

constexpr int kAreaCodeLimit = 3;
constexpr int kNumberPrefixLimit = 11;

bool IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void Check(HWND dialog, int id, bool checked) { CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED); }

}  // namespace

void SetupDialog::Fill() {
    for (int b = 0; b < kOptionalColumnCount; ++b) {
        opened_[b] = ColumnVisible(values_.Widths[kFirstOptionalColumn + b]);
        Check(hwnd_, IDC_SETUP_SHOW_ADDRESS + b, opened_[b]);
    }
    tenDigitOpened_ = values_.TenDigitLocal != 0;
    Check(hwnd_, IDC_SETUP_TEN_DIGIT, tenDigitOpened_);

    FillStateBox(GetDlgItem(hwnd_, IDC_SETUP_STATE), values_.State);

    SendDlgItemMessageA(hwnd_, IDC_SETUP_AREA_CODE, EM_LIMITTEXT, kAreaCodeLimit, 0);
    SetDlgItemTextA(hwnd_, IDC_SETUP_AREA_CODE, values_.AreaCode);
    SendDlgItemMessageA(hwnd_, IDC_SETUP_NUMBER_PREFIX, EM_LIMITTEXT, kNumberPrefixLimit, 0);
    SetDlgItemTextA(hwnd_, IDC_SETUP_NUMBER_PREFIX, values_.NumberPrefix);

    Check(hwnd_, values_.ToneDial ? IDC_SETUP_BY_SPEAKERS : IDC_SETUP_BY_MODEM, true);
}

void SetupDialog::Accept() {
    ReadStateBox(GetDlgItem(hwnd_, IDC_SETUP_STATE), values_.State, values_.State, sizeof values_.State);

    bool checked[kOptionalColumnCount];
    for (int b = 0; b < kOptionalColumnCount; ++b) checked[b] = IsChecked(hwnd_, IDC_SETUP_SHOW_ADDRESS + b);
    ApplyVisibleBoxes(opened_, checked, values_.Widths);

    bool tenDigit = IsChecked(hwnd_, IDC_SETUP_TEN_DIGIT);
    if (tenDigit != tenDigitOpened_) values_.TenDigitLocal = tenDigit ? 1 : 0;

    // The buffers hold one character more than the edits allow, so a value
    // that came longer from the registry is cut to the edit's limit here.
    char areaCode[kAreaCodeLimit + 1];
    GetDlgItemTextA(hwnd_, IDC_SETUP_AREA_CODE, areaCode, sizeof areaCode);
    lstrcpynA(values_.AreaCode, areaCode, sizeof values_.AreaCode);
    char numberPrefix[kNumberPrefixLimit + 1];
    GetDlgItemTextA(hwnd_, IDC_SETUP_NUMBER_PREFIX, numberPrefix, sizeof numberPrefix);
    lstrcpynA(values_.NumberPrefix, numberPrefix, sizeof values_.NumberPrefix);

    values_.ToneDial = IsChecked(hwnd_, IDC_SETUP_BY_SPEAKERS) ? 1 : 0;
}

INT_PTR SetupDialog::DialogProc(UINT message, WPARAM w, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            Fill();
            CentreWindow(hwnd_);
            return 1;
        case WM_COMMAND:
            if (LOWORD(w) == IDOK) {
                Accept();
                EndDialog(hwnd_, 1);
                return 1;
            }
            if (LOWORD(w) == IDCANCEL) {  // also the close box
                EndDialog(hwnd_, 0);
                return 1;
            }
            return 0;
        default: return 0;
    }
}

bool RunSetupDialog(HWND owner, SetupValues& values) {
    SetupValues working = values;
    SetupDialog dialog(working);
    if (dialog.Run(IDD_SETUP, owner) != 1) return false;
    values = working;
    return true;
}
