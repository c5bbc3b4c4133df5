#pragma once
// The values kept between runs, their defaults, and the rules by which they
// are read at start-up and written when the main window goes away.

#include "app/SettingsStore.h"
#include "contacts/ContactList.h"
#include "dialing/PortText.h"

#include <cstddef>
#include <cstdint>

extern const char kSettingsKey[];  // under the current user's hive

constexpr std::size_t kPathSize = 260;

struct Settings {
    char Fname[kPathSize];
    char Backup[kPathSize];
    char State[3];
    char Prefix[kPrefixSize];
    char AreaCode[5];
    char NumberPrefix[12];
    std::int32_t TenDigitLocal;  // "10DigitLocal"
    std::int32_t ToneDial;
    std::int32_t ComNum;
    std::int32_t Speed;
    std::int32_t Style;
    std::int32_t Index;
    std::int32_t PrintBits;
    std::int32_t PrintSize;
    std::int32_t Cols[kColumnCount];
};

// The window's placement as stored: "flags", "showCmd" and "rcNormal".
struct StoredPlacement {
    std::int32_t Flags;
    std::int32_t ShowCmd;
    std::int32_t Left, Top, Right, Bottom;
};

// The list's colours as stored: "TxtClr" and "TxtBkClr".
struct StoredColours {
    bool HasText = false;
    std::uint32_t Text = 0;
    bool HasBack = false;
    std::uint32_t Back = 0;
};

// The program's own path: the first token of its command line, quoted or not;
// empty when it does not fit in `size` bytes.
void ProgramPathFromCommandLine(const char* commandLine, char* out, std::size_t size);

// The default "Fname" is `defaultDataFile` when one is given (not empty),
// else the program's path from the command line with ".csv".
void SetDefaultSettings(Settings& s, const char* commandLine, const char* defaultDataFile = nullptr);
// Defaults, then every value the store holds in a fitting form.
void LoadSettings(SettingsStore& store, const char* commandLine, Settings& s, const char* defaultDataFile = nullptr);

// Reads the placement; false when the key or any of its three values is
// missing, and then the colours are not read either.
bool ReadPlacement(SettingsStore& store, StoredPlacement& placement, StoredColours& colours);

// The monitor a stored place falls on and the system's sizes it is judged by.
struct ScreenMetrics {
    int Left, Top, Right, Bottom;  // the monitor, right and bottom exclusive
    int IconWidth, IconHeight;     // a window shows at least this much of itself
    int MinWidth, MinHeight;       // the smallest window the system makes
    int CaptionHeight;             // some of the caption must stay on the screen to move it
};

// Whether a stored place leaves a usable window on its monitor: at least the
// smallest size, some of its caption on the monitor, and at least an icon's
// width and height of it on the monitor.  Any other place is not used.
bool IsUsablePlacement(const StoredPlacement& p, const ScreenMetrics& screen);

// What the window side hands over at shutdown; the view is Settings::Style.
struct ShutdownState {
    std::uint32_t TextColour;
    std::uint32_t BackColour;
    std::int32_t Cols[kColumnCount];  // current widths, saved only in details view
    std::int32_t Index;               // -1 with no selection
    bool HasPlacement;                // false when the window's placement could not be had
    StoredPlacement Placement;
};

// Writes every value; true when all three placement values were written.
bool SaveSettings(SettingsStore& store, const Settings& s, const ShutdownState& state);
