#pragma once
// The data file: comma-separated text, two header lines, one record a line.
//
//   ; Data for Telvara.exe
//   ; V300
//   Ann,Lee,555-0100,,Springfield,,,,,1
//
// A text field holding a comma or a double quote is written in double quotes
// with its quotes doubled; every other field is written as it is.  The last
// field is the toll-call flag, 1 or 0, never quoted.

#include "contacts/Contact.h"

#include <cstddef>
#include <string>

class ContactList;

extern const char kDataHeader[];   // "; Data for Telvara.exe"
extern const char kDataVersion[];  // "; V300"

// The longest record line the writer can produce, CR LF included: every text
// field at full width, all double quotes.
constexpr std::size_t kMaxRecordLine = 538 + 9 + 1 + 2;

// Writes `text` with the quoting rule and terminates it; returns the end of the
// output.  The output holds `outSize` bytes; a text that does not fit is cut.
// `forceQuotes` quotes the text whatever it holds.
char* QuoteField(const char* text, char* out, std::size_t outSize, bool forceQuotes = false);

// Reads one field of a line (that holds no line end) into a field of `width`
// bytes, keeping its first width - 1 characters.  Returns the position after
// the comma that ended the field, or the end of the line.
const char* ParseField(const char* pos, char* out, std::size_t width);

// One record line with its CR LF; returns its length.  `out` holds at least
// kMaxRecordLine + 1 bytes.
std::size_t FormatRecordLine(const Contact& c, char* out, std::size_t outSize);
// The ten fields of a record line; IsNew is 0.
void ParseRecordLine(const char* line, Contact& c);

// Header test: line 1 begins with ";" and line 2 holds "; V300".
bool IsDataFileHeader(const char* line1, const char* line2);
// Records are every line that is not empty and does not begin with ";".
bool IsRecordLine(const char* line);

// CantCreate: the file could not be made, or its target was refused;
// WriteFailed: the new file was made but could not be written, flushed or put
// in place.  Either way the old file stays as it was.
enum class WriteResult { Written, CantCreate, WriteFailed };
enum class LoadResult { Loaded, CantOpen, NotDataFile };

// Writes the whole list in its present order, with `notes` (comment lines,
// each beginning with ";" and ending in CR LF) after the header.  The file at
// `path` is replaced only when every byte was written; otherwise it stays as
// it was.
WriteResult WriteDataFile(const ContactList& list, const char* path, const std::string& notes = std::string());

// Writes `head`, then each contact of the list in its present order as
// `append` puts it into text, to `path` as WriteDataFile does: the file is
// replaced only when every byte was written.
using AppendContactText = void (*)(const Contact& contact, std::string& out);
WriteResult WriteContactsFile(const ContactList& list, const char* path, const std::string& head,
                              AppendContactText append);

// Replaces the list with the records of the file.  CantOpen leaves the list
// and its state untouched.  NotDataFile leaves it empty.  Loaded sorts it by
// name and leaves it unchanged-since-saved.
LoadResult LoadContactFile(ContactList& list, const char* path);
// The same over text already in memory.
LoadResult LoadContactText(ContactList& list, const char* data, std::size_t size);
