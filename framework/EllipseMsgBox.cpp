#include "framework/MsgBox.h"

#include "framework/EllipseFit.h"

#include <shellapi.h>

namespace {
constexpr int kAnswerWidth = 60;  // the OK button at 96 DPI, as PlaceButton makes it
constexpr int kAnswerHeight = 30;
}  // namespace

EllipseMsgBox::EllipseMsgBox() {
    RegisterWindowClass();  // already registered by the plain box: no second class
}

EllipseMsgBox::~EllipseMsgBox() { linkFont_.Release(); }

SIZE EllipseMsgBox::MeasureLink(HDC dc) {
    linkFont_.LogFont().lfUnderline = TRUE;
    linkFont_.SetColour(RGB(0, 0, 128));
    linkFont_.SetFace(dc, "MS Sans Serif", 12);
    HGDIOBJ oldFont = GetCurrentObject(dc, OBJ_FONT);
    linkFont_.SelectInto(dc);
    SIZE size = {};
    GetTextExtentPoint32A(dc, caption_, lstrlenA(caption_), &size);
    SelectObject(dc, oldFont);
    return size;
}

void EllipseMsgBox::CreateBoxWindow() {
    style_ = WS_POPUP | WS_VISIBLE;
    RECT owner = {};
    GetClientRect(owner_, &owner);
    int width = widest_ + 4 * maxCharWidth_;
    int height = lineHeight_ * (lineCount_ + (caption_[0] ? 10 : 8));
    // The text lines sit about the middle, but the link and the OK button sit
    // lower, where the ellipse is narrower: widen it until both fit inside
    // with the margin the text has.
    auto fit = [&](int rowWidth, int top, int bottom) {
        int needed = EllipseWidthForRow(rowWidth + 4 * maxCharWidth_, top, bottom, height);
        if (needed > width) width = needed;
    };
    if (caption_[0]) {
        HDC ic = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
        if (ic) {
            SIZE link = MeasureLink(ic);
            DeleteDC(ic);
            int top = LinkTop();
            fit(link.cx, top, top + link.cy);
        }
    }
    fit(Px(kAnswerWidth), height - 3 * lineHeight_, height - 3 * lineHeight_ + Px(kAnswerHeight));
    linkCreated_ = 0;
    CreateOwnWindow("CMSGCLASS", owner_, nullptr, "", owner.right / 2, owner.bottom / 2, width, height);
}

void EllipseMsgBox::CreateButtons() {
    RECT client;
    GetClientRect(hwnd_, &client);
    ellipseWidth_ = client.right - client.left + 1;
    ellipseHeight_ = client.bottom - client.top + 1;
    SetWindowRgn(hwnd_, CreateEllipticRgn(0, 0, ellipseWidth_, ellipseHeight_), TRUE);
    SetWindowPos(hwnd_, nullptr, 0, 0, ellipseWidth_, ellipseHeight_, SWP_NOMOVE | SWP_NOZORDER);
    PlaceButton(0, "&Ok", client.right / 2 - Px(kAnswerWidth) / 2, client.bottom - 3 * lineHeight_, IDOK);
    SetButtonsInUse(1);
}

void EllipseMsgBox::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    HBRUSH brush = CreateSolidBrush(backColour_);
    HPEN pen = CreatePen(PS_SOLID, 3, RGB(255, 0, 0));
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Ellipse(dc, 1, 1, ellipseWidth_ - 2, ellipseHeight_ - 2);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
    if (icon_) DrawBoxIcon(dc, ellipseWidth_ / 2 - Px(16), Px(18));
    SetTextColor(dc, textColour_);
    SetBkColor(dc, backColour_);
    int y = TextTop();
    ForEachLine([&](const char* line, int length) {
        SIZE size = {};
        GetTextExtentPoint32A(dc, line, length, &size);
        TextOutA(dc, (ellipseWidth_ - size.cx) / 2, y, line, length);
        y += lineHeight_;
    });
    if (caption_[0] && !linkCreated_) {
        SIZE size = MeasureLink(dc);
        linkRect_.left = (ellipseWidth_ - size.cx) / 2;
        linkRect_.top = LinkTop();
        linkRect_.right = linkRect_.left + size.cx;
        linkRect_.bottom = linkRect_.top + size.cy;
        linkButton_.SetStyle(WS_CHILD | WS_VISIBLE | BS_OWNERDRAW);
        linkButton_.Create(hwnd_, 0, "", linkRect_.left, linkRect_.top, size.cx, size.cy);
        linkCreated_ = 1;
    }
    EndPaint(hwnd_, &ps);
}

void EllipseMsgBox::OnDrawItem(WPARAM, LPARAM l) {
    auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(l);
    if (!item || !linkButton_.Id() || item->hwndItem != linkButton_.Handle()) return;
    HGDIOBJ oldFont = GetCurrentObject(item->hDC, OBJ_FONT);
    linkFont_.SelectInto(item->hDC);
    SetBkColor(item->hDC, backColour_);
    TextOutA(item->hDC, 0, 0, caption_, lstrlenA(caption_));
    SelectObject(item->hDC, oldFont);
}

void EllipseMsgBox::OnOtherCommand(int, LPARAM l) {
    if (!l || reinterpret_cast<HWND>(l) != linkButton_.Handle()) return;
    ShellExecuteA(GetParent(hwnd_), "open", caption_, "", "", SW_SHOWNORMAL);
    SendMessageA(hwnd_, WM_COMMAND, MAKEWPARAM(AnswerButton(0).Id(), 0), 0);
}
