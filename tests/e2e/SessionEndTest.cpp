// The end of a Windows session with changes not saved, and a data file that
// another program wrote meanwhile, on the real telvara.exe.

#include "ProgramFixture.h"

#include <shlobj.h>

namespace {

// Where the program keeps its recovery copies: this prefix's local
// application data, as the program finds it too.
std::string RecoveryFolder() {
    char base[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, base);
    return std::string(base) + "\\Telvara";
}

// The copies in the folder (without "." and "..").
std::vector<std::string> Copies() {
    std::vector<std::string> names = FolderListing(RecoveryFolder());
    names.erase(std::remove_if(names.begin(), names.end(), [](const std::string& n) { return n[0] == '.'; }),
                names.end());
    return names;
}

// A new contact of that first name, through the contact dialog's OK.
void AddContact(const RunningProgram& program, const char* name) {
    int count = program.ItemCount();
    ASSERT_TRUE(program.PostCommand(CMD_NEW_CONTACT));
    HWND dialog = program.WaitForDialog(kWait);
    ASSERT_NE(nullptr, dialog);
    ASSERT_TRUE(SetControlText(GetDlgItem(dialog, IDC_CONTACT_FIRST_NAME), name));
    ASSERT_TRUE(SendTo(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0));
    ASSERT_TRUE(PollUntil([&] { return program.ItemCount() == count + 1 && program.Settled(); }, kWait));
}

// WM_QUERYENDSESSION as Windows sends it at a log-off: the answer, which
// must come at once; nullopt when it does not.
std::optional<LRESULT> QueryEnd(const RunningProgram& program) {
    return SendTo(program.Frame(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, 5000);
}

TEST_F(ProgramTest, ChangesNotSavedAtShutdownAreOfferedAtTheNextStart) {
    UseSample();
    for (const std::string& name : Copies()) DeleteFileA((RecoveryFolder() + "\\" + name).c_str());
    for (int answer = 0; answer < 2; ++answer) {  // Yes, then No
        SCOPED_TRACE(answer ? "No" : "Yes");
        const std::string before = ReadFileText(kFriends);
        RunningProgram ending;
        StartLoaded(ending, 12 + answer);
        AddContact(ending, answer ? "Yan" : "Zed");
        EXPECT_EQ(1, QueryEnd(ending).value_or(0));
        EXPECT_EQ(nullptr, ending.TopWindow("CMSGCLASS"));
        ASSERT_TRUE(SendTo(ending.Frame(), WM_ENDSESSION, 1, ENDSESSION_LOGOFF));
        DWORD code = 0;
        ASSERT_TRUE(TerminateProcess(ending.Process(), 0) && ending.WaitForExit(kWait, code));
        EXPECT_EQ(before, ReadFileText(kFriends));
        EXPECT_EQ(1u, Copies().size());

        RunningProgram next;
        ASSERT_TRUE(next.Start(kExe, kFolder));
        ASSERT_TRUE(next.WaitForFrame(kWait));
        HWND box = next.WaitForBox(kWait);
        ASSERT_NE(nullptr, box);
        EXPECT_EQ("Telvara", WindowText(box));
        ExpectBoxText(next, box, std::string("Restore the changes not saved at shutdown?\n") + kFriends);
        EXPECT_EQ((std::vector<std::string>{"&Yes", "&No"}), next.BoxButtons(box));
        ASSERT_TRUE(next.AnswerBoxWith(box, answer));
        ASSERT_TRUE(next.Settled());
        EXPECT_EQ(13, next.ItemCount());
        EXPECT_EQ(answer ? "" : "Mod", next.StatusText(2));
        EXPECT_EQ("friends.csv - Telvara", WindowText(next.Frame()));
        EXPECT_TRUE(Copies().empty());
        ASSERT_TRUE(next.RunCommand(CMD_SAVE));
        EXPECT_EQ(DataFileOf(RecordsInNameOrder(before + (answer ? "" : "Zed,,,,,CA,,,,0\r\n"))),
                  ReadFileText(kFriends));
        CloseNormally(next);
    }

    // A session that goes on keeps the changes and no copy, even with a
    // dialog open; a copy that cannot be written holds the session up.
    RunningProgram program;
    StartLoaded(program, 13);
    AddContact(program, "Xu");
    ASSERT_TRUE(program.PostCommand(CMD_NEW_CONTACT));
    HWND dialog = program.WaitForDialog(kWait);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(1, QueryEnd(program).value_or(0));
    EXPECT_EQ(1u, Copies().size());
    ASSERT_TRUE(SendTo(program.Frame(), WM_ENDSESSION, 0, ENDSESSION_LOGOFF));
    EXPECT_TRUE(Copies().empty());
    ASSERT_TRUE(SendTo(dialog, WM_COMMAND, IDCANCEL, 0));
    ASSERT_TRUE(PollUntil([&] { return !IsWindow(dialog) && program.Settled(); }, kWait));
    EXPECT_EQ("Mod", program.StatusText(2));
    EXPECT_EQ(14, program.ItemCount());
    ASSERT_TRUE(RemoveDirectoryA(RecoveryFolder().c_str()));
    ASSERT_TRUE(WriteFileText(RecoveryFolder(), "not a folder"));
    EXPECT_EQ(0, QueryEnd(program).value_or(1));
    ASSERT_TRUE(SendTo(program.Frame(), WM_ENDSESSION, 0, ENDSESSION_LOGOFF));
    EXPECT_TRUE(program.Running());
    DeleteFileA(RecoveryFolder().c_str());
}

TEST_F(ProgramTest, SaveAsksBeforeWritingOverAFileAnotherProgramWrote) {
    UseSample();
    RunningProgram program;
    StartLoaded(program, 12);
    AddContact(program, "Zed");
    // Another program's write of the same size, a day later than the read.
    std::string other = ReadFileText(kFriends);
    other[other.size() - 3] = other[other.size() - 3] == '1' ? '0' : '1';
    ASSERT_TRUE(WriteFileText(kFriends, other));
    ASSERT_TRUE(SetWriteTime(kFriends, 2001, 1, 2));
    for (int answer = 1; answer >= 0; --answer) {  // No, then Yes
        ASSERT_TRUE(program.PostCommand(CMD_SAVE));
        HWND box = program.WaitForBox(kWait);
        ASSERT_NE(nullptr, box);
        EXPECT_EQ("Telvara", WindowText(box));
        ExpectBoxText(program, box,
                      std::string("This file was changed by another program. Save over it?\n") + kFriends);
        EXPECT_EQ((std::vector<std::string>{"&Yes", "&No"}), program.BoxButtons(box));
        ASSERT_TRUE(program.AnswerBoxWith(box, answer));
        ASSERT_TRUE(program.Settled());
        EXPECT_EQ(answer ? "Mod" : "", program.StatusText(2));
        if (answer) {
            EXPECT_EQ(other, ReadFileText(kFriends));
        }
    }
    EXPECT_EQ(13u, RecordsInNameOrder(ReadFileText(kFriends)).size());
    // The program's own write, and a file that has gone, need no question.
    ASSERT_TRUE(DeleteFileA(kFriends));
    for (int save = 0; save < 2; ++save) {
        ASSERT_TRUE(program.RunCommand(CMD_SAVE));
        EXPECT_EQ(nullptr, program.TopWindow("CMSGCLASS"));
    }
    EXPECT_EQ(13u, RecordsInNameOrder(ReadFileText(kFriends)).size());
    CloseNormally(program);
}

}  // namespace
