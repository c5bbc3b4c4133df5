#include "output/PrintPage.h"

#include <cstdio>
#include <cstring>

namespace {

const char kPageHead[] =
    "<HTML>\r\n<HEAD>\r\n<TITLE>Telvara print data</TITLE>\r\n</HEAD>\r\n<BODY BGCOLOR=white>\r\n";
const char kPageTail[] = "</FONT>\r\n</BODY>\r\n</HTML>\r\n";

// Copies markup or separators as they are.
char* PutRaw(char* out, const char* text) {
    std::size_t n = std::strlen(text);
    std::memcpy(out, text, n);
    return out + n;
}

// Copies a field with "<" and ">" escaped, then `after`; never past the
// field's own width, terminated or not.
template <std::size_t N>
char* PutField(char* out, const char (&text)[N], const char* after) {
    for (const char* p = text; p < text + N && *p; ++p) {
        if (*p == '<')
            out = PutRaw(out, "&lt;");
        else if (*p == '>')
            out = PutRaw(out, "&gt;");
        else
            *out++ = *p;
    }
    return PutRaw(out, after);
}

}  // namespace

const char* PrintSizeDigit(std::int32_t printSize) {
    switch (printSize) {
        case 0:
            return "1";
        case 1:
            return "2";
        case 2:
            return "3";
        default:
            return "";
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

bool BuildPrintPage(PageBuffer& page, const ContactList& list, const PrintSettings& settings,
                    const char* date) {
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
    for (int i = 0; i < count && !page.Failed(); ++i) {
        const Contact* c = list.ContactAt(i);
        if (!c) return false;
        page.Append(row, FormatPageRow(*c, settings.PrintBits, row));
    }
    page.Append(kPageTail);
    return !page.Failed();
}
