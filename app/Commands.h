#pragma once
// Every command id of the menus, the keys, the popup and the button bar.

#include <windows.h>

void DispatchCommand(int id);
void ShowPopupMenu(LPARAM point);
void EnablePopupItems(HMENU menu);
void NewFileCommand();
void ExitCommand();
