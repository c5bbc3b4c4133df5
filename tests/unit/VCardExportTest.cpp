#include <gtest/gtest.h>

#include "contacts/ContactList.h"
#include "contacts/VCardExport.h"
#include "contacts/VCardImport.h"
#include "support/MemoryListControl.h"

#include <string>

namespace {

Contact Make(std::initializer_list<const char*> fields) {
    Contact c;
    ClearContact(c);
    int f = 0;
    for (const char* text : fields) SetField(ContactField(c, f), kContactFieldWidths[f], text), ++f;
    return c;
}

// Escaped, converted from Windows-1252 (the native build's ANSI code page),
// folded before a character that would cross 75 bytes; empty fields left out.
TEST(VCardExport, WritesCardsThatReadBackAsTheyWere) {
    const Contact book[] = {
        Make({"Ren\xE9" "e", "Lee; \"Jr\"", "+1 819-555-0100", "12, rue \\ l'\xC9" "glise", "Hull", "QC", "J8X 1A1",
              "r@example.com", (std::string(69, 'a') + "\xE9" + "bbbbbbbb\x80").c_str()}),
        Make({"", "", "555-0111"}),
        Make({"Bo", "", "", "", "Hull", "", "", "", std::string(79, '\x80').c_str()})};
    std::string text;
    for (const Contact& c : book) AppendVCard(c, text);
    std::string euros;
    for (int i = 0; i < 79; ++i) euros += "\xE2\x82\xAC";
    EXPECT_EQ("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee\\; \"Jr\";Ren\xC3\xA9" "e;;;\r\nFN:Ren\xC3\xA9" "e Lee\\; \"Jr\"\r\n"
              "TEL;TYPE=VOICE:+1 819-555-0100\r\nADR;TYPE=HOME:;;12\\, rue \\\\ l'\xC3\x89glise;Hull;QC;J8X 1A1;\r\n"
              "EMAIL;TYPE=INTERNET:r@example.com\r\nNOTE:" + std::string(69, 'a') +
                  "\r\n \xC3\xA9" "bbbbbbbb\xE2\x82\xAC\r\nEND:VCARD\r\n"
                  "BEGIN:VCARD\r\nVERSION:3.0\r\nN:;;;;\r\nFN:\r\nTEL;TYPE=VOICE:555-0111\r\nEND:VCARD\r\n"
                  "BEGIN:VCARD\r\nVERSION:3.0\r\nN:;Bo;;;\r\nFN:Bo\r\nADR;TYPE=HOME:;;;Hull;;;\r\nNOTE:" +
                  euros.substr(0, 69) + "\r\n " + euros.substr(69, 72) + "\r\n " + euros.substr(141, 72) + "\r\n " +
                  euros.substr(213) + "\r\nEND:VCARD\r\n",
              text);
    std::string breaks;
    AppendVCard(Make({"A", "", "", "", "", "", "", "", "two\r\nlines\nthree"}), breaks);
    EXPECT_NE(std::string::npos, breaks.find("\r\nNOTE:two\\nlines\\nthree\r\n"));

    MemoryListControl control;
    MemoryStatusText status;
    ContactList list{control, status};
    ASSERT_EQ(ImportResult::Imported, ImportVCardText(list, text.data(), text.size()));
    ASSERT_EQ(3, list.Count());
    for (const Contact& c : book) {
        int i = 0;
        while (i < 3 && !SameContact(c, *list.ContactAt(i))) ++i;
        EXPECT_LT(i, 3) << c.FirstName << " did not come back as it was";
    }
}

}  // namespace
