// Window objects: binding at creation, the routing of each message to its
// handler and result, creation at most once, class registration once.

#include "framework/ControlObject.h"
#include "framework/Controls.h"
#include "framework/WindowObject.h"

#include "GuiTest.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

bool g_probeRegistered = false;

// Records every handler call by name.
class Probe : public WindowObject {
public:
    Probe() { style_ = WS_OVERLAPPEDWINDOW; }
    std::vector<std::string> calls;
    std::vector<UINT> seen;
    int createResult = 1;
    int unhandledResult = 0;

    int RegisterWindowClass() override {
        return RegisterOwnClass(g_probeRegistered, "TelvaraProbe", 0, nullptr, LoadCursorA(nullptr, IDC_ARROW), nullptr,
                                false);
    }
    LRESULT WindowProc(UINT message, WPARAM w, LPARAM l) override {
        seen.push_back(message);
        return WindowObject::WindowProc(message, w, l);
    }
    int Make() {
        RegisterWindowClass();
        return CreateOwnWindow("TelvaraProbe", nullptr, nullptr, "probe", 10, 10, 300, 200);
    }
    void Log(const char* name) { calls.push_back(name); }
    bool Called(const char* name) const {
        for (const auto& c : calls)
            if (c == name) return true;
        return false;
    }

    int OnCreate() override {
        Log("OnCreate");
        return createResult;
    }
    int OnUnhandled(UINT message, WPARAM, LPARAM) override {
        if (message == WM_APP + 1) Log("OnUnhandled");
        return message == WM_APP + 1 ? unhandledResult : 0;
    }
    int SaveState() override {
        Log("SaveState");
        return 1;
    }
    void OnFinalDestroy() override { Log("OnFinalDestroy"); }
    void OnDestroy() override { Log("OnDestroy"); }
    void OnEndSession(WPARAM, LPARAM) override { Log("OnEndSession"); }
    void OnClose() override { Log("OnClose"); }
    int OnQueryEndSession() override {
        Log("OnQueryEndSession");
        return 7;
    }
    void OnSize(WPARAM, LPARAM) override { Log("OnSize"); }
    void OnDrawItem(WPARAM, LPARAM) override { Log("OnDrawItem"); }
    int OnVKeyToItem(WPARAM) override {
        Log("OnVKeyToItem");
        return 5;
    }
    HBRUSH OnCtlColorListBox(WPARAM, LPARAM) override {
        Log("OnCtlColorListBox");
        return static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    }
    void OnNotify(WPARAM, LPARAM) override { Log("OnNotify"); }
    void OnCommand(WPARAM, LPARAM) override { Log("OnCommand"); }
    void OnContextMenu(WPARAM, LPARAM) override { Log("OnContextMenu"); }
    void OnKeyDown(WPARAM, LPARAM) override { Log("OnKeyDown"); }
    void OnKeyUp(WPARAM, LPARAM) override { Log("OnKeyUp"); }
    void OnChar(WPARAM, LPARAM) override { Log("OnChar"); }
    void OnSysKeyDown(WPARAM, LPARAM) override { Log("OnSysKeyDown"); }
    void OnSysKeyUp(WPARAM, LPARAM) override { Log("OnSysKeyUp"); }
    void OnSysCommand() override { Log("OnSysCommand"); }
    void OnTimer(WPARAM) override { Log("OnTimer"); }
    void OnHScroll(WPARAM, LPARAM) override { Log("OnHScroll"); }
    void OnVScroll(WPARAM, LPARAM) override { Log("OnVScroll"); }
    void OnInitMenu(WPARAM) override { Log("OnInitMenu"); }
    int OnMenuSelect(WPARAM, LPARAM) override {
        Log("OnMenuSelect");
        return 9;
    }
    void OnMouseMove(WPARAM, LPARAM) override { Log("OnMouseMove"); }
    void OnMouseWheel(WPARAM, LPARAM) override { Log("OnMouseWheel"); }
    void OnLButtonDown(WPARAM, LPARAM) override { Log("OnLButtonDown"); }
    void OnLButtonUp(WPARAM, LPARAM) override { Log("OnLButtonUp"); }
    void OnLButtonDblClk(WPARAM, LPARAM) override { Log("OnLButtonDblClk"); }
    void OnRButtonDown(WPARAM, LPARAM) override { Log("OnRButtonDown"); }
    void OnRButtonUp(WPARAM, LPARAM) override { Log("OnRButtonUp"); }
    void OnDropFiles(WPARAM) override { Log("OnDropFiles"); }
    void OnSetFocus() override { Log("OnSetFocus"); }
    void OnKillFocus() override { Log("OnKillFocus"); }
    void OnSysColorChange() override { Log("OnSysColorChange"); }
};

// A control wrapper that answers notifications itself.
class AnsweringButton : public PushButton {
public:
    int notified = 0;
    LRESULT OnNotify(NMHDR*) override {
        ++notified;
        return 42;
    }
};

struct WindowRouting : ::testing::Test {
    Probe probe;
    void SetUp() override { ASSERT_EQ(1, probe.Make()); }
    void TearDown() override {
        if (probe.Handle()) probe.DestroyOwnWindow();
    }
    LRESULT Send(UINT message, WPARAM w = 0, LPARAM l = 0) {
        probe.calls.clear();
        return SendMessageA(probe.Handle(), message, w, l);
    }
};

TEST_F(WindowRouting, ObjectIsBoundFromWindowCreation) {
    // Nothing reaches the object before WM_NCCREATE: those messages get the
    // default handling.
    ASSERT_FALSE(probe.seen.empty());
    EXPECT_EQ(static_cast<UINT>(WM_NCCREATE), probe.seen.front());
    EXPECT_TRUE(probe.Called("OnCreate"));
    EXPECT_EQ(&probe, WindowObject::FromWindow(probe.Handle()));
}

TEST_F(WindowRouting, EachMessageReachesItsHandlerWithItsResult) {
    struct Case {
        UINT message;
        const char* handler;
        LRESULT result;
    };
    const Case cases[] = {
        {WM_CLOSE, "OnClose", 0},
        {WM_QUERYENDSESSION, "OnQueryEndSession", 7},
        {WM_SIZE, "OnSize", 0},
        {WM_VKEYTOITEM, "OnVKeyToItem", 5},
        {WM_COMMAND, "OnCommand", 0},
        {WM_CONTEXTMENU, "OnContextMenu", 0},
        {WM_KEYDOWN, "OnKeyDown", 0},
        {WM_KEYUP, "OnKeyUp", 0},
        {WM_CHAR, "OnChar", 0},
        {WM_SYSKEYDOWN, "OnSysKeyDown", 0},
        {WM_SYSKEYUP, "OnSysKeyUp", 0},
        {WM_TIMER, "OnTimer", 0},
        {WM_HSCROLL, "OnHScroll", 0},
        {WM_VSCROLL, "OnVScroll", 0},
        {WM_INITMENU, "OnInitMenu", 0},
        {WM_MENUSELECT, "OnMenuSelect", 0},  // the handler's own result is not passed on
        {WM_MOUSEMOVE, "OnMouseMove", 0},
        {WM_MOUSEWHEEL, "OnMouseWheel", 0},
        {WM_LBUTTONDOWN, "OnLButtonDown", 0},
        {WM_LBUTTONUP, "OnLButtonUp", 0},
        {WM_LBUTTONDBLCLK, "OnLButtonDblClk", 0},
        {WM_RBUTTONDOWN, "OnRButtonDown", 0},
        {WM_RBUTTONUP, "OnRButtonUp", 0},
        {WM_DROPFILES, "OnDropFiles", 0},
        {WM_SYSCOLORCHANGE, "OnSysColorChange", 0},
        {WM_DRAWITEM, "OnDrawItem", 1},
    };
    for (const Case& c : cases) {
        LRESULT result = Send(c.message);
        EXPECT_TRUE(probe.Called(c.handler)) << c.handler;
        EXPECT_EQ(c.result, result) << c.handler;
    }
    EXPECT_EQ(reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH)), Send(WM_CTLCOLORLISTBOX));
    EXPECT_TRUE(probe.Called("OnCtlColorListBox"));
    Send(WM_SETFOCUS);
    EXPECT_TRUE(probe.Called("OnSetFocus"));
    Send(WM_KILLFOCUS);
    EXPECT_TRUE(probe.Called("OnKillFocus"));
}

TEST_F(WindowRouting, SystemCommandsStillReachTheDefaultProcedure) {
    ShowWindow(probe.Handle(), SW_SHOWNORMAL);
    Send(WM_SYSCOMMAND, SC_MINIMIZE);
    EXPECT_TRUE(probe.Called("OnSysCommand"));
    EXPECT_TRUE(IsIconic(probe.Handle()));
}

TEST_F(WindowRouting, EndSessionSavesOnlyWhenTheSessionEnds) {
    Send(WM_ENDSESSION, 0);
    EXPECT_EQ((std::vector<std::string>{"OnEndSession"}), probe.calls);
    Send(WM_ENDSESSION, 1);
    EXPECT_EQ((std::vector<std::string>{"OnEndSession", "SaveState"}), probe.calls);
}

TEST_F(WindowRouting, OtherMessagesGoToUnhandledThenTheDefault) {
    probe.unhandledResult = 1;
    EXPECT_EQ(0, Send(WM_APP + 1));
    EXPECT_TRUE(probe.Called("OnUnhandled"));
    // Not handled: the default procedure answers (WM_GETTEXTLENGTH of "probe").
    EXPECT_EQ(5, Send(WM_GETTEXTLENGTH));
}

TEST_F(WindowRouting, NotificationsGoToTheControlObjectOrTheWindow) {
    AnsweringButton button;
    ASSERT_EQ(1, button.Create(probe.Handle(), 0, "b", 0, 0, 40, 20));
    NMHDR header = {button.Handle(), static_cast<UINT_PTR>(button.Id()), NM_CLICK};
    EXPECT_EQ(42, Send(WM_NOTIFY, button.Id(), reinterpret_cast<LPARAM>(&header)));
    EXPECT_EQ(1, button.notified);
    EXPECT_FALSE(probe.Called("OnNotify"));

    // A control without a wrapper: the window's own handler, result 0.
    HWND plain = CreateWindowExA(0, "BUTTON", "p", WS_CHILD, 0, 0, 10, 10, probe.Handle(), nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    NMHDR other = {plain, 5, NM_CLICK};
    EXPECT_EQ(0, Send(WM_NOTIFY, 5, reinterpret_cast<LPARAM>(&other)));
    EXPECT_TRUE(probe.Called("OnNotify"));
}

TEST_F(WindowRouting, DestroyRunsDestroySaveAndFinalInOrder) {
    probe.calls.clear();
    ASSERT_EQ(1, probe.DestroyOwnWindow());
    EXPECT_EQ(nullptr, probe.Handle());
    EXPECT_EQ((std::vector<std::string>{"OnDestroy", "SaveState", "OnFinalDestroy"}), probe.calls);
}

TEST(WindowCreation, OneWindowUntilDestroyedThenANewOne) {
    Probe probe;
    ASSERT_EQ(1, probe.Make());
    HWND first = probe.Handle();
    ASSERT_EQ(1, probe.Make());
    EXPECT_EQ(first, probe.Handle());
    ASSERT_EQ(1, probe.DestroyOwnWindow());
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(0, probe.DestroyOwnWindow());  // nothing to destroy: the handle stays null
    ASSERT_EQ(1, probe.Make());
    EXPECT_NE(nullptr, probe.Handle());
    EXPECT_TRUE(IsWindow(probe.Handle()));
    probe.DestroyOwnWindow();
}

TEST(WindowCreation, RefusedCreationLeavesNoHandle) {
    Probe probe;
    probe.createResult = 0;
    EXPECT_EQ(0, probe.Make());
    EXPECT_EQ(nullptr, probe.Handle());
}

TEST(WindowCreation, ClassRegistersOnce) {
    bool registered = false;
    struct Once : Probe {
        bool* flag;
        int RegisterWindowClass() override {
            return RegisterOwnClass(*flag, "TelvaraOnce", 0, nullptr, nullptr, nullptr, false);
        }
    } once;
    once.flag = &registered;
    EXPECT_EQ(1, once.RegisterWindowClass());
    EXPECT_EQ(0, once.RegisterWindowClass());
    WNDCLASSA wc;
    EXPECT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "TelvaraOnce", &wc));
    EXPECT_EQ(reinterpret_cast<WNDPROC>(&WindowObject::WindowProcThunk), wc.lpfnWndProc);
}

TEST(WindowCreation, MissingCreateWarnsAndFails) {
    Probe probe;
    std::string text, caption;
    OnWindowShown answer("#32770", [&](HWND box) {
        caption = TextOf(box);
        HWND label = nullptr;
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (ClassOf(child) == "Static" && !TextOf(child).empty()) label = child;
        if (label) text = TextOf(label);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(0, probe.Create());
    EXPECT_EQ(1, answer.Count());
    EXPECT_EQ("App Error", caption);
    EXPECT_EQ("Missing Create", text);
}

}  // namespace
