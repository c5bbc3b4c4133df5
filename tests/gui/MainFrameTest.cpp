// The main frame: its children's layout, closing, and the message loop with
// its accelerator table.

#include "framework/MainFrame.h"

#include "GuiTest.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class TestFrame : public MainFrame {
public:
    int canClose = 1;
    int restored = 0;
    std::vector<int> commands;
    int saved = 0;
    void ModifyCreate(CREATESTRUCTA& cs) override {
        cs.lpszName = "Telvara";
        cs.cx = 630;
        cs.cy = 422;
    }
    int CanClose() override { return canClose; }
    int RestorePlacement() override { return restored; }
    int SaveState() override { return ++saved; }
    void OnCommand(WPARAM w, LPARAM) override {
        commands.push_back(LOWORD(w));
        if (LOWORD(w) == 40004) DestroyOwnWindow();
    }
};

struct Frame : ::testing::Test {
    TestFrame frame;
    ListViewControl list;
    ButtonBar bar;
    StatusBar status;
    void SetUp() override {
        status.SetPartCount(3);
        status.AddPart(80, 0);
        status.AddPart(14, 0);
        status.AddPart(7, 0);
    }
    void TearDown() override {
        if (frame.Handle()) DestroyWindow(frame.Handle());
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    void Make() {
        ASSERT_EQ(1, frame.CreateFrame(&list, &bar, &status));
        frame.ShowFrame(SW_SHOWNORMAL);
        SetWindowPos(frame.Handle(), nullptr, 0, 0, 640, 480, SWP_NOMOVE | SWP_NOZORDER);
        PumpQueued();
    }
    void ExpectLayout(int barHeight) {
        RECT client;
        GetClientRect(frame.Handle(), &client);
        int w = client.right, h = client.bottom;
        int s = status.LayoutHeight();
        RECT b = ChildRect(bar.Handle()), l = ChildRect(list.Handle()), st = ChildRect(status.Handle());
        EXPECT_EQ(0, b.top);
        EXPECT_EQ(barHeight, b.bottom - b.top);
        EXPECT_EQ(w, b.right - b.left);
        EXPECT_EQ(barHeight, l.top);
        EXPECT_EQ(h - barHeight - s, l.bottom - l.top);
        EXPECT_EQ(w, l.right - l.left);
        EXPECT_EQ(h - s, st.top);
        EXPECT_EQ(h, st.bottom);
    }
};

TEST_F(Frame, ChildrenFillTheClientAreaTopToBottom) {
    Make();
    EXPECT_EQ("Telvara", TextOf(frame.Handle()));
    EXPECT_EQ("MainClass", ClassOf(frame.Handle()));
    RECT r = WindowRectOf(frame.Handle());
    EXPECT_EQ(640, r.right - r.left);
    HDC ic = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
    TEXTMETRICA tm;
    GetTextMetricsA(ic, &tm);
    DeleteDC(ic);
    EXPECT_EQ(tm.tmHeight + 12, frame.BarHeight());
    EXPECT_GT(status.LayoutHeight(), 0);
    ExpectLayout(frame.BarHeight());
    EXPECT_TRUE(GetWindowLongA(list.Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    // Focus given to the frame goes on to the list.
    SetFocus(frame.Handle());
    EXPECT_EQ(list.Handle(), GetFocus());
}

TEST_F(Frame, HiddenButtonBarGivesTheListTheTop) {
    bar.SetVisible(false);
    Make();
    ExpectLayout(0);
}

TEST_F(Frame, HiddenStatusBarGivesTheListTheBottom) {
    Make();
    ShowWindow(status.Handle(), SW_HIDE);
    SetWindowPos(frame.Handle(), nullptr, 0, 0, 600, 450, SWP_NOMOVE | SWP_NOZORDER);
    RECT client;
    GetClientRect(frame.Handle(), &client);
    RECT l = ChildRect(list.Handle());
    EXPECT_EQ(client.bottom, l.bottom);
}

TEST_F(Frame, CloseAsksCanCloseAndSavesOnDestroy) {
    Make();
    frame.canClose = 0;
    SendMessageA(frame.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(frame.Handle()));
    EXPECT_TRUE(IsWindow(list.Handle()));
    EXPECT_EQ(0, SendMessageA(frame.Handle(), WM_QUERYENDSESSION, 0, 0));
    frame.canClose = 1;
    EXPECT_EQ(1, SendMessageA(frame.Handle(), WM_QUERYENDSESSION, 0, 0));
    SendMessageA(frame.Handle(), WM_ENDSESSION, 1, 0);
    EXPECT_EQ(1, frame.saved);
    HWND hwnd = frame.Handle();
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(2, frame.saved);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));  // the loop would end
    EXPECT_EQ(0u, msg.wParam);
}

TEST_F(Frame, RestoredPlacementSkipsShowWindow) {
    frame.restored = 1;
    ASSERT_EQ(1, frame.CreateFrame(&list, &bar, &status));
    frame.ShowFrame(SW_SHOWNORMAL);
    EXPECT_FALSE(IsWindowVisible(frame.Handle()));  // the hook "placed" it without showing
}

WNDPROC g_listProc = nullptr;
int g_keysAtList = 0;
LRESULT CALLBACK CountKeys(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_KEYDOWN && w == 'S') ++g_keysAtList;
    return CallWindowProcA(g_listProc, hwnd, message, w, l);
}

TEST_F(Frame, AcceleratorBecomesACommandNotAKey) {
    Make();
    ASSERT_EQ(1, frame.LoadAccelTable(MAKEINTRESOURCEA(101)));
    g_listProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(list.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountKeys)));
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    BYTE saved = keys[VK_CONTROL];
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PostMessageA(list.Handle(), WM_KEYDOWN, 'S', 0x001F0001);
    PostMessageA(list.Handle(), WM_KEYDOWN, 'Q', 0x00100001);  // no accelerator
    PostQuitMessage(3);                                        // taken once the keys are done
    int result = frame.RunMessageLoop();
    keys[VK_CONTROL] = saved;
    SetKeyboardState(keys);
    SetWindowLongPtrA(list.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_listProc));
    EXPECT_EQ(3, result);
    EXPECT_EQ((std::vector<int>{40006}), frame.commands);
    EXPECT_EQ(0, g_keysAtList);
}

}  // namespace
