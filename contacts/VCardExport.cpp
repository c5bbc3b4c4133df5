#include "contacts/VCardExport.h"

#include "contacts/AnsiToUtf8.h"
#include "contacts/ContactList.h"
#include "contacts/TrimBlanks.h"

#include <cstdio>

namespace {

constexpr std::size_t kFoldAt = 75;  // bytes of a line, its CR LF not counted

// `text` in UTF-8, escaped as a component of a value.  The conversion comes
// first, as a double-byte code page may hold "\" or ";" inside a
// character; text of ASCII alone, most of a book, needs none.
void AppendEscaped(const char* text, std::string& out) {
    const char* end = text;
    bool ascii = true;
    for (; *end; ++end) ascii = ascii && static_cast<unsigned char>(*end) < 0x80;
    static std::string utf8;  // kept from call to call (the program has one thread)
    if (!ascii) {
        utf8.clear();
        AppendUtf8(text, static_cast<std::size_t>(end - text), utf8);
        text = utf8.data();
        end = text + utf8.size();
    }
    while (text < end) {
        const char* run = text;
        while (text < end && *text != '\\' && *text != ',' && *text != ';' && *text != '\r' && *text != '\n') ++text;
        out.append(run, static_cast<std::size_t>(text - run));
        if (text == end) break;
        char c = *text++;
        if (c == '\r' || c == '\n') {
            if (c == '\r' && text < end && *text == '\n') ++text;  // CR LF is one break
            out += "\\n";
        } else {
            out += '\\';
            out += c;
        }
    }
}

// Ends the logical line that began at `start` of `out` with CR LF, folded: a
// line longer than 75 bytes goes on in lines that begin with one blank,
// which a reader drops.
void EndLine(std::string& out, std::size_t start) {
    if (out.size() - start > kFoldAt) {
        static std::string line;
        line.assign(out, start, std::string::npos);
        out.resize(start);
        std::size_t at = 0, room = kFoldAt;
        while (line.size() - at > room) {
            std::size_t cut = at + room;
            // A UTF-8 character is never split: its continuation bytes stay with it.
            while (cut > at && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
            out.append(line, at, cut - at).append("\r\n ");
            at = cut;
            room = kFoldAt - 1;
        }
        out.append(line, at, std::string::npos);
    }
    out.append("\r\n");
}

// A line of one text, none when the text is empty.
void AppendSingle(const char* prefix, const char* text, std::string& out) {
    if (!text[0]) return;
    std::size_t start = out.size();
    out.append(prefix);
    AppendEscaped(text, out);
    EndLine(out, start);
}

}  // namespace

void AppendVCard(const Contact& c, std::string& out) {
    out.append("BEGIN:VCARD\r\nVERSION:3.0\r\n");
    std::size_t start = out.size();
    out.append("N:");
    AppendEscaped(c.LastName, out);
    out += ';';
    AppendEscaped(c.FirstName, out);
    out.append(";;;");
    EndLine(out, start);
    // "First Last", without blanks at either end.
    char name[sizeof c.FirstName + sizeof c.LastName];
    std::snprintf(name, sizeof name, "%s %s", c.FirstName, c.LastName);
    TrimBlanks(name);
    start = out.size();
    out.append("FN:");
    AppendEscaped(name, out);
    EndLine(out, start);
    AppendSingle("TEL;TYPE=VOICE:", c.Number, out);
    if (c.Address[0] || c.City[0] || c.State[0] || c.Zip[0]) {
        // Post office box, extended address, street, locality, region,
        // postal code, country.
        start = out.size();
        out.append("ADR;TYPE=HOME:;;");
        for (const char* part : {c.Address, c.City, c.State, c.Zip}) {
            AppendEscaped(part, out);
            out += ';';
        }
        EndLine(out, start);
    }
    AppendSingle("EMAIL;TYPE=INTERNET:", c.Email, out);
    AppendSingle("NOTE:", c.MiscInfo, out);
    out.append("END:VCARD\r\n");
}

WriteResult WriteVCardFile(const ContactList& list, const char* path) {
    return WriteContactsFile(list, path, std::string(), &AppendVCard);
}
