// Save on a disk that fills up while the file is written: drive T: of the
// test prefix is a small filesystem that run-disk-full.sh mounts and fills
// almost to the brim.  The old data file must stay byte for byte, no
// temporary file may be left behind, and Save must report its failure: it
// says so with the path, the "Mod" mark stays and closing still asks.  An
// export that runs out of room keeps the old vCard file the same way.

#include "ProgramFixture.h"

namespace {

const char kFullDrive[] = "T:";

std::string OnFullDrive(const char* name) { return std::string(kFullDrive) + "\\" + name; }

// Fills the drive, then frees `spare` bytes: a save of more than that fails
// part-way.
bool FillDrive(DWORD spare) {
    HANDLE f = CreateFileA(OnFullDrive("filler").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    static char block[4096];
    DWORD put = 0;
    while (WriteFile(f, block, sizeof block, &put, nullptr) && put == sizeof block) {
    }
    LARGE_INTEGER size;
    bool ok = GetFileSizeEx(f, &size) && size.QuadPart > spare;
    if (ok) {
        size.QuadPart -= spare;
        ok = SetFilePointerEx(f, size, nullptr, FILE_BEGIN) && SetEndOfFile(f);
    }
    CloseHandle(f);
    return ok;
}

class DiskFull : public ProgramTest {};

TEST_F(DiskFull, SaveThatRunsOutOfRoomKeepsTheOldFileAndSaysItFailed) {
    ULARGE_INTEGER total = {};
    ASSERT_TRUE(GetDiskFreeSpaceExA(OnFullDrive("").c_str(), nullptr, &total, nullptr))
        << "drive T: is not the small filesystem run-disk-full.sh mounts";
    const std::string data = OnFullDrive("friends.csv");
    std::vector<Contact> book(400);
    for (std::size_t i = 0; i < book.size(); ++i) {
        ClearContact(book[i]);
        std::snprintf(book[i].FirstName, sizeof book[i].FirstName, "Name%03zu", i);
        std::snprintf(book[i].Number, sizeof book[i].Number, "555-%04zu", i);
        std::snprintf(book[i].MiscInfo, sizeof book[i].MiscInfo, "%s", std::string(60, 'm').c_str());
    }
    const std::string original = DataFileOf(book);
    ASSERT_GT(original.size(), 16384u);
    ASSERT_TRUE(WriteFileText(data, original));
    const std::string cards = OnFullDrive("book.vcf");
    ASSERT_TRUE(WriteFileText(cards, "old cards"));
    ASSERT_TRUE(FillDrive(8192));
    const std::vector<std::string> before = FolderListing(kFullDrive);
    const std::string old = std::string(kFolder) + "\\one.dat";
    ASSERT_TRUE(WriteFileText(old, "; Data for Telvara\r\nZed Zimmer\t555-0199\tnote\r\n"));
    ASSERT_TRUE(SetText("Fname", data));
    ASSERT_TRUE(SetText("AreaCode", "819"));

    RunningProgram program;
    StartLoaded(program, 400);
    ASSERT_TRUE(ChooseFile(program, CMD_IMPORT, old));
    ASSERT_TRUE(PollUntil([&] { return program.ItemCount() == 401; }, kWait));
    ASSERT_EQ("Mod", program.StatusText(2));

    const std::string cantWrite = "Can't write file\n" + data;
    ASSERT_TRUE(program.PostCommand(CMD_SAVE));
    HWND box = program.WaitForBox(kWait);
    ASSERT_NE(nullptr, box) << "a failed write says nothing";
    ExpectBoxText(program, box, cantWrite);
    ASSERT_TRUE(program.AnswerBox(box));
    ASSERT_TRUE(program.Settled());
    EXPECT_EQ("Mod", program.StatusText(2)) << "the failed save must leave the change marked";
    EXPECT_EQ(original, ReadFileText(data)) << "the old file must stay as it was";
    EXPECT_EQ(before, FolderListing(kFullDrive)) << "a temporary file was left behind";

    ASSERT_TRUE(ChooseFile(program, CMD_EXPORT_VCARD, cards));
    HWND ask = program.WaitForBox(kWait);
    ASSERT_NE(nullptr, ask);
    ASSERT_TRUE(program.AnswerBox(ask));  // Yes, replace it
    box = program.WaitForBox(kWait, ask);
    ASSERT_NE(nullptr, box) << "a failed export says nothing";
    ExpectBoxText(program, box, "Can't write file\n" + cards);
    ASSERT_TRUE(program.AnswerBox(box));
    EXPECT_EQ("old cards", ReadFileText(cards));
    EXPECT_EQ(before, FolderListing(kFullDrive));

    // Closing asks; Yes fails to save again and says so, and the window stays.
    PostMessageA(program.Frame(), WM_CLOSE, 0, 0);
    HWND question = program.WaitForBox(kWait);
    ASSERT_NE(nullptr, question);
    ExpectBoxText(program, question, "Save data?");
    ASSERT_TRUE(program.AnswerBox(question));  // Yes
    box = program.WaitForBox(kWait, question);
    ASSERT_NE(nullptr, box) << "the failed save at closing says nothing";
    ExpectBoxText(program, box, cantWrite);
    ASSERT_TRUE(program.AnswerBox(box));
    ASSERT_TRUE(program.Settled());
    EXPECT_TRUE(program.Running()) << "closed although the save failed";
    EXPECT_EQ(original, ReadFileText(data));
    EXPECT_EQ(before, FolderListing(kFullDrive));

    PostMessageA(program.Frame(), WM_CLOSE, 0, 0);
    question = program.WaitForBox(kWait);
    ASSERT_NE(nullptr, question);
    SendTo(FindWindowExA(question, nullptr, "BUTTON", "&No"), BM_CLICK, 0, 0);
    DWORD exitCode = 1;
    ASSERT_TRUE(program.WaitForExit(kWait, exitCode));
    EXPECT_EQ(0u, exitCode);
    EXPECT_EQ(original, ReadFileText(data));
}

}  // namespace
