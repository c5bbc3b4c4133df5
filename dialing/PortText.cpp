#include "dialing/PortText.h"

#include <cstdio>

const char kHangUpCommand[] = "ATH\r";

const char* PortName(int portNumber) {
    switch (portNumber) {
        case 1: return "COM1";
        case 2: return "COM2";
        case 3: return "COM3";
        case 4: return "COM4";
        default: return "Unknown";
    }
}

void BuildDialCommand(const char* prefix, const char* dialString, char* out, std::size_t size) {
    std::snprintf(out, size, "%s%s\r", prefix, dialString);
}

void BuildDialingText(const char* dialString, char* out, std::size_t size) {
    std::snprintf(out, size, "Dialing: %s\n\nWait for modem to dial -\nOK to hang up", dialString);
}

void BuildPortErrorCaption(int a, int b, char* out, std::size_t size) {
    std::snprintf(out, size, "Error Number %d, %d", a, b);
}
