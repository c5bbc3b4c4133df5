// The Options dialogs of the real telvara.exe, driven from outside as a user
// would: Setup (visible columns, defaults, dialing method), Setup port (port,
// speed, dial command) and the colour chooser; what the list and the status
// line show when they close, and what the registry holds after exit.

#include "ProgramFixture.h"

#include "../dial/ToneAnalysis.h"

#include "resources/resource.h"

#include <commctrl.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kSampleCount = 12;
constexpr int kCityColumn = 4, kEmailColumn = 7;

// Where the tests put the main window: a dialog is centred on the middle of
// its owner's rectangle (counting edge pixels, 642 by 462), (96 + 321, 64 + 231),
// and fits in it, well inside the screen.
constexpr RECT kMainPlace = {96, 64, 737, 525};
constexpr POINT kMainMiddle = {417, 295};

std::string StoredText(const char* name) {
    auto value = ReadRegistryValue(kSettingsKey, name);
    return value ? value->Text() : "<missing>";
}
long StoredNumber(const char* name) {
    auto value = ReadRegistryValue(kSettingsKey, name);
    return value && value->Type == REG_DWORD ? static_cast<long>(value->Number()) : -1;
}
int StoredFlag(const char* name) {
    auto value = ReadRegistryValue(kSettingsKey, name);
    return value && value->Type == REG_BINARY && value->Data.size() == 1 ? value->Data[0] : -1;
}
std::vector<int> StoredCols() {
    auto value = ReadRegistryValue(kSettingsKey, "Cols");
    std::vector<int> cols(9, -1);
    if (value && value->Data.size() == 36) std::memcpy(cols.data(), value->Data.data(), 36);
    return cols;
}

int ColumnWidth(HWND list, int column) {
    auto w = SendTo(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0);
    return w ? static_cast<int>(*w) : -1;
}
std::vector<int> ColumnWidths(HWND list) {
    std::vector<int> widths;
    for (int c = 0; c < 9; ++c) widths.push_back(ColumnWidth(list, c));
    return widths;
}

LONG StyleOf(HWND dialog, int id) { return GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE); }

// What the screen shows at a point of a window's client area.
COLORREF ClientPixel(HWND window, int x, int y) {
    POINT at = {x, y};
    ClientToScreen(window, &at);
    HDC screen = GetDC(nullptr);
    COLORREF c = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return c;
}

// Whether any pixel the screen shows inside `area` (screen coordinates) is
// `colour`: the area is copied once and searched.
bool ScreenShows(RECT area, COLORREF colour) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return false;
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr), copy = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(copy, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ before = SelectObject(copy, bitmap);
    bool copied = BitBlt(copy, 0, 0, width, height, screen, area.left, area.top, SRCCOPY) != 0;
    GdiFlush();
    const DWORD wanted = static_cast<DWORD>(GetRValue(colour)) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
    bool found = false;
    for (int i = 0; copied && bits && !found && i < width * height; ++i)
        found = (static_cast<const DWORD*>(bits)[i] & 0xFFFFFF) == wanted;
    SelectObject(copy, before);
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(nullptr, screen);
    return found;
}

std::string Hex(COLORREF c) {
    char text[16];
    std::snprintf(text, sizeof text, "%06lX", static_cast<unsigned long>(c));
    return text;
}

class SetupDialogs : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        UseSample();
    }

    void StartLoaded(RunningProgram& program) {
        ProgramTest::StartLoaded(program, kSampleCount);
        ASSERT_TRUE(SetWindowPos(program.Frame(), nullptr, kMainPlace.left, kMainPlace.top,
                                 kMainPlace.right - kMainPlace.left, kMainPlace.bottom - kMainPlace.top,
                                 SWP_NOZORDER | SWP_NOACTIVATE));
        ASSERT_TRUE(PollUntil([&] { return SameRect(kMainPlace, WindowRect(program.Frame())); }, kWait))
            << "the main window stands at " << Describe(WindowRect(program.Frame()));
    }

    // Opens a dialog by its menu command and checks it is owned by the main
    // window and centred over it.
    HWND Open(RunningProgram& program, int command, const char* caption) {
        if (!program.PostCommand(command)) return nullptr;
        HWND dialog = program.WaitForDialog(caption, kWait);
        if (!dialog) return nullptr;
        EXPECT_EQ(program.Frame(), GetWindow(dialog, GW_OWNER)) << caption;
        EXPECT_TRUE(SameRect(kMainPlace, WindowRect(program.Frame())));
        // Its size (edge pixels counted) as measured; its place from the middle.
        const RECT own = WindowRect(dialog);
        const LONG width = own.right - own.left + 1, height = own.bottom - own.top + 1;
        EXPECT_LT(width, kMainPlace.right - kMainPlace.left) << caption << " does not fit in the main window";
        EXPECT_LT(height, kMainPlace.bottom - kMainPlace.top) << caption << " does not fit in the main window";
        EXPECT_EQ(kMainMiddle.x - width / 2, own.left) << caption << " is not centred over the main window";
        EXPECT_EQ(kMainMiddle.y - height / 2, own.top) << caption << " is not centred over the main window";
        EXPECT_FALSE(IsWindowEnabled(program.Frame())) << caption << " is not modal";
        return dialog;
    }

    // Ends a dialog with a click on `id` (or its close box for 0) and waits
    // until it and whatever it started are done.
    void End(RunningProgram& program, HWND dialog, int id) {
        ASSERT_TRUE(id ? ClickControl(dialog, id) : CloseWithCloseBox(dialog));
        ASSERT_TRUE(PollUntil([&] { return !IsWindow(dialog); }, kWait)) << "the dialog stayed open";
        ASSERT_TRUE(program.Settled());
    }
};

TEST_F(SetupDialogs, SetupShowsTheSettingsAndOnlyOkChangesColumnsDefaultsAndStatusLine) {
    ASSERT_TRUE(SetText("State", "ON"));  // a province the state list does not hold
    ASSERT_TRUE(SetText("NumberPrefix", "9"));
    RunningProgram program;
    StartLoaded(program);
    ASSERT_EQ(0, program.SelectedItem()) << "\"Index\" 0 selects the first contact";
    const std::string statusBefore = program.StatusText(0);
    // Anna Bell, 819-567-1234, misc "cell 819-555-0142": local calls, the prefix first.
    ASSERT_EQ(" Anna Bell    Number = 95671234    Misc = 95550142", statusBefore);

    // The user drags the E-mail column narrower.
    ASSERT_TRUE(SendTo(program.List(), LVM_SETCOLUMNWIDTH, kEmailColumn, MAKELPARAM(77, 0)));
    std::vector<int> widths = ColumnWidths(program.List());
    ASSERT_EQ(77, widths[kEmailColumn]);

    HWND setup = Open(program, CMD_SETUP, "Setup");
    ASSERT_NE(nullptr, setup) << "no Setup dialog";
    for (int id = IDC_SETUP_SHOW_ADDRESS; id <= IDC_SETUP_SHOW_MISC; ++id)
        EXPECT_TRUE(IsButtonChecked(setup, id)) << "box " << id << " of a shown column";
    EXPECT_EQ("City", ControlText(GetDlgItem(setup, IDC_SETUP_SHOW_CITY)));
    EXPECT_FALSE(IsButtonChecked(setup, IDC_SETUP_TEN_DIGIT));
    EXPECT_TRUE(IsButtonChecked(setup, IDC_SETUP_BY_MODEM));
    EXPECT_FALSE(IsButtonChecked(setup, IDC_SETUP_BY_SPEAKERS));
    HWND state = GetDlgItem(setup, IDC_SETUP_STATE);
    EXPECT_EQ(54, SendTo(state, CB_GETCOUNT, 0, 0).value_or(-1)) << "the table and the stored state";
    EXPECT_EQ(0, SendTo(state, CB_GETCURSEL, 0, 0).value_or(-1)) << "the stored state, at the top";
    EXPECT_EQ("ON", ControlText(state));
    EXPECT_EQ(CBS_DROPDOWNLIST | CBS_SORT, StyleOf(setup, IDC_SETUP_STATE) & (CBS_DROPDOWNLIST | CBS_SORT));
    HWND area = GetDlgItem(setup, IDC_SETUP_AREA_CODE), prefix = GetDlgItem(setup, IDC_SETUP_NUMBER_PREFIX);
    EXPECT_EQ("819", ControlText(area));
    EXPECT_EQ(3, SendTo(area, EM_GETLIMITTEXT, 0, 0).value_or(-1));
    EXPECT_TRUE(StyleOf(setup, IDC_SETUP_AREA_CODE) & ES_NUMBER) << "the area code takes digits only";
    EXPECT_EQ("9", ControlText(prefix));
    EXPECT_EQ(11, SendTo(prefix, EM_GETLIMITTEXT, 0, 0).value_or(-1));

    // City off, a new area code, ten-digit dialing, the speakers; OK.
    ASSERT_TRUE(ClickControl(setup, IDC_SETUP_SHOW_CITY));
    EXPECT_FALSE(IsButtonChecked(setup, IDC_SETUP_SHOW_CITY));
    ASSERT_TRUE(SetControlText(area, "613"));
    ASSERT_TRUE(ClickControl(setup, IDC_SETUP_TEN_DIGIT));
    ASSERT_TRUE(ClickControl(setup, IDC_SETUP_BY_SPEAKERS));
    EXPECT_FALSE(IsButtonChecked(setup, IDC_SETUP_BY_MODEM));
    End(program, setup, IDOK);
    EXPECT_TRUE(IsWindowEnabled(program.Frame()));

    widths[kCityColumn] = 0;
    EXPECT_EQ(widths, ColumnWidths(program.List())) << "City hidden, the dragged E-mail width kept";
    const std::string statusAfter = program.StatusText(0);
    // Seen from 613 the numbers are long distance, 1 and all ten digits.
    EXPECT_EQ(" Anna Bell    Number = 918195671234    Misc = 918195550142", statusAfter)
        << "the status line did not follow the new area code";

    // Again: the boxes follow the columns; City checked anew comes back at 100.
    setup = Open(program, CMD_SETUP, "Setup");
    ASSERT_NE(nullptr, setup);
    EXPECT_FALSE(IsButtonChecked(setup, IDC_SETUP_SHOW_CITY));
    EXPECT_TRUE(IsButtonChecked(setup, IDC_SETUP_SHOW_EMAIL));
    EXPECT_TRUE(IsButtonChecked(setup, IDC_SETUP_TEN_DIGIT));
    EXPECT_TRUE(IsButtonChecked(setup, IDC_SETUP_BY_SPEAKERS));
    EXPECT_EQ("613", ControlText(GetDlgItem(setup, IDC_SETUP_AREA_CODE)));
    EXPECT_EQ("ON", ControlText(GetDlgItem(setup, IDC_SETUP_STATE))) << "OK without a choice keeps the state";
    ASSERT_TRUE(ClickControl(setup, IDC_SETUP_SHOW_CITY));
    End(program, setup, IDOK);
    widths[kCityColumn] = 100;
    EXPECT_EQ(widths, ColumnWidths(program.List()));

    // Changes ended by Cancel and by the close box leave everything as it was.
    for (int end : {IDCANCEL, 0}) {
        SCOPED_TRACE(end ? "Cancel" : "close box");
        setup = Open(program, CMD_SETUP, "Setup");
        ASSERT_NE(nullptr, setup);
        ASSERT_TRUE(ClickControl(setup, IDC_SETUP_SHOW_ADDRESS));
        ASSERT_TRUE(ClickControl(setup, IDC_SETUP_BY_MODEM));
        ASSERT_TRUE(SetControlText(GetDlgItem(setup, IDC_SETUP_AREA_CODE), "555"));
        ASSERT_TRUE(SendTo(GetDlgItem(setup, IDC_SETUP_STATE), CB_SELECTSTRING, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>("TX ")));
        End(program, setup, end);
        EXPECT_EQ(widths, ColumnWidths(program.List()));
        EXPECT_EQ(statusAfter, program.StatusText(0));
    }
    // In the icon views the boxes still show the columns, and a change
    // still reaches them.
    ASSERT_TRUE(program.PostCommand(CMD_VIEW_LARGE));
    setup = Open(program, CMD_SETUP, "Setup");
    ASSERT_NE(nullptr, setup);
    for (int id = IDC_SETUP_SHOW_ADDRESS; id <= IDC_SETUP_SHOW_MISC; ++id)
        EXPECT_TRUE(IsButtonChecked(setup, id)) << "box " << id << " in the icon view";
    ASSERT_TRUE(ClickControl(setup, IDC_SETUP_SHOW_CITY));
    End(program, setup, IDOK);
    // A message sent to the program overtakes one posted to it, so the test
    // waits for the view itself rather than for a round trip.
    ASSERT_TRUE(program.PostCommand(CMD_VIEW_DETAILS));
    ASSERT_TRUE(
        PollUntil([&] { return (GetWindowLongA(program.List(), GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT; }, kWait));
    ASSERT_TRUE(program.Settled());
    widths[kCityColumn] = 0;
    EXPECT_EQ(widths, ColumnWidths(program.List()));
    EXPECT_FALSE(ReadRegistryValue(kSettingsKey, "ToneDial")) << "nothing is written before exit";

    CloseNormally(program);
    EXPECT_EQ("613", StoredText("AreaCode"));
    EXPECT_EQ("9", StoredText("NumberPrefix"));
    EXPECT_EQ("ON", StoredText("State"));
    EXPECT_EQ(1, StoredFlag("10DigitLocal"));
    EXPECT_EQ(1, StoredFlag("ToneDial"));
    EXPECT_EQ(widths, StoredCols());
}

TEST_F(SetupDialogs, PortChoiceOutlivesCancelAndOkStoresPortSpeedAndDialString) {
    RunningProgram program;
    StartLoaded(program);
    HWND port = Open(program, CMD_MODEM_SETUP, "Setup port");
    ASSERT_NE(nullptr, port) << "no Setup port dialog";
    EXPECT_TRUE(IsButtonChecked(port, IDC_PORT_COM2)) << "the default port";
    EXPECT_TRUE(IsButtonChecked(port, IDC_PORT_9600)) << "the default speed";
    HWND dial = GetDlgItem(port, IDC_PORT_DIAL_STRING);
    EXPECT_EQ("ATDT", ControlText(dial));
    EXPECT_EQ(19, SendTo(dial, EM_GETLIMITTEXT, 0, 0).value_or(-1));
    EXPECT_TRUE(StyleOf(port, IDC_PORT_DIAL_STRING) & ES_UPPERCASE);
    ASSERT_TRUE(ClickControl(port, IDC_PORT_COM3));
    ASSERT_TRUE(ClickControl(port, IDC_PORT_1200));
    EXPECT_FALSE(IsButtonChecked(port, IDC_PORT_COM2));
    EXPECT_FALSE(IsButtonChecked(port, IDC_PORT_9600));
    ASSERT_TRUE(SetControlText(dial, "ATDP"));
    End(program, port, IDCANCEL);

    port = Open(program, CMD_MODEM_SETUP, "Setup port");
    ASSERT_NE(nullptr, port);
    EXPECT_TRUE(IsButtonChecked(port, IDC_PORT_COM3)) << "the clicks outlive Cancel";
    EXPECT_TRUE(IsButtonChecked(port, IDC_PORT_1200));
    EXPECT_EQ("ATDT", ControlText(GetDlgItem(port, IDC_PORT_DIAL_STRING))) << "Cancel kept the dial string";
    End(program, port, 0);  // the close box, as Cancel
    CloseNormally(program);
    EXPECT_EQ(2, StoredNumber("ComNum")) << "Cancel stored the port";
    EXPECT_EQ(3, StoredNumber("Speed"));
    EXPECT_EQ("ATDT", StoredText("Prefix"));

    // A new run takes its choice from the settings again, here a port and a
    // speed no button stands for: none is selected (rather than a button of
    // the other group).  OK stores what is chosen.
    ASSERT_TRUE(SetNumber("ComNum", 7));
    ASSERT_TRUE(SetNumber("Speed", 9));
    RunningProgram second;
    StartLoaded(second);
    port = Open(second, CMD_MODEM_SETUP, "Setup port");
    ASSERT_NE(nullptr, port);
    for (int id = IDC_PORT_COM1; id <= IDC_PORT_9600; ++id) EXPECT_FALSE(IsButtonChecked(port, id)) << "button " << id;
    ASSERT_TRUE(ClickControl(port, IDC_PORT_COM3));
    End(second, port, IDCANCEL);
    port = Open(second, CMD_MODEM_SETUP, "Setup port");
    ASSERT_NE(nullptr, port);
    EXPECT_TRUE(IsButtonChecked(port, IDC_PORT_COM3));
    ASSERT_TRUE(ClickControl(port, IDC_PORT_1200));
    ASSERT_TRUE(SetControlText(GetDlgItem(port, IDC_PORT_DIAL_STRING), "ATDP"));
    End(second, port, IDOK);
    // A chosen state reaches the settings too.
    HWND setup = Open(second, CMD_SETUP, "Setup");
    ASSERT_NE(nullptr, setup);
    EXPECT_EQ("CA California", ControlText(GetDlgItem(setup, IDC_SETUP_STATE))) << "the default state";
    ASSERT_TRUE(SendTo(GetDlgItem(setup, IDC_SETUP_STATE), CB_SELECTSTRING, static_cast<WPARAM>(-1),
                       reinterpret_cast<LPARAM>("TX ")));
    End(second, setup, IDOK);
    CloseNormally(second);
    EXPECT_EQ(3, StoredNumber("ComNum"));
    EXPECT_EQ(0, StoredNumber("Speed")) << "\"1200\" is speed 0";
    EXPECT_EQ("ATDP", StoredText("Prefix"));
    EXPECT_EQ("TX", StoredText("State"));
}

TEST_F(SetupDialogs, ColourChooserStartsAtTheListsColoursAndOnlyOkAppliesThem) {
    RunningProgram program;
    StartLoaded(program);
    HWND list = program.List();

    // The list's own colours, none stored yet: OK without touching a slider
    // changes nothing, whatever the sliders show for them.
    const COLORREF ownText = ListColour(list, LVM_GETTEXTCOLOR), ownBack = ListColour(list, LVM_GETBKCOLOR);
    HWND chooser = Open(program, CMD_COLOURS, "Select colors");
    ASSERT_NE(nullptr, chooser) << "no colour chooser";
    // The list's own text colour is the "default" marker, in no table entry.
    EXPECT_EQ(0, SliderPosition(chooser, IDC_COLOURS_FORE)) << Hex(ownText);
    End(program, chooser, IDOK);
    EXPECT_EQ(Hex(ownText), Hex(ListColour(list, LVM_GETTEXTCOLOR))) << "the list's own text colour was lost";
    EXPECT_EQ(Hex(ownBack), Hex(ListColour(list, LVM_GETBKCOLOR)));

    // Black on white: the sliders start at both ends of the table.
    ASSERT_TRUE(SendTo(list, LVM_SETTEXTCOLOR, 0, RGB(0, 0, 0)));
    ASSERT_TRUE(SendTo(list, LVM_SETBKCOLOR, 0, RGB(255, 255, 255)));
    ASSERT_TRUE(SendTo(list, LVM_SETTEXTBKCOLOR, 0, RGB(255, 255, 255)));
    chooser = Open(program, CMD_COLOURS, "Select colors");
    ASSERT_NE(nullptr, chooser);
    for (int id : {IDC_COLOURS_FORE, IDC_COLOURS_BACK}) {
        HWND slider = GetDlgItem(chooser, id);
        EXPECT_EQ(0, SendTo(slider, TBM_GETRANGEMIN, 0, 0).value_or(-1));
        EXPECT_EQ(137, SendTo(slider, TBM_GETRANGEMAX, 0, 0).value_or(-1));
        EXPECT_EQ(TBS_BOTH, StyleOf(chooser, id) & (TBS_BOTH | TBS_AUTOTICKS))
            << "ticks on both sides, no automatic ones";
    }
    EXPECT_EQ(0, SliderPosition(chooser, IDC_COLOURS_FORE));
    EXPECT_EQ(137, SliderPosition(chooser, IDC_COLOURS_BACK));
    ASSERT_TRUE(DragSlider(chooser, IDC_COLOURS_FORE, 3));
    // The red sample is drawn, and not over OK and Cancel: the dialog is
    // painted anew while its controls are not, as when only it is uncovered.
    RECT sample = {0, 110, 40, 125};
    MapWindowPoints(chooser, nullptr, reinterpret_cast<POINT*>(&sample), 2);
    EXPECT_TRUE(PollUntil([&] { return ScreenShows(sample, RGB(255, 0, 0)); }, kWait)) << "no red sample";
    ASSERT_TRUE(RedrawWindow(chooser, nullptr, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN | RDW_UPDATENOW));
    for (int id : {IDOK, IDCANCEL}) {
        RECT button = {};
        GetWindowRect(GetDlgItem(chooser, id), &button);
        EXPECT_FALSE(PollUntil([&] { return ScreenShows(button, RGB(255, 0, 0)); }, 500))
            << "the sample runs over button " << id;
    }
    End(program, chooser, IDOK);
    EXPECT_EQ("0000FF", Hex(ListColour(list, LVM_GETTEXTCOLOR))) << "red text";
    EXPECT_EQ("FFFFFF", Hex(ListColour(list, LVM_GETBKCOLOR)));
    EXPECT_EQ("FFFFFF", Hex(ListColour(list, LVM_GETTEXTBKCOLOR)));

    // Both sliders moved, then Cancel or the close box: nothing changes.
    for (int end : {IDCANCEL, 0}) {
        SCOPED_TRACE(end ? "Cancel" : "close box");
        chooser = Open(program, CMD_COLOURS, "Select colors");
        ASSERT_NE(nullptr, chooser);
        EXPECT_EQ(3, SliderPosition(chooser, IDC_COLOURS_FORE));
        ASSERT_TRUE(DragSlider(chooser, IDC_COLOURS_FORE, 12));
        ASSERT_TRUE(DragSlider(chooser, IDC_COLOURS_BACK, 128));
        // The sample's first line, from y = 110 down, is drawn on the new
        // background; the dialog above it keeps its own colour.
        EXPECT_TRUE(PollUntil([&] { return ClientPixel(chooser, 6, 110) == RGB(0, 0, 255); }, kWait))
            << "the sample shows " << Hex(ClientPixel(chooser, 6, 110));
        EXPECT_NE(RGB(0, 0, 255), ClientPixel(chooser, 6, 109));
        End(program, chooser, end);
        EXPECT_EQ("0000FF", Hex(ListColour(list, LVM_GETTEXTCOLOR)));
        EXPECT_EQ("FFFFFF", Hex(ListColour(list, LVM_GETBKCOLOR)));
    }

    // A background that is not in the table puts its slider at 0 (black) but
    // stays, also through a click on its thumb that moves nothing.
    const COLORREF odd = RGB(0x12, 0x34, 0x56);
    ASSERT_TRUE(SendTo(list, LVM_SETBKCOLOR, 0, odd));
    chooser = Open(program, CMD_COLOURS, "Select colors");
    ASSERT_NE(nullptr, chooser);
    EXPECT_EQ(0, SliderPosition(chooser, IDC_COLOURS_BACK));
    ASSERT_TRUE(DragSlider(chooser, IDC_COLOURS_BACK, 0));
    End(program, chooser, IDOK);
    EXPECT_EQ(Hex(odd), Hex(ListColour(list, LVM_GETBKCOLOR))) << "the list turned black";
    EXPECT_EQ(Hex(odd), Hex(ListColour(list, LVM_GETTEXTBKCOLOR)));
    EXPECT_EQ("0000FF", Hex(ListColour(list, LVM_GETTEXTCOLOR)));

    EXPECT_FALSE(ReadRegistryValue(kSettingsKey, "TxtClr")) << "nothing is written before exit";
    CloseNormally(program);
    EXPECT_EQ("0000FF", Hex(static_cast<COLORREF>(StoredNumber("TxtClr"))));
    EXPECT_EQ(Hex(odd), Hex(static_cast<COLORREF>(StoredNumber("TxtBkClr"))));
}

// Dialing after "Dial using speakers": in this run the speakers record what
// they play (tests/e2e/run-speaker-setup.sh) and the modem's port has no
// device behind it.
class SpeakerSetup : public SetupDialogs {};

std::size_t FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return data.nFileSizeLow;
}

std::string FileBytesFrom(const std::string& path, std::size_t from) {
    std::string bytes = FileExists(path.c_str()) ? ReadFileText(path) : std::string();
    return from < bytes.size() ? bytes.substr(from) : std::string();
}

// The clip telvara.exe holds for a key (tone resources "#120" on).
std::vector<std::int16_t> ProgramClip(char key) {
    HMODULE exe = LoadLibraryExA(kExe, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const KeyTone* tone = KeyToneOf(key);
    std::vector<std::int16_t> samples;
    char name[8];
    std::snprintf(name, sizeof name, "#%d", 120 + static_cast<int>(tone ? tone - kKeyTones : 0));
    if (HRSRC found = exe && tone ? FindResourceA(exe, name, "WAVE") : nullptr)
        samples = ReadWaveClip(LockResource(LoadResource(exe, found)), SizeofResource(exe, found)).Samples;
    if (exe) FreeLibrary(exe);
    return samples;
}

TEST_F(SpeakerSetup, DialUsingSpeakersPlaysTonesInsteadOfOpeningThePort) {
    const std::string played = EnvPath("TELVARA_PLAYED_LOG");
    const char* missing = played.empty()             ? "TELVARA_PLAYED_LOG is not set: run through "
                                                       "tests/e2e/run-speaker-setup.sh, which records the speakers"
                          : waveOutGetNumDevs() == 0 ? "Wine found no sound output device, so nothing can be "
                                                       "played or recorded"
                                                     : nullptr;
    if (missing) SKIP_OR_FAIL_IN_CI(missing);
    ASSERT_TRUE(SetNumber("ComNum", 4));  // no device behind it in this run

    RunningProgram program;
    StartLoaded(program);
    ASSERT_EQ(0, program.SelectedItem());
    const std::size_t before = FileSize(played);

    // Through the modem first: the port cannot be opened, and nothing plays.
    ASSERT_TRUE(program.PostCommand(CMD_DIAL));
    HWND box = program.WaitForBox(kWait);
    ASSERT_NE(nullptr, box) << "dialing by modem did not try the port";
    EXPECT_EQ("Can't open Serial Port.", program.BoxText(box).value_or("<text not readable>"));
    ASSERT_TRUE(program.AnswerBox(box));
    ASSERT_TRUE(program.Settled());
    EXPECT_EQ(before, FileSize(played));
    // A command sent as soon as the box has gone is taken.
    ASSERT_TRUE(program.RunCommand(CMD_VIEW_LIST));
    ASSERT_EQ(LVS_LIST, ViewOf(program.List())) << "a command just after the answer was refused";
    ASSERT_TRUE(program.RunCommand(CMD_VIEW_DETAILS));

    HWND setup = Open(program, CMD_SETUP, "Setup");
    ASSERT_NE(nullptr, setup);
    ASSERT_TRUE(ClickControl(setup, IDC_SETUP_BY_SPEAKERS));
    End(program, setup, IDOK);

    // The next dial plays the keys of 819-567-1234 seen from 819, first after
    // the mark, and leaves the port alone.
    const std::string keys = "5671234";
    ASSERT_TRUE(program.PostCommand(CMD_DIAL));
    PlayedKeys heard;
    PollUntil(
        [&] {
            heard = ReadPlayedKeys(FileBytesFrom(played, before), keys, ProgramClip);
            return heard.Found == keys.size();
        },
        kWait);
    EXPECT_EQ(keys.size(), heard.Found) << "clips found whole and in order, of " << heard.Sound << " sounding samples";
    EXPECT_EQ(keys.substr(0, heard.Found), heard.Heard);
    ASSERT_TRUE(program.Settled(kWait)) << "the tones did not end";
    EXPECT_EQ(nullptr, program.TopWindow("CMSGCLASS")) << "the dial still went to the port";
    EXPECT_EQ(heard.ClipSound, ReadPlayedKeys(FileBytesFrom(played, before), keys, ProgramClip).Sound)
        << "something else was played besides the keys";
    CloseNormally(program);
    EXPECT_EQ(1, StoredFlag("ToneDial"));
}

}  // namespace
