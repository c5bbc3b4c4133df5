// Times printing a large phone book in telvara.exe: the program is started on
// the book (its start-up to an idle loop is timed as by the start-up timer),
// then File / Print is chosen and OK pressed, and the time runs until the page
// is written whole and closed, which is the moment the program hands it to
// the shell; the time until the (recording) browser has its path is noted
// too.  Used by tools/bench-print.sh.
//
//   telvara_print_timer EXE COUNT FILE
//
// One line:  RESULT count=100000 startup_ms=... print_ms=... browser_ms=... page_kib=...

#include "TimerSupport.h"

#include "resources/resource.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

double Since(const LARGE_INTEGER& start) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The page's size once the program has closed it, or -1 while it has not:
// it writes the page without sharing, so no one else can open it till then.
LONGLONG ClosedPageSize(const std::string& page) {
    HANDLE f =
        CreateFileA(page.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return -1;
    LARGE_INTEGER size = {};
    GetFileSizeEx(f, &size);
    CloseHandle(f);
    return size.QuadPart > 0 ? size.QuadPart : -1;
}

int Fail(const char* why) {
    std::fprintf(stderr, "%s\n", why);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s EXE COUNT FILE\n", argv[0]);
        return 2;
    }
    const std::string exe = WindowsPath(argv[1]);
    const int count = std::atoi(argv[2]);
    const std::string file = WindowsPath(argv[3]);
    BrowserRecord browser;
    if (!browser.Problem().empty() || !browser.Register()) return Fail(browser.Problem().c_str());
    if (!PrepareSettings(file, {{"PrintBits", 15}, {"PrintSize", 1}})) return Fail("cannot write the settings");
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    const std::string page = std::string(temp) + "Telvara.htm";
    DeleteFileA(page.c_str());

    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    RunningProgram program;
    if (!program.Start(exe, "") || !program.WaitForFrame(kBenchWait)) return Fail("the program did not start");
    const std::string expected = std::to_string(count);
    if (!PollUntil(
            [&] {
                return program.TopWindow("CMSGCLASS") || !program.Running() ||
                       (program.ItemCount() == count && program.StatusText(1) == expected);
            },
            kBenchWait) ||
        program.ItemCount() != count)
        return Fail("the book was not loaded");
    const double startup = Since(start);

    if (!program.PostCommand(CMD_PRINT)) return Fail("no command");
    HWND dialog = program.WaitForDialog("Print to browser", kBenchWait);
    if (!dialog) return Fail("no print dialog");
    const std::size_t mark = browser.Mark();
    LARGE_INTEGER ok;
    QueryPerformanceCounter(&ok);
    if (!PressDialogButton(dialog, IDOK)) return Fail("OK cannot be pressed");
    LONGLONG size = -1;
    PollUntil([&] { return (size = ClosedPageSize(page)) > 0 || program.TopWindow("CMSGCLASS"); }, kBenchWait, 1);
    const double printed = Since(ok);
    if (size <= 0) return Fail("the page was not written");
    const bool reached = browser.WaitForLine(mark, "Telvara.htm", kBenchWait).has_value();
    const double browsed = Since(ok);
    if (!reached) return Fail("the browser never got the page");

    DWORD exitCode = 1;
    if (!program.Close(kBenchWait, exitCode) || exitCode != 0) return Fail("the program did not close cleanly");
    std::printf("RESULT count=%d startup_ms=%.1f print_ms=%.1f browser_ms=%.1f page_kib=%lld\n", count, startup,
                printed, browsed, size / 1024);
    return 0;
}
