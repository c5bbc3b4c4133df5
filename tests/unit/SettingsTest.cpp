#include <gtest/gtest.h>

#include "support/MemorySettingsStore.h"
#include "app/Settings.h"
#include "contacts/PathText.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

const char kCommandLine[] = "\"C:\\Program Files\\Telvara\\Telvara.exe\" /x extra.csv";
const char kDefaultFname[] = "C:\\Program Files\\Telvara\\Telvara.csv";

// Remembers the order of writes, and can refuse the write of one value.
class RecordingStore : public MemorySettingsStore {
public:
    bool Write(const char* name, ValueType type, const void* data, std::size_t size) override {
        written.push_back(name);
        if (refuse == name) return false;
        return MemorySettingsStore::Write(name, type, data, size);
    }
    std::vector<std::string> written;
    std::string refuse;
};

Settings Load(MemorySettingsStore& store, const char* commandLine = kCommandLine) {
    Settings s;
    std::memset(&s, 0x5a, sizeof s);  // nothing may be left over from before
    LoadSettings(store, commandLine, s);
    return s;
}

void ExpectDefaults(const Settings& s) {
    EXPECT_STREQ(s.Fname, kDefaultFname);
    EXPECT_STREQ(s.Backup, "");
    EXPECT_STREQ(s.State, "CA");
    EXPECT_STREQ(s.Prefix, "ATDT");
    EXPECT_STREQ(s.AreaCode, "");
    EXPECT_STREQ(s.NumberPrefix, "");
    EXPECT_EQ(s.TenDigitLocal, 0);
    EXPECT_EQ(s.ToneDial, 0);
    EXPECT_EQ(s.ComNum, 2);
    EXPECT_EQ(s.Speed, 3);
    EXPECT_EQ(s.Style, 3);
    EXPECT_EQ(s.Index, 0);
    EXPECT_EQ(s.PrintBits, 15);
    EXPECT_EQ(s.PrintSize, 1);
    const std::int32_t widths[kColumnCount] = {100, 100, 110, 156, 100, 34, 54, 140, 140};
    for (int c = 0; c < kColumnCount; ++c) EXPECT_EQ(s.Cols[c], widths[c]) << "column " << c;
}

void SetBinary(MemorySettingsStore& store, const char* name, std::size_t size, unsigned char fill = 1) {
    std::vector<unsigned char> bytes(size, fill);
    store.Set(name, ValueType::Binary, bytes.data(), bytes.size());
}

void SetTextNoNul(MemorySettingsStore& store, const char* name, const std::string& text) {
    store.Set(name, ValueType::Text, text.data(), text.size());
}

ShutdownState MakeShutdown() {
    ShutdownState state{};
    state.TextColour = 0x00112233;
    state.BackColour = 0x00c0c0c0;
    for (int c = 0; c < kColumnCount; ++c) state.Cols[c] = 10 * (c + 1);
    state.Index = 4;
    state.HasPlacement = true;
    state.Placement = StoredPlacement{2, 3, -4, -4, 1284, 1028};
    return state;
}

std::vector<unsigned char> Bytes(const MemorySettingsStore& store, const char* name) {
    const MemorySettingsStore::Value* v = store.Find(name);
    return v ? v->Bytes : std::vector<unsigned char>();
}

}  // namespace

TEST(CommandLine, FirstTokenIsTheProgramPath) {
    struct Case {
        const char* commandLine;
        const char* path;
    } cases[] = {
        {"\"C:\\Program Files\\Telvara\\Telvara.exe\" /x extra.csv", "C:\\Program Files\\Telvara\\Telvara.exe"},
        {"   \"C:\\My Apps\\T.exe\"", "C:\\My Apps\\T.exe"},
        {"C:\\Apps\\Telvara.exe other.csv", "C:\\Apps\\Telvara.exe"},
        {"  C:\\Apps\\Telvara.exe", "C:\\Apps\\Telvara.exe"},
        {"\"C:\\Unterminated quote\\T.exe", "C:\\Unterminated quote\\T.exe"},
        {"\"\" C:\\after.exe", ""},
        {"", ""},
        {"    ", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.commandLine);
        char out[kPathSize];
        std::memset(out, 'x', sizeof out);
        ProgramPathFromCommandLine(c.commandLine, out, sizeof out);
        EXPECT_STREQ(out, c.path);
    }
}

TEST(CommandLine, PathTooLongForItsBufferIsNotCut) {
    // A cut path would name some other file; an empty one names none.
    std::string path = "C:\\" + std::string(300, 'd') + "\\Telvara.exe";
    char out[kPathSize];
    ProgramPathFromCommandLine(path.c_str(), out, sizeof out);
    EXPECT_STREQ(out, "");

    MemorySettingsStore store;
    EXPECT_STREQ(Load(store, path.c_str()).Fname, "");

    // 259 characters fit; one more does not.
    std::string fits = "C:\\" + std::string(252, 'd') + ".exe";
    ASSERT_EQ(fits.size(), kPathSize - 1);
    ProgramPathFromCommandLine(("\"" + fits + "\" more").c_str(), out, sizeof out);
    EXPECT_EQ(std::string(out), fits);
    EXPECT_EQ(std::string(Load(store, fits.c_str()).Fname), fits.substr(0, fits.size() - 4) + ".csv");
    ProgramPathFromCommandLine(("\"" + fits + "x\"").c_str(), out, sizeof out);
    EXPECT_STREQ(out, "");
}

TEST(CommandLine, DefaultDataFileIsTheProgramPathWithCsv) {
    MemorySettingsStore store;
    EXPECT_STREQ(Load(store).Fname, kDefaultFname);
    EXPECT_STREQ(Load(store, "C:\\Apps\\TELVARA.EXE -a -b").Fname, "C:\\Apps\\TELVARA.csv");
    EXPECT_STREQ(Load(store, "C:\\Apps\\Telvara").Fname, "C:\\Apps\\Telvara.csv");
    EXPECT_STREQ(Load(store, "").Fname, "");
}

TEST(SetExtension, ReplacesOrAppends) {
    struct Case {
        const char* path;
        const char* extension;
        bool ok;
        const char* result;
    } cases[] = {
        {"C:\\Apps\\Telvara.exe", ".csv", true, "C:\\Apps\\Telvara.csv"},
        {"C:\\Apps\\Telvara.exe", "csv", true, "C:\\Apps\\Telvara.csv"},
        {"Telvara.exe", ".csv", true, "Telvara.csv"},
        {"archive.tar.gz", ".csv", true, "archive.tar.csv"},
        {"name.", ".csv", true, "name.csv"},
        {"Telvara", ".csv", true, "Telvara.csv"},
        {"C:\\NEW.DIR\\LIST", ".csv", true, "C:\\NEW.DIR\\LIST.csv"},
        {"D:LIST", "csv", true, "D:LIST.csv"},
        {"C:\\Apps\\", ".csv", false, "C:\\Apps\\"},
        {"C:", ".csv", false, "C:"},
        {"", ".csv", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        char path[kPathSize];
        std::snprintf(path, sizeof path, "%s", c.path);
        EXPECT_EQ(SetExtension(path, sizeof path, c.extension), c.ok);
        EXPECT_STREQ(path, c.result);
    }
}

TEST(SetExtension, ResultThatDoesNotFitLeavesThePath) {
    char path[12];
    std::snprintf(path, sizeof path, "%s", "abcdefg.exe");  // 11 characters
    EXPECT_TRUE(SetExtension(path, sizeof path, ".csv"));
    EXPECT_STREQ(path, "abcdefg.csv");
    std::snprintf(path, sizeof path, "%s", "abcdefghijk");
    EXPECT_FALSE(SetExtension(path, sizeof path, ".csv"));
    EXPECT_STREQ(path, "abcdefghijk");
    std::snprintf(path, sizeof path, "%s", "abcdefg.e");
    EXPECT_FALSE(SetExtension(path, sizeof path, ".longer"));
    EXPECT_STREQ(path, "abcdefg.e");
}

TEST(SettingsLoad, DefaultsWithoutKeyOrValues) {
    MemorySettingsStore noKey;
    ExpectDefaults(Load(noKey));

    MemorySettingsStore emptyKey;
    emptyKey.SetNumber("unrelated", 7);
    emptyKey.Remove("unrelated");
    ExpectDefaults(Load(emptyKey));
    EXPECT_FALSE(emptyKey.IsOpen());
}

TEST(SettingsLoad, ReadsEveryValue) {
    MemorySettingsStore store;
    const std::int32_t cols[kColumnCount] = {1, 0, 3, 4, 5, 0, 7, 8, 9};
    store.Set("Cols", ValueType::Binary, cols, sizeof cols);
    store.SetNumber("Style", 1);
    store.SetText("Fname", "D:\\Data\\phones.csv");
    store.SetText("Backup", "E:\\Backup\\phones.csv");
    store.SetText("State", "NY");
    store.SetText("Prefix", "ATDP");
    store.SetText("NumberPrefix", "9,");
    store.SetText("AreaCode", "819");
    SetBinary(store, "10DigitLocal", 1, 1);
    SetBinary(store, "ToneDial", 1, 1);
    store.SetNumber("ComNum", 4);
    store.SetNumber("Speed", 0);
    store.SetNumber("Index", -1);
    store.SetNumber("PrintBits", 7);
    store.SetNumber("PrintSize", 2);

    Settings s = Load(store);
    for (int c = 0; c < kColumnCount; ++c) EXPECT_EQ(s.Cols[c], cols[c]);
    EXPECT_EQ(s.Style, 1);
    EXPECT_STREQ(s.Fname, "D:\\Data\\phones.csv");
    EXPECT_STREQ(s.Backup, "E:\\Backup\\phones.csv");
    EXPECT_STREQ(s.State, "NY");
    EXPECT_STREQ(s.Prefix, "ATDP");
    EXPECT_STREQ(s.NumberPrefix, "9,");
    EXPECT_STREQ(s.AreaCode, "819");
    EXPECT_EQ(s.TenDigitLocal, 1);
    EXPECT_EQ(s.ToneDial, 1);
    EXPECT_EQ(s.ComNum, 4);
    EXPECT_EQ(s.Speed, 0);
    EXPECT_EQ(s.Index, -1);
    EXPECT_EQ(s.PrintBits, 7);
    EXPECT_EQ(s.PrintSize, 2);
    EXPECT_FALSE(store.IsOpen());
}

TEST(SettingsLoad, NumbersAreReadWithoutRangeChecks) {
    MemorySettingsStore store;
    store.SetNumber("Style", 77);
    store.SetNumber("ComNum", -3);
    store.SetNumber("PrintBits", 0x7fffffff);
    Settings s = Load(store);
    EXPECT_EQ(s.Style, 77);
    EXPECT_EQ(s.ComNum, -3);
    EXPECT_EQ(s.PrintBits, 0x7fffffff);
}

TEST(SettingsLoad, ValuesOfWrongTypeOrSizeAreMissing) {
    struct Case {
        const char* what;
        void (*store)(MemorySettingsStore&);
    } cases[] = {
        {"Style as text", [](MemorySettingsStore& m) { m.SetText("Style", "1"); }},
        {"Style as binary", [](MemorySettingsStore& m) { SetBinary(m, "Style", 4); }},
        {"ComNum of 2 bytes",
         [](MemorySettingsStore& m) {
             std::int16_t v = 4;
             m.Set("ComNum", ValueType::Number, &v, sizeof v);
         }},
        {"Speed of 8 bytes",
         [](MemorySettingsStore& m) {
             std::int64_t v = 1;
             m.Set("Speed", ValueType::Number, &v, sizeof v);
         }},
        {"Index of 0 bytes", [](MemorySettingsStore& m) { m.Set("Index", ValueType::Number, "", 0); }},
        {"PrintSize of type other",
         [](MemorySettingsStore& m) {
             std::int32_t v = 2;
             m.Set("PrintSize", ValueType::Other, &v, sizeof v);
         }},
        {"ToneDial as number", [](MemorySettingsStore& m) { m.SetNumber("ToneDial", 1); }},
        {"ToneDial of 2 bytes", [](MemorySettingsStore& m) { SetBinary(m, "ToneDial", 2); }},
        {"ToneDial of 4 bytes", [](MemorySettingsStore& m) { SetBinary(m, "ToneDial", 4); }},
        {"10DigitLocal of 0 bytes", [](MemorySettingsStore& m) { SetBinary(m, "10DigitLocal", 0); }},
        {"10DigitLocal as text", [](MemorySettingsStore& m) { m.SetText("10DigitLocal", "1"); }},
        {"10DigitLocal as 1-byte text", [](MemorySettingsStore& m) { m.Set("10DigitLocal", ValueType::Text, "1", 1); }},
        {"ToneDial as 1-byte number", [](MemorySettingsStore& m) { m.Set("ToneDial", ValueType::Number, "\1", 1); }},
        {"Cols of 35 bytes", [](MemorySettingsStore& m) { SetBinary(m, "Cols", 35); }},
        {"Cols of 37 bytes", [](MemorySettingsStore& m) { SetBinary(m, "Cols", 37); }},
        {"Cols of 40 bytes", [](MemorySettingsStore& m) { SetBinary(m, "Cols", 40); }},
        {"Cols as number", [](MemorySettingsStore& m) { m.SetNumber("Cols", 1); }},
        {"Fname as binary", [](MemorySettingsStore& m) { m.Set("Fname", ValueType::Binary, "D:\\x.csv", 9); }},
        {"Prefix as number", [](MemorySettingsStore& m) { m.SetNumber("Prefix", 0x50445441); }},
        {"State of 3 characters", [](MemorySettingsStore& m) { m.SetText("State", "CAL"); }},
        {"State of 3 characters without NUL", [](MemorySettingsStore& m) { SetTextNoNul(m, "State", "CAL"); }},
        {"Prefix of 20 characters", [](MemorySettingsStore& m) { m.SetText("Prefix", std::string(20, 'P').c_str()); }},
        {"AreaCode of 5 characters", [](MemorySettingsStore& m) { m.SetText("AreaCode", "81900"); }},
        {"NumberPrefix of 12 characters", [](MemorySettingsStore& m) { m.SetText("NumberPrefix", "9,9,9,9,9,9,"); }},
        {"Fname of 260 characters", [](MemorySettingsStore& m) { m.SetText("Fname", std::string(260, 'f').c_str()); }},
        {"Fname of 260 characters without NUL",
         [](MemorySettingsStore& m) { SetTextNoNul(m, "Fname", std::string(260, 'f')); }},
        {"Backup of 300 characters",
         [](MemorySettingsStore& m) { m.SetText("Backup", std::string(300, 'b').c_str()); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MemorySettingsStore store;
        c.store(store);
        ExpectDefaults(Load(store));
    }
}

TEST(SettingsLoad, TextsUpToTheirFieldWidth) {
    MemorySettingsStore store;
    store.SetText("State", "WY");
    store.SetText("Prefix", std::string(19, 'P').c_str());
    store.SetText("AreaCode", "8190");
    store.SetText("NumberPrefix", "9,9,9,9,9,9");
    store.SetText("Fname", std::string(259, 'f').c_str());
    SetTextNoNul(store, "Backup", std::string(259, 'b'));
    Settings s = Load(store);
    EXPECT_STREQ(s.State, "WY");
    EXPECT_EQ(std::string(s.Prefix), std::string(19, 'P'));
    EXPECT_STREQ(s.AreaCode, "8190");
    EXPECT_STREQ(s.NumberPrefix, "9,9,9,9,9,9");
    EXPECT_EQ(std::string(s.Fname), std::string(259, 'f'));
    EXPECT_EQ(std::string(s.Backup), std::string(259, 'b'));
}

TEST(SettingsLoad, TextWithoutTerminatorEndsWithItsData) {
    MemorySettingsStore store;
    SetTextNoNul(store, "State", "NY");
    SetTextNoNul(store, "Prefix", "ATDP");
    SetTextNoNul(store, "AreaCode", "613");
    SetTextNoNul(store, "NumberPrefix", "");
    Settings s = Load(store);
    EXPECT_STREQ(s.State, "NY");
    EXPECT_STREQ(s.Prefix, "ATDP");
    EXPECT_STREQ(s.AreaCode, "613");
    EXPECT_STREQ(s.NumberPrefix, "");
}

TEST(SettingsLoad, StoredEmptyTextsReplaceTheDefaults) {
    MemorySettingsStore store;
    store.SetText("Fname", "");
    store.SetText("Prefix", "");
    Settings s = Load(store);
    EXPECT_STREQ(s.Fname, "");
    EXPECT_STREQ(s.Prefix, "");
}

TEST(SettingsLoad, FlagsAreTrueForAnyNonzeroByte) {
    for (unsigned char byte : {0, 1, 2, 0x80, 0xff}) {
        SCOPED_TRACE(static_cast<int>(byte));
        MemorySettingsStore store;
        SetBinary(store, "ToneDial", 1, byte);
        SetBinary(store, "10DigitLocal", 1, byte);
        Settings s = Load(store);
        EXPECT_EQ(s.ToneDial, byte != 0 ? 1 : 0);
        EXPECT_EQ(s.TenDigitLocal, byte != 0 ? 1 : 0);
    }
}

TEST(SettingsSave, WritesEveryValueInOrder) {
    RecordingStore store;
    Settings s = Load(store);
    EXPECT_TRUE(SaveSettings(store, s, MakeShutdown()));
    const std::vector<std::string> order = {"TxtClr",       "TxtBkClr",  "Style",  "Cols",     "Fname",
                                            "Backup",       "State",     "Prefix", "AreaCode", "NumberPrefix",
                                            "10DigitLocal", "ToneDial",  "ComNum", "Speed",    "Index",
                                            "PrintBits",    "PrintSize", "flags",  "showCmd",  "rcNormal"};
    EXPECT_EQ(store.written, order);
    EXPECT_FALSE(store.IsOpen());
}

TEST(SettingsSave, StoredTypesAndBytes) {
    MemorySettingsStore store;
    Settings s = Load(store);
    std::snprintf(s.Prefix, sizeof s.Prefix, "%s", "ATDP");
    s.ToneDial = 2;  // written as one byte 1
    s.TenDigitLocal = 0;
    ShutdownState state = MakeShutdown();
    ASSERT_TRUE(SaveSettings(store, s, state));

    auto number = [&](const char* name) {
        const MemorySettingsStore::Value* v = store.Find(name);
        EXPECT_TRUE(v && v->Type == ValueType::Number && v->Bytes.size() == 4) << name;
        std::int32_t n = 0;
        if (v && v->Bytes.size() == 4) std::memcpy(&n, v->Bytes.data(), 4);
        return n;
    };
    EXPECT_EQ(number("TxtClr"), 0x00112233);
    EXPECT_EQ(number("TxtBkClr"), 0x00c0c0c0);
    EXPECT_EQ(number("Style"), 3);
    EXPECT_EQ(number("ComNum"), 2);
    EXPECT_EQ(number("Speed"), 3);
    EXPECT_EQ(number("Index"), 4);
    EXPECT_EQ(number("PrintBits"), 15);
    EXPECT_EQ(number("PrintSize"), 1);
    EXPECT_EQ(number("flags"), 2);
    EXPECT_EQ(number("showCmd"), 3);

    const MemorySettingsStore::Value* prefix = store.Find("Prefix");
    ASSERT_NE(prefix, nullptr);
    EXPECT_EQ(prefix->Type, ValueType::Text);
    EXPECT_EQ(prefix->Bytes, (std::vector<unsigned char>{'A', 'T', 'D', 'P', '\0'}));
    const MemorySettingsStore::Value* areaCode = store.Find("AreaCode");
    ASSERT_NE(areaCode, nullptr);
    EXPECT_EQ(areaCode->Bytes, std::vector<unsigned char>(1, '\0'));

    for (const char* flag : {"ToneDial", "10DigitLocal"}) {
        const MemorySettingsStore::Value* v = store.Find(flag);
        ASSERT_NE(v, nullptr) << flag;
        EXPECT_EQ(v->Type, ValueType::Binary);
    }
    EXPECT_EQ(Bytes(store, "ToneDial"), std::vector<unsigned char>{1});
    EXPECT_EQ(Bytes(store, "10DigitLocal"), std::vector<unsigned char>{0});

    const MemorySettingsStore::Value* cols = store.Find("Cols");
    ASSERT_NE(cols, nullptr);
    EXPECT_EQ(cols->Type, ValueType::Binary);
    ASSERT_EQ(cols->Bytes.size(), 36u);
    std::int32_t widths[kColumnCount];
    std::memcpy(widths, cols->Bytes.data(), sizeof widths);
    for (int c = 0; c < kColumnCount; ++c) EXPECT_EQ(widths[c], state.Cols[c]);

    const MemorySettingsStore::Value* rect = store.Find("rcNormal");
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->Type, ValueType::Binary);
    ASSERT_EQ(rect->Bytes.size(), 16u);
    std::int32_t r[4];
    std::memcpy(r, rect->Bytes.data(), sizeof r);
    EXPECT_EQ(r[0], -4);
    EXPECT_EQ(r[1], -4);
    EXPECT_EQ(r[2], 1284);
    EXPECT_EQ(r[3], 1028);
}

TEST(SettingsSave, RoundTripAtFullFieldWidths) {
    MemorySettingsStore store;
    Settings s = Load(store);
    std::snprintf(s.Fname, sizeof s.Fname, "%s", std::string(259, 'f').c_str());
    std::snprintf(s.Backup, sizeof s.Backup, "%s", std::string(259, 'b').c_str());
    std::snprintf(s.State, sizeof s.State, "%s", "WY");
    std::snprintf(s.Prefix, sizeof s.Prefix, "%s", std::string(19, 'p').c_str());
    std::snprintf(s.AreaCode, sizeof s.AreaCode, "%s", "8190");
    std::snprintf(s.NumberPrefix, sizeof s.NumberPrefix, "%s", "9,9,9,9,9,9");
    s.TenDigitLocal = 1;
    s.ToneDial = 1;
    s.ComNum = 1;
    s.Speed = 0;
    s.Style = 3;
    s.PrintBits = 3;
    s.PrintSize = 0;
    ShutdownState state = MakeShutdown();
    state.Index = 12;
    ASSERT_TRUE(SaveSettings(store, s, state));

    Settings back = Load(store);
    EXPECT_STREQ(back.Fname, s.Fname);
    EXPECT_STREQ(back.Backup, s.Backup);
    EXPECT_STREQ(back.State, s.State);
    EXPECT_STREQ(back.Prefix, s.Prefix);
    EXPECT_STREQ(back.AreaCode, s.AreaCode);
    EXPECT_STREQ(back.NumberPrefix, s.NumberPrefix);
    EXPECT_EQ(back.TenDigitLocal, 1);
    EXPECT_EQ(back.ToneDial, 1);
    EXPECT_EQ(back.ComNum, 1);
    EXPECT_EQ(back.Speed, 0);
    EXPECT_EQ(back.Style, 3);
    EXPECT_EQ(back.Index, 12);
    EXPECT_EQ(back.PrintBits, 3);
    EXPECT_EQ(back.PrintSize, 0);
    for (int c = 0; c < kColumnCount; ++c) EXPECT_EQ(back.Cols[c], state.Cols[c]);
}

TEST(SettingsSave, ToneDialByteOf2ReadsTrueAndIsWrittenBackAs1) {
    MemorySettingsStore store;
    SetBinary(store, "ToneDial", 1, 2);
    Settings s = Load(store);
    EXPECT_EQ(s.ToneDial, 1);
    ASSERT_TRUE(SaveSettings(store, s, MakeShutdown()));
    EXPECT_EQ(Bytes(store, "ToneDial"), std::vector<unsigned char>{1});
}

TEST(SettingsSave, ColumnWidthsOnlyInDetailsView) {
    for (std::int32_t style : {0, 1, 2, 4, -1}) {
        SCOPED_TRACE(style);
        MemorySettingsStore store;
        const std::int32_t last[kColumnCount] = {9, 8, 7, 6, 5, 4, 3, 2, 1};
        store.Set("Cols", ValueType::Binary, last, sizeof last);
        Settings s = Load(store);
        s.Style = style;
        ASSERT_TRUE(SaveSettings(store, s, MakeShutdown()));
        Settings back = Load(store);
        EXPECT_EQ(back.Style, style);
        for (int c = 0; c < kColumnCount; ++c) EXPECT_EQ(back.Cols[c], last[c]);
    }
    // In details view a hidden column is saved as 0 and stays hidden.
    MemorySettingsStore store;
    Settings s = Load(store);
    ShutdownState state = MakeShutdown();
    state.Cols[5] = 0;
    ASSERT_TRUE(SaveSettings(store, s, state));
    EXPECT_EQ(Load(store).Cols[5], 0);
}

TEST(SettingsSave, NoSelectionIsStoredAsMinusOne) {
    MemorySettingsStore store;
    Settings s = Load(store);
    s.Index = 6;  // the index at start-up does not matter, the selection does
    ShutdownState state = MakeShutdown();
    state.Index = -1;
    ASSERT_TRUE(SaveSettings(store, s, state));
    EXPECT_EQ(Load(store).Index, -1);
}

TEST(SettingsSave, KeyThatCannotBeCreatedSavesNothing) {
    RecordingStore store;
    store.RefuseWrite(true);
    Settings s = Load(store);
    EXPECT_FALSE(SaveSettings(store, s, MakeShutdown()));
    EXPECT_TRUE(store.written.empty());
    EXPECT_TRUE(store.Values().empty());
}

TEST(SettingsSave, PlacementStopsAtTheFirstFailedWrite) {
    struct Case {
        const char* refuse;
        std::vector<std::string> placementWrites;
    } cases[] = {
        {"flags", {"flags"}},
        {"showCmd", {"flags", "showCmd"}},
        {"rcNormal", {"flags", "showCmd", "rcNormal"}},
        {"Fname", {"flags", "showCmd", "rcNormal"}},  // other failures go unreported
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.refuse);
        RecordingStore store;
        store.refuse = c.refuse;
        Settings s = Load(store);
        bool placed = SaveSettings(store, s, MakeShutdown());
        EXPECT_EQ(placed, std::string(c.refuse) == "Fname");
        ASSERT_GE(store.written.size(), c.placementWrites.size());
        std::vector<std::string> tail(store.written.end() - static_cast<long>(c.placementWrites.size()),
                                      store.written.end());
        EXPECT_EQ(tail, c.placementWrites);
        EXPECT_EQ(store.written[store.written.size() - c.placementWrites.size() - 1], "PrintSize");
        EXPECT_FALSE(store.IsOpen());
    }
}

TEST(SettingsSave, PlacementThatCouldNotBeHadIsNotWritten) {
    RecordingStore store;
    Settings s = Load(store);
    ShutdownState state = MakeShutdown();
    state.HasPlacement = false;
    EXPECT_FALSE(SaveSettings(store, s, state));
    EXPECT_EQ(store.written.back(), "PrintSize");
    EXPECT_EQ(store.Find("flags"), nullptr);
    EXPECT_NE(store.Find("PrintSize"), nullptr);
}

TEST(RestorePlacement, ReadsPlacementThenColours) {
    MemorySettingsStore store;
    Settings s = Load(store);
    ASSERT_TRUE(SaveSettings(store, s, MakeShutdown()));

    StoredPlacement placement{};
    StoredColours colours;
    EXPECT_TRUE(ReadPlacement(store, placement, colours));
    EXPECT_EQ(placement.Flags, 2);
    EXPECT_EQ(placement.ShowCmd, 3);
    EXPECT_EQ(placement.Left, -4);
    EXPECT_EQ(placement.Top, -4);
    EXPECT_EQ(placement.Right, 1284);
    EXPECT_EQ(placement.Bottom, 1028);
    EXPECT_TRUE(colours.HasText);
    EXPECT_EQ(colours.Text, 0x00112233u);
    EXPECT_TRUE(colours.HasBack);
    EXPECT_EQ(colours.Back, 0x00c0c0c0u);
    EXPECT_FALSE(store.IsOpen());
}

TEST(RestorePlacement, EachColourIsOptional) {
    MemorySettingsStore store;
    ASSERT_TRUE(SaveSettings(store, Load(store), MakeShutdown()));
    store.Remove("TxtClr");
    StoredPlacement placement{};
    StoredColours colours;
    EXPECT_TRUE(ReadPlacement(store, placement, colours));
    EXPECT_FALSE(colours.HasText);
    EXPECT_TRUE(colours.HasBack);

    ASSERT_TRUE(SaveSettings(store, Load(store), MakeShutdown()));
    store.Remove("TxtBkClr");
    colours = StoredColours();
    EXPECT_TRUE(ReadPlacement(store, placement, colours));
    EXPECT_TRUE(colours.HasText);
    EXPECT_FALSE(colours.HasBack);
}

TEST(RestorePlacement, IncompletePlacementRestoresNeitherPlacementNorColours) {
    struct Case {
        const char* what;
        void (*spoil)(MemorySettingsStore&);
    } cases[] = {
        {"no flags", [](MemorySettingsStore& m) { m.Remove("flags"); }},
        {"no showCmd", [](MemorySettingsStore& m) { m.Remove("showCmd"); }},
        {"no rcNormal", [](MemorySettingsStore& m) { m.Remove("rcNormal"); }},
        {"rcNormal of 12 bytes", [](MemorySettingsStore& m) { SetBinary(m, "rcNormal", 12); }},
        {"rcNormal of 20 bytes", [](MemorySettingsStore& m) { SetBinary(m, "rcNormal", 20); }},
        {"rcNormal as text", [](MemorySettingsStore& m) { m.SetText("rcNormal", "0123456789abcde"); }},
        {"showCmd as binary", [](MemorySettingsStore& m) { SetBinary(m, "showCmd", 4); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MemorySettingsStore store;
        ASSERT_TRUE(SaveSettings(store, Load(store), MakeShutdown()));
        c.spoil(store);
        StoredPlacement placement{1, 1, 10, 20, 30, 40};
        StoredColours colours;
        EXPECT_FALSE(ReadPlacement(store, placement, colours));
        EXPECT_EQ(placement.Flags, 1);
        EXPECT_EQ(placement.ShowCmd, 1);
        EXPECT_EQ(placement.Left, 10);
        EXPECT_EQ(placement.Bottom, 40);
        EXPECT_FALSE(colours.HasText);
        EXPECT_FALSE(colours.HasBack);
        EXPECT_FALSE(store.IsOpen());
    }

    MemorySettingsStore noKey;
    StoredPlacement placement{};
    StoredColours colours;
    EXPECT_FALSE(ReadPlacement(noKey, placement, colours));
}

TEST(RestorePlacement, OnlyAPlaceThatLeavesAUsableWindowIsUsed) {
    const ScreenMetrics screen{0, 0, 1024, 768, 32, 32, 112, 27, 19};
    struct Case {
        StoredPlacement p;
        bool usable;
    } cases[] = {
        {{0, 1, 60, 50, 760, 530}, true},
        {{0, 1, -4, -4, 1028, 772}, true},     // a little over every edge
        {{0, 1, 992, 736, 1692, 1216}, true},  // the last place by the right and bottom edges
        {{0, 1, 993, 50, 1693, 530}, false},   // beyond the right edge
        {{0, 1, 60, 737, 760, 1217}, false},   // beyond the bottom
        {{0, 1, -669, 50, 31, 530}, false},    // beyond the left edge
        {{0, 1, 60, -19, 760, 461}, false},    // the caption above the screen
        {{0, 1, 60, 50, 60, 50}, false},       // no size
        {{0, 1, 60, 50, 171, 530}, false},     // narrower than a window can be
        {{0, 1, 760, 530, 60, 50}, false},     // corners swapped
        {{0, 1, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.usable, IsUsablePlacement(c.p, screen))
            << c.p.Left << ", " << c.p.Top << ", " << c.p.Right << ", " << c.p.Bottom;

    // Judged against the monitor the place falls on: one left of the
    // primary, one above it, and one 200 pixels right of it.
    const ScreenMetrics left{-1280, 0, 0, 1024, 32, 32, 112, 27, 19};
    EXPECT_TRUE(IsUsablePlacement({0, 1, -1200, 100, -500, 600}, left));
    EXPECT_TRUE(IsUsablePlacement({0, 1, -1952, 100, -1248, 600}, left));   // an icon's width showing
    EXPECT_FALSE(IsUsablePlacement({0, 1, -1953, 100, -1249, 600}, left));  // less than that
    const ScreenMetrics above{0, -1024, 1280, 0, 32, 32, 112, 27, 19};
    EXPECT_TRUE(IsUsablePlacement({0, 1, 100, -900, 800, -400}, above));
    EXPECT_TRUE(IsUsablePlacement({0, 1, 100, -1042, 800, -400}, above));   // a pixel of caption
    EXPECT_FALSE(IsUsablePlacement({0, 1, 100, -1043, 800, -400}, above));  // the caption above it
    EXPECT_FALSE(IsUsablePlacement({0, 1, 100, -31, 800, 400}, above));     // below it
    const ScreenMetrics right{1224, 0, 2248, 768, 32, 32, 112, 27, 19};
    EXPECT_TRUE(IsUsablePlacement({0, 1, 1300, 50, 2000, 530}, right));
    EXPECT_TRUE(IsUsablePlacement({0, 1, 600, 50, 1256, 530}, right));     // reaching in from the gap
    EXPECT_FALSE(IsUsablePlacement({0, 1, 500, 50, 1255, 530}, right));    // not an icon's width
    EXPECT_FALSE(IsUsablePlacement({0, 1, 1000, 50, 1200, 530}, screen));  // in the gap, nearest the primary
}
