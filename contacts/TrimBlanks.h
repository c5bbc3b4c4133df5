#pragma once
// Cuts blanks and tabs from both ends of a typed text, so that a name typed
// with a stray space sorts and prints like the same name typed without.

// Removes spaces and tab characters from both ends of `text` in place; those
// inside the text stay, and no other character counts as a blank.
void TrimBlanks(char* text);
