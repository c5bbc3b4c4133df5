#pragma once
// Small rules on file names.

#include <cstddef>

// Replaces or appends the extension of `path` (a buffer of `size` bytes):
// LIST.TXT and LIST become LIST.csv; a full stop in a folder name is left
// alone.  The extension may be given with or without its ".".  Fails, leaving
// the path as it was, when it is empty, ends in "\" or ":", or the result
// would not fit.
bool SetExtension(char* path, std::size_t size, const char* extension);

// Whether `path` is `folder` or lies inside it, comparing whole folder names
// as Windows does: without regard to case, "\\" and "/" alike, a final
// separator of the folder ignored; "C:\\Program Files (x86)\\x" is not under
// "C:\\Program Files".  Case is folded for A to Z only.
bool IsPathUnder(const char* path, const char* folder);
