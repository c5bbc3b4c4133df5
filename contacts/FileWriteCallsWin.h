#pragma once
// The Windows calls through which SafeFileWriter makes and fills the new file
// beside its target.  They are held as pointers so that the tests under Wine
// can stand in for what cannot be arranged on a real disk there: a disk that
// fills up part-way through a save, and a folder where no new file can be made
// (the tests run as root, so file modes stop nothing).  The program never
// changes them.

#include <windows.h>

struct FileWriteCalls {
    UINT(WINAPI* getTempFileName)(LPCSTR folder, LPCSTR prefix, UINT unique, LPSTR name);
    HANDLE(WINAPI* createFile)
    (LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD flags,
     HANDLE model);
    BOOL(WINAPI* writeFile)
    (HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped);
};

// The calls in use, the system's own unless a test has put others in (and
// then it puts them back).
FileWriteCalls& SafeWriterCalls();
