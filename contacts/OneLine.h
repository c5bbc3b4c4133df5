#pragma once
// Keeps a typed field on one line.  A record is one line of the data file, so
// a line break pasted into a field would split the record when it is saved:
// the rest of the contact would be lost or read back as a contact of its own.

// Replaces every line break in `text` (CR LF, a lone CR or a lone LF) by one
// blank, in place.
void JoinLines(char* text);
