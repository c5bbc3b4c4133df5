#pragma once
// The strip of command buttons across the top of the frame.  Each button's
// control id is a menu command id, so a click reaches the frame as the same
// WM_COMMAND that the menu sends.  Widths and margins are pixels at 96 DPI,
// scaled for the bar's DPI.

#include "framework/Controls.h"
#include "framework/Dpi.h"
#include "framework/WindowObject.h"

#include <memory>

// Forwarded to the bar's parent unchanged.
constexpr UINT kBarForwardMessage = 0xFA7E;

class ButtonBar : public WindowObject {
public:
    ButtonBar();

    LRESULT WindowProc(UINT message, WPARAM w, LPARAM l) override;
    int RegisterWindowClass() override;
    virtual int CreateBar(HWND parent, int x, int y, int width, int height);

    int SetButtonCount(int n);
    int AddButton(const char* text, int width, int commandId, int disabled);
    void EnableButton(int commandId, bool enable);
    // The bar moved to a monitor of another scaling: its buttons are given
    // the font, places and sizes for `dpi` in a bar `height` high.
    void SetDpi(int dpi, int height);

    bool Visible() const { return visible_ != 0; }
    void SetVisible(bool visible) { visible_ = visible ? 1 : 0; }
    int BarHeight() const { return barHeight_; }
    int ButtonsAdded() const { return added_; }
    PushButton* Button(int index) { return index >= 0 && index < added_ ? &buttons_[index] : nullptr; }

private:
    void Paint();
    RECT Place(int left, int width) const;
    void PlaceButton(int index);

    int capacity_ = 0;
    int nextX_ = 0;
    int added_ = 0;
    int barHeight_ = 0;
    int dpi_ = kBaseDpi;
    std::unique_ptr<int[]> ids_;
    std::unique_ptr<int[]> lefts_;   // at 96 DPI
    std::unique_ptr<int[]> widths_;  // at 96 DPI
    DpiFont font_;
    std::unique_ptr<PushButton[]> buttons_;
    int visible_ = 1;
};
