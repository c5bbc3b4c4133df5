#pragma once
// The modem's serial port: opened for one dial, set to 9600 baud, 8 data
// bits, no parity, one stop bit, written to, and closed.  Nothing is read.

#include <windows.h>

class SerialPort {
public:
    ~SerialPort() { Close(); }

    // Opens port `number` (1 to 4) and sets it up; on failure ErrorStep()
    // tells which step failed: 1 open, 2 reading the settings, 3 applying them.
    bool OpenPort(int number, int speedIndex);
    // Writes the text (its own length when `length` is 0); true only when
    // every byte went out.
    bool WritePort(const char* text, DWORD length = 0);
    void Close();

    int ErrorStep() const { return errorStep_; }
    int ErrorDetail() const { return errorDetail_; }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    int errorStep_ = 0;
    int errorDetail_ = 0;
};
