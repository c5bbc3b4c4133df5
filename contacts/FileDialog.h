#pragma once
// The system's open and save dialogs with a filter list and, optionally, an
// extension forced onto the chosen name.  A save dialog asks before an
// existing file is replaced, about the file that will be written.

#include <windows.h>

class FileDialog {
public:
    enum class Mode { Open, Save };

    // `filters` holds description and pattern pairs, each NUL-terminated,
    // ending with an extra NUL; `extension` is without its "." or null.
    FileDialog(Mode mode, const char* filters, const char* extension);

    // Shows the dialog; true with the chosen path in `path` (260 bytes).
    bool Run(HWND owner, char* path, DWORD size);

    // The options the dialog is shown with.
    DWORD Flags() const;

private:
    Mode mode_;
    const char* filters_;
    const char* extension_;
};

extern const char kDataFileFilters[];  // "Data files(*.CSV)", "*.CSV", "All files(*.*)", "*.*"
extern const char kOldFileFilters[];   // Import's: *.DAT first, then *.vcf and *.*
extern const char kVCardFilters[];     // "vCard files(*.vcf)", "*.vcf"
