// The button bar: button placement, the refused extra button, enabling by
// command id, and which notifications reach the parent.

#include "framework/ButtonBar.h"

#include "GuiTest.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::pair<WPARAM, LPARAM>> g_commands;

LRESULT CALLBACK RecordingParent(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_COMMAND || message == kBarForwardMessage) g_commands.push_back({w, l});
    return DefWindowProcA(hwnd, message, w, l);
}

struct Bar : ::testing::Test {
    HWND parent = nullptr;
    ButtonBar bar;
    void SetUp() override {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &RecordingParent;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TelvaraBarParent";
        RegisterClassA(&wc);
        parent = CreateWindowExA(0, "TelvaraBarParent", "p", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 200, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
        g_commands.clear();
    }
    void TearDown() override { DestroyWindow(parent); }
    void MakeSix() {
        ASSERT_EQ(1, bar.CreateBar(parent, 0, 0, 600, 28));
        ASSERT_EQ(1, bar.SetButtonCount(6));
        const char* texts[] = {"Dial", "New", "Edit", "Delete", "Info", "E&xit"};
        const int ids[] = {40017, 40016, 40014, 40015, 40024, 40004};
        for (int i = 0; i < 6; ++i) ASSERT_EQ(1, bar.AddButton(texts[i], 60, ids[i], 0));
    }
};

TEST_F(Bar, SixButtonsInARowAndNoSeventh) {
    MakeSix();
    const int xs[] = {2, 65, 128, 191, 254, 317};
    for (int i = 0; i < 6; ++i) {
        RECT r = ChildRect(bar.Button(i)->Handle());
        EXPECT_EQ(xs[i], r.left) << i;
        EXPECT_EQ(3, r.top);
        EXPECT_EQ(60, r.right - r.left);
        EXPECT_EQ(22, r.bottom - r.top);
    }
    EXPECT_EQ("E&xit", TextOf(bar.Button(5)->Handle()));
    EXPECT_EQ(40004, GetDlgCtrlID(bar.Button(5)->Handle()));
    int children = 0;
    for (HWND c = GetWindow(bar.Handle(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) ++children;
    EXPECT_EQ(0, bar.AddButton("Seven", 60, 40001, 0));
    int after = 0;
    for (HWND c = GetWindow(bar.Handle(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) ++after;
    EXPECT_EQ(children, after);
}

TEST_F(Bar, NoButtonsBeforeTheCountIsSet) {
    ASSERT_EQ(1, bar.CreateBar(parent, 0, 0, 600, 28));
    EXPECT_EQ(0, bar.AddButton("Dial", 60, 40017, 0));
}

TEST_F(Bar, ClicksReachTheParentAsCommands) {
    MakeSix();
    SendMessageA(bar.Button(1)->Handle(), BM_CLICK, 0, 0);
    ASSERT_EQ(1u, g_commands.size());
    EXPECT_EQ(40016u, g_commands[0].first);
    EXPECT_EQ(reinterpret_cast<LPARAM>(bar.Handle()), g_commands[0].second);

    // Other notifications of a button stay in the bar.
    g_commands.clear();
    SendMessageA(bar.Handle(), WM_COMMAND, MAKEWPARAM(40016, BN_SETFOCUS),
                 reinterpret_cast<LPARAM>(bar.Button(1)->Handle()));
    EXPECT_TRUE(g_commands.empty());

    // The bar's own message is passed on unchanged.
    SendMessageA(bar.Handle(), kBarForwardMessage, 3, 4);
    ASSERT_EQ(1u, g_commands.size());
    EXPECT_EQ(3u, g_commands[0].first);
    EXPECT_EQ(4, g_commands[0].second);
}

TEST_F(Bar, ButtonsEnableByCommandId) {
    ASSERT_EQ(1, bar.CreateBar(parent, 0, 0, 600, 28));
    ASSERT_EQ(1, bar.SetButtonCount(2));
    ASSERT_EQ(1, bar.AddButton("Dial", 60, 40017, 1));
    ASSERT_EQ(1, bar.AddButton("New", 60, 40016, 0));
    HWND dial = bar.Button(0)->Handle();
    EXPECT_FALSE(IsWindowEnabled(dial));
    bar.EnableButton(40017, true);
    EXPECT_TRUE(IsWindowEnabled(dial));
    SendMessageA(dial, BM_CLICK, 0, 0);
    EXPECT_EQ(1u, g_commands.size());
    bar.EnableButton(40099, false);  // no such button: nothing changes
    EXPECT_TRUE(IsWindowEnabled(dial));
    EXPECT_TRUE(IsWindowEnabled(bar.Button(1)->Handle()));
    bar.EnableButton(40016, false);
    EXPECT_FALSE(IsWindowEnabled(bar.Button(1)->Handle()));
}

TEST_F(Bar, HiddenBarStartsHidden) {
    bar.SetVisible(false);
    ASSERT_EQ(1, bar.CreateBar(parent, 0, 0, 600, 28));
    EXPECT_FALSE(IsWindowVisible(bar.Handle()));
}

}  // namespace
