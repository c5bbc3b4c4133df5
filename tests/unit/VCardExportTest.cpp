#include <gtest/gtest.h>

#include "contacts/VCardExport.h"

#include <string>

namespace {

// Converted from Windows-1252 (the native build's ANSI code page), then
// escaped; folded before a character that would cross 75 bytes; an empty
// field gives no line, but N and FN are there for a contact without a name.
TEST(VCardExport, ConvertsEscapesAndFolds) {
    Contact c, nameless;
    ClearContact(c);
    ClearContact(nameless);
    const char* fields[] = {"Zo\xEB", "Lee; \"Jr\"", "+1 819-555-0100", "12, rue \\ l'\xC9glise",
                            "Hull",   "QC",          "J8X 1A1",         "z@example.com"};
    for (int f = 0; f < 8; ++f) SetField(ContactField(c, f), kContactFieldWidths[f], fields[f]);
    SetField(c.MiscInfo, sizeof c.MiscInfo, (std::string(69, 'a') + "\xE9z\r\nc\x80").c_str());
    SetField(nameless.Number, sizeof nameless.Number, "555-0111");
    std::string text;
    AppendVCard(c, text);
    AppendVCard(nameless, text);
    EXPECT_EQ(
        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee\\; \"Jr\";Zo\xC3\xAB;;;\r\nFN:Zo\xC3\xAB Lee\\; \"Jr\"\r\n"
        "TEL;TYPE=VOICE:+1 819-555-0100\r\nADR;TYPE=HOME:;;12\\, rue \\\\ l'\xC3\x89glise;Hull;QC;J8X 1A1;\r\n"
        "EMAIL;TYPE=INTERNET:z@example.com\r\nNOTE:" +
            std::string(69, 'a') + "\r\n \xC3\xA9z\\nc\xE2\x82\xAC\r\nEND:VCARD\r\n" +
            "BEGIN:VCARD\r\nVERSION:3.0\r\nN:;;;;\r\nFN:\r\nTEL;TYPE=VOICE:555-0111\r\nEND:VCARD\r\n",
        text);
}

}  // namespace
