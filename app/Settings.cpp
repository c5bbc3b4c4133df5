#include "app/Settings.h"

#include "contacts/PathText.h"
#include "ui/ViewStyle.h"

#include <cstdio>
#include <cstring>

const char kSettingsKey[] = "Software\\Ostrel Freeware\\Telvara\\Settings";

namespace {

constexpr std::size_t kTextReadSize = 260;

void CopyText(char* field, std::size_t size, const char* text) { std::snprintf(field, size, "%s", text); }

// A text replaces the field only when it fits: at most size - 1 characters.
void ReadText(SettingsStore& store, const char* name, char* field, std::size_t size,
              std::size_t readSize = kTextReadSize) {
    char buffer[kTextReadSize + 1];
    std::size_t got = 0;
    ValueType type = ValueType::Other;
    if (!store.Read(name, buffer, readSize, got, type) || type != ValueType::Text) return;
    if (got > readSize) return;
    buffer[got] = '\0';  // a text stored without its terminator ends with the data
    std::size_t length = std::strlen(buffer);
    if (length > size - 1) return;
    std::memcpy(field, buffer, length + 1);
}

bool ReadNumber(SettingsStore& store, const char* name, std::int32_t& value) {
    std::int32_t buffer = 0;
    std::size_t got = 0;
    ValueType type = ValueType::Other;
    if (!store.Read(name, &buffer, sizeof buffer, got, type) || type != ValueType::Number || got != sizeof buffer)
        return false;
    value = buffer;
    return true;
}

// A one-byte flag: true for any nonzero byte.
void ReadFlag(SettingsStore& store, const char* name, std::int32_t& value) {
    unsigned char byte = 0;
    std::size_t got = 0;
    ValueType type = ValueType::Other;
    if (store.Read(name, &byte, 1, got, type) && type == ValueType::Binary && got == 1) value = byte != 0;
}

bool ReadBinary(SettingsStore& store, const char* name, void* data, std::size_t size) {
    unsigned char buffer[64];
    std::size_t got = 0;
    ValueType type = ValueType::Other;
    if (size > sizeof buffer) return false;
    if (!store.Read(name, buffer, size, got, type) || type != ValueType::Binary || got != size) return false;
    std::memcpy(data, buffer, size);
    return true;
}

bool WriteText(SettingsStore& store, const char* name, const char* text) {
    return store.Write(name, ValueType::Text, text, std::strlen(text) + 1);
}

bool WriteNumber(SettingsStore& store, const char* name, std::int32_t value) {
    return store.Write(name, ValueType::Number, &value, sizeof value);
}

bool WriteFlag(SettingsStore& store, const char* name, std::int32_t value) {
    unsigned char byte = value ? 1 : 0;
    return store.Write(name, ValueType::Binary, &byte, 1);
}

}  // namespace

void ProgramPathFromCommandLine(const char* commandLine, char* out, std::size_t size) {
    if (size == 0) return;
    const char* p = commandLine ? commandLine : "";
    while (*p == ' ' || *p == '\t') ++p;
    const char* end;
    if (*p == '"') {
        ++p;
        end = std::strchr(p, '"');
        if (!end) end = p + std::strlen(p);
    } else {
        end = p;
        while (*end && *end != ' ' && *end != '\t') ++end;
    }
    std::size_t length = static_cast<std::size_t>(end - p);
    // A cut path would name some other file: give none instead.
    if (length > size - 1) length = 0;
    std::memcpy(out, p, length);
    out[length] = '\0';
}

void SetDefaultSettings(Settings& s, const char* commandLine, const char* defaultDataFile) {
    std::memset(&s, 0, sizeof s);
    if (defaultDataFile && defaultDataFile[0]) {
        CopyText(s.Fname, sizeof s.Fname, defaultDataFile);
    } else {
        ProgramPathFromCommandLine(commandLine, s.Fname, sizeof s.Fname);
        if (!SetExtension(s.Fname, sizeof s.Fname, ".csv")) s.Fname[0] = '\0';
    }
    CopyText(s.State, sizeof s.State, "CA");
    CopyText(s.Prefix, sizeof s.Prefix, "ATDT");
    s.Style = kViewDetails;
    s.ComNum = 2;
    s.Speed = 3;
    s.Index = 0;
    s.PrintBits = 15;
    s.PrintSize = 1;
    for (int c = 0; c < kColumnCount; ++c) s.Cols[c] = kContactColumns[c].DefaultWidth;
}

void LoadSettings(SettingsStore& store, const char* commandLine, Settings& s, const char* defaultDataFile) {
    SetDefaultSettings(s, commandLine, defaultDataFile);
    if (!store.OpenForRead()) return;
    ReadBinary(store, "Cols", s.Cols, sizeof s.Cols);
    ReadNumber(store, "Style", s.Style);
    ReadText(store, "Fname", s.Fname, sizeof s.Fname);
    ReadText(store, "Backup", s.Backup, sizeof s.Backup);
    ReadText(store, "State", s.State, sizeof s.State, sizeof s.State);
    ReadText(store, "Prefix", s.Prefix, sizeof s.Prefix);
    ReadText(store, "NumberPrefix", s.NumberPrefix, sizeof s.NumberPrefix);
    ReadText(store, "AreaCode", s.AreaCode, sizeof s.AreaCode);
    ReadFlag(store, "10DigitLocal", s.TenDigitLocal);
    ReadFlag(store, "ToneDial", s.ToneDial);
    ReadNumber(store, "ComNum", s.ComNum);
    ReadNumber(store, "Speed", s.Speed);
    ReadNumber(store, "Index", s.Index);
    ReadNumber(store, "PrintBits", s.PrintBits);
    ReadNumber(store, "PrintSize", s.PrintSize);
    store.Close();
}

bool ReadPlacement(SettingsStore& store, StoredPlacement& placement, StoredColours& colours) {
    if (!store.OpenForRead()) return false;
    StoredPlacement read = placement;
    std::int32_t rect[4];
    bool complete = ReadNumber(store, "flags", read.Flags) && ReadNumber(store, "showCmd", read.ShowCmd) &&
                    ReadBinary(store, "rcNormal", rect, sizeof rect);
    if (complete) {
        read.Left = rect[0];
        read.Top = rect[1];
        read.Right = rect[2];
        read.Bottom = rect[3];
        placement = read;
        std::int32_t colour = 0;
        if ((colours.HasText = ReadNumber(store, "TxtClr", colour))) colours.Text = static_cast<std::uint32_t>(colour);
        if ((colours.HasBack = ReadNumber(store, "TxtBkClr", colour)))
            colours.Back = static_cast<std::uint32_t>(colour);
    }
    store.Close();
    return complete;
}

bool IsUsablePlacement(const StoredPlacement& p, const ScreenMetrics& screen) {
    // In 64 bits: the stored numbers may be anything.
    std::int64_t left = p.Left, top = p.Top, right = p.Right, bottom = p.Bottom;
    return right - left >= screen.MinWidth && bottom - top >= screen.MinHeight &&
           left <= std::int64_t{screen.Right} - screen.IconWidth &&
           top <= std::int64_t{screen.Bottom} - screen.IconHeight &&
           right >= std::int64_t{screen.Left} + screen.IconWidth && top + screen.CaptionHeight > screen.Top;
}

bool SaveSettings(SettingsStore& store, const Settings& s, const ShutdownState& state) {
    if (!store.OpenForWrite()) return false;
    WriteNumber(store, "TxtClr", static_cast<std::int32_t>(state.TextColour));
    WriteNumber(store, "TxtBkClr", static_cast<std::int32_t>(state.BackColour));
    WriteNumber(store, "Style", s.Style);
    // Widths are only meaningful in details view; other views keep the last ones.
    if (s.Style == kViewDetails) store.Write("Cols", ValueType::Binary, state.Cols, sizeof state.Cols);
    WriteText(store, "Fname", s.Fname);
    WriteText(store, "Backup", s.Backup);
    WriteText(store, "State", s.State);
    WriteText(store, "Prefix", s.Prefix);
    WriteText(store, "AreaCode", s.AreaCode);
    WriteText(store, "NumberPrefix", s.NumberPrefix);
    WriteFlag(store, "10DigitLocal", s.TenDigitLocal);
    WriteFlag(store, "ToneDial", s.ToneDial);
    WriteNumber(store, "ComNum", s.ComNum);
    WriteNumber(store, "Speed", s.Speed);
    WriteNumber(store, "Index", state.Index);
    WriteNumber(store, "PrintBits", s.PrintBits);
    WriteNumber(store, "PrintSize", s.PrintSize);
    bool placed = false;
    if (state.HasPlacement) {
        const StoredPlacement& p = state.Placement;
        std::int32_t rect[4] = {p.Left, p.Top, p.Right, p.Bottom};
        placed = WriteNumber(store, "flags", p.Flags) && WriteNumber(store, "showCmd", p.ShowCmd) &&
                 store.Write("rcNormal", ValueType::Binary, rect, sizeof rect);
    }
    store.Close();
    return placed;
}
