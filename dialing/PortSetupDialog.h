#pragma once
// The Setup port dialog: the modem's serial port, the speed choice and the
// modem's dial command.  The port and speed it shows are working choices that
// live for the whole run: taken from the settings the first time it opens,
// changed by every click, kept through Cancel, and copied into the settings
// only by OK.

#include <windows.h>

#include <cstdint>

// The settings the dialog edits.
struct PortSetupValues {
    std::int32_t ComNum;  // 1 to 4
    std::int32_t Speed;   // 0 to 3: "1200", "2400", "4800", "9600"
    char Prefix[20];      // the modem's dial command, at most 19 characters
};

// The working choice; its owner keeps it for the whole run.
struct PortChoice {
    bool Taken = false;  // false until the dialog first opens
    std::int32_t ComNum = 0;
    std::int32_t Speed = 0;
};

// Runs the dialog over `owner`; true when it ended with OK, and only then
// does `values` change.  `choice` follows the clicks either way.
bool RunPortSetupDialog(HWND owner, PortChoice& choice, PortSetupValues& values);
