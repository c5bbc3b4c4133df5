#include "ui/ColourDialog.h"

#include "framework/CentreWindow.h"
#include "framework/Dpi.h"
#include "resources/resource.h"

namespace {

const char kSample[] = "The quick brown fox jumped over the lazy dog.";
constexpr int kSampleLeft = 6;   // pixels at 96 DPI
constexpr int kSampleTop = 110;  // below the second slider

// The list's own default colours are markers, not colours: the sample shows
// what the list shows for them.
COLORREF Shown(COLORREF colour, int systemColour) {
    return colour == CLR_DEFAULT || colour == CLR_NONE ? GetSysColor(systemColour) : colour;
}

}  // namespace

void ColourDialog::OpenSlider(SliderControl& slider, int id, const ColourSlider& colour) {
    slider.SetHandle(GetDlgItem(hwnd_, id));
    SendMessageA(slider.Handle(), TBM_SETRANGE, FALSE, MAKELPARAM(0, kHighestColourIndex));
    SendMessageA(slider.Handle(), TBM_SETPAGESIZE, 0, 1);
    slider.SetPos(colour.Position());
}

void ColourDialog::PaintSample() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    if (!dc) return;
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    RECT client;
    GetClientRect(hwnd_, &client);
    SetTextColor(dc, Shown(fore_.Colour(), COLOR_WINDOWTEXT));
    SetBkColor(dc, Shown(back_.Colour(), COLOR_WINDOW));
    int line = metrics.tmHeight + metrics.tmExternalLeading;
    int dpi = WindowDpi(hwnd_);
    if (line > 0)
        for (int y = ScaleToDpi(kSampleTop, dpi); y < client.bottom; y += line)
            TextOutA(dc, ScaleToDpi(kSampleLeft, dpi), y, kSample, static_cast<int>(sizeof kSample - 1));
    EndPaint(hwnd_, &ps);
}

INT_PTR ColourDialog::DialogProc(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_INITDIALOG:
            OpenSlider(foreSlider_, IDC_COLOURS_FORE, fore_);
            OpenSlider(backSlider_, IDC_COLOURS_BACK, back_);
            CentreWindow(hwnd_);
            return 1;
        case WM_HSCROLL: {
            HWND from = reinterpret_cast<HWND>(l);
            bool changed = false;
            if (from && from == foreSlider_.Handle()) changed = fore_.MovedTo(foreSlider_.GetPos());
            if (from && from == backSlider_.Handle()) changed = back_.MovedTo(backSlider_.GetPos());
            if (changed) InvalidateRect(hwnd_, nullptr, TRUE);
            return 0;
        }
        case WM_PAINT: PaintSample(); return 0;
        case WM_COMMAND:
            if (LOWORD(w) == IDOK || LOWORD(w) == IDCANCEL) {  // the close box sends Cancel
                EndDialog(hwnd_, LOWORD(w) == IDOK ? 1 : 0);
                return 1;
            }
            return 0;
        default: return 0;
    }
}

bool ChooseColours(ListViewControl& list) {
    ColourDialog dialog(list.GetTextColor(), list.GetBkColor());
    if (dialog.Run(IDD_COLOURS, list.Handle()) != 1) return false;
    list.SetTextColor(dialog.Foreground());
    list.SetTextBkColor(dialog.Background());
    list.SetBkColor(dialog.Background());
    InvalidateRect(list.Handle(), nullptr, TRUE);
    return true;
}
