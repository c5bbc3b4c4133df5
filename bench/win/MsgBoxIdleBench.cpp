// Processor time that an open message box takes while it waits for the user.
//
// Opens the program's message box (warning icon, one OK button) over a plain
// owner window.  Timers of the owner, dispatched by the box's own wait, take
// the first sample once the box is up and drawn, and about five seconds later
// the second one, then press OK.  The process's user and kernel time between
// the samples, against the wall time, must stay under 1% of one core.
// Prints the figure and PASS or FAIL; the exit code is 0 only on PASS.

#include "framework/MsgBox.h"

#include <cstdio>

namespace {

MsgBox g_box;

constexpr UINT_PTR kStartTimer = 1;   // the box is up: first sample
constexpr UINT_PTR kPressTimer = 2;   // second sample, then OK
constexpr UINT_PTR kGiveUpTimer = 3;  // the press did not end the wait
constexpr UINT kSettleMs = 500;
constexpr UINT kMeasureMs = 5000;
constexpr double kLimitPercent = 1.0;

struct Sample {
    ULONGLONG cpu = 0;  // 100 ns units, user + kernel
    LARGE_INTEGER wall = {};
};

Sample g_start, g_end;
bool g_measured = false;

ULONGLONG Ticks(const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

Sample Now() {
    Sample s;
    FILETIME created, exited, kernel, user;
    if (GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) s.cpu = Ticks(kernel) + Ticks(user);
    QueryPerformanceCounter(&s.wall);
    return s;
}

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
    if (message != WM_TIMER) return DefWindowProcA(hwnd, message, w, l);
    KillTimer(hwnd, w);
    switch (w) {
        case kStartTimer:
            g_start = Now();
            SetTimer(hwnd, kPressTimer, kMeasureMs, nullptr);
            break;
        case kPressTimer:
            g_end = Now();
            g_measured = true;
            SetTimer(hwnd, kGiveUpTimer, 10000, nullptr);
            SendMessageA(MsgBox::AnswerButton(0).Handle(), BM_CLICK, 0, 0);
            break;
        case kGiveUpTimer: PostQuitMessage(1); break;
        default: break;
    }
    return 0;
}

HWND MakeOwner() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &OwnerProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "TelvaraBenchOwner";
    if (!RegisterClassA(&wc)) return nullptr;
    return CreateWindowExA(0, wc.lpszClassName, "Telvara", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 600, 400, nullptr,
                           nullptr, wc.hInstance, nullptr);
}

}  // namespace

int main() {
    HWND owner = MakeOwner();
    if (!owner) {
        std::printf("FAIL  no owner window (is there a display?)\n");
        return 1;
    }
    SetTimer(owner, kStartTimer, kSettleMs, nullptr);
    int answer = g_box.Show(owner, "Dialing: 5551234\nPick up the handset, then press OK.", "Telvara", 0x30, nullptr,
                            RGB(0, 0, 0), RGB(192, 192, 192), RGB(128, 128, 128));
    DestroyWindow(owner);

    if (!g_measured || answer != IDOK) {
        std::printf("FAIL  the message box did not wait for OK as it should (answer %d)\n", answer);
        return 1;
    }
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    double wall =
        static_cast<double>(g_end.wall.QuadPart - g_start.wall.QuadPart) / static_cast<double>(frequency.QuadPart);
    double cpu = static_cast<double>(g_end.cpu - g_start.cpu) / 1e7;
    double percent = wall > 0 ? 100.0 * cpu / wall : 100.0;
    std::printf("message box idle: %.2f%% of one core over %.1f s\n", percent, wall);
    bool pass = percent < kLimitPercent;
    std::printf("%s  an open message box takes under %.0f%% of one core while it waits\n", pass ? "PASS" : "FAIL",
                kLimitPercent);
    return pass ? 0 : 1;
}
