#pragma once
// The list's two image lists, small and large icons of each contact kind,
// in the sizes for the list's DPI.

#include "framework/ListViewControl.h"

// Makes both lists for `dpi` and gives them to the list; the lists they
// replace are destroyed.  False when a list or an icon could not be made:
// the list then keeps the images it had.
bool SetListImages(ListViewControl& list, int dpi);
