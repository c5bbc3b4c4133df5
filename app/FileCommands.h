#pragma once
// Open, Save, Save As, Import, Export, and loading the current data file, with the
// messages the user sees.  The reading and writing themselves are the
// contact book's (contacts/DataFile.h, contacts/Import.h).

#include "contacts/FileStamp.h"

// Loads `path` into the list.  Only a file that could be read changes the
// current data file: one that cannot be opened leaves everything as it was.
void LoadDataFileFrom(const char* path);
// Loads the current data file (at start-up).
void LoadDataFile();
bool SaveData();
void SaveDataAs();
void OpenDataFile();
void ImportDataFile();

// The current data file as last loaded or saved here: Save asks before it
// writes over a file that another program has written since.
FileStamp& SeenStamp();
// Writes the whole book, in the list's order, to a vCard file the user names.
void ExportVCardFile();
