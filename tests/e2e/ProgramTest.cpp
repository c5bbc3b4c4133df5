// The real telvara.exe as a user meets it: started from its own folder, looked
// at from outside (title, status bar, list, message boxes, window place and
// colours), typed at, closed, and what it leaves behind in the data file and
// the registry.

#include "ProgramDriver.h"
#include "../SkipOrFailInCi.h"
#include "../win/FileText.h"

#include "contacts/Contact.h"
#include "contacts/DataFile.h"
#include "contacts/TextCompare.h"
#include "resources/resource.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char kSettingsKey[] = "Software\\Ostrel Freeware\\Telvara\\Settings";
const char kMakerKey[] = "Software\\Ostrel Freeware";
const char kFolder[] = "C:\\Telvara";
const char kExe[] = "C:\\Telvara\\telvara.exe";
const char kDefaultDataFile[] = "C:\\Telvara\\telvara.csv";  // the program's path with .csv
const char kFriends[] = "C:\\Telvara\\friends.csv";

constexpr DWORD kWait = 30000;  // deadline of every wait: generous, only reached on failure
constexpr int kDefaultWidth = 630, kDefaultHeight = 422;  // the main window as first made
const int kDefaultCols[9] = {100, 100, 110, 156, 100, 34, 54, 140, 140};

std::string EnvPath(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? WindowsPathOfUnixPath(value) : std::string();
}


bool FileExists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

ULONGLONG LastWriteTime(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return 0;
    return (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

// An old write time, so that any rewrite shows.
bool MakeOld(const char* path) {
    HANDLE f = CreateFileA(path, FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    SYSTEMTIME st = {2001, 1, 0, 1, 12, 0, 0, 0};
    FILETIME ft;
    SystemTimeToFileTime(&st, &ft);
    BOOL ok = SetFileTime(f, nullptr, nullptr, &ft);
    CloseHandle(f);
    return ok != 0;
}

// A setting written the way an administrator would, with reg.exe.
bool SetSetting(const char* name, const char* type, const std::string& data) {
    char line[1024];
    std::snprintf(line, sizeof line, "reg.exe add \"HKCU\\%s\" /v %s /t %s /d \"%s\" /f", kSettingsKey, name, type,
                  data.c_str());
    return RunAndWait(line) == 0;
}

bool SetText(const char* name, const std::string& text) { return SetSetting(name, "REG_SZ", text); }
bool SetNumber(const char* name, DWORD n) { return SetSetting(name, "REG_DWORD", std::to_string(n)); }

bool SetRect(const char* name, const RECT& r) {
    std::int32_t v[4] = {r.left, r.top, r.right, r.bottom};
    const auto* bytes = reinterpret_cast<const unsigned char*>(v);
    std::string hex;
    char two[3];
    for (std::size_t i = 0; i < sizeof v; ++i) {
        std::snprintf(two, sizeof two, "%02x", bytes[i]);
        hex += two;
    }
    return SetSetting(name, "REG_BINARY", hex);
}

std::string Describe(const RECT& r) {
    char text[80];
    std::snprintf(text, sizeof text, "(%ld, %ld, %ld, %ld)", r.left, r.top, r.right, r.bottom);
    return text;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

RECT WindowRect(HWND hwnd) {
    RECT r = {};
    GetWindowRect(hwnd, &r);
    return r;
}

DWORD ViewOf(HWND list) { return static_cast<DWORD>(GetWindowLongA(list, GWL_STYLE)) & LVS_TYPEMASK; }

COLORREF ListColour(HWND list, UINT message) {
    auto c = SendTo(list, message, 0, 0);
    return c ? static_cast<COLORREF>(*c) : CLR_INVALID;
}

// The records of a data file in the order the list shows them: by first and
// last name joined, without regard to case.
std::vector<Contact> RecordsInNameOrder(const std::string& bytes) {
    std::vector<Contact> records;
    std::size_t pos = 0;
    int lineNumber = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find('\n', pos);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(pos, end - pos);
        line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
        pos = end + 1;
        if (++lineNumber <= 2 || !IsRecordLine(line.c_str())) continue;
        Contact c;
        ClearContact(c);
        ParseRecordLine(line.c_str(), c);
        records.push_back(c);
    }
    std::stable_sort(records.begin(), records.end(), [](const Contact& a, const Contact& b) {
        return CompareNoCaseJoined(a.FirstName, a.LastName, b.FirstName, b.LastName) < 0;
    });
    return records;
}

std::string DataFileOf(const std::vector<Contact>& records) {
    std::string text = std::string(kDataHeader) + "\r\n" + kDataVersion + "\r\n";
    char line[kMaxRecordLine + 1];
    for (const Contact& c : records) text.append(line, FormatRecordLine(c, line, sizeof line));
    return text;
}

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string exe = EnvPath("TELVARA_EXE");
        ASSERT_FALSE(exe.empty()) << "TELVARA_EXE names no telvara.exe";
        CreateDirectoryA(kFolder, nullptr);
        ASSERT_TRUE(CopyFileA(exe.c_str(), kExe, FALSE)) << "copying " << exe;
        DeleteFileA(kDefaultDataFile);
        DeleteFileA(kFriends);
        ASSERT_TRUE(DeleteRegistryTree(kMakerKey));
    }

    // The sample phone book as friends.csv, named by "Fname", with an area
    // code so that no box stands in the way.
    void UseSample() {
        std::string sample = EnvPath("TELVARA_SAMPLE");
        ASSERT_FALSE(sample.empty()) << "TELVARA_SAMPLE names no sample file";
        ASSERT_TRUE(CopyFileA(sample.c_str(), kFriends, FALSE)) << "copying " << sample;
        ASSERT_TRUE(MakeOld(kFriends));
        ASSERT_TRUE(SetText("Fname", kFriends));
        ASSERT_TRUE(SetText("AreaCode", "819"));
    }

    // Starts the program and waits until its list holds `count` items, with no
    // box in the way.
    void StartLoaded(RunningProgram& program, int count) {
        ASSERT_TRUE(program.Start(kExe, kFolder)) << "CreateProcess failed: " << GetLastError();
        ASSERT_TRUE(program.WaitForFrame(kWait)) << "no main window";
        HWND box = nullptr;
        bool loaded = PollUntil(
            [&] {
                box = program.TopWindow("CMSGCLASS");
                return box || program.ItemCount() == count || !program.Running();
            },
            kWait);
        ASSERT_EQ(nullptr, box) << "unexpected box: " << WindowText(box) << " / "
                                << program.BoxText(box).value_or("<text not readable>");
        ASSERT_TRUE(loaded && program.Running()) << "the list holds " << program.ItemCount() << " items";
        ASSERT_TRUE(program.Settled());
    }

    void CloseNormally(RunningProgram& program) {
        DWORD exitCode = 12345;
        ASSERT_TRUE(program.Close(kWait, exitCode)) << "the program did not end after WM_CLOSE";
        EXPECT_EQ(0u, exitCode);
    }

    // The box's text, through the property the program's box keeps it in.
    // Without the property the text cannot be checked from outside: a
    // failure in CI, a skip elsewhere.
    void ExpectBoxText(const RunningProgram& program, HWND box, const std::string& expected) {
        auto text = program.BoxText(box);
        if (!text)
            SKIP_OR_FAIL_IN_CI("box \"" << WindowText(box)
                                        << "\" has no readable TelvaraText property, so its text \""
                                        << expected << "\" cannot be checked");
        EXPECT_EQ(expected, *text);
    }
};

TEST_F(ProgramTest, FirstRunWarnsOfAreaCodeThenMissingFileAndStartsEmpty) {
    RunningProgram program;
    ASSERT_TRUE(program.Start(kExe, kFolder));

    HWND areaBox = program.WaitForBox(kWait);
    ASSERT_NE(nullptr, areaBox) << "no box about the area code";
    ASSERT_TRUE(program.WaitForFrame(kWait));
    EXPECT_EQ("Telvara", WindowText(areaBox));
    ExpectBoxText(program, areaBox, "Enter an Area Code in Options / Setup.");
    EXPECT_EQ(std::vector<std::string>{"&Ok"}, program.BoxButtons(areaBox));
    EXPECT_EQ(program.Frame(), GetWindow(areaBox, GW_OWNER));
    EXPECT_FALSE(IsWindowEnabled(program.Frame())) << "the main window must wait behind its box";
    ASSERT_TRUE(program.AnswerBox(areaBox));

    HWND fileBox = program.WaitForBox(kWait, areaBox);
    ASSERT_NE(nullptr, fileBox) << "no box about the missing data file";
    EXPECT_EQ("Telvara", WindowText(fileBox));
    ExpectBoxText(program, fileBox, std::string("Can't open file\n") + kDefaultDataFile);
    EXPECT_EQ(std::vector<std::string>{"&Ok"}, program.BoxButtons(fileBox));
    ASSERT_TRUE(program.AnswerBox(fileBox));

    ASSERT_TRUE(program.Settled());
    EXPECT_EQ(nullptr, program.TopWindow("CMSGCLASS")) << "a third box";
    EXPECT_TRUE(IsWindowEnabled(program.Frame())) << "the main window stays disabled after the boxes";
    EXPECT_EQ(0, program.ItemCount());
    EXPECT_EQ(-1, program.SelectedItem());
    // No file was loaded: the title is still the one the window was made
    // with, and nothing has written the count or the "Mod" mark yet.
    EXPECT_EQ("Telvara", WindowText(program.Frame()));
    EXPECT_EQ("", program.StatusText(0));
    EXPECT_EQ("", program.StatusText(1));
    EXPECT_EQ("", program.StatusText(2));
    EXPECT_EQ(LVS_REPORT, ViewOf(program.List()));

    CloseNormally(program);
    EXPECT_FALSE(FileExists(kDefaultDataFile)) << "closing an unchanged empty list must not write a file";
    auto fname = ReadRegistryValue(kSettingsKey, "Fname");
    ASSERT_TRUE(fname);
    EXPECT_EQ(kDefaultDataFile, fname->Text());
    auto index = ReadRegistryValue(kSettingsKey, "Index");
    ASSERT_TRUE(index);
    EXPECT_EQ(0xFFFFFFFFu, index->Number());
}

TEST_F(ProgramTest, LoadsRememberedFileInNameOrderAndCtrlSRewritesItUnchanged) {
    UseSample();
    const std::string original = ReadFileText(kFriends);
    const std::vector<Contact> expected = RecordsInNameOrder(original);
    ASSERT_EQ(12u, expected.size());
    // The sample is kept in name order, so the list's order is the file's and
    // a save must give back the very same bytes.
    ASSERT_EQ(original, DataFileOf(expected)) << "examples/friends.csv is no longer in name order";

    RunningProgram program;
    StartLoaded(program, 12);
    EXPECT_EQ("friends.csv - Telvara", WindowText(program.Frame()));
    EXPECT_EQ("12", program.StatusText(1));
    EXPECT_EQ("", program.StatusText(2));
    EXPECT_EQ(0, program.SelectedItem()) << "with no \"Index\" the first contact is selected";
    for (int i = 0; i < 12; ++i) {
        for (int column = 0; column < kContactFieldCount; ++column)
            EXPECT_EQ(ContactField(expected[i], column), program.ItemText(i, column))
                << "item " << i << ", column " << column;
    }

    const ULONGLONG before = LastWriteTime(kFriends);
    ASSERT_TRUE(program.BringToFront()) << "the main window cannot be made the foreground window";
    ASSERT_TRUE(TypeKeys({VK_CONTROL, 'S'}));
    ASSERT_TRUE(PollUntil([&] { return LastWriteTime(kFriends) != before; }, kWait))
        << "Ctrl+S did not rewrite the data file";
    ASSERT_TRUE(program.Settled());
    EXPECT_EQ(original, ReadFileText(kFriends));
    EXPECT_EQ("friends.csv - Telvara", WindowText(program.Frame()));
    EXPECT_EQ("12", program.StatusText(1));
    EXPECT_EQ("", program.StatusText(2));
    EXPECT_EQ(nullptr, program.TopWindow("CMSGCLASS"));

    CloseNormally(program);
    EXPECT_EQ(original, ReadFileText(kFriends)) << "closing must not change the file";
}

TEST_F(ProgramTest, FileInAnotherOrderIsShownAndSavedInNameOrder) {
    UseSample();
    // The sample's records backwards: "Ann Lee" now comes before "Anna Bell",
    // which the joined name key puts first ("AnnaBell" < "AnnLee").
    const std::string original = ReadFileText(kFriends);
    std::vector<std::string> lines;
    for (std::size_t pos = 0; pos < original.size();) {
        std::size_t end = original.find("\r\n", pos);
        ASSERT_NE(std::string::npos, end);
        lines.push_back(original.substr(pos, end + 2 - pos));
        pos = end + 2;
    }
    ASSERT_EQ(14u, lines.size());
    std::reverse(lines.begin() + 2, lines.end());
    std::string reversed;
    for (const std::string& line : lines) reversed += line;
    ASSERT_TRUE(WriteFileText(kFriends, reversed));
    ASSERT_TRUE(MakeOld(kFriends));
    const std::vector<Contact> expected = RecordsInNameOrder(reversed);
    ASSERT_STREQ("Anna", expected[0].FirstName);
    ASSERT_STREQ("Ann", expected[1].FirstName);

    RunningProgram program;
    StartLoaded(program, 12);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(expected[i].FirstName, program.ItemText(i, 0)) << "item " << i;
        EXPECT_EQ(expected[i].LastName, program.ItemText(i, 1)) << "item " << i;
    }
    EXPECT_EQ("", program.StatusText(2)) << "sorting a loaded file is no change";

    const ULONGLONG before = LastWriteTime(kFriends);
    ASSERT_TRUE(program.BringToFront());
    ASSERT_TRUE(TypeKeys({VK_CONTROL, 'S'}));
    ASSERT_TRUE(PollUntil([&] { return LastWriteTime(kFriends) != before; }, kWait))
        << "Ctrl+S did not rewrite the data file";
    ASSERT_TRUE(program.Settled());
    // Written in the list's order, not the order it was read in.
    EXPECT_EQ(DataFileOf(expected), ReadFileText(kFriends));
    CloseNormally(program);
}

TEST_F(ProgramTest, ClosingWritesEverySettingWithItsType) {
    UseSample();
    ASSERT_TRUE(SetNumber("Index", 500));  // names no item

    RunningProgram program;
    StartLoaded(program, 12);
    EXPECT_EQ(-1, program.SelectedItem()) << "an \"Index\" beyond the list selects nothing";
    const COLORREF text = ListColour(program.List(), LVM_GETTEXTCOLOR);
    const COLORREF back = ListColour(program.List(), LVM_GETBKCOLOR);
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof wp;
    ASSERT_TRUE(GetWindowPlacement(program.Frame(), &wp));
    CloseNormally(program);

    struct Expected {
        const char* Name;
        DWORD Type;
        std::vector<unsigned char> Data;
    };
    auto textOf = [](const char* s) { return std::vector<unsigned char>(s, s + std::strlen(s) + 1); };
    auto bytesOf = [](const void* p, std::size_t n) {
        const auto* b = static_cast<const unsigned char*>(p);
        return std::vector<unsigned char>(b, b + n);
    };
    auto numberOf = [&](DWORD n) { return bytesOf(&n, sizeof n); };
    std::int32_t rect[4] = {wp.rcNormalPosition.left, wp.rcNormalPosition.top, wp.rcNormalPosition.right,
                            wp.rcNormalPosition.bottom};
    const Expected table[] = {
        {"Fname", REG_SZ, textOf(kFriends)},
        {"Backup", REG_SZ, textOf("")},
        {"State", REG_SZ, textOf("CA")},
        {"Prefix", REG_SZ, textOf("ATDT")},
        {"AreaCode", REG_SZ, textOf("819")},
        {"NumberPrefix", REG_SZ, textOf("")},
        {"10DigitLocal", REG_BINARY, {0}},
        {"ToneDial", REG_BINARY, {0}},
        {"ComNum", REG_DWORD, numberOf(2)},
        {"Speed", REG_DWORD, numberOf(3)},
        {"Style", REG_DWORD, numberOf(3)},
        {"Cols", REG_BINARY, bytesOf(kDefaultCols, sizeof kDefaultCols)},
        {"Index", REG_DWORD, numberOf(0xFFFFFFFFu)},
        {"PrintBits", REG_DWORD, numberOf(15)},
        {"PrintSize", REG_DWORD, numberOf(1)},
        {"TxtClr", REG_DWORD, numberOf(text)},
        {"TxtBkClr", REG_DWORD, numberOf(back)},
        {"flags", REG_DWORD, numberOf(wp.flags)},
        {"showCmd", REG_DWORD, numberOf(wp.showCmd)},
        {"rcNormal", REG_BINARY, bytesOf(rect, sizeof rect)},
    };
    for (const Expected& e : table) {
        auto value = ReadRegistryValue(kSettingsKey, e.Name);
        ASSERT_TRUE(value) << e.Name << " was not written";
        EXPECT_EQ(e.Type, value->Type) << e.Name;
        EXPECT_EQ(e.Data, value->Data) << e.Name;
    }
    EXPECT_EQ(static_cast<UINT>(SW_SHOWNORMAL), wp.showCmd);
}

TEST_F(ProgramTest, SecondStartRestoresPlacementViewAndColours) {
    UseSample();
    const RECT placed = {60, 50, 60 + 700, 50 + 480};
    {
        RunningProgram program;
        StartLoaded(program, 12);
        ASSERT_FALSE(SameRect(placed, WindowRect(program.Frame()))) << "choose another place for this test";
        SetWindowPos(program.Frame(), nullptr, placed.left, placed.top, placed.right - placed.left,
                     placed.bottom - placed.top, SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_TRUE(PollUntil([&] { return SameRect(placed, WindowRect(program.Frame())); }, kWait))
            << Describe(WindowRect(program.Frame()));
        PostMessageA(program.Frame(), WM_COMMAND, CMD_VIEW_LARGE, 0);  // View / Large Icons
        ASSERT_TRUE(PollUntil([&] { return ViewOf(program.List()) == LVS_ICON; }, kWait));
        CloseNormally(program);
    }
    auto stored = ReadRegistryValue(kSettingsKey, "rcNormal");
    ASSERT_TRUE(stored);
    ASSERT_EQ(16u, stored->Data.size());
    RECT saved;
    std::int32_t v[4];
    std::memcpy(v, stored->Data.data(), sizeof v);
    saved = RECT{v[0], v[1], v[2], v[3]};
    EXPECT_TRUE(SameRect(placed, saved)) << Describe(saved);
    auto style = ReadRegistryValue(kSettingsKey, "Style");
    ASSERT_TRUE(style);
    EXPECT_EQ(0u, style->Number());

    const COLORREF text = RGB(0x12, 0x34, 0x56), back = RGB(0xF0, 0xE0, 0xD0);
    ASSERT_TRUE(SetNumber("TxtClr", text));
    ASSERT_TRUE(SetNumber("TxtBkClr", back));
    RunningProgram program;
    StartLoaded(program, 12);
    EXPECT_TRUE(SameRect(saved, WindowRect(program.Frame()))) << Describe(WindowRect(program.Frame()));
    EXPECT_EQ(static_cast<DWORD>(LVS_ICON), ViewOf(program.List()));
    EXPECT_EQ(text, ListColour(program.List(), LVM_GETTEXTCOLOR));
    EXPECT_EQ(back, ListColour(program.List(), LVM_GETBKCOLOR));
    EXPECT_EQ(back, ListColour(program.List(), LVM_GETTEXTBKCOLOR));
    EXPECT_TRUE(IsWindowVisible(program.Frame()));
    CloseNormally(program);
}

TEST_F(ProgramTest, PlaceOffTheScreenIsIgnoredWhileColoursApply) {
    const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    const int farLeft = screenW - GetSystemMetrics(SM_CXICON) + 1;  // the first left edge not used
    const int farTop = screenH - GetSystemMetrics(SM_CYICON) + 1;
    const RECT offScreen[] = {
        {farLeft, 50, farLeft + 700, 50 + 480},  // beyond the right edge
        {60, farTop, 60 + 700, farTop + 480},    // beyond the bottom
    };
    UseSample();
    const COLORREF text = RGB(0x80, 0, 0), back = RGB(0xFF, 0xFF, 0xE0);
    for (const RECT& stored : offScreen) {
        SCOPED_TRACE(Describe(stored));
        ASSERT_TRUE(SetNumber("flags", 0));
        ASSERT_TRUE(SetNumber("showCmd", SW_SHOWNORMAL));
        ASSERT_TRUE(SetRect("rcNormal", stored));
        ASSERT_TRUE(SetNumber("TxtClr", text));
        ASSERT_TRUE(SetNumber("TxtBkClr", back));

        RunningProgram program;
        StartLoaded(program, 12);
        RECT r = WindowRect(program.Frame());
        EXPECT_TRUE(IsWindowVisible(program.Frame()));
        EXPECT_FALSE(SameRect(stored, r));
        EXPECT_EQ(kDefaultWidth, r.right - r.left) << Describe(r);
        EXPECT_EQ(kDefaultHeight, r.bottom - r.top) << Describe(r);
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= screenW && r.bottom <= screenH) << Describe(r);
        EXPECT_EQ(text, ListColour(program.List(), LVM_GETTEXTCOLOR));
        EXPECT_EQ(back, ListColour(program.List(), LVM_GETBKCOLOR));
        CloseNormally(program);
    }
}

}  // namespace
