#pragma once
// The output commands as the main window runs them: print to the browser,
// backup, the help page, the maker's page and the About box, wired to the
// program's settings, list and windows.

void PrintCommand();       // File "&Print..."
void BackupCommand();      // File "&Backup Data..."
void InfoPageCommand();    // Help "Program Info...", button "Info"
void UpdatePageCommand();  // Help "Check for updates"
void AboutCommand();       // Help "About..."
