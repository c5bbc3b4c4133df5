#pragma once
// Column widths of the list in any view.  The list answers for its columns
// only in the details view (in the list view it gives the width of its item
// columns, in the icon views 0, and it refuses new widths there), while its
// header keeps every column's width in all views; so outside the details
// view the widths are read from and written to the header.

#include "framework/ListViewControl.h"

int ColumnWidthInAnyView(const ListViewControl& list, int column);
void SetColumnWidthInAnyView(ListViewControl& list, int column, int width);
