#pragma once
// The recovery copy: the list as it stood when Windows ended the session
// with changes not saved, kept for the next start.  It is a data file whose
// header is followed by two comment lines, which the reader skips:
//
//   ; Data for Telvara.exe
//   ; V300
//   ; Book: C:\Books\friends.csv
//   ; Seen: 133512345678901234 4096
//
// the data file it belongs to (empty for a book never saved) and that file's
// last-write time and size as the program last saw them ("none" when it did
// not exist).  There is one copy per data file, named from the file's path,
// and one per process for a book never saved.

#include "contacts/FileStamp.h"

#include <cstddef>
#include <string>

// The file name pattern of the copies of books never saved.
extern const char kUnsavedCopyPattern[];  // "unsaved-*.csv"

// The file name (no folder) of the copy of the book at `dataPath`, or of the
// never-saved book of process `processId` when the path is empty.  Paths
// that differ only in the case of A-Z or in / and \ name the same copy.
std::string RecoveryCopyName(const char* dataPath, unsigned long processId);

// The comment lines, CR LF ended, that follow the header of a copy.
std::string RecoveryNotes(const char* dataPath, const FileStamp& seen);

enum class CopyCheck { Unreadable, OtherBook, ThisBook };
struct CopyNotes {
    std::string DataPath;
    FileStamp Seen;
};
// Whether the copy in `data` belongs to the book at `dataPath` (empty: a
// book never saved); a copy without the data file's header or without its
// notes is Unreadable.
CopyCheck CheckRecoveryCopy(const char* data, std::size_t size, const char* dataPath, CopyNotes& notes);
