#pragma once
// The Options commands: Setup, Setup port and the colour chooser, wired to
// the program's settings, its list and its status line.

void SetupCommand();
void PortSetupCommand();
void ColoursCommand();
