#include "GuiTest.h"

#include <cstdio>
#include <vector>

namespace {
std::vector<OnWindowShown*> g_active;  // several may watch at once
HHOOK g_hook = nullptr;
constexpr UINT kRunAction = WM_APP + 77;
}  // namespace

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                return done();
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        }
    }
    return true;
}

void PumpQueued() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

OnWindowShown::OnWindowShown(const char* className, std::function<void(HWND)> action)
    : className_(className ? className : ""), action_(std::move(action)) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &RunnerProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TelvaraTestRunner";
        RegisterClassA(&wc);
        registered = true;
    }
    runner_ = CreateWindowExA(0, "TelvaraTestRunner", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(runner_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    // One hook serves every watcher.
    if (g_active.empty()) g_hook = SetWindowsHookExA(WH_CBT, &CbtHook, nullptr, GetCurrentThreadId());
    g_active.push_back(this);
}

OnWindowShown::~OnWindowShown() {
    DestroyWindow(runner_);
    for (auto it = g_active.begin(); it != g_active.end(); ++it)
        if (*it == this) {
            g_active.erase(it);
            break;
        }
    if (g_active.empty() && g_hook) {
        UnhookWindowsHookEx(g_hook);
        g_hook = nullptr;
    }
}

LRESULT CALLBACK OnWindowShown::CbtHook(int code, WPARAM w, LPARAM l) {
    if (code == HCBT_CREATEWND) {
        HWND hwnd = reinterpret_cast<HWND>(w);
        auto* cbt = reinterpret_cast<CBT_CREATEWNDA*>(l);
        bool topLevel = !(cbt->lpcs->style & WS_CHILD);
        if (topLevel) {
            for (OnWindowShown* watcher : g_active)
                if (hwnd != watcher->runner_)
                    // The class is known only once the window exists; decide later.
                    PostMessageA(watcher->runner_, kRunAction, reinterpret_cast<WPARAM>(hwnd),
                                 reinterpret_cast<LPARAM>(&g_active));
        }
    }
    return CallNextHookEx(nullptr, code, w, l);
}

LRESULT CALLBACK OnWindowShown::RunnerProc(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<OnWindowShown*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (message == kRunAction && self) {
        HWND target = reinterpret_cast<HWND>(w);
        if (IsWindow(target) && (self->className_.empty() || ClassOf(target) == self->className_)) {
            ++self->count_;
            self->action_(target);
        }
        return 0;
    }
    return DefWindowProcA(hwnd, message, w, l);
}

std::string ClassOf(HWND hwnd) {
    char name[128] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

std::string TextOf(HWND hwnd) {
    char text[1024] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

RECT WindowRectOf(HWND hwnd) {
    RECT r = {};
    GetWindowRect(hwnd, &r);
    return r;
}

RECT ChildRect(HWND child) {
    RECT r = WindowRectOf(child);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

HWND MakeOwnerWindow(int width, int height) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = "TelvaraTestOwner";
        RegisterClassA(&wc);
        registered = true;
    }
    HWND hwnd = CreateWindowExA(0, "TelvaraTestOwner", "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, width, height,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    PumpQueued();
    return hwnd;
}

bool SaveWindowBitmap(HWND hwnd, const char* path) {
    RECT r = WindowRectOf(hwnd);
    int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    GdiFlush();
    int stride = ((width * 3 + 3) / 4) * 4;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * height);
    bool ok = false;
    if (FILE* out = std::fopen(path, "wb")) {
        ok = std::fwrite(&file, sizeof file, 1, out) == 1 &&
             std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
             std::fwrite(bits, static_cast<std::size_t>(stride * height), 1, out) == 1;
        std::fclose(out);
    }
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}
