#pragma once
// Small rules on file names.

#include <cstddef>

// Replaces or appends the extension of `path` (a buffer of `size` bytes):
// LIST.TXT and LIST become LIST.csv; a full stop in a folder name is left
// alone.  The extension may be given with or without its ".".  Fails, leaving
// the path as it was, when it is empty, ends in "\" or ":", or the result
// would not fit.
bool SetExtension(char* path, std::size_t size, const char* extension);
