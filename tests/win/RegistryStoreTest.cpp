// The settings on the real registry: what is written, with which types and
// sizes, and how values of the wrong shape are read.

#include "app/RegistrySettingsStore.h"
#include "app/Settings.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// Each test works under a key of its own below this one.
const std::string kTestRoot = "Software\\Ostrel Freeware\\Telvara Tests";

struct Registry : ::testing::Test {
    std::string path;
    void SetUp() override {
        path = kTestRoot + "\\" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
    }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str()); }

    void Put(const char* name, DWORD type, const void* data, DWORD size) {
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                                 nullptr, &key, nullptr));
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size));
        RegCloseKey(key);
    }
    void PutText(const char* name, const std::string& text) {
        Put(name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
    }
    void PutNumber(const char* name, DWORD value) { Put(name, REG_DWORD, &value, 4); }

    // Type and bytes of a stored value; type 0 and nothing when it is missing.
    std::string Get(const char* name, DWORD* type) {
        unsigned char buffer[1024];
        DWORD size = sizeof buffer;
        *type = 0;
        if (RegGetValueA(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, type, buffer, &size) !=
            ERROR_SUCCESS)
            return std::string();
        return std::string(reinterpret_cast<char*>(buffer), size);
    }

    Settings Load(const char* commandLine = "\"C:\\Program Files\\Telvara\\telvara.exe\" extra") {
        RegistrySettingsStore store(path.c_str());
        Settings s;
        LoadSettings(store, commandLine, s);
        return s;
    }
};

ShutdownState SampleState() {
    ShutdownState state{};
    state.TextColour = 0x00112233;
    state.BackColour = 0x00C0C0C0;
    for (int c = 0; c < kColumnCount; ++c) state.Cols[c] = 10 * (c + 1);
    state.Index = -1;
    state.HasPlacement = true;
    state.Placement = StoredPlacement{0, 1, 10, 20, 630, 460};
    return state;
}

TEST_F(Registry, NoKeyKeepsEveryDefault) {
    Settings s = Load();
    EXPECT_STREQ("C:\\Program Files\\Telvara\\telvara.csv", s.Fname);
    EXPECT_STREQ("CA", s.State);
    EXPECT_STREQ("ATDT", s.Prefix);
    EXPECT_STREQ("", s.AreaCode);
    EXPECT_EQ(2, s.ComNum);
    EXPECT_EQ(3, s.Speed);
    EXPECT_EQ(3, s.Style);
    EXPECT_EQ(156, s.Cols[3]);
    RegistrySettingsStore store(path.c_str());
    StoredPlacement placement{};
    StoredColours colours;
    EXPECT_FALSE(ReadPlacement(store, placement, colours));
}

TEST_F(Registry, SaveWritesEveryValueWithItsTypeAndExactSize) {
    Settings s;
    SetDefaultSettings(s, "telvara.exe");
    std::snprintf(s.Fname, sizeof s.Fname, "C:\\data\\friends.csv");
    std::snprintf(s.AreaCode, sizeof s.AreaCode, "819");
    s.ToneDial = 2;  // any nonzero value is stored as 1
    RegistrySettingsStore store(path.c_str());
    ASSERT_TRUE(SaveSettings(store, s, SampleState()));

    DWORD type;
    EXPECT_EQ(std::string("C:\\data\\friends.csv", 20), Get("Fname", &type));
    EXPECT_EQ(DWORD(REG_SZ), type);
    EXPECT_EQ(std::string("", 1), Get("Backup", &type));
    EXPECT_EQ(std::string("CA", 3), Get("State", &type));
    EXPECT_EQ(std::string("ATDT", 5), Get("Prefix", &type));
    EXPECT_EQ(std::string("819", 4), Get("AreaCode", &type));
    EXPECT_EQ(std::string("\x01", 1), Get("ToneDial", &type));
    EXPECT_EQ(DWORD(REG_BINARY), type);
    EXPECT_EQ(std::string("\x00", 1), Get("10DigitLocal", &type));
    EXPECT_EQ(std::string("\xff\xff\xff\xff", 4), Get("Index", &type));
    EXPECT_EQ(DWORD(REG_DWORD), type);
    EXPECT_EQ(std::string("\x33\x22\x11\x00", 4), Get("TxtClr", &type));
    EXPECT_EQ(36u, Get("Cols", &type).size());
    EXPECT_EQ(DWORD(REG_BINARY), type);
    EXPECT_EQ(16u, Get("rcNormal", &type).size());
    for (const char* name : {"TxtBkClr", "Style", "ComNum", "Speed", "PrintBits", "PrintSize", "flags", "showCmd"}) {
        EXPECT_EQ(4u, Get(name, &type).size()) << name;
        EXPECT_EQ(DWORD(REG_DWORD), type) << name;
    }

    // And it all reads back.
    Settings back = Load();
    EXPECT_STREQ("C:\\data\\friends.csv", back.Fname);
    EXPECT_STREQ("819", back.AreaCode);
    EXPECT_EQ(1, back.ToneDial);
    EXPECT_EQ(-1, back.Index);
    EXPECT_EQ(90, back.Cols[8]);
    StoredPlacement placement{};
    StoredColours colours;
    ASSERT_TRUE(ReadPlacement(store, placement, colours));
    EXPECT_EQ(630, placement.Right);
    EXPECT_EQ(1, placement.ShowCmd);
    EXPECT_TRUE(colours.HasText);
    EXPECT_EQ(0x00112233u, colours.Text);
    EXPECT_EQ(0x00C0C0C0u, colours.Back);
}

TEST_F(Registry, OtherViewsKeepTheLastDetailsWidths) {
    Settings s;
    SetDefaultSettings(s, "telvara.exe");
    RegistrySettingsStore store(path.c_str());
    ASSERT_TRUE(SaveSettings(store, s, SampleState()));
    s.Style = 0;
    ShutdownState other = SampleState();
    other.Cols[0] = 999;
    ASSERT_TRUE(SaveSettings(store, s, other));
    EXPECT_EQ(10, Load().Cols[0]);
    EXPECT_EQ(0, Load().Style);
}

TEST_F(Registry, ValuesOfTheWrongShapeAreMissing) {
    PutText("Fname", std::string(300, 'x'));  // longer than its buffer
    PutText("State", "CAL");                  // longer than two letters
    PutText("Prefix", std::string(20, 'P'));  // longer than its field
    PutText("AreaCode", "819");
    PutNumber("Speed", 1);
    Put("ComNum", REG_SZ, "3", 2);  // a number stored as text
    unsigned char wide[4] = {1, 0, 0, 0};
    Put("ToneDial", REG_BINARY, wide, 4);  // a flag wider than one byte
    unsigned char two = 2;
    Put("10DigitLocal", REG_BINARY, &two, 1);
    int shortCols[5] = {1, 2, 3, 4, 5};
    Put("Cols", REG_BINARY, shortCols, sizeof shortCols);
    Put("Style", REG_BINARY, wide, 4);  // right size, wrong type

    Settings s = Load("telvara.exe");
    EXPECT_STREQ("telvara.csv", s.Fname);
    EXPECT_STREQ("CA", s.State);
    EXPECT_STREQ("ATDT", s.Prefix);
    EXPECT_STREQ("819", s.AreaCode);
    EXPECT_EQ(1, s.Speed);
    EXPECT_EQ(2, s.ComNum);
    EXPECT_EQ(0, s.ToneDial);
    EXPECT_EQ(1, s.TenDigitLocal);
    EXPECT_EQ(100, s.Cols[0]);
    EXPECT_EQ(3, s.Style);
}

TEST_F(Registry, PlacementNeedsAllThreeValuesBeforeColoursAreRead) {
    PutNumber("flags", 0);
    PutNumber("TxtClr", 0xFF);
    PutNumber("TxtBkClr", 0xFF00);
    RegistrySettingsStore store(path.c_str());
    StoredPlacement placement{};
    StoredColours colours;
    EXPECT_FALSE(ReadPlacement(store, placement, colours));
    EXPECT_FALSE(colours.HasText);
    PutNumber("showCmd", 3);
    int rect[4] = {1, 2, 3, 4};
    Put("rcNormal", REG_BINARY, rect, 16);
    ASSERT_TRUE(ReadPlacement(store, placement, colours));
    EXPECT_EQ(3, placement.ShowCmd);
    EXPECT_EQ(4, placement.Bottom);
    EXPECT_EQ(0xFF00u, colours.Back);
}

}  // namespace
