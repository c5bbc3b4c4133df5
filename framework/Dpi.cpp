#include "framework/Dpi.h"

namespace {

using DpiForWindow = UINT(WINAPI*)(HWND);
using DpiForSystem = UINT(WINAPI*)();
using SetAwareness = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);

template <class F>
F User32Function(const char* name) {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32 ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kBaseDpi;
}

}  // namespace

void RequestPerMonitorAwareness() {
    if (IsProcessDPIAware()) return;
    static const SetAwareness set = User32Function<SetAwareness>("SetProcessDpiAwarenessContext");
    if (set && !set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
}

int SystemDpi() {
    static const DpiForSystem forSystem = User32Function<DpiForSystem>("GetDpiForSystem");
    UINT dpi = forSystem ? forSystem() : 0;
    return dpi ? static_cast<int>(dpi) : ScreenDpi();
}

int WindowDpi(HWND hwnd) {
    static const DpiForWindow forWindow = User32Function<DpiForWindow>("GetDpiForWindow");
    UINT dpi = forWindow && hwnd ? forWindow(hwnd) : 0;  // 0 for a handle that is no window
    return dpi ? static_cast<int>(dpi) : SystemDpi();
}

HFONT CreateFontForDpi(const char* face, int points, BYTE pitchAndFamily, int dpi) {
    LOGFONTA lf = {};
    lf.lfHeight = -MulDiv(points, dpi, 72);  // negative: the character height, without internal leading
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_TT_PRECIS;  // a scalable face
    lf.lfPitchAndFamily = pitchAndFamily;
    lstrcpynA(lf.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectA(&lf);
}

DpiFont::~DpiFont() {
    if (font_) DeleteObject(font_);
    if (retired_) DeleteObject(retired_);
}

HFONT DpiFont::For(HWND control, int dpi) {
    int system = SystemDpi();
    if (!captured_) {
        // A control without a font of its own draws with the system font.
        HFONT own = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
        if (!own) own = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
        captured_ = GetObjectA(own, sizeof base_, &base_) != 0;
    }
    if (dpi == system || !captured_) return nullptr;
    if (font_ && madeFor_ == dpi) return font_;
    LOGFONTA scaled = base_;
    scaled.lfHeight = MulDiv(base_.lfHeight, dpi, system);
    scaled.lfWidth = MulDiv(base_.lfWidth, dpi, system);
    HFONT made = CreateFontIndirectA(&scaled);
    if (!made) return nullptr;
    // The font before stays until the next change: the controls given it
    // are given the new one after this returns.
    if (retired_) DeleteObject(retired_);
    retired_ = font_;
    font_ = made;
    madeFor_ = dpi;
    return font_;
}

void DpiFont::Apply(HWND control, int dpi) {
    HFONT font = For(control, dpi);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}
