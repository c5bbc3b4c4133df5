#pragma once
// "Backup to another location": shows the data file and its size, lets the
// user choose or type the destination, and on OK copies the saved data file
// there, replacing an older copy.  The destination is what the field shows,
// whether "Browse" composed it or the user typed it; it becomes the
// remembered backup path before the copy, whether the copy then works or not.
// A failed copy is told in the dialog's own "Backup failed" box.

#include <windows.h>

#include <cstddef>

enum class BackupResult {
    NotShown,   // the dialog could not be made
    Cancelled,  // nothing copied, the remembered path as it was
    Copied,
    Failed,  // the user has seen "Backup failed"
};

// `backup` (of `backupSize` bytes) is the remembered destination, replaced
// on OK.
BackupResult RunBackupDialog(HWND owner, const char* dataFile, char* backup, std::size_t backupSize);
