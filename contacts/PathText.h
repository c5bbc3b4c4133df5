#pragma once
// Small rules on file names.

#include <cstddef>

// Forces `extension` (without its ".") onto a chosen file name: LIST.TXT and
// LIST become LIST.csv; a full stop in a folder name is left alone.  False
// when the result would not fit in `size` bytes (the name is then unchanged).
bool ForceExtension(char* path, std::size_t size, const char* extension);
