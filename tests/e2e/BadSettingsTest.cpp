// Settings of the wrong type or size in the registry, as another program or
// an old version might leave them: each such value is as good as missing, so
// its default holds at start-up and is what the program writes at exit, while
// every other value is kept.

#include "ProgramFixture.h"

#include "ui/ViewStyle.h"

#include <optional>

namespace {

enum class Damage { WrongType, OneByteShort, OneByteLong, TooLongForField };

const char* Describe(Damage d) {
    switch (d) {
        case Damage::WrongType: return "of the wrong type";
        case Damage::OneByteShort: return "one byte short";
        case Damage::OneByteLong: return "one byte long";
        default: return "too long for its field";
    }
}

struct Stored {
    DWORD Type;
    std::vector<unsigned char> Bytes;
};

Stored Text(const std::string& s) { return {REG_SZ, std::vector<unsigned char>(s.c_str(), s.c_str() + s.size() + 1)}; }
Stored Number(std::int32_t n) {
    const auto* b = reinterpret_cast<const unsigned char*>(&n);
    return {REG_DWORD, std::vector<unsigned char>(b, b + 4)};
}
Stored Flag(unsigned char on) { return {REG_BINARY, {on}}; }
Stored Ints(const std::vector<std::int32_t>& v) {
    const auto* b = reinterpret_cast<const unsigned char*>(v.data());
    return {REG_BINARY, std::vector<unsigned char>(b, b + v.size() * 4)};
}

// A good value and how each damage spoils it; a damage a value cannot have
// (a text one byte short still reads as text) leaves it good.
struct Setting {
    const char* Name;
    Stored Good;
    Stored Default;     // what the program writes when it fell back
    std::size_t Field;  // a text's room, terminator included; 0 for the others
    char Group;         // 'A' or 'B': one group is spoiled while the other is kept
};

std::optional<Stored> Spoil(const Setting& s, Damage d) {
    // The view is spoiled from another view than its default, so that a
    // spoiled value that was read after all would show.
    Stored bad = std::string(s.Name) == "Style" ? Number(kViewList) : s.Good;
    switch (d) {
        case Damage::WrongType: bad.Type = s.Good.Type == REG_SZ ? REG_BINARY : REG_SZ; return bad;
        case Damage::OneByteShort:
            if (s.Field) return std::nullopt;
            bad.Bytes.pop_back();
            return bad;
        case Damage::OneByteLong:
            if (s.Field) return std::nullopt;
            bad.Bytes.push_back(0);
            return bad;
        default:
            if (!s.Field) return std::nullopt;
            return Text(std::string(s.Field, 'Z'));
    }
}

bool Put(HKEY key, const char* name, const Stored& v) {
    return RegSetValueExA(key, name, 0, v.Type, v.Bytes.data(), static_cast<DWORD>(v.Bytes.size())) == ERROR_SUCCESS;
}

const std::vector<std::int32_t> kGoodCols = {90, 91, 92, 93, 94, 35, 56, 97, 98};
constexpr COLORREF kGoodText = RGB(0x80, 0, 0), kGoodBack = RGB(0xFF, 0xFF, 0xE0);
const RECT kGoodPlace = {60, 50, 60 + 700, 50 + 480};
// Where the user moves the window before the close: neither place above.
const RECT kMovedPlace = {33, 44, 33 + 650, 44 + 430};

// A list control's own colours, as one freshly made in this process reports them.
struct OwnColours {
    COLORREF Text = CLR_INVALID, Back = CLR_INVALID;
};
OwnColours ListControlsOwnColours() {
    INITCOMMONCONTROLSEX init = {sizeof init, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&init);
    OwnColours own;
    HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_POPUP | LVS_REPORT, 0, 0, 100, 100, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    if (!list) return own;
    own.Text = static_cast<COLORREF>(SendMessageA(list, LVM_GETTEXTCOLOR, 0, 0));
    own.Back = static_cast<COLORREF>(SendMessageA(list, LVM_GETBKCOLOR, 0, 0));
    DestroyWindow(list);
    return own;
}

class BadSettingsTest : public ProgramTest {
protected:
    std::vector<Setting> Table() const {
        std::vector<std::int32_t> defaultCols(std::begin(kDefaultCols), std::end(kDefaultCols));
        return {
            {"Fname", Text(kFriends), Text(kDefaultDataFile), 260, 'A'},
            {"Backup", Text("C:\\Backup\\friends.csv"), Text(""), 260, 'B'},
            {"State", Text("WY"), Text("CA"), 3, 'A'},
            {"Prefix", Text("ATDP"), Text("ATDT"), 20, 'B'},
            {"AreaCode", Text("613"), Text(""), 5, 'A'},
            {"NumberPrefix", Text("9,"), Text(""), 12, 'B'},
            {"10DigitLocal", Flag(1), Flag(0), 0, 'A'},
            {"ToneDial", Flag(1), Flag(0), 0, 'B'},
            {"ComNum", Number(3), Number(2), 0, 'A'},
            {"Speed", Number(1), Number(3), 0, 'B'},
            {"Style", Number(kViewDetails), Number(kViewDetails), 0, 'A'},
            {"Cols", Ints(kGoodCols), Ints(defaultCols), 0, 'A'},
            {"Index", Number(5), Number(0), 0, 'A'},
            {"PrintBits", Number(5), Number(15), 0, 'B'},
            {"PrintSize", Number(2), Number(1), 0, 'B'},
            {"TxtClr", Number(kGoodText), Number(0), 0, 'B'},
            {"TxtBkClr", Number(kGoodBack), Number(0), 0, 'B'},
            {"flags", Number(0), Number(0), 0, 'A'},
            {"showCmd", Number(SW_SHOWNORMAL), Number(SW_SHOWNORMAL), 0, 'A'},
            {"rcNormal", Ints({kGoodPlace.left, kGoodPlace.top, kGoodPlace.right, kGoodPlace.bottom}), {}, 0, 'A'},
        };
    }
};

TEST_F(BadSettingsTest, ASpoiledValueFallsBackToItsDefaultAndTheOthersAreKept) {
    UseSample();
    const std::string sample = ReadFileText(kFriends);
    const OwnColours own = ListControlsOwnColours();
    ASSERT_NE(CLR_INVALID, own.Back) << "no list control to ask for its own colours";
    for (Damage damage : {Damage::WrongType, Damage::OneByteShort, Damage::OneByteLong, Damage::TooLongForField}) {
        for (char spoiled : {'A', 'B'}) {
            SCOPED_TRACE(std::string("group ") + spoiled + " " + Describe(damage));
            ASSERT_TRUE(DeleteRegistryTree(kMakerKey));
            HKEY key;
            ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                                     nullptr, &key, nullptr));
            std::vector<std::string> fellBack;
            for (const Setting& s : Table()) {
                std::optional<Stored> bad = s.Group == spoiled ? Spoil(s, damage) : std::nullopt;
                ASSERT_TRUE(Put(key, s.Name, bad ? *bad : s.Good)) << s.Name;
                if (bad) fellBack.push_back(s.Name);
            }
            RegCloseKey(key);
            auto spoilt = [&](const char* name) {
                return std::find(fellBack.begin(), fellBack.end(), name) != fellBack.end();
            };
            const bool placed = !spoilt("flags") && !spoilt("showCmd") && !spoilt("rcNormal");

            RunningProgram program;
            // The boxes a fallen-back area code and data file owe the user.
            std::vector<std::string> expected;
            if (spoilt("AreaCode")) expected.push_back("Enter an Area Code in Options / Setup.");
            if (spoilt("Fname")) expected.push_back(std::string("Can't open file\n") + kDefaultDataFile);
            const std::vector<std::string> shown = StartAndAnswer(program);
            EXPECT_EQ(expected, shown);
            ASSERT_TRUE(program.Settled());

            // At start-up: the list, the columns, the colours, the place.
            const int items = spoilt("Fname") ? 0 : 12;
            EXPECT_EQ(items, program.ItemCount());
            EXPECT_EQ(items ? (spoilt("Index") ? 0 : 5) : -1, program.SelectedItem());
            for (int c = 0; c < 9; ++c)
                EXPECT_EQ(spoilt("Cols") ? kDefaultCols[c] : kGoodCols[c],
                          static_cast<int>(SendTo(program.List(), LVM_GETCOLUMNWIDTH, c, 0).value_or(-1)))
                    << "column " << c;
            const COLORREF text = ListColour(program.List(), LVM_GETTEXTCOLOR);
            const COLORREF back = ListColour(program.List(), LVM_GETBKCOLOR);
            // The colours are read only with a complete place; else the list keeps its own.
            EXPECT_EQ(placed && !spoilt("TxtClr") ? kGoodText : own.Text, text);
            EXPECT_EQ(placed && !spoilt("TxtBkClr") ? kGoodBack : own.Back, back);
            const RECT r = WindowRect(program.Frame());
            EXPECT_EQ(placed, SameRect(kGoodPlace, r)) << Describe(r);
            EXPECT_EQ(placed ? kGoodPlace.right - kGoodPlace.left : kDefaultWidth, r.right - r.left) << Describe(r);
            EXPECT_TRUE(IsWindowVisible(program.Frame()));
            EXPECT_EQ(static_cast<DWORD>(LVS_REPORT), ViewOf(program.List()));
            // The user moves the window; its placement then is what is stored.
            ASSERT_TRUE(SetWindowPos(program.Frame(), nullptr, kMovedPlace.left, kMovedPlace.top,
                                     kMovedPlace.right - kMovedPlace.left, kMovedPlace.bottom - kMovedPlace.top,
                                     SWP_NOZORDER | SWP_NOACTIVATE));
            ASSERT_TRUE(PollUntil([&] { return SameRect(kMovedPlace, WindowRect(program.Frame())); }, kWait));
            WINDOWPLACEMENT seen = {};
            seen.length = sizeof seen;
            ASSERT_TRUE(GetWindowPlacement(program.Frame(), &seen));
            CloseNormally(program);

            // At exit: every value written, the spoiled ones with their defaults.
            for (const Setting& s : Table()) {
                auto value = ReadRegistryValue(kSettingsKey, s.Name);
                ASSERT_TRUE(value) << s.Name << " was not written";
                if (std::string(s.Name) == "rcNormal") {
                    const RECT& at = seen.rcNormalPosition;
                    EXPECT_EQ(Ints({at.left, at.top, at.right, at.bottom}).Bytes, value->Data) << Describe(at);
                    EXPECT_EQ(REG_BINARY, value->Type);
                    continue;
                }
                if (std::string(s.Name) == "flags") {
                    EXPECT_EQ(Number(static_cast<std::int32_t>(seen.flags)).Bytes, value->Data) << s.Name;
                    EXPECT_EQ(REG_DWORD, value->Type);
                    continue;
                }
                if (std::string(s.Name) == "TxtClr") {
                    EXPECT_EQ(Number(text).Bytes, value->Data) << s.Name;
                    continue;
                }
                if (std::string(s.Name) == "TxtBkClr") {
                    EXPECT_EQ(Number(back).Bytes, value->Data) << s.Name;
                    continue;
                }
                if (std::string(s.Name) == "Index") {
                    EXPECT_EQ(Number(items ? (spoilt("Index") ? 0 : 5) : -1).Bytes, value->Data) << s.Name;
                    continue;
                }
                const Stored& want = spoilt(s.Name) ? s.Default : s.Good;
                EXPECT_EQ(want.Type, value->Type) << s.Name;
                EXPECT_EQ(want.Bytes, value->Data) << s.Name;
            }
            EXPECT_EQ(sample, ReadFileText(kFriends)) << "no data file is written without a save";
            EXPECT_FALSE(FileExists(kDefaultDataFile));
        }
    }
}

}  // namespace
