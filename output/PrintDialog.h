#pragma once
// The "Print to browser" dialog: which columns to print and how large.  OK
// stores the checked boxes as the print bits and the chosen size; a size that
// was out of range when the dialog opened shows no button chosen and is kept
// as it was unless one is clicked.

#include "output/PrintPage.h"

#include <windows.h>

// Runs dialog 112 owned by `owner`; true when the user chose OK (and
// `settings` then holds the choice), false for Cancel or when the dialog
// could not be shown.
bool RunPrintDialog(HWND owner, PrintSettings& settings);
