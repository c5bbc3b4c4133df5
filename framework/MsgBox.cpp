#include "framework/MsgBox.h"

#include "framework/CentreWindow.h"
#include "framework/Instance.h"
#include "framework/ModalScope.h"

#include <cctype>
#include <new>

namespace {

bool g_registered = false;

// Shared by every box: one box is open at a time.
PushButton g_buttons[3];
int g_inUse = 0;
int g_current = 0;
WNDPROC g_buttonProc = nullptr;

const char* SystemIcon(UINT flags) {
    switch (flags & MB_ICONMASK) {
        case MB_ICONHAND: return IDI_HAND;
        case MB_ICONQUESTION: return IDI_QUESTION;
        case MB_ICONEXCLAMATION: return IDI_EXCLAMATION;
        case MB_ICONASTERISK: return IDI_ASTERISK;
        default: return nullptr;
    }
}

int MinimumWidth(UINT flags, int lineHeight) {
    switch (flags & 0xF) {
        case MB_OKCANCEL:
        case MB_YESNO: return 10 * lineHeight;
        case MB_YESNOCANCEL: return 13 * lineHeight;
        default: return 0;
    }
}

int TextWidth(HDC dc, const char* text, int length) {
    SIZE size = {};
    GetTextExtentPoint32A(dc, text, length, &size);
    return size.cx;
}

}  // namespace

void BevelFrame::Draw(HDC dc) const {
    if (Width == -1) return;
    int right = Left + Width - 1, bottom = Top + Height - 1;
    HPEN dark = CreatePen(PS_SOLID, 1, Dark);
    HPEN light = CreatePen(PS_SOLID, 1, Light);
    HGDIOBJ old = SelectObject(dc, dark);
    MoveToEx(dc, Left, bottom, nullptr);
    LineTo(dc, Left, Top);
    LineTo(dc, right, Top);
    SelectObject(dc, light);
    LineTo(dc, right, bottom);
    LineTo(dc, Left, bottom);
    SelectObject(dc, old);
    DeleteObject(dark);
    DeleteObject(light);
}

MsgBox::MsgBox() {
    bevel_.Light = GetSysColor(COLOR_BTNHIGHLIGHT);
    bevel_.Dark = GetSysColor(COLOR_BTNSHADOW);
    bevel_.Width = -1;
    RegisterWindowClass();
}

MsgBox::~MsgBox() = default;

// A themed answer button paints its corners with its parent's background,
// which it asks for with WM_ERASEBKGND and WM_PRINTCLIENT on its own context
// (DrawThemeParentBackground).  The box has no class brush, so the default
// handling of both would leave the corners unpainted: they get its colour.
LRESULT MsgBox::WindowProc(UINT message, WPARAM w, LPARAM l) {
    if (message == WM_ERASEBKGND || message == WM_PRINTCLIENT) {
        PaintBackground(reinterpret_cast<HDC>(w));
        return 1;  // erased
    }
    return WindowObject::WindowProc(message, w, l);
}

void MsgBox::PaintBackground(HDC dc) const {
    RECT client;
    GetClientRect(hwnd_, &client);
    HBRUSH back = CreateSolidBrush(backColour_);
    FillRect(dc, &client, back);
    DeleteObject(back);
}

int MsgBox::RegisterWindowClass() {
    return RegisterOwnClass(g_registered, "CMSGCLASS", CS_HREDRAW | CS_VREDRAW, nullptr,
                            LoadCursorA(nullptr, IDC_ARROW), nullptr, true);
}

PushButton& MsgBox::AnswerButton(int index) { return g_buttons[index]; }
int MsgBox::ButtonsInUse() { return g_inUse; }
int MsgBox::CurrentButton() { return g_current; }
void MsgBox::SetButtonsInUse(int n) { g_inUse = n; }

int MsgBox::PumpPending() {
    MSG msg;
    while (running_ && PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (msg.message == WM_QUIT) return 1;
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));  // keep it queued
        if (got <= 0) return 1;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

int MsgBox::Show(HWND owner, const char* text, const char* caption, UINT flags, const char* iconName,
                 COLORREF textColour, COLORREF backColour, COLORREF bevelColour) {
    ModalScope open;
    owner_ = owner;
    flags_ = flags;
    textColour_ = textColour;
    backColour_ = backColour;
    running_ = 1;
    result_ = 0;
    bevel_.Light = RGB(255, 255, 255);
    bevel_.Dark = bevelColour;
    bevel_.Width = -1;
    try {
        text_ = text ? text : "";
    } catch (...) {
        text_ = "Out of memory";
    }
    caption_ = caption ? caption : "";
    dpi_ = WindowDpi(owner);

    HDC ic = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
    TEXTMETRICA tm;
    if (!ic || !GetTextMetricsA(ic, &tm)) {
        if (ic) DeleteDC(ic);
        running_ = 0;
        return 0;
    }
    maxCharWidth_ = tm.tmMaxCharWidth;
    lineHeight_ = tm.tmHeight + tm.tmExternalLeading;
    lineCount_ = 0;
    widest_ = 0;
    ForEachLine([&](const char* line, int length) {
        ++lineCount_;
        int width = TextWidth(ic, line, length);
        if (width > widest_) widest_ = width;
    });
    int minimum = MinimumWidth(flags, lineHeight_);
    const char* systemIcon = SystemIcon(flags);
    hasIcon_ = systemIcon || iconName;
    if (hasIcon_) {
        leftMargin_ = Px(64);
        boxWidth_ = widest_ + 4 * maxCharWidth_ + leftMargin_;
    } else {
        int captionWidth = TextWidth(ic, caption_, lstrlenA(caption_));
        if (captionWidth > widest_) widest_ = captionWidth;
        leftMargin_ = Px(8);
        boxWidth_ = widest_ + 4 * maxCharWidth_ + leftMargin_;
    }
    if (boxWidth_ < minimum) boxWidth_ = minimum;
    DeleteDC(ic);

    icon_ = nullptr;
    DisableOwners();
    CreateBoxWindow();
    AfterCreate();
    // In the size for the box's DPI; shared, so nobody destroys it.
    int iconSize = Px(32);
    if (systemIcon)
        icon_ = static_cast<HICON>(LoadImageA(nullptr, systemIcon, IMAGE_ICON, iconSize, iconSize, LR_SHARED));
    else if (iconName)
        icon_ = static_cast<HICON>(LoadImageA(ProgramInstance(), iconName, IMAGE_ICON, iconSize, iconSize, LR_SHARED));
    if (!hwnd_) {
        EnableOwners();
        running_ = 0;
        return 0;
    }

    // Wait for the answer, sleeping while there is nothing to do.
    while (running_) {
        if (PumpPending()) {
            // The program is quitting: the wait ends, without an answer unless
            // one was given just before, and the quit message stays for the
            // main loop.
            running_ = 0;
            break;
        }
        // Closed with Alt+F4, or destroyed with its owner: no answer.
        if (running_ && !IsWindow(hwnd_)) running_ = 0;
        if (running_) WaitMessage();
    }
    if (hwnd_ && IsWindow(hwnd_)) {
        OnClose();
    } else if (hwnd_) {
        // Gone without passing through OnClose: forget the dead handle, or
        // the next box would never be created.
        hwnd_ = nullptr;
        EnableOwners();
        std::string().swap(text_);
    }
    return result_;
}

void MsgBox::CreateBoxWindow() {
    textRect_.left = leftMargin_;
    textRect_.top = lineHeight_;
    textRect_.right = boxWidth_;
    textRect_.bottom = lineHeight_ * (lineCount_ + 1) + 8;
    style_ = WS_POPUP | WS_VISIBLE | WS_CAPTION;
    int width = boxWidth_ + Px(16);
    int height = lineHeight_ * (lineCount_ + 6);
    RECT owner = {};
    GetClientRect(owner_, &owner);
    CreateOwnWindow("CMSGCLASS", owner_, nullptr, caption_, owner.right / 2 - width / 2, owner.bottom / 2 - height / 2,
                    width, height);
}

void MsgBox::AfterCreate() {}

void MsgBox::PlaceButton(int index, const char* text, int x, int y, int answer) {
    g_buttons[index].Create(hwnd_, 0, text, x, y, Px(60), Px(30));
    answers_[index] = answer;
}

void MsgBox::CreateButtons() {
    RECT client;
    GetClientRect(hwnd_, &client);
    int cx = client.right / 2;
    int y = client.bottom - 2 * lineHeight_;
    switch (flags_ & 0xF) {
        case MB_OKCANCEL:
            PlaceButton(0, "&Ok", cx - Px(70), y, IDOK);
            PlaceButton(1, "&Cancel", cx + Px(10), y, IDCANCEL);
            g_inUse = 2;
            break;
        case MB_YESNO:
            PlaceButton(0, "&Yes", cx - Px(70), y, IDYES);
            PlaceButton(1, "&No", cx + Px(10), y, IDNO);
            g_inUse = 2;
            break;
        case MB_YESNOCANCEL:
            PlaceButton(0, "&Yes", cx - Px(100), y, IDYES);
            PlaceButton(1, "&No", cx - Px(30), y, IDNO);
            PlaceButton(2, "&Cancel", cx + Px(40), y, IDCANCEL);
            g_inUse = 3;
            break;
        default:
            PlaceButton(0, "&Ok", cx - Px(30), y, IDOK);
            g_inUse = 1;
            break;
    }
}

int MsgBox::OnCreate() {
    // The text is painted, not a window text: tools outside the program
    // (screen readers, tests) find it through this property.
    SetPropA(hwnd_, kTextProperty, const_cast<char*>(text_.c_str()));
    CreateButtons();
    UINT focus = flags_ & MB_DEFMASK;
    g_current = focus == MB_DEFBUTTON2 ? 1 : focus == MB_DEFBUTTON3 ? 2 : 0;
    if (g_current >= g_inUse) g_current = 0;
    SetFocus(g_buttons[g_current].Handle());
    g_buttonProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(g_buttons[0].Handle(), GWLP_WNDPROC));
    for (int i = 0; i < g_inUse; ++i)
        SetWindowLongPtrA(g_buttons[i].Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ButtonKeyProc));
    CentreWindow(hwnd_);
    return 1;
}

LRESULT CALLBACK MsgBox::ButtonKeyProc(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
    HWND focus = GetFocus();
    for (int i = 0; i < g_inUse; ++i)
        if (g_buttons[i].Handle() == focus) g_current = i;
    if (message == WM_KEYDOWN && g_inUse > 0) {
        HWND box = GetParent(hwnd);
        if (w == VK_TAB || w == VK_RIGHT) {
            g_current = (g_current + 1) % g_inUse;
            SetFocus(g_buttons[g_current].Handle());
        } else if (w == VK_LEFT) {
            g_current = (g_current + g_inUse - 1) % g_inUse;
            SetFocus(g_buttons[g_current].Handle());
        } else if (w == VK_RETURN) {
            SendMessageA(box, WM_COMMAND, MAKEWPARAM(g_buttons[g_current].Id(), 0), 0);
        } else {
            for (int i = 0; i < g_inUse; ++i) {
                char m = g_buttons[i].Mnemonic();
                if (m && w == static_cast<WPARAM>(std::toupper(static_cast<unsigned char>(m)))) {
                    SendMessageA(box, WM_COMMAND, MAKEWPARAM(g_buttons[i].Id(), 0), 0);
                    break;
                }
            }
        }
    }
    return CallWindowProcA(g_buttonProc, hwnd, message, w, l);
}

void MsgBox::OnCommand(WPARAM w, LPARAM l) {
    if (HIWORD(w) != 0) return;
    int id = LOWORD(w);
    bool answered = false;
    for (int i = 0; i < g_inUse; ++i) {
        if (g_buttons[i].Id() == id) {
            result_ = answers_[i];
            answered = true;
            break;
        }
    }
    if (!answered) OnOtherCommand(id, l);
    if (result_ && running_) {
        PostMessageA(hwnd_, WM_CLOSE, 0, 0);
        running_ = 0;
    }
}

void MsgBox::OnOtherCommand(int, LPARAM) {}

// As the system's message box does, the box is modal to the owner's
// top-level window (the owner may be a control, which stays enabled and keeps
// its selection and focus), disabled before the box shows and only if it was
// enabled: a window that something else disabled stays so.
void MsgBox::DisableOwners() {
    HWND top = owner_ ? GetAncestor(owner_, GA_ROOT) : nullptr;
    disabledTop_ = top && IsWindowEnabled(top) ? top : nullptr;
    if (disabledTop_) EnableWindow(disabledTop_, FALSE);
}

void MsgBox::EnableOwners() {
    if (disabledTop_ && IsWindow(disabledTop_)) EnableWindow(disabledTop_, TRUE);
    disabledTop_ = nullptr;
}

void MsgBox::OnClose() {
    RemovePropA(hwnd_, kTextProperty);
    // Enabled before the box goes: a window must be enabled before it can be
    // activated, or another window takes the activation (EnableWindow page).
    EnableOwners();
    DestroyOwnWindow();
    std::string().swap(text_);
}

void MsgBox::OnLButtonDown(WPARAM, LPARAM) { SendMessageA(hwnd_, WM_NCLBUTTONDOWN, HTCAPTION, 0x50005); }

void MsgBox::OnSetFocus() {
    if (g_current < g_inUse) SetFocus(g_buttons[g_current].Handle());
}

void MsgBox::DrawBoxIcon(HDC dc, int x, int y) const {
    DrawIconEx(dc, x, y, icon_, Px(32), Px(32), 0, nullptr, DI_NORMAL);
}

void MsgBox::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    HBRUSH back = CreateSolidBrush(backColour_);
    FillRect(dc, &ps.rcPaint, back);
    DeleteObject(back);
    const RECT& r = textRect_;
    if (icon_) {
        DrawBoxIcon(dc, Px(16), r.top + (r.bottom - r.top) / 2 - Px(16));
        bevel_.Left = r.left;
        bevel_.Top = r.top;
        bevel_.Width = r.right - r.left + 1;
        bevel_.Height = r.bottom - r.top + 1;
        bevel_.Draw(dc);
    }
    SetTextColor(dc, textColour_);
    SetBkColor(dc, backColour_);
    int y = r.top + 3;
    ForEachLine([&](const char* line, int length) {
        int width = TextWidth(dc, line, length);
        TextOutA(dc, r.left + (r.right - r.left - width) / 2, y, line, length);
        y += lineHeight_;
    });
    EndPaint(hwnd_, &ps);
}
