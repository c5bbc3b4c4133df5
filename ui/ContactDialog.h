#pragma once
// The dialog in which a user types one contact, for New and for Edit.  It
// runs on a record the caller owns (a fresh one, or a working copy), shows
// its fields, and on OK writes them back trimmed; it never adds, replaces or
// frees records itself, and Cancel leaves the record exactly as it was.

#include "contacts/Contact.h"
#include "framework/Controls.h"
#include "framework/DialogObject.h"

#include <cstddef>

// What the dialog ended with.
enum class ContactDialogResult { Accepted, Cancelled, NotShown };

class ContactDialog : public DialogObject {
public:
    // Runs the dialog on `contact`, owned by `owner`.  A new record
    // (`IsNew` 1) starts with `defaultState` shown in the state box, an
    // existing one with its own State; either is stored unchanged unless the
    // user chooses another entry.
    ContactDialogResult RunOn(Contact& contact, const char* defaultState, HWND owner);

    INT_PTR DialogProc(UINT message, WPARAM w, LPARAM l) override;

private:
    struct EditField {
        int Id;
        std::size_t Offset;  // of the field in Contact
        std::size_t Width;
    };
    static constexpr int kEditCount = 8;
    static const EditField kEditFields[kEditCount];

    Contact* Record() const { return reinterpret_cast<Contact*>(data_); }
    char* Field(const EditField& f) const { return reinterpret_cast<char*>(Record()) + f.Offset; }
    int InitDialog();
    // The state the box opens with: the State setting for a new record, the
    // record's own otherwise.
    const char* ShownState() const { return Record()->IsNew == 1 ? defaultState_ : Record()->State; }
    void Accept();
    // Gives the typed text the fixed-pitch font made for `dpi`.
    void UseFixedFont(int dpi);

    EditControl edits_[kEditCount];
    ComboBoxControl state_;
    char defaultState_[sizeof(Contact::State)] = "";
    HFONT fixedFont_ = nullptr;  // while the dialog is open
};
