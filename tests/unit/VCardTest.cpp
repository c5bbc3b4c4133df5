#include <gtest/gtest.h>

#include "contacts/VCard.h"
#include "contacts/ContactList.h"
#include "contacts/VCardImport.h"
#include "support/MemoryListControl.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include <string>
#include <vector>

namespace {

// Each card's contact as its nine fields joined by "|" (the native build's
// ANSI code page is Windows-1252); read whole, or `piece` bytes at a time.
std::vector<std::string> Read(const std::string& text, std::size_t piece = 0) {
    std::vector<std::string> out;
    auto take = [&](const VCardEntry& entry) {
        Contact c;
        FillContact(entry, c);
        std::string joined;
        for (int f = 0; f < kContactFieldCount; ++f) joined += (f ? "|" : "") + std::string(ContactField(c, f));
        out.push_back(joined);
    };
    std::size_t at = 0;
    if (piece)
        ReadVCardSource(
            [&](char* to, std::size_t room) {
                std::size_t n = std::min({piece, room, text.size() - at});
                std::memcpy(to, text.data() + at, n);
                at += n;
                return n;
            },
            take);
    else
        ReadVCards(text.data(), text.size(), take);
    return out;
}

using Cards = std::vector<std::string>;

TEST(VCard, TellsCardsFromOtherFilesByTheirFirstLine) {
    for (const char* yes : {"BEGIN:VCARD\r\n", "\xEF\xBB\xBF\r\n  \nbegin:vcard \t\n"})
        EXPECT_TRUE(IsVCardText(yes, strlen(yes))) << yes;
    for (const char* no : {"", "; Data for Telvara\r\nBEGIN:VCARD\r\n", " BEGIN:VCARD", "BEGIN:VCARDS",
                           "\xFF\xFE"
                           "B\0"})
        EXPECT_FALSE(IsVCardText(no, strlen(no))) << no;
}

TEST(VCard, PhoneExportOfVersion21) {
    // A soft break inside the two bytes of a UTF-8 "E" with an acute accent,
    // a fax before the preferred cell, and a photo ending in a blank line.
    EXPECT_EQ(Cards({"\xC9mile|Dub\xE9|819-555-0142|12 rue \xC9t\xE9|Hull|QC|J8X 1A1||work 819-555-0100",
                     "Bo|Ng|555-0199|||||bo@example.com|"}),
              Read("BEGIN:VCARD\r\nVERSION:2.1\r\n"
                   "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:Dub=C3=A9;=C3=\r\n=89mile;;;\r\n"
                   "TEL;WORK;FAX:819-555-0111\r\nTEL;WORK;VOICE:819-555-0100\r\nTEL;CELL;PREF:819-555-0142\r\n"
                   "ADR;HOME;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:;;12 rue =C3=89t=C3=A9;Hull;qc;J8X 1A1;\r\n"
                   "PHOTO;ENCODING=BASE64;JPEG:/9j/4AAQ\r\nSkZJRgAB\r\nAQAAAQ==\r\n\r\nEND:VCARD\r\n"
                   "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Ng;Bo\r\nTEL:555-0199\r\nEMAIL;INTERNET:bo@example.com\r\n"
                   "END:VCARD\r\n"));
}

TEST(VCard, CloudExportOfVersion30) {
    EXPECT_EQ(Cards({"Ann|O'Lee, Jr.|+1 613-555-0102|1 Main St Apt 4|Ottawa||K1A 0B1|ann@example.com|"
                     "cell +1 613-555-0199"}),
              Read("\xEF\xBB\xBF"
                   "BEGIN:VCARD\nVERSION:3.0\nN:O'Lee\\, Jr.;Ann;;;\nFN:Ann O'Lee\n"
                   "item1.TEL;type=CELL;type=VOICE:+1 613-555-0199\nitem1.X-ABLabel:mobile\n"
                   "item2.TEL;type=HOME;type=VOICE;type=pref:+1 613-555-0102\n"
                   "item3.EMAIL;type=INTERNET;type=pref:ann@example.com\n"
                   "item4.ADR;type=HOME;type=pref:;;1 Main St\\nApt 4;Ottawa;Ontario;K1A 0B1;Canada\n"
                   "NOTE:not used: a second telephone\nEND:VCARD\n"));
}

TEST(VCard, CardOfVersion40) {
    EXPECT_EQ(Cards({"Zo\xEB|Roy|+1-819-555-0177;ext=12|||||zoe@example.com|home +1-819-555-0178"}),
              Read("BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Zo\xC3\xAB Roy\r\nN:Roy;Zo\xC3\xAB;;;\r\n"
                   "TEL;VALUE=uri;TYPE=\"voice,home\":tel:+1-819-555-0178\r\n"
                   "TEL;VALUE=uri;PREF=1;TYPE=\"voice,cell\":tel:+1-819-555-0177;ext=12\r\n"
                   "ADR;LABEL=\"Main St: 5; Hull\";TYPE=work:;;;;;;\r\n"
                   "EMAIL;TYPE=work:zoe@exam\r\n ple.com\r\nEND:VCARD\r\n"));
}

TEST(VCard, CharacterSetsAndOneLineFields) {
    // 2.1 (or no version) without a name for its set: ANSI bytes, each
    // address component by its own.  3.0: UTF-8 whatever, so a stray byte is
    // no character.  A set only the system knows: none here, so no
    // look-alikes.  Controls and line breaks become blanks.
    EXPECT_EQ(Cards({"Ren\xE9|L\xE9vesque||Hauptstr. 5 B\xFCro 3|Bonn||||second", "Ren?|A B  C|||||||",
                     "\xE9|Ol|||||||", "Taro|????|||||||"}),
              Read("BEGIN:VCARD\nN:L\xE9vesque;Ren\xE9\nNOTE: \nNOTE:second\nNOTE:third\n"
                   "ADR;WORK:;B\xFCro 3;Hauptstr. 5;Bonn\nEND:VCARD\n"
                   "BEGIN:VCARD\nVERSION:3.0\nN;ENCODING=QUOTED-PRINTABLE:A\\nB=0D=0A\x01"
                   "C;Ren\xE9\nEND:VCARD\n"
                   "BEGIN:VCARD\nN;CHARSET=ISO-8859-1:Ol\x85;\xE9\nEND:VCARD\n"
                   "BEGIN:VCARD\nVERSION:2.1\nN;CHARSET=SHIFT_JIS:\x88\xC0\x93\xA1;Taro\nEND:VCARD\n"));
}

TEST(VCard, NamesNumbersAndAddressesFallBackInTurn) {
    const std::string text =
        "BEGIN:VCARD\nORG:Acme Ltd;Sales\nEND:VCARD\n"
        "BEGIN:VCARD\nFN:Dr Who\nTEL;TYPE=pager:555-0100\nTEL:555-0101\nNOTE: a note\nEND:VCARD\n"
        "BEGIN:VCARD\nFN:Kim\nADR:;;;Laval;Quebec;;\nEMAIL:" +
        std::string(30, 'k') +
        "@example.com\nEND:VCARD\n"
        "BEGIN:VCARD\nADR:;;1 Main St;Hull;QC;;\nTEL;FAX:555-0102\nEND:VCARD\n";
    EXPECT_EQ(
        Cards({"Acme Ltd||||||||", "Dr Who||555-0101||||||a note", "Kim||||Laval||||", "|||1 Main St|Hull|QC|||"}),
        Read(text));
    // The last card has no name, telephone or e-mail address: it adds nothing.
    MemoryListControl control;
    MemoryStatusText status;
    ContactList list(control, status);
    int added = 0;
    EXPECT_EQ(ImportResult::Imported, ImportVCardText(list, text.data(), text.size(), &added));
    EXPECT_EQ(3, added);
    EXPECT_EQ("3", status.Part(1));
}

// Cards inside cards, eight open at most, each a contact; the outer one
// keeps what comes after its inner ones; a file cut short ends them all.
TEST(VCard, CardsNestAndEndWithTheFile) {
    std::string text =
        "BEGIN:VCARD\nVERSION:2.1\nN:Outer\nAGENT:\nBEGIN:VCARD\nN:Inner\nTEL:1\nEND:VCARD\n"
        "TEL:555-0001\nEND:VCARD\n"
        "BEGIN:VCARD\nN:Never;Ends\n"
        "BEGIN:VCARD\nN;ENCODING=QUOTED-PRINTABLE:Br=ZZoken=\nEND:VCARD\n"
        "BEGIN:VCARD\nN:@Nul\nNOTE:" +
        std::string(1 << 20, 'x') + "\nEND:VCARD\nTEL:555-0002\n";
    text[text.find('@')] = '\0';
    for (int i = 1; i <= 9; ++i) text += "BEGIN:VCARD\nTEL:" + std::to_string(i) + "\n";
    text += "END:VCARD\nNOTE:cut short";
    Cards expected = {"|Inner|1||||||",    "|Outer|555-0001||||||",
                      "|Br=ZZoken|||||||", std::string("|Nul|||||||") + std::string(79, 'x'),
                      "||7||||||8",        "||6||||||cut short"};
    for (int i = 5; i >= 1; --i) expected.push_back("||" + std::to_string(i) + "||||||");
    expected.push_back("Ends|Never|555-0002||||||");
    EXPECT_EQ(expected, Read(text));
}

// UTF-16 of either byte order, whole or a few bytes at a time (cutting code
// units and a surrogate pair), reads as its UTF-8 would.
TEST(VCard, Utf16AfterAByteOrderMark) {
    const std::u16string text = u" \r\nBEGIN:VCARD\r\nN:Zo\u00EB;\U0001F600\r\nEND:VCARD\r\n";
    for (bool big : {false, true}) {
        std::string bytes = big ? "\xFE\xFF" : "\xFF\xFE";
        for (char16_t unit : text) {
            bytes += static_cast<char>(big ? unit >> 8 : unit & 0xFF);
            bytes += static_cast<char>(big ? unit & 0xFF : unit >> 8);
        }
        EXPECT_EQ(Cards({"?|Zo\xEB|||||||"}), Read(bytes));
        EXPECT_EQ(Cards({"?|Zo\xEB|||||||"}), Read(bytes, 3));
    }
}

// A file is read a piece at a time: cards and lines that cross from one
// piece to the next read as they would whole.
TEST(VCard, FileReadInPiecesReadsAsAWhole) {
    std::string text = "\xEF\xBB\xBF\r\nBEGIN:VCARD\r\nN:First;Ann\r\nPHOTO;ENCODING=b:" + std::string(70, 'A');
    for (int i = 0; i < 40000; ++i) text += "\r\n " + std::string(74, 'B');
    text += "\r\nNOTE:" + std::string(3 << 20, 'n') + "\r\nEND:VCARD\r\nBEGIN:VCARD\r\nN:Last;Bo\r\nEND:VCARD";
    const std::string path = ::testing::TempDir() + "pieces.vcf";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_TRUE(f && std::fwrite(text.data(), 1, text.size(), f) == text.size());
    std::fclose(f);
    MemoryListControl control;
    MemoryStatusText status;
    ContactList list(control, status);
    int added = 0;
    EXPECT_EQ(ImportResult::Imported, ImportFile(list, path.c_str(), &added));
    ASSERT_EQ(2, added);
    EXPECT_STREQ("First", list.ContactAt(0)->LastName);
    EXPECT_EQ(std::string(79, 'n'), list.ContactAt(0)->MiscInfo);
    EXPECT_STREQ("Last", list.ContactAt(1)->LastName);
    std::remove(path.c_str());
    EXPECT_EQ(ImportResult::CantOpen, ImportFile(list, path.c_str(), &added));
    EXPECT_EQ(0, added);
}

}  // namespace
