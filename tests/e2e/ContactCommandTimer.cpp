// Times New, Edit and Delete of one contact in a large phone book against the
// start-up of that same book, in one run of telvara.exe.  Used by
// tools/bench-contact-commands.sh.
//
//   telvara_contact_timer EXE COUNT FILE REPEATS
//
// EXE and FILE may be Unix paths (reached through drive Z:) or Windows paths.
// The settings key is emptied and "Fname" and "AreaCode" are set, so that no
// box appears, and "Index" 0, so that a contact is selected from the start as
// after any earlier run.  The program is started REPEATS times.  The start-up runs from
// CreateProcess until the list holds COUNT items with the count in the status
// bar, as tools/bench-startup.sh counts it, and on until the list has been
// drawn, as the commands are counted.  Once the window has been drawn,
// each command is timed from the click on OK (Yes for Delete) until the
// program has finished it and has nothing left to draw in the list: the new or
// changed item is selected (for Delete, the item is gone and nothing is
// selected).  The best of the starts for each.  One line each:
//
//   RESULT what=startup ms=1234.5
//   RESULT what=startup_drawn ms=1300.2
//   RESULT what=new ms=12.3

#include "TimerSupport.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kNewContact = 40016, kEditContact = 40014, kDeleteContact = 40015;
constexpr int kFirstNameEdit = 1000;

class Timer {
public:
    Timer(RunningProgram& program) : program_(program) {}
    std::string error;

    // Opens the dialog of `command`, types the first name and times OK.
    double Dialog(int command, const std::string& firstName) {
        PostMessageA(program_.Frame(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
        HWND dialog = program_.WaitForDialog(kBenchWait);
        if (!dialog) return Fail("no contact dialog");
        if (!SetControlText(GetDlgItem(dialog, kFirstNameEdit), firstName)) return Fail("cannot type");
        double start = Now();
        if (!SendTo(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0, kBenchWait)) return Fail("OK not pressed");
        // Looked for cheaply while the clock runs: the status line names the
        // selected contact.  Asking the list which item is selected walks the
        // whole book in this control, and a look every millisecond would slow
        // the very program it times.
        bool shown = PollUntil(
            [&] {
                return SelectedCount() == 1 && program_.StatusText(0).find(firstName) != std::string::npos && Drawn();
            },
            kBenchWait, 1);
        double ms = Now() - start;
        int selected = program_.SelectedItem();
        if (!shown || selected < 0 || program_.ItemText(selected, 0) != firstName)
            return Fail(firstName + " never shown selected");
        return ms;
    }

    double Delete(int countAfter) {
        PostMessageA(program_.Frame(), WM_COMMAND, MAKEWPARAM(kDeleteContact, 0), 0);
        HWND box = program_.WaitForBox(kBenchWait);
        if (!box || !SendTo(box, WM_NULL, 0, 0)) return Fail("no delete question");
        HWND yes = FindWindowExA(box, nullptr, "BUTTON", nullptr);
        double start = Now();
        if (!yes || !SendTo(yes, BM_CLICK, 0, 0, kBenchWait)) return Fail("Yes not pressed");
        bool gone = PollUntil([&] { return program_.ItemCount() == countAfter && SelectedCount() == 0 && Drawn(); },
                              kBenchWait, 1);
        double ms = Now() - start;
        return gone ? ms : Fail("the contact was not removed");
    }

private:
    bool Drawn() const { return !GetUpdateRect(program_.List(), nullptr, FALSE); }
    int SelectedCount() const {
        auto n = SendTo(program_.List(), LVM_GETSELECTEDCOUNT, 0, 0);
        return n ? static_cast<int>(*n) : -1;
    }
    double Fail(const std::string& why) {
        error = why;
        return -1;
    }
    RunningProgram& program_;
};

void Report(const char* what, double ms) { std::printf("RESULT what=%s ms=%.1f\n", what, ms); }

// One start of the program: its start-up, then New, Edit and Delete.  The
// empty text, or what went wrong.
template <class Keep>
std::string TimeOneRun(const std::string& exe, int count, int run, Keep keep) {
    RunningProgram program;
    double start = Now();
    if (!program.Start(exe, "") || !program.WaitForFrame(kBenchWait)) return "the program did not start";
    const std::string expected = std::to_string(count);
    bool loaded = PollUntil(
        [&] {
            return program.TopWindow("CMSGCLASS") || !program.Running() ||
                   (program.ItemCount() == count && program.StatusText(1) == expected);
        },
        kBenchWait, 1);
    keep(0, Now() - start);
    if (!loaded || program.ItemCount() != count) return "the list never showed the whole book";
    if (!PollUntil([&] { return !GetUpdateRect(program.List(), nullptr, FALSE); }, kBenchWait, 1))
        return "the list was never drawn";
    keep(4, Now() - start);

    Timer timer(program);
    // A name in the middle of the book, then moved to its start, then removed.
    keep(1, timer.Dialog(kNewContact, "Mmtimer" + std::to_string(run)));
    if (timer.error.empty()) keep(2, timer.Dialog(kEditContact, "Aatimer" + std::to_string(run)));
    if (timer.error.empty()) keep(3, timer.Delete(count));
    if (!timer.error.empty()) return timer.error;

    // The book has changed: closing asks to save it, and No leaves the file.
    DWORD exitCode = 1;
    PostMessageA(program.Frame(), WM_CLOSE, 0, 0);
    HWND box = program.WaitForBox(kBenchWait);
    if (!box || !program.AnswerBoxWith(box, 1) || !program.WaitForExit(kBenchWait, exitCode) || exitCode != 0)
        return "the program did not close cleanly";
    return "";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s EXE COUNT FILE REPEATS\n", argv[0]);
        return 2;
    }
    const std::string exe = WindowsPath(argv[1]);
    const int count = std::atoi(argv[2]);
    const std::string file = WindowsPath(argv[3]);
    const int repeats = std::atoi(argv[4]) > 0 ? std::atoi(argv[4]) : 1;

    double best[5] = {-1, -1, -1, -1, -1};  // start-up, New, Edit, Delete, start-up drawn
    auto keep = [&](int i, double ms) {
        if (ms >= 0 && (best[i] < 0 || ms < best[i])) best[i] = ms;
        return ms >= 0;
    };
    for (int r = 0; r < repeats; ++r) {
        if (!PrepareSettings(file, {{"Index", 0}})) {
            std::fprintf(stderr, "cannot write the settings\n");
            return 2;
        }
        std::string error = TimeOneRun(exe, count, r, keep);
        if (!error.empty()) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
    }
    Report("startup", best[0]);
    Report("startup_drawn", best[4]);
    Report("new", best[1]);
    Report("edit", best[2]);
    Report("delete", best[3]);
    return 0;
}
