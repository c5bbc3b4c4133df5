#pragma once
// The main window's title: the current data file's name, " - " and the
// program's name.

void UpdateTitle();
