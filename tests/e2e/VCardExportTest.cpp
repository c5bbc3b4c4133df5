// Export of the book as vCards on the real telvara.exe, through its File menu
// command and file dialog: read by another program (Python's vobject) field
// by field against the book as Save writes it, then imported into an empty
// book; the question before a file is replaced names the file written.

#include "ProgramFixture.h"

namespace {

const std::string kBook = std::string(kDataHeader) + "\r\n" + kDataVersion + "\r\n" +
                          "Ren\xE9"
                          "e,\"L\xE9vesque, \"\"Jr\"\"\",+1 (819) 555-0100,12 rue de l'\xC9glise; app. 3,Gatineau,QC,"
                          "J8X 1A1,renee@example.com,\"C:\\notes\\r\xE9sum\xE9.txt, \"\"best\"\"; \x80 5 after 9 on "
                          "weekdays; ask for Ren\xE9"
                          "e at the desk\",0\r\n"
                          "Zo\xEB,,555-0199,,,,,,,0\r\n,,555-0111,,Hull,,,,no name; \\ alone,0\r\n"
                          "Bob,O'Neil,,,,,,bob@example.com,,0\r\n";

TEST_F(ProgramTest, ExportWritesVCardsThatOtherProgramsAndImportReadBack) {
    if (GetACP() != 1252) SKIP_OR_FAIL_IN_CI("the prefix's ANSI code page is " << GetACP() << ", not 1252");
    const char* reader = std::getenv("TELVARA_READ_VCARDS");
    ASSERT_TRUE(reader && *reader) << "TELVARA_READ_VCARDS names no reader script";
    ASSERT_TRUE(WriteFileText(kFriends, kBook) && SetText("Fname", kFriends) && SetText("AreaCode", "819"));
    RunningProgram program;
    StartLoaded(program, 4);
    const std::string cards = std::string(kFolder) + "\\book.vcf", report = std::string(kFolder) + "\\read.txt",
                      back = std::string(kFolder) + "\\back.csv";
    for (const std::string& made : {cards, report, back}) DeleteFileA(made.c_str());
    ASSERT_TRUE(ChooseFile(program, CMD_EXPORT_VCARD, std::string(kFolder) + "\\book"));
    ASSERT_TRUE(PollUntil([&] { return FileExists(cards.c_str()) && program.Settled(); }, kWait));
    ASSERT_TRUE(program.RunCommand(CMD_SAVE));  // the list's order, which the cards must keep
    // A Unix program started from here runs on its own: its report is awaited.
    RunAndWait(WindowsPathOfUnixPath("/usr/bin/python3") + " " + reader + " " + UnixPathOf(cards) + " " +
               UnixPathOf(kFriends) + " " + UnixPathOf(report));
    ASSERT_TRUE(PollUntil([&] { return FileExists(report.c_str()); }, kWait)) << "the vCard reader wrote no report";
    EXPECT_EQ("ok", ReadFileText(report));

    // "book.txt" would write book.vcf: the question is about that file; No
    // shows the dialog again.
    ASSERT_TRUE(ChooseFile(program, CMD_EXPORT_VCARD, std::string(kFolder) + "\\book.txt"));
    HWND ask = program.WaitForBox(kWait);
    ASSERT_NE(nullptr, ask) << "book.vcf replaced unasked";
    ExpectBoxText(program, ask, cards + " already exists.\nDo you want to replace it?");
    ASSERT_TRUE(program.AnswerBoxWith(ask, 1));
    HWND again = program.WaitForDialog(kWait);
    ASSERT_NE(nullptr, again);
    SendTo(again, WM_COMMAND, IDCANCEL, 0);

    // Imported into an empty book, then saved as a data file again.
    ASSERT_TRUE(program.RunCommand(CMD_NEW_FILE));
    ASSERT_TRUE(ChooseFile(program, CMD_IMPORT, cards));
    ASSERT_TRUE(PollUntil([&] { return program.ItemCount() == 4 && program.Settled(); }, kWait));
    ASSERT_TRUE(ChooseFile(program, CMD_SAVE, back));
    ASSERT_TRUE(PollUntil([&] { return FileExists(back.c_str()) && program.Settled(); }, kWait));
    EXPECT_EQ(DataFileOf(RecordsInNameOrder(ReadFileText(kFriends))),
              DataFileOf(RecordsInNameOrder(ReadFileText(back))));
    CloseNormally(program);
}

}  // namespace
