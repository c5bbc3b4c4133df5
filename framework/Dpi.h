#pragma once
// Dots per inch of the program's windows.  The program follows the scaling
// of the monitor each window is on: sizes given in pixels are pixels at
// 96 DPI (100 %) and are scaled for the window they are drawn in, here and
// nowhere else.  Sizes taken from a font's metrics need no scaling: the
// font is made for the window's DPI.
//
// The per-monitor functions came with Windows 10 (1607) and are looked up
// at run time; before them every window has the screen's DPI (LOGPIXELSX of
// the screen), as a system-aware program does.

#include <windows.h>

constexpr int kBaseDpi = USER_DEFAULT_SCREEN_DPI;

// The manifest asks for per-monitor awareness (version 2, else version 1).
// Where it did not take (a system that stops at the first value of
// dpiAwareness it does not know, as Wine 8 does with version 2), the
// process asks for the same itself, before it makes any window.  Where the
// manifest took, nothing changes.
void RequestPerMonitorAwareness();

// The DPI the system gives a window when it is created.
int SystemDpi();
// The DPI of the monitor a window is on (the system DPI before Windows 10).
int WindowDpi(HWND hwnd);

// A size given in pixels at 96 DPI, for a window of `dpi`; and back.
inline int ScaleToDpi(int pixelsAt96, int dpi) { return MulDiv(pixelsAt96, dpi, kBaseDpi); }
inline int UnscaleFromDpi(int pixels, int dpi) { return MulDiv(pixels, kBaseDpi, dpi); }

// A font of `face` and `points` made for `dpi`, with the given pitch and
// family (the face the system takes when `face` is not installed).
HFONT CreateFontForDpi(const char* face, int points, BYTE pitchAndFamily, int dpi);

// The system's own font of a control made again for another DPI.  The
// controls are given fonts made for the system DPI; a window moved to a
// monitor of another scaling gives them this one instead.
class DpiFont {
public:
    DpiFont() = default;
    ~DpiFont();
    DpiFont(const DpiFont&) = delete;
    DpiFont& operator=(const DpiFont&) = delete;

    // Gives the control the font for `dpi`: its own font at the system DPI,
    // a copy of it in the scaled size at any other.
    void Apply(HWND control, int dpi);
    // The font for `dpi`; null at the system DPI, where the control's own
    // font is right.  `control` lends its font the first time.
    HFONT For(HWND control, int dpi);

private:
    LOGFONTA base_ = {};
    bool captured_ = false;
    int madeFor_ = 0;
    HFONT font_ = nullptr;
    HFONT retired_ = nullptr;
};
