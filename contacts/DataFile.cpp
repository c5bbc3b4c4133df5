#include "contacts/DataFile.h"

#include "contacts/ContactList.h"
#include "contacts/FileAccess.h"
#include "contacts/LineReader.h"
#include "contacts/NameSort.h"
#include "contacts/Prefetch.h"

#include <cstring>
#include <vector>

const char kDataHeader[] = "; Data for Telvara.exe";
const char kDataVersion[] = "; V300";

char* QuoteField(const char* text, char* out, std::size_t outSize, bool forceQuotes) {
    if (outSize == 0) return out;
    char* end = out + outSize - 1;  // room for the terminator
    bool quote = forceQuotes || std::strpbrk(text, ",\"") != nullptr;
    char* p = out;
    if (quote && p < end) *p++ = '"';
    for (const char* s = text; *s; ++s) {
        std::size_t need = (*s == '"') ? 2 : 1;
        if (static_cast<std::size_t>(end - p) < need + (quote ? 1 : 0)) break;
        *p++ = *s;
        if (*s == '"') *p++ = '"';
    }
    if (quote && p < end) *p++ = '"';
    *p = '\0';
    return p;
}

namespace {

// The characters that end a run of a field's text: the end of the line and
// the double quote always, the comma outside quotes.
struct RunEnds {
    bool Quoted[256] = {};
    bool Plain[256] = {};
    RunEnds() {
        Quoted[0] = Quoted[static_cast<unsigned char>('"')] = true;
        Plain[0] = Plain[static_cast<unsigned char>('"')] = true;
        Plain[static_cast<unsigned char>(',')] = true;
    }
};
const RunEnds kRunEnds;

}  // namespace

const char* ParseField(const char* pos, char* out, std::size_t width) {
    // Room for width - 1 characters; the rest of a longer field is passed over.
    std::size_t room = width > 0 ? width - 1 : 0;
    std::size_t stored = 0;
    auto take = [&](const char* text, std::size_t n) {
        if (n > room - stored) n = room - stored;
        if (n) std::memcpy(out + stored, text, n);
        stored += n;
    };
    bool quoted = false;
    if (*pos == '"') {
        quoted = true;
        ++pos;
    }
    for (;;) {
        // The run of characters taken as they are.
        const bool* ends = quoted ? kRunEnds.Quoted : kRunEnds.Plain;
        const char* run = pos;
        while (!ends[static_cast<unsigned char>(*pos)]) ++pos;
        take(run, static_cast<std::size_t>(pos - run));
        char c = *pos;
        if (c == '\0') break;
        if (c == ',') {
            ++pos;
            break;
        }
        // A double quote: the end of the field before a comma or the end of
        // the line; otherwise the character after it is taken, and only a
        // doubled quote keeps the field quoted.
        char next = pos[1];
        if (next == '\0') {
            ++pos;
            break;
        }
        if (next == ',') {
            pos += 2;
            break;
        }
        quoted = quoted && next == '"';
        take(pos + 1, 1);
        pos += 2;
    }
    if (width > 0) out[stored] = '\0';
    return pos;
}

std::size_t FormatRecordLine(const Contact& c, char* out, std::size_t outSize) {
    if (outSize < 4) {
        if (outSize) out[0] = '\0';
        return 0;
    }
    char* p = out;
    char* end = out + outSize;
    for (int i = 0; i < kContactFieldCount; ++i) {
        // Keep room for this comma, the flag, CR LF and the terminator.
        if (end - p < 5) break;
        // A first name beginning with ";" is quoted, or the reader would take
        // the whole record for a comment and drop it.
        const char* field = ContactField(c, i);
        bool force = i == 0 && field[0] == ';';
        p = QuoteField(field, p, static_cast<std::size_t>(end - p - 4), force);
        *p++ = ',';
    }
    *p++ = c.TollCall ? '1' : '0';
    *p++ = '\r';
    *p++ = '\n';
    *p = '\0';
    return static_cast<std::size_t>(p - out);
}

void ParseRecordLine(const char* line, Contact& c) {
    const char* pos = line;
    for (int i = 0; i < kContactFieldCount; ++i) pos = ParseField(pos, ContactField(c, i), kContactFieldWidths[i]);
    c.TollCall = (*pos == '1') ? 1 : 0;
    c.IsNew = 0;
}

bool IsDataFileHeader(const char* line1, const char* line2) {
    return line1[0] == ';' && std::strstr(line2, kDataVersion) != nullptr;
}

bool IsRecordLine(const char* line) { return line[0] != '\0' && line[0] != ';'; }

WriteResult WriteContactsFile(const ContactList& list, const char* path, const std::string& head,
                              AppendContactText append) {
    SafeFileWriter file;
    if (!file.Create(path)) return WriteResult::CantCreate;
    // The text is gathered into a block and written a block at a time.
    std::string block;
    block.reserve(64 * 1024);
    block.append(head);
    int count = list.Count();
    for (int i = 0; i < count; ++i) {
        if (const Contact* c = list.ContactAt(i)) append(*c, block);
        if (block.size() >= 60 * 1024) {
            if (!file.Write(block.data(), block.size())) return WriteResult::WriteFailed;
            block.clear();
        }
    }
    if (!file.Write(block.data(), block.size())) return WriteResult::WriteFailed;
    // A target another program took while the new file was written is one
    // that cannot be opened; any other failure to put the file in place is a
    // failed write.
    if (!file.Commit()) return file.TargetRefused() ? WriteResult::CantCreate : WriteResult::WriteFailed;
    return WriteResult::Written;
}

WriteResult WriteDataFile(const ContactList& list, const char* path, const std::string& notes) {
    std::string head;
    head.append(kDataHeader).append("\r\n").append(kDataVersion).append("\r\n").append(notes);
    return WriteContactsFile(list, path, head, [](const Contact& c, std::string& out) {
        char line[kMaxRecordLine + 1];
        out.append(line, FormatRecordLine(c, line, sizeof line));
    });
}

namespace {

LoadResult LoadFromReader(ContactList& list, LineReader& reader) {
    std::string line1, line2;
    reader.ReadLine(line1);
    reader.ReadLine(line2);
    if (!IsDataFileHeader(line1.c_str(), line2.c_str())) {
        reader.Release();
        list.ClearContactLine();
        list.ClearContacts();
        list.SetAllSortAscending(true);
        list.UpdateListStatus();
        return LoadResult::NotDataFile;
    }
    // Every record is read before the list lets go of the old ones, so that
    // a book that cannot be read whole leaves the list as it was: a shorter
    // list under the file's name would be saved over the file.
    std::vector<Contact*> records;
    auto releaseAll = [&records] {
        for (Contact* c : records) delete c;
        records.clear();
    };
    std::string line;
    try {
        line.reserve(kMaxRecordLine);
        while (!reader.AtEnd()) {
            reader.ReadLine(line);
            if (!IsRecordLine(line.c_str())) continue;
            std::unique_ptr<Contact> c(new Contact);
            ParseRecordLine(line.c_str(), *c);
            records.push_back(c.get());
            c.release();
        }
        // Name order before the list takes them in bulk: the same order as
        // sorting the list by name, at a fraction of the cost.
        SortByName(records);
    } catch (...) {
        releaseAll();
        reader.Release();
        return LoadResult::CantOpen;
    }
    reader.Release();
    list.ClearContactLine();
    list.ClearContacts();
    list.SetAllSortAscending(true);
    list.Control().BeginAppend();
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (i + 8 < records.size()) Prefetch(records[i + 8]);      // in name order, not memory order
        list.AppendContact(std::unique_ptr<Contact>(records[i]));  // a refused item is released
    }
    list.Control().EndAppend();
    list.SetChanged(false);
    list.SetSortAscending(0, false);
    list.UpdateListStatus();
    return LoadResult::Loaded;
}

}  // namespace

LoadResult LoadContactFile(ContactList& list, const char* path) {
    LineReader reader(true);
    if (!reader.ReadFile(path)) return LoadResult::CantOpen;
    return LoadFromReader(list, reader);
}

LoadResult LoadContactText(ContactList& list, const char* data, std::size_t size) {
    LineReader reader(true);
    reader.Assign(data, size);
    return LoadFromReader(list, reader);
}
