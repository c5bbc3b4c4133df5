#pragma once
// Column widths of the list in any view.  The list answers for its columns
// only in the details view (in the list view it gives the width of its item
// columns, in the icon views 0, and it refuses new widths there), while its
// header keeps every column's width in all views; so outside the details
// view the widths are read from and written to the header.
//
// Widths are kept and stored in pixels at 96 DPI, and scaled for the list's
// DPI when they are given to it.

#include "framework/ListViewControl.h"

int ColumnWidthInAnyView(const ListViewControl& list, int column);
void SetColumnWidthInAnyView(ListViewControl& list, int column, int width);

// Every column's width in the list, in pixels at 96 DPI; and given to it.
void ReadColumnWidths(const ListViewControl& list, int dpi, int* widths);
void ScaleColumnWidths(const int* widths, int dpi, int* scaled);
// The list moved from one DPI to another: its columns keep their size in
// pixels at 96 DPI (a hidden column stays 0 wide).
void RescaleColumns(ListViewControl& list, int from, int to);
