#pragma once
// The program's two temporary pages, the print page and the help page: their
// paths, fixed when the object is built, and their removal when it goes at
// process exit, whether they were ever written or not.

#include <windows.h>

class TemporaryPages {
public:
    TemporaryPages();
    ~TemporaryPages();
    TemporaryPages(const TemporaryPages&) = delete;
    TemporaryPages& operator=(const TemporaryPages&) = delete;

    const char* PrintPage() const { return printPage_; }
    const char* HelpPage() const { return helpPage_; }
    // Deletes both files; a file that is not there is no error.
    void DeleteBoth() const;

private:
    char printPage_[MAX_PATH];
    char helpPage_[MAX_PATH];
};
