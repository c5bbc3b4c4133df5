// Dialog objects: binding at WM_INITDIALOG, the base routing and its results,
// control notifications handed to wrappers, and centring over the owner.

#include "framework/CentreWindow.h"
#include "framework/Controls.h"
#include "framework/DialogObject.h"

#include "GuiTest.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Clicks : CallbackTarget {
    int count = 0;
    void Pressed(int) { ++count; }
};

class NotifyingButton : public PushButton {
public:
    int notes = 0;
    LRESULT OnNotify(NMHDR*) override {
        ++notes;
        return 5;
    }
};

// Runs its checks from inside the dialog, then ends it.
class ProbeDialog : public DialogObject {
public:
    std::vector<std::string> calls;
    PushButton press;  // handles its clicks through the callback
    CheckBox check;    // no callback: its clicks reach OnCommand
    NotifyingButton note;
    Clicks clicks;
    LRESULT notifyResult = -5, drawResult = -5, commandResult = -5, notifyAnswer = -5, endSessionAnswer = -5;
    LONG_PTR userWord = 0;

    int OnInitDialog() override {
        calls.push_back("OnInitDialog");
        userWord = GetWindowLongPtrA(hwnd_, DWLP_USER);
        press.Create(hwnd_, 1002, "", CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT);
        press.SetCallback(&clicks, static_cast<CallbackOp>(&Clicks::Pressed));
        check.BindCheck(hwnd_, 1003, 0, nullptr, nullptr);
        note.Create(hwnd_, 0, "n", 0, 0, 10, 10);
        CentreWindow(hwnd_);
        PostMessageA(hwnd_, WM_APP, 0, 0);  // the checks run once the dialog is up
        return 1;
    }
    void OnCommand(WPARAM w, LPARAM) override {
        if (LOWORD(w) != 1001) calls.push_back("OnCommand " + std::to_string(LOWORD(w)));  // not the edit's focus news
    }
    void OnNotify(WPARAM, LPARAM) override { calls.push_back("OnNotify"); }
    void OnDrawItem(WPARAM, LPARAM) override { calls.push_back("OnDrawItem"); }
    INT_PTR OnUnhandled(UINT message, WPARAM, LPARAM) override {
        if (message != WM_APP) return 0;
        SendMessageA(press.Handle(), BM_CLICK, 0, 0);
        SendMessageA(check.Handle(), BM_CLICK, 0, 0);
        NMHDR header = {note.Handle(), static_cast<UINT_PTR>(note.Id()), NM_CLICK};
        notifyResult = DialogProcThunk(hwnd_, WM_NOTIFY, note.Id(), reinterpret_cast<LPARAM>(&header));
        NMHDR plain = {hwnd_, 0, NM_CLICK};
        DialogProcThunk(hwnd_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&plain));
        DRAWITEMSTRUCT item = {};
        item.hwndItem = hwnd_;
        drawResult = DialogProcThunk(hwnd_, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
        commandResult = DialogProcThunk(hwnd_, WM_COMMAND, 77, 0);
        // What the sender gets: the handler's result, through the dialog manager.
        notifyAnswer = SendMessageA(hwnd_, WM_NOTIFY, note.Id(), reinterpret_cast<LPARAM>(&header));
        endSessionAnswer = SendMessageA(hwnd_, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
        EndDialog(hwnd_, 9);
        return 1;
    }
};

TEST(Dialog, RunsBoundToItsObject) {
    HWND owner = MakeOwnerWindow(600, 400);
    ProbeDialog dialog;
    EXPECT_EQ(9, dialog.Run(200, owner));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&dialog), dialog.userWord);
    ASSERT_FALSE(dialog.calls.empty());
    EXPECT_EQ("OnInitDialog", dialog.calls.front());

    // A click that the wrapper handles stays there; one it does not reaches
    // the dialog.
    EXPECT_EQ(1, dialog.clicks.count);
    std::vector<std::string> expected = {"OnInitDialog", "OnCommand 1003", "OnNotify", "OnDrawItem", "OnCommand 77"};
    EXPECT_EQ(expected, dialog.calls);
    EXPECT_EQ(1, dialog.check.Checked());
    // Notifications answer 1 to the dialog manager, whoever took them.
    EXPECT_EQ(1, dialog.notifyResult);
    EXPECT_EQ(2, dialog.note.notes);
    EXPECT_EQ(1, dialog.drawResult);
    EXPECT_EQ(0, dialog.commandResult);
    EXPECT_EQ(5, dialog.notifyAnswer);
    EXPECT_NE(0, dialog.endSessionAnswer) << "an open dialog refuses a log-off";
    DestroyWindow(owner);
}

// Ends itself through End() once it is up, as an OK button does, noting
// whether its owner was enabled meanwhile.
class EndingDialog : public DialogObject {
public:
    INT_PTR answer = 0;
    bool ownerEnabled = true;
    int shown = 0;
    int OnInitDialog() override {
        ++shown;
        PostMessageA(hwnd_, WM_APP, 0, 0);
        return 1;
    }
    INT_PTR OnUnhandled(UINT message, WPARAM, LPARAM) override {
        if (message != WM_APP) return 0;
        ownerEnabled = IsWindowEnabled(GetWindow(hwnd_, GW_OWNER)) != FALSE;
        End(answer);
        return 1;
    }
};

// The run disables the owner and enables it at its end; over an owner that
// is disabled already no dialog opens, and the owner stays disabled.
TEST(Dialog, RunDisablesTheOwnerAndOpensNothingOverADisabledOne) {
    HWND owner = MakeOwnerWindow(600, 400);
    EndingDialog dialog;
    dialog.answer = 7;
    EXPECT_EQ(7, dialog.Run(200, owner));
    EXPECT_FALSE(dialog.ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(nullptr, dialog.Handle()) << "the dialog's window outlived its run";

    EnableWindow(owner, FALSE);
    dialog.answer = 3;
    EXPECT_EQ(-1, dialog.Run(200, owner));
    EXPECT_EQ(1, dialog.shown);
    EXPECT_FALSE(IsWindowEnabled(owner)) << "enabled by a run that had not disabled it";
    DestroyWindow(owner);
}

TEST(Dialog, MessagesBeforeInitAreAnsweredWithoutAnObject) {
    HWND plain = MakeOwnerWindow(100, 100);
    EXPECT_EQ(0, DialogObject::DialogProcThunk(plain, WM_SETFONT, 0, 0));
    EXPECT_EQ(0, DialogObject::DialogProcThunk(plain, WM_COMMAND, 1, 0));
    DestroyWindow(plain);
}

TEST(Dialog, MissingTemplateIsNotAccepted) {
    ProbeDialog dialog;
    EXPECT_EQ(-1, dialog.Run(4242, nullptr));
    EXPECT_TRUE(dialog.calls.empty());
}

TEST(Centre, OverTheOwnerWithinItsBounds) {
    HWND owner = MakeOwnerWindow(600, 400);
    SetWindowPos(owner, nullptr, 100, 80, 600, 400, SWP_NOZORDER);
    HWND popup = CreateWindowExA(0, "TelvaraTestOwner", "popup", WS_POPUP | WS_VISIBLE, 0, 0, 201, 101, owner, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    CentreWindow(popup);
    RECT r = WindowRectOf(popup);
    // Reference 100..700 x 80..480: centre 100 + 601/2, less half of 202.
    EXPECT_EQ(100 + 601 / 2 - 202 / 2, r.left);
    EXPECT_EQ(80 + 401 / 2 - 102 / 2, r.top);
    EXPECT_EQ(201, r.right - r.left);  // the size stays
    EXPECT_EQ(101, r.bottom - r.top);

    // An owner near the screen's top left: never above or left of 0.
    SetWindowPos(owner, nullptr, -500, -300, 300, 200, SWP_NOZORDER);
    CentreWindow(popup);
    r = WindowRectOf(popup);
    EXPECT_EQ(0, r.left);
    EXPECT_EQ(0, r.top);

    // Over a minimised owner: in the middle of the work area.
    ShowWindow(owner, SW_MINIMIZE);
    CentreWindow(popup);
    r = WindowRectOf(popup);
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(work.left + (work.right - work.left + 1) / 2 - 202 / 2, r.left);
    EXPECT_EQ(work.top + (work.bottom - work.top + 1) / 2 - 102 / 2, r.top);
    DestroyWindow(popup);
    DestroyWindow(owner);
}

}  // namespace
