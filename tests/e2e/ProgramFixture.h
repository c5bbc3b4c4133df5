#pragma once
// What the tests of the real telvara.exe share: its folder and data files in
// the test prefix, settings written as an administrator would, window places
// and colours, and a fixture that starts the program with a clean registry
// and closes it as a user would.

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
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

inline constexpr char kSettingsKey[] = "Software\\Ostrel Freeware\\Telvara\\Settings";
inline constexpr char kMakerKey[] = "Software\\Ostrel Freeware";
inline constexpr char kFolder[] = "C:\\Telvara";
inline constexpr char kExe[] = "C:\\Telvara\\telvara.exe";
inline constexpr char kDefaultDataFile[] = "C:\\Telvara\\telvara.csv";  // the program's path with .csv
inline constexpr char kFriends[] = "C:\\Telvara\\friends.csv";

inline constexpr DWORD kWait = 30000;  // deadline of every wait: generous, only reached on failure
inline constexpr int kDefaultWidth = 630, kDefaultHeight = 422;  // the main window as first made
inline constexpr int kDefaultCols[9] = {100, 100, 110, 156, 100, 34, 54, 140, 140};

inline std::string EnvPath(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? WindowsPathOfUnixPath(value) : std::string();
}

inline bool FileExists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

// A setting written the way an administrator would, with reg.exe.
inline bool SetSetting(const char* name, const char* type, const std::string& data) {
    char line[1024];
    std::snprintf(line, sizeof line, "reg.exe add \"HKCU\\%s\" /v %s /t %s /d \"%s\" /f", kSettingsKey, name, type,
                  data.c_str());
    return RunAndWait(line) == 0;
}

inline bool SetText(const char* name, const std::string& text) { return SetSetting(name, "REG_SZ", text); }
inline bool SetNumber(const char* name, DWORD n) { return SetSetting(name, "REG_DWORD", std::to_string(n)); }

inline bool SetRect(const char* name, const RECT& r) {
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

inline std::string Describe(const RECT& r) {
    char text[80];
    std::snprintf(text, sizeof text, "(%ld, %ld, %ld, %ld)", r.left, r.top, r.right, r.bottom);
    return text;
}

inline bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline RECT WindowRect(HWND hwnd) {
    RECT r = {};
    GetWindowRect(hwnd, &r);
    return r;
}

inline DWORD ViewOf(HWND list) { return static_cast<DWORD>(GetWindowLongA(list, GWL_STYLE)) & LVS_TYPEMASK; }

inline COLORREF ListColour(HWND list, UINT message) {
    auto c = SendTo(list, message, 0, 0);
    return c ? static_cast<COLORREF>(*c) : CLR_INVALID;
}

// The records of a data file in the order the list shows them: by first and
// last name joined, without regard to case.
inline std::vector<Contact> RecordsInNameOrder(const std::string& bytes) {
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

inline std::string DataFileOf(const std::vector<Contact>& records) {
    std::string text = std::string(kDataHeader) + "\r\n" + kDataVersion + "\r\n";
    char line[kMaxRecordLine + 1];
    for (const Contact& c : records) text.append(line, FormatRecordLine(c, line, sizeof line));
    return text;
}

// The names of the files in a folder, to see that nothing was written there.
inline std::vector<std::string> FolderListing(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do names.push_back(found.cFileName);
    while (FindNextFileA(find, &found));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

// Chooses `path` in the file dialog that `command` opens.
inline bool ChooseFile(const RunningProgram& program, int command, const std::string& path) {
    PostMessageA(program.Frame(), WM_COMMAND, command, 0);
    HWND dialog = nullptr;
    if (!PollUntil([&] { return (dialog = program.TopWindow("#32770")) != nullptr; }, kWait)) return false;
    if (!SendTo(GetDlgItem(dialog, 0x47C), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()))) return false;
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    return PollUntil([&] { return !IsWindow(dialog); }, kWait);
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

    // Starts the program, answers every box it shows before its list settles
    // and returns their texts.
    std::vector<std::string> StartAndAnswer(RunningProgram& program, const std::string& exe = kExe,
                                            const std::string& folder = kFolder) {
        std::vector<std::string> texts;
        EXPECT_TRUE(program.Start(exe, folder));
        EXPECT_TRUE(program.WaitForFrame(kWait));
        // The program answers only between steps of its start-up that wait:
        // in a box (visible from its creation) or, at the end, in its loop.
        for (int shown = 0; shown < 5 && program.Settled(); ++shown) {
            HWND box = program.TopWindow("CMSGCLASS");
            if (!box) break;
            texts.push_back(program.BoxText(box).value_or(WindowText(box)));
            if (!program.AnswerBox(box)) break;
        }
        return texts;
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
            SKIP_OR_FAIL_IN_CI("box \"" << WindowText(box) << "\" has no readable TelvaraText property, so its text \""
                                        << expected << "\" cannot be checked");
        EXPECT_EQ(expected, *text);
    }
};
