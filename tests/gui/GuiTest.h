#pragma once
// Helpers for driving real windows in tests: running the message queue until
// something has happened, and acting on a window as soon as it appears, so
// that modal loops can be answered without guessing at times.

#include <windows.h>

#include <functional>
#include <string>

// Dispatches messages until `done` holds or `timeoutMs` passes (a safety net,
// not a wait for something to settle).  Returns whether `done` held.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);

// Dispatches everything queued now.
void PumpQueued();

// While alive, runs `action` once for each new top-level window of the class
// (null: any class) shortly after it was created, from inside whatever modal
// loop is running then.
class OnWindowShown {
public:
    OnWindowShown(const char* className, std::function<void(HWND)> action);
    ~OnWindowShown();
    OnWindowShown(const OnWindowShown&) = delete;
    OnWindowShown& operator=(const OnWindowShown&) = delete;
    int Count() const { return count_; }

private:
    static LRESULT CALLBACK CbtHook(int code, WPARAM w, LPARAM l);
    static LRESULT CALLBACK RunnerProc(HWND hwnd, UINT message, WPARAM w, LPARAM l);
    std::string className_;
    std::function<void(HWND)> action_;
    HWND runner_ = nullptr;
    int count_ = 0;
};

std::string ClassOf(HWND hwnd);
std::string TextOf(HWND hwnd);
RECT WindowRectOf(HWND hwnd);
// The rectangle of a child in its parent's client coordinates.
RECT ChildRect(HWND child);

// A plain top-level window to own things in tests.
HWND MakeOwnerWindow(int width = 600, int height = 400);

// Saves the screen area of `hwnd` (its window rectangle) as a BMP file.
bool SaveWindowBitmap(HWND hwnd, const char* path);
