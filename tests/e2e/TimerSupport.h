#pragma once
// What the benchmark drivers of the real telvara.exe share: paths from the
// Unix side, a millisecond clock, and a fresh registry that names the book to
// load (with an area code, so that no box stands in the way).

#include "ProgramDriver.h"

#include <initializer_list>
#include <string>
#include <utility>

inline constexpr char kBenchSettingsKey[] = "Software\\Ostrel Freeware\\Telvara\\Settings";
inline constexpr DWORD kBenchWait = 600000;  // a large book under Wine can take a while; only a failure waits this long

inline std::string WindowsPath(const char* path) {
    return path[0] == '/' ? WindowsPathOfUnixPath(path) : std::string(path);
}

inline double Now() {
    LARGE_INTEGER frequency, count;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&count);
    return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Settings from scratch: "Fname", "AreaCode" 819 and the numbers given.
inline bool PrepareSettings(const std::string& dataFile,
                            std::initializer_list<std::pair<const char*, DWORD>> numbers = {}) {
    DeleteRegistryTree("Software\\Ostrel Freeware");
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kBenchSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const char area[] = "819";
    bool ok =
        RegSetValueExA(key, "Fname", 0, REG_SZ, reinterpret_cast<const BYTE*>(dataFile.c_str()),
                       static_cast<DWORD>(dataFile.size() + 1)) == ERROR_SUCCESS &&
        RegSetValueExA(key, "AreaCode", 0, REG_SZ, reinterpret_cast<const BYTE*>(area), sizeof area) == ERROR_SUCCESS;
    for (const auto& number : numbers)
        ok = ok && RegSetValueExA(key, number.first, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number.second),
                                  sizeof number.second) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}
