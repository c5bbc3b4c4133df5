#include "ui/ContactDialog.h"

#include "contacts/OneLine.h"
#include "contacts/StateBox.h"
#include "contacts/TrimBlanks.h"
#include "framework/CentreWindow.h"
#include "framework/Dpi.h"
#include "resources/resource.h"

#include <cstddef>

// The eight edits in tab order, each with the field it shows; the limit is
// the field's width less its terminator.
const ContactDialog::EditField ContactDialog::kEditFields[kEditCount] = {
    {IDC_CONTACT_FIRST_NAME, offsetof(Contact, FirstName), sizeof(Contact::FirstName)},
    {IDC_CONTACT_LAST_NAME, offsetof(Contact, LastName), sizeof(Contact::LastName)},
    {IDC_CONTACT_ADDRESS, offsetof(Contact, Address), sizeof(Contact::Address)},
    {IDC_CONTACT_CITY, offsetof(Contact, City), sizeof(Contact::City)},
    {IDC_CONTACT_ZIP, offsetof(Contact, Zip), sizeof(Contact::Zip)},
    {IDC_CONTACT_NUMBER, offsetof(Contact, Number), sizeof(Contact::Number)},
    {IDC_CONTACT_EMAIL, offsetof(Contact, Email), sizeof(Contact::Email)},
    {IDC_CONTACT_MISC, offsetof(Contact, MiscInfo), sizeof(Contact::MiscInfo)},
};

ContactDialogResult ContactDialog::RunOn(Contact& contact, const char* defaultState, HWND owner) {
    SetData(reinterpret_cast<LPARAM>(&contact));
    lstrcpynA(defaultState_, defaultState ? defaultState : "", sizeof defaultState_);
    INT_PTR result = Run(IDD_CONTACT, owner);
    if (fixedFont_) DeleteObject(fixedFont_);
    fixedFont_ = nullptr;
    if (result == -1) return ContactDialogResult::NotShown;
    return result == IDOK ? ContactDialogResult::Accepted : ContactDialogResult::Cancelled;
}

INT_PTR ContactDialog::DialogProc(UINT message, WPARAM w, LPARAM) {
    if (message == WM_INITDIALOG) return InitDialog();
    if (message == WM_DPICHANGED) {
        // The dialog manager scales the dialog and its own font; the font
        // given to the controls is made again here.
        UseFixedFont(LOWORD(w));
        return 0;
    }
    if (message != WM_COMMAND) return 0;
    switch (LOWORD(w)) {
        case IDOK:
            Accept();
            End(IDOK);
            return 1;
        case IDCANCEL:  // also Escape and the close box
            End(0);
            return 1;
        default: return 0;  // typing, the check box and the state box are the controls' own
    }
}

int ContactDialog::InitDialog() {
    const Contact& c = *Record();
    SetWindowTextA(hwnd_, c.IsNew == 1 ? "Add" : "Edit");
    for (int i = 0; i < kEditCount; ++i) {
        const EditField& f = kEditFields[i];
        edits_[i].Create(hwnd_, f.Id, "", CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT);
        edits_[i].SetLimit(static_cast<int>(f.Width - 1));
        edits_[i].SetText(Field(f));
    }
    state_.Create(hwnd_, IDC_CONTACT_STATE, "", CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT);
    UseFixedFont(WindowDpi(hwnd_));
    FillStateBox(state_.Handle(), ShownState());
    CheckDlgButton(hwnd_, IDC_CONTACT_TOLL_CALL, c.TollCall ? BST_CHECKED : BST_UNCHECKED);
    CentreWindow(hwnd_);
    return 1;  // the dialog manager puts the focus on the first name
}

// Typed text in a monospaced face, so that columns of digits line up.  The
// system's stock fixed font keeps its size at every scaling; Courier New is
// scalable and ships with Windows (under Wine, fonts-liberation's Liberation
// Mono stands in for it, with the same metrics).
void ContactDialog::UseFixedFont(int dpi) {
    HFONT font = CreateFontForDpi("Courier New", 10, FIXED_PITCH | FF_MODERN, dpi);
    if (!font) return;
    for (EditControl& edit : edits_) SendMessageA(edit.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    SendMessageA(state_.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (fixedFont_) DeleteObject(fixedFont_);
    fixedFont_ = font;
}

void ContactDialog::Accept() {
    Contact& c = *Record();
    for (int i = 0; i < kEditCount; ++i) {
        char* field = Field(kEditFields[i]);
        // Reads at most width - 1 characters and always terminates.
        if (!edits_[i].GetText(field, static_cast<int>(kEditFields[i].Width))) field[0] = '\0';
    }
    ReadStateBox(state_.Handle(), ShownState(), c.State, sizeof c.State);
    c.TollCall = IsDlgButtonChecked(hwnd_, IDC_CONTACT_TOLL_CALL) == BST_CHECKED ? 1 : 0;
    for (const EditField& f : kEditFields) {
        JoinLines(Field(f));  // a pasted line break would split the record in the data file
        TrimBlanks(Field(f));
    }
}
