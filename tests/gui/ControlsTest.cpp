// Control wrappers: automatic ids, binding to a template's controls,
// mnemonics, notifications and the status bar's part layout.

#include "framework/Controls.h"
#include "framework/DialogObject.h"
#include "framework/HeldDrawing.h"
#include "framework/ListViewControl.h"
#include "framework/StatusBar.h"

#include "GuiTest.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

// Read before any test hands out an id.
const int kIdAtStart = PeekNextControlId();

struct Counter : CallbackTarget {
    std::vector<int> ids;
    void Clicked(int id) { ids.push_back(id); }
};

struct Controls : ::testing::Test {
    HWND parent = nullptr;
    void SetUp() override { parent = MakeOwnerWindow(); }
    void TearDown() override { DestroyWindow(parent); }
};

TEST_F(Controls, AutomaticIdsCountUpFromNineHundredAcrossClasses) {
    EXPECT_EQ(900, kIdAtStart);
    int first = PeekNextControlId();
    EditControl edit;
    PushButton button;
    ComboBoxControl combo;
    ASSERT_EQ(1, edit.Create(parent, 0, "", 0, 0, 50, 20));
    ASSERT_EQ(1, button.Create(parent, 0, "b", 0, 30, 50, 20));
    ASSERT_EQ(1, combo.Create(parent, 0, "", 0, 60, 50, 100));
    EXPECT_EQ(first, edit.Id());
    EXPECT_EQ(first + 1, button.Id());
    EXPECT_EQ(first + 2, combo.Id());
    EXPECT_EQ(first + 2, GetDlgCtrlID(combo.Handle()));
    EXPECT_EQ(&button, ControlObject::FromWindow(button.Handle()));
    // A given id is used as it is and takes nothing from the counter.
    PushButton fixed;
    ASSERT_EQ(1, fixed.Create(parent, 4321, "f", 0, 90, 50, 20));
    EXPECT_EQ(4321, GetDlgCtrlID(fixed.Handle()));
    EXPECT_EQ(first + 3, PeekNextControlId());
}

TEST_F(Controls, ButtonsRecordTheirMnemonicAndReportClicks) {
    PushButton yes, plain;
    ASSERT_EQ(1, yes.Create(parent, 0, "&Yes", 0, 0, 60, 30));
    ASSERT_EQ(1, plain.Create(parent, 0, "Plain", 0, 40, 60, 30));
    EXPECT_EQ('Y', yes.Mnemonic());
    EXPECT_EQ(0, plain.Mnemonic());
    EXPECT_EQ(0, yes.OnCommand(BN_CLICKED, yes.Id()));  // no notification set
    Counter counter;
    yes.SetCallback(&counter, static_cast<CallbackOp>(&Counter::Clicked));
    EXPECT_EQ(1, yes.OnCommand(BN_CLICKED, yes.Id()));
    EXPECT_EQ(0, yes.OnCommand(BN_SETFOCUS, yes.Id()));
    EXPECT_EQ((std::vector<int>{yes.Id()}), counter.ids);
}

TEST_F(Controls, CheckBoxTracksItsStateWithOrWithoutNotification) {
    CheckBox box;
    ASSERT_EQ(1, box.BindCheck(parent, 0, 1, nullptr, nullptr));
    EXPECT_EQ(BST_CHECKED, SendMessageA(box.Handle(), BM_GETCHECK, 0, 0));
    EXPECT_EQ(1, box.Initial());
    SendMessageA(box.Handle(), BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_EQ(0, box.OnCommand(BN_CLICKED, box.Id()));  // state kept, not handled
    EXPECT_EQ(0, box.Checked());
    box.SetCheck(1);
    EXPECT_EQ(BST_CHECKED, SendMessageA(box.Handle(), BM_GETCHECK, 0, 0));
}

TEST_F(Controls, ComboBoxRecordsTheSelection) {
    ComboBoxControl combo;
    ASSERT_EQ(1, combo.Create(parent, 0, "", 0, 0, 80, 120));
    combo.AddString("AL Alabama");
    combo.AddString("AK Alaska");
    combo.SetCurSel(1);
    EXPECT_EQ(0, combo.OnCommand(CBN_SELCHANGE, combo.Id()));
    EXPECT_EQ(1, combo.Selection());
}

// Binds wrappers to the controls of a dialog template.
struct BindDialog : DialogObject {
    EditControl edit;
    PushButton button;
    HWND templateEdit = nullptr;
    int created = 0;
    int nextBefore = 0;
    std::string text;
    int OnInitDialog() override {
        templateEdit = GetDlgItem(hwnd_, 1001);
        nextBefore = PeekNextControlId();
        created = edit.Create(hwnd_, 1001, "bound text", CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT);
        button.Create(hwnd_, 1002, "", CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT);
        char buffer[64] = {};
        GetWindowTextA(templateEdit, buffer, sizeof buffer);
        text = buffer;
        EndDialog(hwnd_, 5);
        return 1;
    }
};

TEST_F(Controls, CreateBindsToTheTemplatesControl) {
    BindDialog dialog;
    EXPECT_EQ(5, dialog.Run(200, parent));
    EXPECT_EQ(1, dialog.created);
    EXPECT_EQ(dialog.templateEdit, dialog.edit.Handle());
    EXPECT_EQ("bound text", dialog.text);
    EXPECT_EQ(dialog.nextBefore, PeekNextControlId());
    EXPECT_EQ(1002, dialog.button.Id());
}

TEST_F(Controls, ListViewKeepsItemData) {
    ListViewControl list;
    ASSERT_EQ(1, list.Create(parent, 0, "", 0, 0, 300, 200));
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.pszText = const_cast<char*>("Ann");
    item.lParam = 1234;
    EXPECT_EQ(0, list.InsertItem(item));
    EXPECT_EQ(1, list.GetItemCount());
    EXPECT_EQ(1234, list.GetItemData(0));
    EXPECT_EQ(0, list.GetItemData(7));
    EXPECT_EQ(-1, list.GetSelected());
    list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, static_cast<UINT>(-1));
    EXPECT_EQ(0, list.GetSelected());
}

// What reaches the list and its header under test: paints, and the list's
// redraw switches in order.
int g_paints = 0, g_headerPaints = 0;
std::vector<WPARAM> g_redraws;
WNDPROC g_listProc = nullptr, g_headerProc = nullptr;
LRESULT CALLBACK CountingListProc(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_PAINT) ++g_paints;
    if (message == WM_SETREDRAW) g_redraws.push_back(w);
    return CallWindowProcA(g_listProc, hwnd, message, w, l);
}
LRESULT CALLBACK CountingHeaderProc(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_PAINT) ++g_headerPaints;
    return CallWindowProcA(g_headerProc, hwnd, message, w, l);
}

// Changes under a hold reach the screen at its end, in the list and in its
// header, a scroll made after the drawing resumed included;
// the list itself is told that drawing is off.  A window that was hidden is
// left alone.
TEST_F(Controls, HeldDrawingDrawsTheChangesAtTheEnd) {
    ShowWindow(parent, SW_SHOW);
    ListViewControl list;
    ASSERT_EQ(1, list.Create(parent, 0, "", 0, 0, 300, 200));
    // Clipping its header, as the program's list does.
    SetWindowLongA(list.Handle(), GWL_STYLE,
                   (GetWindowLongA(list.Handle(), GWL_STYLE) & ~LVS_TYPEMASK) | LVS_REPORT | WS_CLIPCHILDREN);
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH;
    column.cx = 400;  // wider than the list: both scroll bars
    list.InsertColumn(0, column);
    HWND header = reinterpret_cast<HWND>(SendMessageA(list.Handle(), LVM_GETHEADER, 0, 0));
    ASSERT_NE(nullptr, header);
    g_listProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(list.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingListProc)));
    g_headerProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(header, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingHeaderProc)));
    PumpQueued();
    ASSERT_TRUE(IsWindowVisible(list.Handle()));
    g_paints = g_headerPaints = 0;
    g_redraws.clear();
    {
        HeldDrawing held(list.Handle());
        EXPECT_EQ(std::vector<WPARAM>{FALSE}, g_redraws);
        for (int i = 0; i < 40; ++i) {
            LVITEMA item = {};
            item.mask = LVIF_TEXT;
            item.iItem = i;
            item.pszText = const_cast<char*>("Ann");
            list.InsertItem(item);
        }
        PumpQueued();
        EXPECT_EQ(0, g_paints) << "drawn while held";
        EXPECT_TRUE(IsWindowVisible(list.Handle())) << "hidden while held";
        held.Resume();  // the list scrolls within the range it draws
        list.EnsureVisible(39, false);
        g_headerPaints = 0;
    }
    EXPECT_EQ((std::vector<WPARAM>{FALSE, TRUE}), g_redraws);
    EXPECT_GE(g_paints, 1) << "not drawn at the end of the hold";  // the scroll may draw too
    EXPECT_GE(g_headerPaints, 1) << "the header was not drawn again";
    EXPECT_FALSE(GetUpdateRect(list.Handle(), nullptr, FALSE));
    EXPECT_GT(SendMessageA(list.Handle(), LVM_GETTOPINDEX, 0, 0), 0) << "the scroll under the hold was lost";

    ShowWindow(list.Handle(), SW_HIDE);
    g_redraws.clear();
    { HeldDrawing held(list.Handle()); }
    EXPECT_FALSE(IsWindowVisible(list.Handle()));
    EXPECT_TRUE(g_redraws.empty());
    SetWindowLongPtrA(header, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_headerProc));
    SetWindowLongPtrA(list.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_listProc));
}

int AverageCharWidth(HWND status) {
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(status, WM_GETFONT, 0, 0));
    if (!font) font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    HDC dc = GetDC(status);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(status, dc);
    return tm.tmAveCharWidth;
}

TEST_F(Controls, StatusBarPlacesPartsByAverageCharacterWidths) {
    StatusBar status;
    ASSERT_EQ(1, status.SetPartCount(3));
    status.AddPart(80, 0);
    status.AddPart(14, 0);
    status.AddPart(7, 0);
    status.AddPart(99, 0);  // beyond the declared count: ignored
    ASSERT_EQ(1, status.CreateStatus(parent));
    RECT client;
    GetClientRect(parent, &client);
    status.OnParentSize(SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));

    int a = AverageCharWidth(status.Handle());
    ASSERT_GT(a, 0);
    RECT bar = WindowRectOf(status.Handle());
    int width = bar.right - bar.left;
    int edges[4] = {};
    ASSERT_EQ(3, SendMessageA(status.Handle(), SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)));
    EXPECT_EQ(width - 3 * a, edges[2]);
    EXPECT_EQ(width - 3 * a - 7 * a, edges[1]);
    EXPECT_EQ(width - 3 * a - 7 * a - 14 * a, edges[0]);

    status.SetPartText(1, "12");
    status.SetPartText(2, "Mod");
    char text[16] = {};
    SendMessageA(status.Handle(), SB_GETTEXTA, 2, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ("Mod", text);
    EXPECT_EQ(bar.bottom - bar.top, status.LayoutHeight());
    ShowWindow(status.Handle(), SW_HIDE);
    EXPECT_EQ(0, status.LayoutHeight());
}

}  // namespace
