#pragma once
// Faults put into the data file writer's Windows calls for one scope: a disk
// that fills up after so many bytes, a folder where no new file can be made,
// a new file that is made but will not open, and another program that opens
// the target while the new file is being written.  Wine cannot be made to
// fail these ways on its own (the tests run as root), so the writer's calls
// are stood in for; everything else goes through to Windows.

#include "contacts/FileWriteCallsWin.h"

#include <windows.h>

#include <string>

class FileWriteFault {
public:
    enum class Kind { DiskFull, NoNewFileInFolder, NewFileWillNotOpen, TargetTakenWhileWriting };

    // `room`: the bytes that still fit on the disk (DiskFull); `target`: the
    // file the other program opens (TargetTakenWhileWriting).
    explicit FileWriteFault(Kind kind, DWORD room = 0, const std::string& target = "") : saved_(SafeWriterCalls()) {
        Room() = room;
        Target() = target;
        Held() = INVALID_HANDLE_VALUE;
        switch (kind) {
            case Kind::DiskFull: SafeWriterCalls().writeFile = &WriteUntilFull; break;
            case Kind::NoNewFileInFolder: SafeWriterCalls().getTempFileName = &NoTempName; break;
            case Kind::NewFileWillNotOpen: SafeWriterCalls().createFile = &NoOpen; break;
            case Kind::TargetTakenWhileWriting: SafeWriterCalls().writeFile = &TakeTargetThenWrite; break;
        }
    }
    ~FileWriteFault() {
        SafeWriterCalls() = saved_;
        if (Held() != INVALID_HANDLE_VALUE) CloseHandle(Held());
    }
    FileWriteFault(const FileWriteFault&) = delete;
    FileWriteFault& operator=(const FileWriteFault&) = delete;

    // The other program's handle on the target, once it has taken it.
    static bool TargetTaken() { return Held() != INVALID_HANDLE_VALUE; }

private:
    static DWORD& Room() {
        static DWORD room = 0;
        return room;
    }
    static std::string& Target() {
        static std::string target;
        return target;
    }
    static HANDLE& Held() {
        static HANDLE held = INVALID_HANDLE_VALUE;
        return held;
    }

    static BOOL WINAPI WriteUntilFull(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped) {
        DWORD part = size < Room() ? size : Room();
        DWORD put = 0;
        if (part > 0 && !WriteFile(file, data, part, &put, overlapped)) return FALSE;
        Room() -= put;
        if (written) *written = put;
        if (put == size) return TRUE;
        SetLastError(ERROR_DISK_FULL);
        return FALSE;
    }
    static UINT WINAPI NoTempName(LPCSTR, LPCSTR, UINT, LPSTR name) {
        if (name) name[0] = '\0';
        SetLastError(ERROR_ACCESS_DENIED);
        return 0;
    }
    static HANDLE WINAPI NoOpen(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    static BOOL WINAPI TakeTargetThenWrite(HANDLE file, LPCVOID data, DWORD size, LPDWORD written,
                                           LPOVERLAPPED overlapped) {
        if (Held() == INVALID_HANDLE_VALUE)
            Held() = CreateFileA(Target().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        return WriteFile(file, data, size, written, overlapped);
    }

    FileWriteCalls saved_;
};
