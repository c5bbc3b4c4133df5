// What a user can hand the real telvara.exe that it must survive: data files
// that are folders, noise, empty, huge or held by another program, named by
// "Fname" or chosen with Open and Import; and settings of the wrong type or
// size.  Each time: the message the user is owed (or none), a window that
// still answers, and no file written unless the user saves.

#include "ProgramFixture.h"

#include <memory>
#include <random>

namespace {

const char kBadFolder[] = "C:\\Telvara\\bad";

std::string BadPath(const std::string& name) { return std::string(kBadFolder) + "\\" + name; }

const std::string kHeaderLines = "; Data for Telvara.exe\r\n; V300\r\n";
const std::string kBob = "Bob,Roe,555-0142,,,,,,,0\r\n";

std::string Noise(std::size_t size) {
    std::mt19937 random(20261208);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    bytes[0] = 'x';  // never a comment line
    return bytes;
}

// Removes a folder with everything in it.
void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

// A file another program holds open without sharing, for as long as it lives.
class HeldFile {
public:
    explicit HeldFile(const std::string& path)
        : handle_(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~HeldFile() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

class BadInputTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        RemoveTree(kBadFolder);
        ASSERT_TRUE(CreateDirectoryA(kBadFolder, nullptr));
        ASSERT_TRUE(SetText("AreaCode", "819"));
    }

    // The program still runs and answers: its message queue turns, its list
    // tells its count, and the main window carries out a command (Details view).
    void ExpectAnswering(RunningProgram& program) {
        ASSERT_TRUE(program.Running());
        EXPECT_TRUE(program.Settled());
        EXPECT_TRUE(SendTo(program.List(), LVM_GETITEMCOUNT, 0, 0).has_value());
        EXPECT_TRUE(program.RunCommand(CMD_VIEW_DETAILS));
    }
};

struct BadFile {
    const char* What;
    std::string Name;
    std::string Bytes;  // the file's contents
    bool IsFolder = false;
    bool Held = false;
    const char* Message;  // the box the load shows, with the path below it; null: none
    int Items;            // what the list holds afterwards
};

std::vector<BadFile> BadFiles() {
    std::string nul = kHeaderLines + "Ann,Le" + std::string(1, '\0') + "e,555-0100,,,,,,,0\r\n" + kBob;
    std::string longLine = kHeaderLines + "Long" + std::string(100000, 'x') + ",Line,555-0100,,,,,,,1\r\n" + kBob;
    std::string blank = kHeaderLines;
    for (int i = 0; i < 200000; ++i) blank += "\r\n";
    blank += kBob;
    std::string crOnly = "; Data for Telvara.exe\r; V300\rAnn,Lee,555-0100,,,,,,,0\r" + kBob;
    crOnly.pop_back();
    crOnly.pop_back();
    return {
        {"a folder", "folder.csv", "", true, false, "Can't open file", 0},
        {"1 MB of noise", "noise.csv", Noise(1 << 20), false, false, "Not a Telvara data file", 0},
        {"a NUL inside a field", "zero-byte.csv", nul, false, false, nullptr, 2},
        {"an empty file", "empty.csv", "", false, false, "Not a Telvara data file", 0},
        {"the header alone", "header.csv", kHeaderLines, false, false, nullptr, 0},
        {"a line of 100,000 characters", "long.csv", longLine, false, false, nullptr, 2},
        {"200,000 blank lines", "blank.csv", blank, false, false, nullptr, 1},
        {"CR-only line ends", "cr.csv", crOnly, false, false, "Not a Telvara data file", 0},
        {"a file held open", "held.csv", kHeaderLines + kBob, false, true, "Can't open file", 0},
    };
}

TEST_F(BadInputTest, DataFilesNamedByFnameGiveTheirMessageAndAreLeftAlone) {
    for (const BadFile& bad : BadFiles()) {
        SCOPED_TRACE(bad.What);
        const std::string path = BadPath(bad.Name);
        const bool made = bad.IsFolder ? CreateDirectoryA(path.c_str(), nullptr) != 0 : WriteFileText(path, bad.Bytes);
        ASSERT_TRUE(made);
        ASSERT_TRUE(bad.IsFolder || MakeOld(path.c_str()));
        ASSERT_TRUE(SetText("Fname", path));
        const ULONGLONG written = LastWriteTime(path.c_str());
        const std::vector<std::string> before = FolderListing(kBadFolder);
        std::unique_ptr<HeldFile> held;
        if (bad.Held) {
            held = std::make_unique<HeldFile>(path);
            ASSERT_TRUE(held->Held());
        }

        RunningProgram program;
        std::vector<std::string> boxes = StartAndAnswer(program);
        std::vector<std::string> expected;
        if (bad.Message) expected.push_back(std::string(bad.Message) + "\n" + path);
        EXPECT_EQ(expected, boxes);
        ExpectAnswering(program);
        EXPECT_EQ(bad.Items, program.ItemCount());
        if (bad.Name == "zero-byte.csv") {
            EXPECT_EQ("Ann", program.ItemText(0, 0));
            EXPECT_EQ("Bob", program.ItemText(1, 0)) << "the record after the bad one";
        }
        if (bad.Name == "long.csv") {
            EXPECT_EQ("Bob", program.ItemText(0, 0)) << "the record after the long one";
            EXPECT_EQ("Long" + std::string(19, 'x'), program.ItemText(1, 0));
        }
        CloseNormally(program);

        held.reset();
        EXPECT_EQ(before, FolderListing(kBadFolder)) << "a file was written or removed";
        if (!bad.IsFolder) {
            EXPECT_EQ(bad.Bytes, ReadFileText(path)) << "the data file changed";
            EXPECT_EQ(written, LastWriteTime(path.c_str()));
        }
    }
}

TEST_F(BadInputTest, APathOf259CharactersLoads) {
    std::string path = kBadFolder;
    while (path.size() < 259 - 12) path += "\\" + std::string(std::min<std::size_t>(40, 259 - 13 - path.size()), 'd');
    for (std::size_t slash = std::strlen(kBadFolder) + 1; (slash = path.find('\\', slash + 1)) != std::string::npos;)
        CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    path += "\\";
    path += std::string(259 - 4 - path.size(), 'f') + ".csv";
    ASSERT_EQ(259u, path.size());
    const std::string bytes = kHeaderLines + kBob;
    ASSERT_TRUE(WriteFileText(path, bytes));
    ASSERT_TRUE(SetText("Fname", path));

    RunningProgram program;
    EXPECT_EQ(std::vector<std::string>{}, StartAndAnswer(program));
    ExpectAnswering(program);
    EXPECT_EQ(1, program.ItemCount());
    CloseNormally(program);
    auto fname = ReadRegistryValue(kSettingsKey, "Fname");
    ASSERT_TRUE(fname);
    EXPECT_EQ(path, fname->Text());
    EXPECT_EQ(bytes, ReadFileText(path));
}

TEST_F(BadInputTest, OpenAndImportOfBadFilesTellTheUserAndKeepTheList) {
    UseSample();
    const std::string sample = ReadFileText(kFriends);
    const std::string noise = BadPath("noise.csv"), held = BadPath("held.csv"), empty = BadPath("empty.dat");
    const std::string blank = BadPath("blank.dat"), longLine = BadPath("long.dat");
    ASSERT_TRUE(WriteFileText(noise, Noise(1 << 20)));
    ASSERT_TRUE(WriteFileText(held, kHeaderLines + kBob));
    ASSERT_TRUE(WriteFileText(empty, ""));
    std::string blankLines = "; Data for Telvara\r\n";
    for (int i = 0; i < 200000; ++i) blankLines += "\r\n";
    ASSERT_TRUE(WriteFileText(blank, blankLines));
    ASSERT_TRUE(
        WriteFileText(longLine, "; Data for Telvara\r\nLong " + std::string(100000, 'y') + "\t555-0100\tnote\r\n"));
    const std::vector<std::string> before = FolderListing(kBadFolder);

    RunningProgram program;
    StartLoaded(program, 12);
    auto expectBox = [&](const std::string& text) {
        HWND box = program.WaitForBox(kWait);
        ASSERT_NE(nullptr, box) << "no box: " << text;
        ExpectBoxText(program, box, text);
        ASSERT_TRUE(program.AnswerBox(box));
        ExpectAnswering(program);
    };

    {
        SCOPED_TRACE("Open of a file held open");
        HeldFile holder(held);
        ASSERT_TRUE(holder.Held());
        ASSERT_TRUE(ChooseFile(program, CMD_OPEN, held));
        expectBox("Can't open file\n" + held);
        EXPECT_EQ(12, program.ItemCount()) << "the list must stay as it was";
        EXPECT_EQ("friends.csv - Telvara", WindowText(program.Frame()));
    }
    {
        SCOPED_TRACE("Import of noise, of an empty file, of blank lines");
        ASSERT_TRUE(ChooseFile(program, CMD_IMPORT, noise));
        expectBox("Not a Telvara data file\n" + noise);
        ASSERT_TRUE(ChooseFile(program, CMD_IMPORT, empty));
        ASSERT_TRUE(ChooseFile(program, CMD_IMPORT, blank));
        ExpectAnswering(program);
        EXPECT_EQ(nullptr, program.TopWindow("CMSGCLASS"));
        EXPECT_EQ(12, program.ItemCount());
        EXPECT_EQ("", program.StatusText(2)) << "nothing was imported";
    }
    {
        SCOPED_TRACE("Import of a line of 100,000 characters");
        ASSERT_TRUE(ChooseFile(program, CMD_IMPORT, longLine));
        ASSERT_TRUE(PollUntil([&] { return program.ItemCount() == 13; }, kWait));
        ExpectAnswering(program);
        EXPECT_EQ("Mod", program.StatusText(2));
    }
    {
        SCOPED_TRACE("Open of noise, the change dropped");
        PostMessageA(program.Frame(), WM_COMMAND, CMD_OPEN, 0);
        HWND question = program.WaitForBox(kWait);
        ASSERT_NE(nullptr, question);
        ExpectBoxText(program, question, "Save data?");
        HWND no = FindWindowExA(question, nullptr, "BUTTON", "&No");
        ASSERT_NE(nullptr, no);
        SendTo(no, BM_CLICK, 0, 0);
        HWND dialog = nullptr;
        ASSERT_TRUE(PollUntil([&] { return (dialog = program.TopWindow("#32770")) != nullptr; }, kWait));
        ASSERT_TRUE(SendTo(GetDlgItem(dialog, 0x47C), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(noise.c_str())));
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        expectBox("Not a Telvara data file\n" + noise);
        EXPECT_EQ(0, program.ItemCount());
        EXPECT_EQ(" - Telvara", WindowText(program.Frame()));
    }
    // The dropped change is still marked, so closing asks once more.
    PostMessageA(program.Frame(), WM_CLOSE, 0, 0);
    HWND question = program.WaitForBox(kWait);
    ASSERT_NE(nullptr, question);
    SendTo(FindWindowExA(question, nullptr, "BUTTON", "&No"), BM_CLICK, 0, 0);
    DWORD exitCode = 1;
    ASSERT_TRUE(program.WaitForExit(kWait, exitCode));
    EXPECT_EQ(sample, ReadFileText(kFriends));
    EXPECT_EQ(before, FolderListing(kBadFolder)) << "a file was written or removed";
}

}  // namespace
