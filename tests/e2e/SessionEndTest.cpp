// The end of a Windows session with changes not saved, and a data file that
// another program wrote meanwhile, on the real telvara.exe.

#include "ProgramFixture.h"

namespace {

// The recovery copies' folder in this prefix's local application data.
const char* const kLocalData = std::getenv("LOCALAPPDATA");
std::string RecoveryFolder() { return std::string(kLocalData ? kLocalData : "") + "\\Telvara"; }
int CopyCount() { return static_cast<int>(FolderListing(RecoveryFolder()).size()) - 2; }  // less "." and ".."
// A new contact of that first name, through the contact dialog's OK.
void AddContact(const RunningProgram& program, const char* name) {
    int count = program.ItemCount();
    HWND dialog = program.PostCommand(CMD_NEW_CONTACT) ? program.WaitForDialog(kWait) : nullptr;
    ASSERT_TRUE(dialog && SetControlText(GetDlgItem(dialog, IDC_CONTACT_FIRST_NAME), name));
    ASSERT_TRUE(SendTo(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0));
    ASSERT_TRUE(PollUntil([&] { return program.ItemCount() == count + 1 && program.Settled(); }, kWait));
}
// Windows' messages at a log-off; the first must be answered at once.
LRESULT QueryEnd(const RunningProgram& program) {
    return SendTo(program.Frame(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, 5000).value_or(-1);
}
// The program's question box, answered with button `answer` (0 Yes, 1 No).
void Answer(const RunningProgram& program, const std::string& text, int answer) {
    HWND box = program.WaitForBox(kWait);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("Telvara", WindowText(box));
    EXPECT_EQ(text + "\n" + kFriends, program.BoxText(box).value_or("<text not readable>"));
    EXPECT_EQ((std::vector<std::string>{"&Yes", "&No"}), program.BoxButtons(box));
    ASSERT_TRUE(program.AnswerBoxWith(box, answer) && program.Settled());
}

TEST_F(ProgramTest, ChangesNotSavedAtShutdownAreOfferedAtTheNextStart) {
    UseSample();
    for (int answer = 0; answer < 2; ++answer) {  // Yes, then No
        SCOPED_TRACE(answer ? "No" : "Yes");
        const std::string before = ReadFileText(kFriends);
        RunningProgram ending;
        StartLoaded(ending, 12 + answer);  // no question without a copy
        AddContact(ending, answer ? "Yan" : "Zed");
        EXPECT_EQ(1, QueryEnd(ending));
        ASSERT_TRUE(SendTo(ending.Frame(), WM_ENDSESSION, 1, ENDSESSION_LOGOFF));
        DWORD code = 0;
        ASSERT_TRUE(TerminateProcess(ending.Process(), 0) && ending.WaitForExit(kWait, code));
        EXPECT_EQ(before, ReadFileText(kFriends));
        EXPECT_EQ(1, CopyCount());
        RunningProgram next;
        ASSERT_TRUE(next.Start(kExe, kFolder) && next.WaitForFrame(kWait));
        Answer(next, "Restore the changes not saved at shutdown?", answer);
        EXPECT_EQ(13, next.ItemCount());
        EXPECT_EQ(answer ? "" : "Mod", next.StatusText(2));
        EXPECT_EQ("friends.csv - Telvara", WindowText(next.Frame()));
        EXPECT_EQ(0, CopyCount());
        ASSERT_TRUE(next.RunCommand(CMD_SAVE));
        EXPECT_EQ(DataFileOf(RecordsInNameOrder(before + (answer ? "" : "Zed,,,,,CA,,,,0\r\n"))),
                  ReadFileText(kFriends));
        CloseNormally(next);
    }
    // A session that goes on, even with a dialog open, keeps the changes and
    // no copy; a copy that cannot be written holds the session up.
    RunningProgram program;
    StartLoaded(program, 13);
    AddContact(program, "Xu");
    HWND dialog = program.PostCommand(CMD_NEW_CONTACT) ? program.WaitForDialog(kWait) : nullptr;
    EXPECT_EQ(1, QueryEnd(program));
    EXPECT_EQ(1, CopyCount());
    ASSERT_TRUE(SendTo(program.Frame(), WM_ENDSESSION, 0, ENDSESSION_LOGOFF));
    EXPECT_EQ(0, CopyCount());
    ASSERT_TRUE(SendTo(dialog, WM_COMMAND, IDCANCEL, 0) &&
                PollUntil([&] { return !IsWindow(dialog) && program.Settled(); }, kWait));
    EXPECT_EQ("Mod", program.StatusText(2));
    EXPECT_EQ(14, program.ItemCount());
    ASSERT_TRUE(RemoveDirectoryA(RecoveryFolder().c_str()) && WriteFileText(RecoveryFolder(), "not a folder"));
    EXPECT_EQ(0, QueryEnd(program));
    DeleteFileA(RecoveryFolder().c_str());
}

TEST_F(ProgramTest, SaveAsksBeforeWritingOverAFileAnotherProgramWrote) {
    UseSample();
    RunningProgram program;
    StartLoaded(program, 12);
    AddContact(program, "Zed");
    // Another program's write of the same size, a day later than the read.
    std::string before = ReadFileText(kFriends), other = before;
    other[other.size() - 3] ^= 1;  // the last toll-call flag
    ASSERT_TRUE(WriteFileText(kFriends, other) && SetWriteTime(kFriends, 2001, 1, 2));
    for (int answer = 1; answer >= 0; --answer) {  // No, then Yes
        ASSERT_TRUE(program.PostCommand(CMD_SAVE));
        Answer(program, "This file was changed by another program. Save over it?", answer);
        EXPECT_EQ(answer ? "Mod" : "", program.StatusText(2));
        EXPECT_EQ(answer ? other : DataFileOf(RecordsInNameOrder(before + "Zed,,,,,CA,,,,0\r\n")),
                  ReadFileText(kFriends));
    }
    // A file that has gone, then the program's own write: no question.
    ASSERT_TRUE(DeleteFileA(kFriends));
    for (int save = 0; save < 2; ++save) ASSERT_TRUE(program.RunCommand(CMD_SAVE)) << "a question stopped the save";
    EXPECT_EQ(13u, RecordsInNameOrder(ReadFileText(kFriends)).size());
    CloseNormally(program);
}

}  // namespace
