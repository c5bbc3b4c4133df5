#include "framework/MainFrame.h"

#include "framework/Instance.h"

#include <commctrl.h>

namespace {
bool g_registered = false;
}

int MainFrame::RegisterWindowClass() {
    return RegisterOwnClass(g_registered, "MainClass", CS_BYTEALIGNCLIENT, LoadIconA(nullptr, IDI_APPLICATION),
                            LoadCursorA(nullptr, IDC_ARROW), static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)), true);
}

namespace {
MainFrame* g_current = nullptr;
}  // namespace

MainFrame* MainFrame::Current() { return g_current; }

int MainFrame::CreateFrame(ListViewControl* list, ButtonBar* bar, StatusBar* status) {
    g_current = this;
    list_ = list;
    bar_ = bar;
    status_ = status;
    RegisterWindowClass();
    CREATESTRUCTA cs = {};
    cs.dwExStyle = 0;
    cs.lpszClass = "MainClass";
    cs.lpszName = "";
    cs.style = WS_OVERLAPPEDWINDOW;
    cs.x = cs.y = cs.cx = cs.cy = CW_USEDEFAULT;
    ModifyCreate(cs);
    HWND hwnd = CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy, nullptr,
                                nullptr, ProgramInstance(), this);
    hwnd_ = hwnd;
    if (!hwnd) return 0;

    HDC ic = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
    if (!ic) return 0;
    TEXTMETRICA tm;
    BOOL measured = GetTextMetricsA(ic, &tm);
    DeleteDC(ic);
    if (!measured) return 0;

    RECT client;
    GetClientRect(hwnd_, &client);
    dpi_ = WindowDpi(hwnd_);
    textHeight_ = tm.tmHeight;
    barHeight_ = BarHeightFor(dpi_);
    if (!bar_->CreateBar(hwnd_, 0, 0, client.right, barHeight_)) return 0;
    list_->SetExStyle(WS_EX_CLIENTEDGE);
    if (!list_->Create(hwnd_, 0, "", CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT)) return 0;
    if (dpi_ != SystemDpi()) {  // made on a monitor of another scaling than the first
        listFont_.Apply(list_->Handle(), dpi_);
        statusFont_.Apply(status_->Handle(), dpi_);
    }
    return 1;
}

// The display font's height, in the size of the fonts made for `dpi`, and
// 12 pixels at 96 DPI.
int MainFrame::BarHeightFor(int dpi) const { return MulDiv(textHeight_, dpi, SystemDpi()) + ScaleToDpi(12, dpi); }

LRESULT MainFrame::WindowProc(UINT message, WPARAM w, LPARAM l) {
    if (message == WM_DPICHANGED) {
        // The new DPI is in the low word (both words are the same); the
        // suggested window rectangle is in lParam (WM_DPICHANGED page).
        const RECT* suggested = reinterpret_cast<const RECT*>(l);
        if (suggested) OnDpiChanged(LOWORD(w), *suggested);
        return 0;
    }
    return WindowObject::WindowProc(message, w, l);
}

void MainFrame::OnDpiChanged(int dpi, const RECT& suggested) {
    if (dpi <= 0) return;
    dpi_ = dpi;
    if (list_ && list_->Handle()) listFont_.Apply(list_->Handle(), dpi_);
    if (status_ && status_->Handle()) statusFont_.Apply(status_->Handle(), dpi_);
    barHeight_ = BarHeightFor(dpi_);
    if (bar_ && bar_->Handle()) bar_->SetDpi(dpi_, barHeight_);
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // Laid out again even when the size stayed: the bars' heights changed.
    RECT client;
    GetClientRect(hwnd_, &client);
    OnSize(SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
}

void MainFrame::ShowFrame(int showCommand) {
    if (!RestorePlacement()) ShowWindow(hwnd_, showCommand);
    UpdateWindow(hwnd_);
}

int MainFrame::LoadAccelTable(const char* name) {
    accel_ = LoadAcceleratorsA(ProgramInstance(), name);
    return accel_ ? 1 : 0;
}

bool MainFrame::HandleAccelerator(MSG& msg) { return accel_ && ::TranslateAcceleratorA(hwnd_, accel_, &msg); }

int MainFrame::RunMessageLoop() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (HandleAccelerator(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void MainFrame::OnFinalDestroy() { PostQuitMessage(0); }

void MainFrame::OnClose() {
    if (CanClose()) DestroyOwnWindow();
}

int MainFrame::OnQueryEndSession() { return CanClose(); }

int MainFrame::OnCreate() {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    if (!status_) return 0;
    status_->CreateStatus(hwnd_);
    return status_->Handle() ? 1 : 0;
}

void MainFrame::OnSetFocus() {
    if (list_ && list_->Handle()) SetFocus(list_->Handle());
}

void MainFrame::OnSize(WPARAM w, LPARAM l) {
    clientWidth_ = LOWORD(l);
    clientHeight_ = HIWORD(l);
    if (status_) status_->OnParentSize(w, l);
    Layout();
}

void MainFrame::Layout() {
    int width = clientWidth_, height = clientHeight_;
    statusHeight_ = status_ ? status_->LayoutHeight() : 0;
    int top = (bar_ && bar_->Visible()) ? barHeight_ : 0;
    HDWP batch = BeginDeferWindowPos(3);
    if (bar_ && bar_->Handle())
        batch = DeferWindowPos(batch, bar_->Handle(), nullptr, 0, 0, width, top, SWP_SHOWWINDOW);
    if (batch && list_ && list_->Handle())
        batch = DeferWindowPos(batch, list_->Handle(), nullptr, 0, top, width, height - top - statusHeight_,
                               SWP_SHOWWINDOW);
    if (batch && status_ && status_->Handle())
        batch = DeferWindowPos(batch, status_->Handle(), nullptr, 0, height - statusHeight_, width, statusHeight_,
                               SWP_SHOWWINDOW);
    if (batch) EndDeferWindowPos(batch);
}

int MainFrame::CanClose() { return 1; }
int MainFrame::RestorePlacement() { return 0; }
