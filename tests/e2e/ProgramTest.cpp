// The real telvara.exe as a user meets it: started from its own folder, looked
// at from outside (title, status bar, list, message boxes, window place and
// colours), typed at, closed, and what it leaves behind in the data file and
// the registry.

#include "ProgramFixture.h"

#include <shlobj.h>

namespace {

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

    // Right clicks through the X server: on an item, which they select (so
    // they land where aimed), the contact menu, with "Edit" third from the
    // bottom; on the caption, the window menu, whose "&Close" the key C chooses.
    RECT item = {};  // zeroed remote memory asks for LVIR_BOUNDS
    RemoteMemory memory(program.Process(), sizeof item);
    ASSERT_TRUE(SendTo(program.List(), LVM_GETITEMRECT, 3, reinterpret_cast<LPARAM>(memory.At(0))) &&
                memory.Read(0, &item, sizeof item));
    POINT at = {item.left + 20, (item.top + item.bottom) / 2};
    ClientToScreen(program.List(), &at);
    if (!ClickThroughX(at.x, at.y, 3)) SKIP_OR_FAIL_IN_CI("no xdotool to click through the X server");
    auto menuShown = [&] { return PollUntil([&] { return program.TopWindow("#32768") != nullptr; }, kWait); };
    ASSERT_TRUE(menuShown());
    EXPECT_EQ(3, program.SelectedItem()) << "the click did not reach the list";
    for (WORD key : {VK_UP, VK_UP, VK_UP, VK_RETURN}) ASSERT_TRUE(TypeKeys({key}));
    HWND edit = program.WaitForDialog("Edit", kWait);
    ASSERT_TRUE(edit && PressDialogButton(edit, IDCANCEL) && PollUntil([&] { return !IsWindow(edit); }, kWait));
    RECT frame = WindowRect(program.Frame());
    int x = (frame.left + frame.right) / 2,
        y = frame.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    ASSERT_EQ(HTCAPTION, SendTo(program.Frame(), WM_NCHITTEST, 0, MAKELPARAM(x, y)).value_or(0));
    ASSERT_TRUE(ClickThroughX(x, y, 3) && menuShown() && TypeKeys({'C'}));
    DWORD exitCode = 1;
    EXPECT_TRUE(program.WaitForExit(kWait, exitCode) && exitCode == 0) << "no window menu on the caption";
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
    const int iconW = GetSystemMetrics(SM_CXICON), captionH = GetSystemMetrics(SM_CYCAPTION);
    const RECT offScreen[] = {
        {farLeft, 50, farLeft + 700, 50 + 480},      // beyond the right edge
        {60, farTop, 60 + 700, farTop + 480},        // beyond the bottom
        {iconW - 1 - 700, 50, iconW - 1, 50 + 480},  // beyond the left edge
        {60, -captionH - 480, 60 + 700, -captionH},  // above the top, caption and all
        {60, 50, 60, 50},                            // no size: a bare title bar
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

// With no settings, the default book under Program Files is in Documents (of the run's own HOME).
TEST_F(ProgramTest, InstalledProgramKeepsItsDefaultBookWhereTheUserMayWrite) {
    char documents[MAX_PATH];
    ASSERT_EQ(S_OK, SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents));
    const std::string places[][2] = {{"C:\\Program Files\\Telvara", std::string(documents) + "\\telvara.csv"},
                                     {"C:\\Tools\\Telvara", "C:\\Tools\\Telvara\\telvara.csv"}};
    for (const auto& [folder, book] : places) {
        ASSERT_TRUE(DeleteRegistryTree(kMakerKey));
        SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr);
        ASSERT_TRUE(CopyFileA(kExe, (folder + "\\telvara.exe").c_str(), FALSE));
        RunningProgram program;
        EXPECT_EQ((std::vector<std::string>{"Enter an Area Code in Options / Setup.", "Can't open file\n" + book}),
                  StartAndAnswer(program, folder + "\\telvara.exe", folder));
        CloseNormally(program);
        auto fname = ReadRegistryValue(kSettingsKey, "Fname");
        ASSERT_TRUE(fname);
        EXPECT_EQ(book, fname->Text());
    }
}

// The version resource, in its US English block of Unicode texts.
TEST_F(ProgramTest, TheFileShowsItsVersionProductAndMaker) {
    std::vector<char> info(GetFileVersionInfoSizeA(kExe, nullptr) + 1);
    ASSERT_TRUE(GetFileVersionInfoA(kExe, 0, static_cast<DWORD>(info.size()), info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &size));
    EXPECT_EQ(std::make_pair(MAKELONG(31, 3), MAKELONG(31, 3)),
              std::make_pair(LONG(fixed->dwFileVersionMS), LONG(fixed->dwProductVersionMS)));
    for (const char* text :
         {"FileVersion=3.31", "ProductVersion=3.31", "ProductName=Telvara", "CompanyName=Ostrel Freeware",
          "InternalName=telvara", "OriginalFilename=telvara.exe", "FileDescription=", "LegalCopyright="}) {
        std::string name(text, std::strcspn(text, "=")), path = "\\StringFileInfo\\040904B0\\" + name;
        char* value = nullptr;
        ASSERT_TRUE(VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &size)) << name;
        if (text[name.size() + 1]) {
            EXPECT_STREQ(text + name.size() + 1, value) << name;
        }
    }
}

}  // namespace
