#include "contacts/VCardExport.h"

#include "contacts/AnsiToUtf8.h"
#include "contacts/ContactList.h"
#include "contacts/FileAccess.h"

#include <cstring>

namespace {

constexpr std::size_t kFoldAt = 75;  // bytes of a line, its CR LF not counted

// `text` in UTF-8, escaped as a component of a value: the conversion comes
// first, as a double-byte code page may hold "\" or ";" inside a character.
void AppendEscaped(const char* text, std::string& line, std::string& scratch) {
    scratch.clear();
    AppendUtf8(text, std::strlen(text), scratch);
    for (std::size_t i = 0; i < scratch.size(); ++i) {
        char c = scratch[i];
        if (c == '\\' || c == ',' || c == ';') {
            line += '\\';
            line += c;
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < scratch.size() && scratch[i + 1] == '\n') ++i;  // CR LF is one break
            line += "\\n";
        } else {
            line += c;
        }
    }
}

// Appends a logical line with its CR LF, folded: a line longer than 75
// bytes goes on in lines that begin with one blank, which a reader drops.
void AppendFolded(const std::string& line, std::string& out) {
    std::size_t at = 0, room = kFoldAt;
    while (line.size() - at > room) {
        std::size_t cut = at + room;
        // A UTF-8 character is never split: its continuation bytes stay with it.
        while (cut > at && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
        out.append(line, at, cut - at).append("\r\n ");
        at = cut;
        room = kFoldAt - 1;
    }
    out.append(line, at, std::string::npos).append("\r\n");
}

}  // namespace

void AppendVCard(const Contact& c, std::string& out) {
    std::string line, scratch;
    out.append("BEGIN:VCARD\r\nVERSION:3.0\r\n");
    line = "N:";
    AppendEscaped(c.LastName, line, scratch);
    line += ';';
    AppendEscaped(c.FirstName, line, scratch);
    line += ";;;";
    AppendFolded(line, out);
    // "First Last", without blanks at either end.
    std::string name = std::string(c.FirstName) + ' ' + c.LastName;
    name.erase(0, name.find_first_not_of(" \t"));
    name.erase(name.find_last_not_of(" \t") + 1);
    line = "FN:";
    AppendEscaped(name.c_str(), line, scratch);
    AppendFolded(line, out);
    auto single = [&](const char* prefix, const char* text) {
        if (!text[0]) return;
        line = prefix;
        AppendEscaped(text, line, scratch);
        AppendFolded(line, out);
    };
    single("TEL;TYPE=VOICE:", c.Number);
    if (c.Address[0] || c.City[0] || c.State[0] || c.Zip[0]) {
        // Post office box, extended address, street, locality, region,
        // postal code, country.
        line = "ADR;TYPE=HOME:;;";
        for (const char* part : {c.Address, c.City, c.State, c.Zip}) {
            AppendEscaped(part, line, scratch);
            line += ';';
        }
        AppendFolded(line, out);
    }
    single("EMAIL;TYPE=INTERNET:", c.Email);
    single("NOTE:", c.MiscInfo);
    out.append("END:VCARD\r\n");
}

WriteResult WriteVCardFile(const ContactList& list, const char* path) {
    SafeFileWriter file;
    if (!file.Create(path)) return WriteResult::CantCreate;
    // Cards are gathered into a block and written a block at a time.
    std::string block;
    block.reserve(64 * 1024);
    const int count = list.Count();
    for (int i = 0; i < count; ++i) {
        if (const Contact* c = list.ContactAt(i)) AppendVCard(*c, block);
        if (block.size() >= 60 * 1024) {
            if (!file.Write(block.data(), block.size())) return WriteResult::WriteFailed;
            block.clear();
        }
    }
    if (!file.Write(block.data(), block.size())) return WriteResult::WriteFailed;
    if (!file.Commit()) return file.TargetRefused() ? WriteResult::CantCreate : WriteResult::WriteFailed;
    return WriteResult::Written;
}
