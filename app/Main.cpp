// Telvara: a phone book and dialer.

#include "app/AppFrame.h"
#include "app/Globals.h"
#include "app/Startup.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    int result = 0;
    try {
        if (StartUp(instance, GetCommandLineA(), showCommand)) result = g_frame.RunMessageLoop();
    } catch (...) {
        result = 0;
    }
    ShutDown();
    return result;
}
