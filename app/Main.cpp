// Telvara: a phone book and dialer.

#include "app/AppFrame.h"
#include "app/Globals.h"
#include "app/Startup.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    try {
        if (!StartUp(instance, GetCommandLineA(), showCommand)) return 0;
        return g_frame.RunMessageLoop();
    } catch (...) {
        return 0;
    }
}
