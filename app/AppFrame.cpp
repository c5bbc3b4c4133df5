#include "app/AppFrame.h"

#include "app/Commands.h"
#include "app/Dialing.h"
#include "app/FileCommands.h"
#include "app/Globals.h"
#include "app/Recovery.h"
#include "app/RegistrySettingsStore.h"
#include "app/ShowError.h"
#include "app/ShutdownReason.h"
#include "app/StatusLine.h"
#include "framework/Dpi.h"
#include "framework/Instance.h"
#include "framework/ModalScope.h"
#include "framework/ScreenGeometry.h"
#include "resources/resource.h"
#include "ui/ColumnWidths.h"
#include "ui/ListImages.h"

#include <commctrl.h>
#include <windowsx.h>

AppFrame g_frame;

void AppFrame::ModifyClass(WNDCLASSA& wc) {
    wc.hIcon = LoadIconA(ProgramInstance(), MAKEINTRESOURCEA(IDI_TELEPHONE));
    wc.lpszMenuName = MAKEINTRESOURCEA(IDM_MAIN);
}

void AppFrame::ModifyCreate(CREATESTRUCTA& cs) {
    cs.lpszName = "Telvara";
    // Made at the system's DPI, the one a new window gets on the main monitor.
    cs.cx = ScaleToDpi(630, SystemDpi());
    cs.cy = ScaleToDpi(422, SystemDpi());
}

void AppFrame::OnDpiChanged(int dpi, const RECT& suggested) {
    int before = dpi_;
    MainFrame::OnDpiChanged(dpi, suggested);
    RescaleColumns(g_listView, before, dpi_);
    SetListImages(g_listView, dpi_);
}

int AppFrame::OnCreate() {
    int ok = MainFrame::OnCreate();
    g_listView.SetEvents(this);
    popup_ = LoadMenuA(ProgramInstance(), MAKEINTRESOURCEA(IDM_POPUP));
    return ok;
}

// Every box and dialog disables this window while it is open; as a second
// line, no command starts and the window stays while one is open, whatever
// reaches it: a second command would work on a list the open one still
// relies on, and a second box would share its answer buttons.
void AppFrame::OnCommand(WPARAM w, LPARAM) {
    if (ModalScope::OpenCount() > 0) return;
    DispatchCommand(LOWORD(w));
}

// The contact menu is for the window's client area (the list, which passes
// its right click up, the bars) and for the menu key, whose message carries
// -1, -1.  A right click on the caption or the frame also comes here
// (WM_CONTEXTMENU page), and the default handling shows the window menu.
void AppFrame::OnContextMenu(WPARAM w, LPARAM l) {
    if (ModalScope::OpenCount() > 0) return;
    bool keyboard = GET_X_LPARAM(l) == -1 && GET_Y_LPARAM(l) == -1;
    if (!keyboard && SendMessageA(hwnd_, WM_NCHITTEST, 0, l) != HTCLIENT) {
        DefWindowProcA(hwnd_, WM_CONTEXTMENU, w, l);
        return;
    }
    ShowPopupMenu(l);
}

void AppFrame::OnClose() {
    if (ModalScope::OpenCount() > 0) return;
    MainFrame::OnClose();
}

// Nothing is asked here and nothing refused, whatever box or dialog is open:
// since Windows Vista a program that waits for an answer now is covered by
// the shutdown page and may be ended unasked (WM_QUERYENDSESSION page).
// Unsaved changes go to a recovery copy instead; only a copy that cannot be
// written holds the session up, with a reason the user sees there.
int AppFrame::OnQueryEndSession() {
    if (!g_contacts.Changed() || WriteRecoveryCopy(SeenStamp())) {
        ReleaseShutdown(hwnd_);
        return 1;
    }
    HoldShutdown(hwnd_, kMsgUnsavedChanges);
    return 0;
}

// A session that goes on keeps its changes in the program alone.  One that
// ends may end the process at any moment after this returns: the copy stays.
void AppFrame::OnEndSession(WPARAM w, LPARAM) {
    sessionEnding_ = w != 0;
    if (sessionEnding_) return;
    DiscardRecoveryCopy();
    ReleaseShutdown(hwnd_);
}

// Closed by the user, with the changes saved or given up.
void AppFrame::OnDestroy() {
    if (!sessionEnding_) DiscardRecoveryCopy();
}

// WM_INITMENUPOPUP comes before each menu of the menu bar opens (and the
// popup menu): its items follow the book as it is then.  The default
// handling still runs after it.
int AppFrame::OnUnhandled(UINT message, WPARAM w, LPARAM l) {
    if (message == WM_INITMENUPOPUP && !HIWORD(l)) EnableMenuItems(reinterpret_cast<HMENU>(w));
    return 0;
}

namespace {

// The screen point of the keyboard form of the message: at the selected
// item, or at the list's top-left corner when none is selected.
POINT KeyboardPopupPoint() {
    HWND list = g_listView.Handle();
    RECT client = {};
    GetClientRect(list, &client);
    RECT item = {};
    item.left = LVIR_BOUNDS;
    int selected = g_listView.GetSelected();
    bool hasItem = selected >= 0 &&
                   SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(&item));
    ScreenRect itemRect = {item.left, item.top, item.right, item.bottom};
    ScreenPoint at = KeyboardMenuPoint(hasItem ? &itemRect : nullptr,
                                       ScreenRect{client.left, client.top, client.right, client.bottom});
    POINT point = {at.X, at.Y};
    ClientToScreen(list, &point);
    return point;
}

}  // namespace

void AppFrame::ShowPopupMenu(LPARAM point) {
    if (!popup_) return;
    EnablePopupItems(popup_);
    // Signed: a monitor left of or above the primary one has negative
    // coordinates.  Both -1 is the menu key or Shift+F10, which carries no
    // point (WM_CONTEXTMENU page).
    POINT at = {GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    if (at.x == -1 && at.y == -1) at = KeyboardPopupPoint();
    TrackPopupMenu(GetSubMenu(popup_, 0), TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr);
}

void AppFrame::OnDialRequested() { DialSelected(DialField::Phone); }
void AppFrame::OnHeaderClicked(int column) { g_contacts.SortByHeader(column); }
void AppFrame::OnSelectionChanged() { UpdateStatusLine(); }

void AppFrame::OnNotify(WPARAM, LPARAM) {}

int AppFrame::CanClose() {
    if (!g_contacts.Changed()) return 1;
    int answer = ShowProgramBox(hwnd_, "Save data?", g_settings.Fname, MB_YESNOCANCEL | MB_ICONQUESTION);
    switch (answer) {
        case IDYES: return SaveData() ? 1 : 0;
        case IDNO: return 1;
        default: return 0;  // Cancel, or no answer at all
    }
}

int AppFrame::SaveState() {
    ShutdownState state{};
    state.TextColour = g_listView.GetTextColor();
    state.BackColour = g_listView.GetBkColor();
    int widths[kColumnCount];
    ReadColumnWidths(g_listView, dpi_, widths);
    for (int c = 0; c < kColumnCount; ++c) state.Cols[c] = widths[c];
    state.Index = g_listView.GetSelected();
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof wp;
    state.HasPlacement = GetWindowPlacement(hwnd_, &wp) != 0;
    state.Placement = StoredPlacement{static_cast<std::int32_t>(wp.flags),
                                      static_cast<std::int32_t>(wp.showCmd),
                                      wp.rcNormalPosition.left,
                                      wp.rcNormalPosition.top,
                                      wp.rcNormalPosition.right,
                                      wp.rcNormalPosition.bottom};
    RegistrySettingsStore store(kSettingsKey);
    return SaveSettings(store, g_settings, state) ? 1 : 0;
}

int AppFrame::RestorePlacement() {
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof wp;
    GetWindowPlacement(hwnd_, &wp);
    StoredPlacement stored{static_cast<std::int32_t>(wp.flags), static_cast<std::int32_t>(wp.showCmd), 0, 0, 0, 0};
    StoredColours colours;
    RegistrySettingsStore store(kSettingsKey);
    if (!ReadPlacement(store, stored, colours)) return 0;
    if (colours.HasText) g_listView.SetTextColor(colours.Text);
    if (colours.HasBack) {
        g_listView.SetTextBkColor(colours.Back);
        g_listView.SetBkColor(colours.Back);
    }
    // A place that leaves no usable window on the monitor it falls on (the
    // nearest one, when it is on none) is not used.  The stored place is in
    // workspace coordinates (WINDOWPLACEMENT page): it is judged where it
    // lies on the screen, moved by a taskbar on the left or at the top.
    const RECT place = {stored.Left, stored.Top, stored.Right, stored.Bottom};
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromRect(&place, MONITOR_DEFAULTTONEAREST), &monitor)) return 0;
    const RECT& m = monitor.rcMonitor;
    const RECT& w = monitor.rcWork;
    ScreenRect onScreen = WorkspaceToScreen({place.left, place.top, place.right, place.bottom},
                                            {m.left, m.top, m.right, m.bottom}, {w.left, w.top, w.right, w.bottom});
    const StoredPlacement judged{stored.Flags, stored.ShowCmd, onScreen.Left,
                                 onScreen.Top, onScreen.Right, onScreen.Bottom};
    const ScreenMetrics screen{m.left,
                               m.top,
                               m.right,
                               m.bottom,
                               GetSystemMetrics(SM_CXICON),
                               GetSystemMetrics(SM_CYICON),
                               GetSystemMetrics(SM_CXMIN),
                               GetSystemMetrics(SM_CYMIN),
                               GetSystemMetrics(SM_CYCAPTION)};
    if (!IsUsablePlacement(judged, screen)) return 0;
    wp.flags = static_cast<UINT>(stored.Flags);
    wp.showCmd = static_cast<UINT>(stored.ShowCmd);
    wp.rcNormalPosition = RECT{stored.Left, stored.Top, stored.Right, stored.Bottom};
    SetWindowPlacement(hwnd_, &wp);
    return 1;
}
