// The settings rules: LoadSettings and ReadPlacement over any store.
//
// The input is a series of values, each a name byte (one of the stored names,
// or an unknown one), a type byte, a length byte and that many bytes of data.
// Beyond not crashing:
// - every text setting ends within its field, and "State" holds at most two
//   characters;
// - the flags read as 0 or 1;
// - the settings written at shutdown read back as the same settings (the
//   column widths only in details view, where they are written);
// - ReadPlacement changes nothing when it reports failure, and reads no
//   colour then.

#include "app/Settings.h"
#include "support/MemorySettingsStore.h"
#include "ui/ViewStyle.h"

#include "FuzzSupport.h"

#include <cstdint>
#include <cstring>

namespace {

const char* const kNames[] = {
    "Fname",     "Backup", "State",    "Prefix", "AreaCode", "NumberPrefix", "10DigitLocal",
    "ToneDial",  "ComNum", "Speed",    "Style",  "Cols",     "Index",        "PrintBits",
    "PrintSize", "TxtClr", "TxtBkClr", "flags",  "showCmd",  "rcNormal",     "Unknown",
};
constexpr int kNameCount = sizeof kNames / sizeof kNames[0];
const char kCommandLine[] = "\"C:\\Program Files\\Telvara\\telvara.exe\" /x";

void CheckText(const char* field, std::size_t size) { FUZZ_CHECK(std::memchr(field, '\0', size) != nullptr); }

void CheckSettings(const Settings& s) {
    CheckText(s.Fname, sizeof s.Fname);
    CheckText(s.Backup, sizeof s.Backup);
    CheckText(s.State, sizeof s.State);
    CheckText(s.Prefix, sizeof s.Prefix);
    CheckText(s.AreaCode, sizeof s.AreaCode);
    CheckText(s.NumberPrefix, sizeof s.NumberPrefix);
    FUZZ_CHECK(std::strlen(s.State) <= 2);
    FUZZ_CHECK(s.TenDigitLocal == 0 || s.TenDigitLocal == 1);
    FUZZ_CHECK(s.ToneDial == 0 || s.ToneDial == 1);
}

bool SameSettings(const Settings& a, const Settings& b) {
    bool cols = a.Style != kViewDetails || std::memcmp(a.Cols, b.Cols, sizeof a.Cols) == 0;
    return cols && std::strcmp(a.Fname, b.Fname) == 0 && std::strcmp(a.Backup, b.Backup) == 0 &&
           std::strcmp(a.State, b.State) == 0 && std::strcmp(a.Prefix, b.Prefix) == 0 &&
           std::strcmp(a.AreaCode, b.AreaCode) == 0 && std::strcmp(a.NumberPrefix, b.NumberPrefix) == 0 &&
           a.TenDigitLocal == b.TenDigitLocal && a.ToneDial == b.ToneDial && a.ComNum == b.ComNum &&
           a.Speed == b.Speed && a.Style == b.Style && a.Index == b.Index && a.PrintBits == b.PrintBits &&
           a.PrintSize == b.PrintSize;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemorySettingsStore store;
    while (size >= 3) {
        const char* name = kNames[data[0] % kNameCount];
        static const ValueType kTypes[] = {ValueType::Text, ValueType::Number, ValueType::Binary, ValueType::Other};
        ValueType type = kTypes[data[1] % 4];
        std::size_t length = data[2];
        data += 3;
        size -= 3;
        if (length > size) length = size;
        store.Set(name, type, data, length);
        data += length;
        size -= length;
    }

    Settings s;
    LoadSettings(store, kCommandLine, s);
    CheckSettings(s);

    StoredPlacement placement{7, 8, 1, 2, 3, 4};
    StoredColours colours;
    if (!ReadPlacement(store, placement, colours)) {
        FUZZ_CHECK(placement.Flags == 7 && placement.ShowCmd == 8 && placement.Left == 1 && placement.Bottom == 4);
        FUZZ_CHECK(!colours.HasText && !colours.HasBack);
    }

    ShutdownState state{};
    state.TextColour = colours.Text;
    state.BackColour = colours.Back;
    std::memcpy(state.Cols, s.Cols, sizeof s.Cols);
    state.Index = s.Index;
    state.HasPlacement = true;
    state.Placement = placement;
    MemorySettingsStore saved;
    FUZZ_CHECK(SaveSettings(saved, s, state));
    Settings again;
    LoadSettings(saved, kCommandLine, again);
    FUZZ_CHECK(SameSettings(s, again));
    return 0;
}
