#pragma once
// The status bar along the bottom of the frame.  Part widths are kept in
// average character widths and turned into pixel edges on every resize.

#include "framework/ControlObject.h"

#include <vector>

class StatusBar : public ControlObject {
public:
    StatusBar();

    int SetPartCount(int n);
    void AddPart(int width, int style);  // ignored beyond the declared count
    int CreateStatus(HWND parent);
    // The parent's WM_SIZE: the bar places itself and its parts again.
    void OnParentSize(WPARAM w, LPARAM l);
    void SetPartText(int index, const char* text);
    // Height the frame's layout gives the bar: 0 while it is hidden.
    int LayoutHeight() const;

    int PartCount() const { return count_; }
    int RightEdge(int index) const { return edges_[static_cast<std::size_t>(index)]; }

private:
    HWND parent_ = nullptr;
    int count_ = 0;
    int added_ = 0;
    std::vector<int> widths_;
    std::vector<int> styles_;
    std::vector<int> edges_;
};
