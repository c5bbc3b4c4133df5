#pragma once
// Print to the browser: the print dialog, then the whole list as one page in
// the temporary folder, opened by the shell.  The page is opened only when it
// was built and written whole; the browser never shows an earlier print or a
// page with rows missing as if it were current.

#include "contacts/ContactList.h"
#include "output/PrintPage.h"

#include <windows.h>

enum class PrintResult {
    Cancelled,   // the dialog was cancelled or could not be shown
    Opened,      // written whole and handed to the shell
    NoMemory,    // the page could not be built whole: nothing written
    NotWritten,  // the file could not be written whole: nothing opened
};

// `settings` takes the dialog's choice on OK.  The date is today's when
// `changed`, else the last write of `dataFile` in local time, else empty.
PrintResult PrintList(HWND owner, const ContactList& list, PrintSettings& settings, const char* dataFile, bool changed,
                      const char* pagePath);

// The date part of the page: today, or the file's last write in local time;
// empty when the file cannot be opened or its time converted.
void TodayPageDate(char (&out)[kPageDateSize]);
void FilePageDate(const char* path, char (&out)[kPageDateSize]);
