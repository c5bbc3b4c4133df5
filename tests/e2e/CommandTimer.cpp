// Times telvara.exe's commands on large books, driven from outside as a user
// drives them, against the program's start-up with the same book.  Used by
// tools/bench-commands.sh.
//
//   telvara_command_timer EXE ONE_CONTACT_BOOK REPEATS COUNT BOOK OLD_FILE VCARD_FILE [COUNT BOOK
//   OLD_FILE VCARD_FILE ...]
//
// For each book: the start (CreateProcess until the loop is idle with every
// contact in the list), then in that same run each command of kCommands in
// turn (a click on the "City" header, one on "First Name", Print, Save, Export
// vCard from OK in its file dialog), each from
// the moment the user acts until the program answers again with the work
// done.  Then, in a new run with a book of one contact, Import of OLD_FILE
// through the file dialog, and in another such run Import of VCARD_FILE (as
// many cards; "-" for none).  The program works on a copy of each book.  Best
// of REPEATS for each figure; peak working sets of the runs.  One line per
// book:
//
//   RESULT count=10000 start_ms=.. import_ms=.. city_ms=.. first_ms=.. print_ms=- save_ms=.. export_ms=..
//   peak_kib=.. import_peak_kib=.. vcard_ms=.. vcard_peak_kib=..
//
// A command whose row has no way to act yet reports "-" (not built).

#include "TimerSupport.h"
#include "resources/resource.h"

#include <commctrl.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kColumnFirstName = 0, kColumnCity = 4;

// The list shows `count` contacts and the status bar says so: the status is
// written at the end of a load or an import, and the answers come from the
// message loop, so the program is idle again.
bool ShowsAll(const RunningProgram& program, int count) {
    return program.ItemCount() == count && program.StatusText(1) == std::to_string(count);
}

// Waits for `done`, failing at once when a message box or the end of the
// program shows that it never will be.
bool WaitFor(const RunningProgram& program, const std::function<bool()>& done, std::string& error) {
    DWORD begun = GetTickCount();
    while (GetTickCount() - begun < kBenchWait) {
        if (HWND box = program.TopWindow("CMSGCLASS")) {
            error = "a message box appeared: " + WindowText(box);
            return false;
        }
        if (!program.Running()) {
            error = "the program ended";
            return false;
        }
        if (done()) return true;
        Sleep(1);  // the interval between two looks
    }
    error = "no answer in time";
    return false;
}

SIZE_T PeakBytes(const RunningProgram& program) {
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof pmc;
    return GetProcessMemoryInfo(program.Process(), &pmc, sizeof pmc) ? pmc.PeakWorkingSetSize : 0;
}

// A click on a column header: the button goes down and up over it, and the
// header reports the click to the list as it does for the mouse.  Sent, so
// that it returns once the program has handled it.
bool ClickHeader(const RunningProgram& program, int column) {
    auto header = SendTo(program.List(), LVM_GETHEADER, 0, 0);
    if (!header || !*header) return false;
    HWND hwnd = reinterpret_cast<HWND>(*header);
    RemoteMemory memory(program.Process(), sizeof(RECT));
    RECT rect = {};
    if (!memory.Valid() ||
        !SendTo(hwnd, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(memory.At(0))) ||
        !memory.Read(0, &rect, sizeof rect))
        return false;
    LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    return SendTo(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at, kBenchWait) && SendTo(hwnd, WM_LBUTTONUP, 0, at, kBenchWait);
}

int CompareShown(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()); }

struct Book {
    int Count;
    std::string File;     // the program's own copy of it
    std::string Working;  // where that copy goes
};

// One row of the table: what the user does, and how the program shows it
// has done it.  Act returns once the action is made; Done is polled after it.
struct TimedCommand {
    const char* Name;  // as in the RESULT line
    std::function<bool(RunningProgram&, const Book&)> Act;
    std::function<bool(RunningProgram&, const Book&)> Done;
    // What comes before the timed action (a dialog opened), or null.
    std::function<bool(RunningProgram&, const Book&)> Prepare = nullptr;
};

std::string PrintPage() {
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    return std::string(temp) + "Telvara.htm";
}

// The print dialog, open and waiting for its OK; the export's file dialog
// likewise, with the name typed.
HWND g_printDialog = nullptr, g_exportDialog = nullptr;

std::string ExportFile(const Book& b) { return b.Working + ".vcf"; }

// The commands timed after the start, in this order, on the same run.
std::vector<TimedCommand> Commands() {
    return {
        // The first click on "City" after a load sorts ascending, the first on
        // "First Name" descending.
        {"city", [](RunningProgram& p, const Book&) { return ClickHeader(p, kColumnCity); },
         [](RunningProgram& p, const Book& b) {
             return p.Settled(kBenchWait) &&
                    CompareShown(p.ItemText(0, kColumnCity), p.ItemText(b.Count - 1, kColumnCity)) <= 0;
         }},
        {"first", [](RunningProgram& p, const Book&) { return ClickHeader(p, kColumnFirstName); },
         [](RunningProgram& p, const Book& b) {
             return p.Settled(kBenchWait) && CompareShown(p.ItemText(0, 0) + p.ItemText(0, 1),
                                                          p.ItemText(b.Count - 1, 0) + p.ItemText(b.Count - 1, 1)) >= 0;
         }},
        // Print: from OK in its dialog until the page is written whole and the
        // shell has been asked to open it, which the command does last.
        {"print", [](RunningProgram&, const Book&) { return PressDialogButton(g_printDialog, IDOK); },
         [](RunningProgram& p, const Book&) {
             return !IsWindow(g_printDialog) && p.Settled(kBenchWait) &&
                    GetFileAttributesA(PrintPage().c_str()) != INVALID_FILE_ATTRIBUTES;
         },
         [](RunningProgram& p, const Book&) {
             DeleteFileA(PrintPage().c_str());
             return p.PostCommand(CMD_PRINT) && (g_printDialog = p.WaitForDialog("Print to browser", kBenchWait));
         }},
        {"save",
         [](RunningProgram& p, const Book&) {
             return SendTo(p.Frame(), WM_COMMAND, CMD_SAVE, 0, kBenchWait).has_value();
         },
         [](RunningProgram& p, const Book& b) {
             return p.Settled(kBenchWait) && LastWriteTime(b.Working) > LastWriteTime(b.File);
         }},
        {"export", [](RunningProgram&, const Book&) { return PressDialogButton(g_exportDialog, IDOK); },
         [](RunningProgram& p, const Book& b) {
             return !IsWindow(g_exportDialog) && p.Settled(kBenchWait) &&
                    GetFileAttributesA(ExportFile(b).c_str()) != INVALID_FILE_ATTRIBUTES;
         },
         [](RunningProgram& p, const Book& b) {
             DeleteFileA(ExportFile(b).c_str());
             if (!p.PostCommand(CMD_EXPORT_VCARD) || !(g_exportDialog = p.WaitForDialog(kBenchWait))) return false;
             SetDlgItemTextA(g_exportDialog, 0x47C, ExportFile(b).c_str());  // the name box, old or new style
             SetDlgItemTextA(g_exportDialog, 0x480, ExportFile(b).c_str());
             return true;
         }},
    };
}

struct Figures {
    double StartMs = -1;
    double ImportMs = -1, VCardMs = -1;
    std::vector<double> CommandMs;
    SIZE_T Peak = 0, ImportPeak = 0, VCardPeak = 0;
    void Keep(double& best, double ms) {
        if (best < 0 || ms < best) best = ms;
    }
};

// The start and the commands on one run; false with `error` set on failure.
bool TimeRun(const std::string& exe, const Book& book, Figures& figures, std::string& error) {
    // The copy is made old before the program reads it, so that Save is seen
    // by its newer time; made old later, it would be a change by another
    // program, which Save asks about.
    if (!CopyFileA(book.File.c_str(), book.Working.c_str(), FALSE) || !MakeOld(book.Working) ||
        !PrepareSettings(book.Working)) {
        error = "cannot prepare the book";
        return false;
    }
    double start = Now();
    RunningProgram program;
    if (!program.Start(exe, "") || !program.WaitForFrame(kBenchWait)) {
        error = "no main window";
        return false;
    }
    if (!WaitFor(
            program, [&] { return ShowsAll(program, book.Count); }, error))
        return false;
    figures.Keep(figures.StartMs, Now() - start);
    std::vector<TimedCommand> commands = Commands();
    figures.CommandMs.resize(commands.size(), -1);
    for (std::size_t i = 0; i < commands.size(); ++i) {
        const TimedCommand& command = commands[i];
        if (!command.Act) continue;  // not built
        if (command.Prepare && !command.Prepare(program, book)) {
            error = std::string(command.Name) + ": the program did not get ready for it";
            return false;
        }
        double begun = Now();
        if (!command.Act(program, book)) {
            error = std::string(command.Name) + ": the program did not take it";
            return false;
        }
        if (!WaitFor(
                program, [&] { return command.Done(program, book); }, error)) {
            error = std::string(command.Name) + ": " + error;
            return false;
        }
        figures.Keep(figures.CommandMs[i], Now() - begun);
    }
    SIZE_T peak = PeakBytes(program);
    if (peak > figures.Peak) figures.Peak = peak;
    DWORD exitCode = 1;
    if (!program.Close(kBenchWait, exitCode) || exitCode != 0) {
        error = "the program did not close cleanly";
        return false;
    }
    return true;
}

// Import of a file of `count` entries into a book of one contact, through
// the file dialog.
bool TimeImport(const std::string& exe, const std::string& oneBook, const std::string& oneWorking,
                const std::string& oldFile, int count, Figures& figures, double& best, SIZE_T& bestPeak,
                std::string& error) {
    if (!CopyFileA(oneBook.c_str(), oneWorking.c_str(), FALSE) || !PrepareSettings(oneWorking)) {
        error = "cannot prepare the book of one";
        return false;
    }
    RunningProgram program;
    if (!program.Start(exe, "") || !program.WaitForFrame(kBenchWait)) {
        error = "no main window";
        return false;
    }
    if (!WaitFor(
            program, [&] { return ShowsAll(program, 1); }, error))
        return false;
    PostMessageA(program.Frame(), WM_COMMAND, CMD_IMPORT, 0);
    HWND dialog = nullptr;
    if (!WaitFor(
            program, [&] { return (dialog = program.TopWindow("#32770")) != nullptr; }, error))
        return false;
    // The name typed into the dialog's name box, then OK.
    if (!PollUntil([&] { return GetDlgItem(dialog, 0x47C) || GetDlgItem(dialog, 0x480); }, kBenchWait)) {
        error = "the file dialog has no name box";
        return false;
    }
    SetDlgItemTextA(dialog, 0x47C, oldFile.c_str());
    SetDlgItemTextA(dialog, 0x480, oldFile.c_str());
    double begun = Now();
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    if (!WaitFor(
            program, [&] { return ShowsAll(program, count + 1) && program.StatusText(2) == "Mod"; }, error)) {
        error = "import: " + error;
        return false;
    }
    figures.Keep(best, Now() - begun);
    SIZE_T peak = PeakBytes(program);
    if (peak > bestPeak) bestPeak = peak;
    return true;  // ended unsaved by RunningProgram
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 8 || (argc - 4) % 4 != 0) {
        std::fprintf(stderr, "usage: %s EXE ONE_CONTACT_BOOK REPEATS COUNT BOOK OLD_FILE VCARD_FILE [...]\n", argv[0]);
        return 2;
    }
    const std::string exe = WindowsPath(argv[1]);
    const std::string oneBook = WindowsPath(argv[2]);
    const int repeats = std::atoi(argv[3]) > 0 ? std::atoi(argv[3]) : 1;
    // The printed page goes to a recording stand-in, not to a real browser.
    BrowserRecord browser;
    if (!browser.Problem().empty() || !browser.Register()) {
        std::fprintf(stderr, "no recording browser: %s\n", browser.Problem().c_str());
        return 2;
    }
    int failures = 0;
    for (int a = 4; a + 3 < argc; a += 4) {
        Book book{std::atoi(argv[a]), WindowsPath(argv[a + 1]), WindowsPath(argv[a + 1]) + ".work.csv"};
        const std::string oldFile = WindowsPath(argv[a + 2]);
        const bool cards = std::string(argv[a + 3]) != "-";
        const std::string cardFile = cards ? WindowsPath(argv[a + 3]) : std::string();
        Figures figures;
        std::string error;
        bool ok = true;
        for (int r = 0; r < repeats && ok; ++r) {
            const std::string oneWorking = oneBook + ".work.csv";
            ok = TimeRun(exe, book, figures, error) &&
                 TimeImport(exe, oneBook, oneWorking, oldFile, book.Count, figures, figures.ImportMs,
                            figures.ImportPeak, error) &&
                 (!cards || TimeImport(exe, oneBook, oneWorking, cardFile, book.Count, figures, figures.VCardMs,
                                       figures.VCardPeak, error));
        }
        DeleteFileA(book.Working.c_str());
        DeleteFileA((book.Working + ".vcf").c_str());
        if (!ok) {
            std::fprintf(stderr, "%d contacts: %s\n", book.Count, error.c_str());
            ++failures;
            continue;
        }
        std::string line = "RESULT count=" + std::to_string(book.Count);
        char value[64];
        std::snprintf(value, sizeof value, " start_ms=%.1f import_ms=%.1f", figures.StartMs, figures.ImportMs);
        line += value;
        std::vector<TimedCommand> commands = Commands();
        for (std::size_t i = 0; i < commands.size(); ++i) {
            if (figures.CommandMs[i] < 0)
                std::snprintf(value, sizeof value, " %s_ms=-", commands[i].Name);
            else
                std::snprintf(value, sizeof value, " %s_ms=%.1f", commands[i].Name, figures.CommandMs[i]);
            line += value;
        }
        std::snprintf(value, sizeof value, " peak_kib=%llu import_peak_kib=%llu",
                      static_cast<unsigned long long>(figures.Peak / 1024),
                      static_cast<unsigned long long>(figures.ImportPeak / 1024));
        line += value;
        if (cards)
            std::snprintf(value, sizeof value, " vcard_ms=%.1f vcard_peak_kib=%llu", figures.VCardMs,
                          static_cast<unsigned long long>(figures.VCardPeak / 1024));
        else
            std::snprintf(value, sizeof value, " vcard_ms=- vcard_peak_kib=-");
        line += value;
        std::printf("%s\n", line.c_str());
        std::fflush(stdout);
    }
    return failures ? 1 : 0;
}
