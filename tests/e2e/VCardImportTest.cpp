// Import of vCard files on the real telvara.exe, through its file dialog: a
// phone's 2.1 export, a phone's 3.0 cloud export, a 4.0 card and a UTF-16
// file, then Save.

#include "ProgramFixture.h"

namespace {

const std::string kPhone21 =
    "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:Dub=C3=A9;=C3=\r\n=89mile;;;\r\n"
    "TEL;WORK;FAX:819-555-0111\r\nTEL;CELL;PREF:819-555-0142\r\nTEL;HOME:819-555-0100\r\n"
    "ADR;HOME;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:;;12 rue de l'=C3=\r\n=89glise;Gatineau;QC;J8X 1A1;\r\n"
    "EMAIL;INTERNET:emile@example.com\r\nPHOTO;ENCODING=BASE64;JPEG:/9j/4AAQSkZJRgABAQAAAQABAAD\r\n"
    "/2wBDAAgGBgcGBQgHBwcJCQgKDBQN\r\nHBwcHBwcHBwcHBwcHBwcHBwcHBw=\r\n\r\nEND:VCARD\r\n"
    "BEGIN:VCARD\r\nVERSION:2.1\r\nN:L\xE9vesque;Ren\xE9\r\nTEL;VOICE:819-555-0199\r\nEND:VCARD\r\n";
const std::string kCloud30 =
    "\xEF\xBB\xBF"
    "BEGIN:VCARD\nVERSION:3.0\nPRODID:-//Phone//EN\nN:O'Lee\\, Jr.;Olivia;;;\nFN:Olivia O'Lee\n"
    "item1.TEL;type=CELL;type=VOICE:+1 (613) 555-0188\nitem1.X-ABLabel:_$!<Mobile>!$_\n"
    "item2.TEL;type=HOME;type=VOICE;type=pref:+1 (613) 555-0102\n"
    "item3.EMAIL;type=INTERNET;type=HOME;type=pref:olivia@example.com\n"
    "item4.ADR;type=HOME;type=pref:;;1 Main St\\nApt 4;Ottawa;ON;K1A 0B1;Canada\nitem4.X-ABADR:ca\nEND:VCARD\n";
const std::string kCard40 =
    "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Zo\xC3\xAB \xC5\x81\xC3\xB3"
    "d\xC5\xBA\r\nN:\xC5\x81\xC3\xB3"
    "d\xC5\xBA;Zo\xC3\xAB;;;\r\n"
    "TEL;VALUE=uri;TYPE=\"voice,home\":tel:+1-819-555-0178\r\n"
    "TEL;VALUE=uri;PREF=1;TYPE=\"voice,cell\":tel:+1-819-555-0177;ext=12\r\n"
    "ADR;LABEL=\"5 Main St: Unit 2\";TYPE=work:;Unit 2;5 Main St;Hull;QC;J8Y 2Z2;Canada\r\n"
    "EMAIL;TYPE=work:zoe@example.com\r\nEND:VCARD\r\n";
// What the four cards become, as Save writes them (Windows-1252: a letter the
// code page lacks is "?").
const std::string kImported =
    "\xC9mile,Dub\xE9,819-555-0142,12 rue de l'\xC9glise,Gatineau,QC,J8X 1A1,emile@example.com,home 819-555-0100,0\r\n"
    "Ren\xE9,L\xE9vesque,819-555-0199,,,,,,,0\r\n"
    "Olivia,\"O'Lee, Jr.\",+1 (613) 555-0102,1 Main St Apt 4,Ottawa,ON,K1A 0B1,olivia@example.com,"
    "cell +1 (613) 555-0188,0\r\n"
    "Zo\xEB,?\xF3"
    "d?,+1-819-555-0177;ext=12,5 Main St Unit 2,Hull,QC,J8Y 2Z2,zoe@example.com,home +1-819-555-0178,0\r\n"
    "Uma,Utf\xE9,555-0116,,,,,,,0\r\n";

std::string Path(const char* name) { return std::string(kFolder) + "\\" + name; }

TEST_F(ProgramTest, ImportReadsVCardFilesOfEveryVersion) {
    if (GetACP() != 1252) SKIP_OR_FAIL_IN_CI("the prefix's ANSI code page is " << GetACP() << ", not 1252");
    UseSample();
    const std::string sample = ReadFileText(kFriends);
    std::string utf16 = "\xFF\xFE";  // little endian: the Latin-1 letters are their own units
    for (char c : std::string("BEGIN:VCARD\r\nN:Utf\xE9;Uma\r\nTEL:555-0116\r\nEND:VCARD\r\n")) utf16 += {c, '\0'};
    const std::vector<std::pair<const char*, const std::string*>> files = {
        {"phone.vcf", &kPhone21}, {"cloud.VCF", &kCloud30}, {"card.txt", &kCard40}, {"utf16.vcf", &utf16}};
    for (const auto& f : files) ASSERT_TRUE(WriteFileText(Path(f.first), *f.second));
    RunningProgram program;
    StartLoaded(program, 12);

    // The dialog offers vCard files between the two older filters.
    PostMessageA(program.Frame(), WM_COMMAND, CMD_IMPORT, 0);
    HWND dialog = program.WaitForDialog(kWait);
    ASSERT_NE(nullptr, dialog);
    HWND types = GetDlgItem(dialog, 0x470);
    // The dialog's controls may be Unicode windows: their texts are asked for
    // in UTF-16, which the system carries across processes.
    std::vector<std::wstring> filters;
    for (int i = 0; i < SendTo(types, CB_GETCOUNT, 0, 0).value_or(0); ++i) {
        wchar_t text[64] = L"";
        DWORD_PTR length = 0;
        SendMessageTimeoutW(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, kWait, &length);
        filters.push_back(text);
    }
    EXPECT_EQ((std::vector<std::wstring>{L"Data files(*.DAT)", L"vCard files(*.vcf)", L"All files(*.*)"}), filters);
    EXPECT_EQ(0, SendTo(types, CB_GETCURSEL, 0, 0).value_or(-1));
    SendTo(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(PollUntil([&] { return !IsWindow(dialog) && program.Settled(); }, kWait));

    int count = 12;
    for (const auto& f : files) {
        SCOPED_TRACE(f.first);
        ASSERT_TRUE(ChooseFile(program, CMD_IMPORT, Path(f.first)));
        count += f.second == &kPhone21 ? 2 : 1;
        ASSERT_TRUE(PollUntil([&] { return program.ItemCount() == count && program.Settled(); }, kWait));
        EXPECT_EQ(std::to_string(count), program.StatusText(1));
        EXPECT_EQ("Mod", program.StatusText(2));
    }

    // Each imported contact on its row, every column as Save writes it.
    const std::vector<Contact> imported =
        RecordsInNameOrder(std::string(kDataHeader) + "\r\n" + kDataVersion + "\r\n" + kImported);
    for (const Contact& c : imported) {
        int row = 0;
        while (row < count && program.ItemText(row, 0) != c.FirstName) ++row;
        ASSERT_LT(row, count) << c.FirstName << " is not in the list";
        for (int f = 0; f < kContactFieldCount; ++f) EXPECT_EQ(ContactField(c, f), program.ItemText(row, f));
    }
    ASSERT_TRUE(program.RunCommand(CMD_SAVE));
    EXPECT_EQ(DataFileOf(RecordsInNameOrder(sample + kImported)), ReadFileText(kFriends));
    EXPECT_EQ("", program.StatusText(2));
    CloseNormally(program);
}

}  // namespace
