#include "output/PrintPage.h"

#include "contacts/Prefetch.h"

#include <cstdio>
#include <cstring>

namespace {

const char kPageHead[] = "<HTML>\r\n<HEAD>\r\n<TITLE>Telvara print data</TITLE>\r\n</HEAD>\r\n<BODY BGCOLOR=white>\r\n";
const char kPageTail[] = "</FONT>\r\n</BODY>\r\n</HTML>\r\n";

// Copies markup or separators as they are.
template <std::size_t N>
char* PutRaw(char* out, const char (&text)[N]) {
    std::memcpy(out, text, N - 1);
    return out + N - 1;
}

// Copies a field with "<" and ">" escaped, then `after`; never past the
// field's own width, terminated or not.  Most fields hold neither, so the
// text goes over in runs between them rather than byte by byte.
template <std::size_t N, std::size_t M>
char* PutField(char* out, const char (&text)[N], const char (&after)[M]) {
    const char* p = text;
    const char* nul = static_cast<const char*>(std::memchr(text, '\0', N));
    const char* end = nul ? nul : text + N;
    while (p < end) {
        const char* lt = static_cast<const char*>(std::memchr(p, '<', static_cast<std::size_t>(end - p)));
        const char* gt = static_cast<const char*>(std::memchr(p, '>', static_cast<std::size_t>(lt ? lt - p : end - p)));
        const char* stop = gt ? gt : lt ? lt : end;
        std::memcpy(out, p, static_cast<std::size_t>(stop - p));
        out += stop - p;
        if (stop == end) break;
        out = *stop == '<' ? PutRaw(out, "&lt;") : PutRaw(out, "&gt;");
        p = stop + 1;
    }
    return PutRaw(out, after);
}

}  // namespace

std::size_t PageStartCapacity(int rows) {
    if (rows <= 0) return kPageStartCapacity;
    std::size_t rowBytes = static_cast<std::size_t>(rows) * kTypicalPageRow;
    std::size_t steps = (rowBytes + kPageGrowthStep - 1) / kPageGrowthStep;
    return kPageStartCapacity + steps * kPageGrowthStep;
}

const char* PrintSizeDigit(std::int32_t printSize) {
    switch (printSize) {
        case 0: return "1";
        case 1: return "2";
        case 2: return "3";
        default: return "";
    }
}

void FormatPageDate(int year, int month, int day, char (&out)[kPageDateSize]) {
    if (year < 0 || month < 1 || month > 12 || day < 1 || day > 31) {
        out[0] = '\0';
        return;
    }
    std::snprintf(out, sizeof out, "%02d/%02d/%02d", month, day, year % 100);
}

std::size_t FormatPageRow(const Contact& c, std::int32_t printBits, char* out) {
    // Every field is bounded by its width, so the row is too: at most four
    // bytes for each stored character, plus the fixed text between them.
    static_assert(4 * sizeof(Contact) + 64 <= kMaxPageRow, "a row fits its buffer");
    char* p = out;
    p = PutField(p, c.FirstName, " ");
    p = PutField(p, c.LastName, " ");
    if (printBits & kPrintNumber) {
        p = PutRaw(p, "<B>");
        p = PutField(p, c.Number, "</B> ");
    }
    if (printBits & kPrintAddress) {
        p = PutField(p, c.Address, " ");
        p = PutField(p, c.City, " ");
        p = PutField(p, c.State, " ");
        p = PutField(p, c.Zip, " ");
    }
    if (printBits & kPrintEmail) p = PutField(p, c.Email, " ");
    if (printBits & kPrintMisc) p = PutField(p, c.MiscInfo, "");
    p = PutRaw(p, "<BR>\r\n");
    *p = '\0';
    return static_cast<std::size_t>(p - out);
}

bool BuildPrintPage(PageBuffer& page, const ContactList& list, const PrintSettings& settings, const char* date) {
    if (page.Failed()) return false;
    page.Append(kPageHead);
    page.Append("<FONT size=\"");
    page.Append(PrintSizeDigit(settings.PrintSize));
    page.Append("\" face=\"Arial, Helvetica, sans-serif\">\r\n");
    page.Append("Last Updated: ");
    page.Append(date);
    page.Append("<BR>\r\n");
    char row[kMaxPageRow];
    const int count = list.Count();
    constexpr int kAhead = 8;  // rows read ahead: the list's order is not the records' order in memory
    for (int i = 0; i < count && !page.Failed(); ++i) {
        if (i + kAhead < count) PrefetchObject(list.ContactAt(i + kAhead), sizeof(Contact));
        const Contact* c = list.ContactAt(i);
        if (!c) return false;
        page.Append(row, FormatPageRow(*c, settings.PrintBits, row));
    }
    page.Append(kPageTail);
    return !page.Failed();
}
