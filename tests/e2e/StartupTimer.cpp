// Times telvara.exe from CreateProcess until its message loop is idle with the
// whole data file shown, for data files of several sizes, and reads its peak
// working set.  Used by tools/bench-startup.sh.
//
//   telvara_startup_timer EXE REPEATS COUNT FILE [COUNT FILE ...]
//
// EXE and FILE may be Unix paths (reached through drive Z:) or Windows paths.
// For each file the settings key is emptied and "Fname" and "AreaCode" are set,
// so no box appears; the best of REPEATS starts counts.  One line per file:
//
//   RESULT count=10000 best_ms=123.4 peak_kib=45678

#include "TimerSupport.h"

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Run {
    bool Ok = false;
    double Ms = 0;
    SIZE_T PeakBytes = 0;
    std::string Error;
};

Run TimeOneStart(const std::string& exe, int count) {
    Run run;
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    RunningProgram program;
    if (!program.Start(exe, "")) {
        run.Error = "CreateProcess failed";
        return run;
    }
    if (!program.WaitForFrame(kBenchWait)) {
        run.Error = "no main window";
        return run;
    }
    // The list holds every item and the count in the status bar is written at
    // the end of the load; an answer to these messages comes from the message
    // loop, so the program is idle then.
    const std::string expected = std::to_string(count);
    HWND box = nullptr;
    bool idle = false;
    DWORD begun = GetTickCount();
    while (GetTickCount() - begun < kBenchWait) {
        box = program.TopWindow("CMSGCLASS");
        if (box || !program.Running()) break;
        if (program.ItemCount() == count && program.StatusText(1) == expected) {
            idle = true;
            break;
        }
        Sleep(1);  // the interval between two looks
    }
    QueryPerformanceCounter(&end);
    run.Ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof pmc;
    if (GetProcessMemoryInfo(program.Process(), &pmc, sizeof pmc)) run.PeakBytes = pmc.PeakWorkingSetSize;
    if (box) {
        run.Error = "a message box appeared: " + WindowText(box);
        return run;
    }
    if (!idle) {
        run.Error = "the list never showed " + expected + " items";
        return run;
    }
    DWORD exitCode = 1;
    if (!program.Close(kBenchWait, exitCode) || exitCode != 0) {
        run.Error = "the program did not close cleanly";
        return run;
    }
    run.Ok = true;
    return run;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5 || (argc - 3) % 2 != 0) {
        std::fprintf(stderr, "usage: %s EXE REPEATS COUNT FILE [COUNT FILE ...]\n", argv[0]);
        return 2;
    }
    const std::string exe = WindowsPath(argv[1]);
    const int repeats = std::atoi(argv[2]) > 0 ? std::atoi(argv[2]) : 1;
    int failures = 0;
    for (int a = 3; a + 1 < argc; a += 2) {
        const int count = std::atoi(argv[a]);
        const std::string file = WindowsPath(argv[a + 1]);
        double best = 0;
        SIZE_T peak = 0;
        bool any = false;
        std::string times;
        for (int r = 0; r < repeats; ++r) {
            if (!PrepareSettings(file)) {
                std::fprintf(stderr, "cannot write the settings\n");
                return 2;
            }
            Run run = TimeOneStart(exe, count);
            if (!run.Ok) {
                std::fprintf(stderr, "%d contacts: %s\n", count, run.Error.c_str());
                ++failures;
                break;
            }
            char one[32];
            std::snprintf(one, sizeof one, "%s%.1f", times.empty() ? "" : " ", run.Ms);
            times += one;
            if (!any || run.Ms < best) best = run.Ms;
            if (run.PeakBytes > peak) peak = run.PeakBytes;
            any = true;
            if (run.Ms > 60000) break;  // far too slow already: repeating it tells nothing more
        }
        if (!any) continue;
        std::printf("RESULT count=%d best_ms=%.1f peak_kib=%llu runs_ms=%s\n", count, best,
                    static_cast<unsigned long long>(peak / 1024), times.c_str());
        std::fflush(stdout);
    }
    return failures ? 1 : 0;
}
