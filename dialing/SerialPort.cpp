#include "dialing/SerialPort.h"

#include "dialing/PortText.h"

bool SerialPort::OpenPort(int number, int speedIndex) {
    Close();
    handle_ = CreateFileA(PortName(number), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) {
        errorStep_ = 1;
        return false;
    }
    DCB dcb = {};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(handle_, &dcb)) {
        errorStep_ = 2;
        Close();
        return false;
    }
    PurgeComm(handle_, PURGE_TXABORT | PURGE_RXABORT);
    Sleep(250);
    // Every speed the setup offers dials at 9600; an unknown one keeps the
    // port's own rate.
    if (speedIndex >= 0 && speedIndex <= 3) dcb.BaudRate = CBR_9600;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    if (!SetCommState(handle_, &dcb)) {
        errorStep_ = 3;
        Close();
        return false;
    }
    return true;
}

bool SerialPort::WritePort(const char* text, DWORD length) {
    if (handle_ == INVALID_HANDLE_VALUE) return false;
    if (length == 0) length = static_cast<DWORD>(lstrlenA(text));
    DWORD written = 0;
    return WriteFile(handle_, text, length, &written, nullptr) && written == length;
}

void SerialPort::Close() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
}
