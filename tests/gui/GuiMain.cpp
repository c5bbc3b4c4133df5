// The window tests need the common controls and a browser stand-in.

#include "GuiTest.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Points the shell's web and mail handlers at the recording script.
void RegisterRecordingBrowser() {
    const char* script = std::getenv("TELVARA_TEST_BROWSER");
    if (!script) return;
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    DWORD size = static_cast<DWORD>(lstrlenA(script) + 1);
    RegSetValueExA(key, "Browsers", 0, REG_SZ, reinterpret_cast<const BYTE*>(script), size);
    RegSetValueExA(key, "Mailers", 0, REG_SZ, reinterpret_cast<const BYTE*>(script), size);
    RegCloseKey(key);
}

}  // namespace

int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    RegisterRecordingBrowser();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
