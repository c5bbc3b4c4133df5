#pragma once
// Rules of the backup dialog on paths and sizes: the folder the chooser gives
// ends in exactly one "\", the copy keeps the data file's own name (its first
// 39 characters), and the source's size is shown in whole kilobytes.

#include <cstddef>
#include <cstdint>

constexpr std::size_t kBackupNameMax = 39;

// `folder` + "\" (unless it already ends in one) + the first kBackupNameMax
// characters of the file-name part of `dataFile`, into `out`.  False, with
// `out` untouched, when the result would not fit in `size` bytes: a cut path
// would name some other file.
bool ComposeBackupPath(const char* folder, const char* dataFile, char* out, std::size_t size);

// "12k" for 12,288 to 13,311 bytes: whole kilobytes, the remainder dropped.
void FormatKilobytes(std::uint64_t bytes, char* out, std::size_t size);
