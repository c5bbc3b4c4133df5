// The program's message box and the About box, on real windows: the box's
// size and layout for each button set, the answers by mouse and keyboard, the
// modal wait with its owner, and the About box's link.

#include "framework/MsgBox.h"

#include "GuiTest.h"
#include "../SkipOrFailInCi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

// One of each, global, as in the program.
MsgBox g_box;
EllipseMsgBox g_about;

constexpr COLORREF kTextColour = RGB(0, 0, 0);
constexpr COLORREF kBackColour = RGB(192, 192, 192);
constexpr COLORREF kBevelColour = RGB(128, 128, 128);

// The display font the box is measured with.
struct DisplayFont {
    int maxCharWidth = 0;
    int lineHeight = 0;
    HDC ic = nullptr;
    DisplayFont() {
        ic = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
        TEXTMETRICA tm = {};
        if (ic && GetTextMetricsA(ic, &tm)) {
            maxCharWidth = tm.tmMaxCharWidth;
            lineHeight = tm.tmHeight + tm.tmExternalLeading;
        }
    }
    ~DisplayFont() {
        if (ic) DeleteDC(ic);
    }
    DisplayFont(const DisplayFont&) = delete;
    DisplayFont& operator=(const DisplayFont&) = delete;
    int Extent(const std::string& text) const {
        SIZE size = {};
        GetTextExtentPoint32A(ic, text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx;
    }
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// The least width of the box's client area for its buttons: zero for one
// button, else so many line heights of the display font.
int MinimumWidth(UINT flags) {
    DisplayFont font;
    switch (flags & 0xF) {
        case 1:
        case 4: return 10 * font.lineHeight;
        case 3: return 13 * font.lineHeight;
        default: return 0;
    }
}

// The width the text and caption alone ask for, before the buttons' minimum.
int NaturalWidth(const std::string& text, const std::string& caption, bool icon) {
    DisplayFont font;
    int widest = 0;
    for (const std::string& line : Lines(text)) widest = std::max(widest, font.Extent(line));
    if (!icon) widest = std::max(widest, font.Extent(caption));
    return widest + 4 * font.maxCharWidth + (icon ? 64 : 8);
}

// The window size a box should get for its text, caption and flags.
SIZE ExpectedBoxSize(const std::string& text, const std::string& caption, UINT flags, bool icon) {
    DisplayFont font;
    int width = std::max(NaturalWidth(text, caption, icon), MinimumWidth(flags));
    return SIZE{width + 16, font.lineHeight * (static_cast<int>(Lines(text).size()) + 6)};
}

// `start` lengthened word by word until the display font draws it wider than
// `pixels`: a test that needs a text wider than something makes it so on any
// font instead of trusting one font's widths.
std::string TextWiderThan(const std::string& start, int pixels) {
    DisplayFont font;
    std::string text = start;
    while (font.Extent(text) <= pixels && text.size() < 4000) text += " and wider";
    return text;
}

SIZE SizeOf(HWND hwnd) {
    RECT r = WindowRectOf(hwnd);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

HWND Focused() { return GetFocus(); }

int ButtonIndexOf(HWND hwnd) {
    for (int i = 0; i < MsgBox::ButtonsInUse(); ++i)
        if (MsgBox::AnswerButton(i).Handle() == hwnd) return i;
    return -1;
}

void Key(HWND target, WPARAM key) { SendMessageA(target, WM_KEYDOWN, key, 1); }

void Click(HWND button) { SendMessageA(button, BM_CLICK, 0, 0); }

// What a box looked like while it was open.
struct Seen {
    HWND box = nullptr;
    SIZE size = {};
    RECT client = {};
    bool ownerEnabled = true;
    int buttons = 0;
    std::vector<std::string> texts;
    std::vector<RECT> rects;
    int focused = -1;
};

Seen Look(HWND box, HWND owner) {
    Seen s;
    s.box = box;
    s.size = SizeOf(box);
    GetClientRect(box, &s.client);
    s.ownerEnabled = IsWindowEnabled(owner) != FALSE;
    s.buttons = MsgBox::ButtonsInUse();
    for (int i = 0; i < s.buttons; ++i) {
        HWND b = MsgBox::AnswerButton(i).Handle();
        s.texts.push_back(TextOf(b));
        s.rects.push_back(ChildRect(b));
    }
    s.focused = ButtonIndexOf(Focused());
    return s;
}

bool QuitQueued() {
    MSG msg;
    return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != FALSE;
}

void DiscardQuit() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

bool g_stuck = false;

void CALLBACK EndStuckBox(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    g_stuck = true;
    PostQuitMessage(0);
}

class MsgBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner_ = MakeOwnerWindow();
        ASSERT_NE(nullptr, owner_);
    }
    void TearDown() override {
        DestroyWindow(owner_);
        DiscardQuit();
        PumpQueued();
    }

    // Shows `box` and runs `action` on it once it is open, from inside its
    // wait.  An action that leaves the box waiting is a failure (unless the
    // test says the answer comes later, and then only after ten seconds); the
    // box is then ended by the quit message so that the run goes on.
    int ShowWith(MsgBox& box, const char* text, const char* caption, UINT flags, const char* icon,
                 const std::function<void(HWND)>& action) {
        g_stuck = false;
        UINT_PTR safety = 0;
        OnWindowShown hook("CMSGCLASS", [&](HWND hwnd) {
            action(hwnd);
            if (!box.Running() || QuitQueued()) return;
            if (answeredLater_) {
                safety = SetTimer(nullptr, 0, 10000, &EndStuckBox);
            } else {
                g_stuck = true;
                PostQuitMessage(0);
            }
        });
        int answer = box.Show(owner_, text, caption, flags, icon, kTextColour, kBackColour, kBevelColour);
        if (safety) KillTimer(nullptr, safety);
        EXPECT_EQ(1, hook.Count()) << "one box window";
        EXPECT_FALSE(g_stuck) << "the box still waited for an answer";
        if (g_stuck) DiscardQuit();
        return answer;
    }
    int ShowWith(const char* text, UINT flags, const std::function<void(HWND)>& action) {
        return ShowWith(g_box, text, "Telvara", flags, nullptr, action);
    }
    // The same, for a box that has no owner.
    int ShowUnowned(const char* text, UINT flags, const std::function<void(HWND)>& action) {
        HWND owner = owner_;
        owner_ = nullptr;
        int answer = ShowWith(text, flags, action);
        owner_ = owner;
        return answer;
    }

    HWND owner_ = nullptr;
    bool answeredLater_ = false;  // the action arranges for the answer to come later
};

// ---- Size and layout ------------------------------------------------------

struct SizeCase {
    const char* name;
    UINT flags;
    const char* text;
    const char* caption;
    const char* iconName;
    bool outgrowsMinimum = false;  // the text is lengthened until it decides the width
};

const SizeCase kSizeCases[] = {
    {"Ok", 0x00, "Saved.", "Telvara", nullptr},
    {"OkCancel", 0x01, "Saved.", "Telvara", nullptr},
    {"YesNoCancel", 0x03, "Save data?", "Telvara", nullptr},
    {"YesNo", 0x04, "Delete?", "Telvara", nullptr},
    {"Flags2GiveOk", 0x02, "Saved.", "Telvara", nullptr},
    {"Flags5GiveOk", 0x05, "Saved.", "Telvara", nullptr},
    {"OkHand", 0x10, "The data file could not be read.", "Telvara", nullptr},
    {"OkCancelQuestion", 0x21, "Go on?", "Telvara", nullptr},
    {"YesNoCancelQuestion", 0x23, "Save data?", "Telvara", nullptr},
    {"YesNoQuestion", 0x24, "Delete this contact?", "Telvara", nullptr},
    {"OkExclamation", 0x30, "Dialing: 5551234", "Telvara", nullptr},
    {"OkAsterisk", 0x40, "Done.", "Telvara", nullptr},
    {"ProgramIcon", 0x00, "Telvara 3.31", "About", MAKEINTRESOURCEA(106)},
    {"LongTextOutgrowsTheMinimum", 0x03, "This line is wider than thirteen line heights of the display font", "Telvara",
     nullptr, true},
    {"ThreeLines", 0x24, "First line\nA second line, longer than the first\nThird", "Telvara", nullptr},
    {"LongCaptionWidensABoxWithoutIcon", 0x00, "Hi", "A caption much wider than the one short word of text in the box",
     nullptr},
    {"LongCaptionDoesNotWidenABoxWithIcon", 0x30, "Hi",
     "A caption much wider than the one short word of text in the box", nullptr},
};

void PrintTo(const SizeCase& c, std::ostream* os) { *os << c.name; }

class MsgBoxSize : public MsgBoxTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(MsgBoxSize, WindowSizeFollowsTextCaptionButtonsAndIcon) {
    const SizeCase& c = GetParam();
    UINT iconBits = c.flags & 0xF0;
    bool icon = (iconBits >= 0x10 && iconBits <= 0x40) || c.iconName != nullptr;
    std::string text = c.outgrowsMinimum ? TextWiderThan(c.text, MinimumWidth(c.flags)) : c.text;
    if (c.outgrowsMinimum) {
        ASSERT_GT(NaturalWidth(text, c.caption, icon), MinimumWidth(c.flags));
    }
    Seen seen;
    ShowWith(g_box, text.c_str(), c.caption, c.flags, c.iconName, [&](HWND box) {
        seen = Look(box, owner_);
        Click(MsgBox::AnswerButton(0).Handle());
    });
    SIZE expected = ExpectedBoxSize(text, c.caption, c.flags, icon);
    EXPECT_EQ(expected.cx, seen.size.cx);
    EXPECT_EQ(expected.cy, seen.size.cy);
    // Every button lies inside the box, none over another.
    for (std::size_t i = 0; i < seen.rects.size(); ++i) {
        const RECT& r = seen.rects[i];
        EXPECT_GE(r.left, 0) << i;
        EXPECT_LE(r.right, seen.client.right) << i;
        EXPECT_GE(r.top, 0) << i;
        EXPECT_LE(r.bottom, seen.client.bottom) << i;
        if (i > 0) {
            EXPECT_LE(seen.rects[i - 1].right, r.left) << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(MsgBoxSets, MsgBoxSize, ::testing::ValuesIn(kSizeCases),
                         [](const ::testing::TestParamInfo<SizeCase>& p) { return std::string(p.param.name); });

TEST_F(MsgBoxTest, ButtonSetsHaveTheirMinimumWidths) {
    // The shortest text there is, so that the buttons' minimum decides
    // wherever the font lets it: the rest of the width is four of the
    // font's widest characters, which a text cannot make narrower.
    DisplayFont font;
    const UINT cases[] = {0x01, 0x04, 0x03, 0x21, 0x24, 0x23};
    const int lines[] = {10, 10, 13, 10, 10, 13};
    int decidedByMinimum = 0;
    for (int i = 0; i < 6; ++i) {
        UINT flags = cases[i];
        bool icon = (flags & 0xF0) != 0;
        int minimum = lines[i] * font.lineHeight;
        int natural = NaturalWidth("?", "", icon);
        if (natural < minimum) ++decidedByMinimum;
        Seen seen;
        ShowWith(g_box, "?", "", flags, nullptr, [&](HWND box) {
            seen = Look(box, owner_);
            Click(MsgBox::AnswerButton(0).Handle());
        });
        EXPECT_EQ(std::max(natural, minimum) + 16, seen.size.cx) << "flags " << flags;
    }
    // A display font whose widest character is over twice a line height
    // leaves no box narrow enough for the minimum to show.
    if (decidedByMinimum == 0)
        SKIP_OR_FAIL_IN_CI("the display font's widest character ("
                           << font.maxCharWidth << " pixels at a " << font.lineHeight
                           << "-pixel line) is too wide for any box to reach the buttons' minimum");
}

TEST_F(MsgBoxTest, BoxWithoutIconIsAtLeastAsWideAsItsCaption) {
    DisplayFont font;
    // Wider than the box with an icon would be, so that the caption is seen
    // to widen only the box without one.
    std::string caption =
        TextWiderThan("Telvara: a caption far wider than the text below it", NaturalWidth("Ok?", "", true) + 16);
    Seen plain, withIcon;
    ShowWith(g_box, "Ok?", caption.c_str(), 0x00, nullptr, [&](HWND box) {
        plain = Look(box, owner_);
        Click(MsgBox::AnswerButton(0).Handle());
    });
    ShowWith(g_box, "Ok?", caption.c_str(), 0x40, nullptr, [&](HWND box) {
        withIcon = Look(box, owner_);
        Click(MsgBox::AnswerButton(0).Handle());
    });
    EXPECT_GE(plain.size.cx, font.Extent(caption));
    EXPECT_LT(withIcon.size.cx, font.Extent(caption));
}

struct ButtonSet {
    const char* name;
    UINT flags;
    std::vector<std::string> texts;
    std::vector<int> offsets;  // left edge from the middle of the client area
    std::vector<int> answers;
    std::vector<WPARAM> mnemonics;
};

const ButtonSet kSets[] = {
    {"Ok", 0x00, {"&Ok"}, {-30}, {IDOK}, {'O'}},
    {"OkCancel", 0x01, {"&Ok", "&Cancel"}, {-70, 10}, {IDOK, IDCANCEL}, {'O', 'C'}},
    {"YesNoCancel", 0x03, {"&Yes", "&No", "&Cancel"}, {-100, -30, 40}, {IDYES, IDNO, IDCANCEL}, {'Y', 'N', 'C'}},
    {"YesNo", 0x04, {"&Yes", "&No"}, {-70, 10}, {IDYES, IDNO}, {'Y', 'N'}},
    {"Flags2", 0x02, {"&Ok"}, {-30}, {IDOK}, {'O'}},
    {"Flags5", 0x05, {"&Ok"}, {-30}, {IDOK}, {'O'}},
    {"Flags15", 0x0F, {"&Ok"}, {-30}, {IDOK}, {'O'}},
    {"YesNoQuestion", 0x24, {"&Yes", "&No"}, {-70, 10}, {IDYES, IDNO}, {'Y', 'N'}},
};

void PrintTo(const ButtonSet& s, std::ostream* os) { *os << s.name; }

class MsgBoxButtons : public MsgBoxTest, public ::testing::WithParamInterface<ButtonSet> {};

TEST_P(MsgBoxButtons, StandInARowAboveTheBottomEdge) {
    const ButtonSet& set = GetParam();
    DisplayFont font;
    Seen seen;
    ShowWith("Text", set.flags, [&](HWND box) {
        seen = Look(box, owner_);
        Click(MsgBox::AnswerButton(0).Handle());
    });
    ASSERT_EQ(static_cast<int>(set.texts.size()), seen.buttons);
    int cx = seen.client.right / 2;
    int y = seen.client.bottom - 2 * font.lineHeight;
    for (int i = 0; i < seen.buttons; ++i) {
        EXPECT_EQ(set.texts[i], seen.texts[i]) << i;
        const RECT& r = seen.rects[i];
        EXPECT_EQ(cx + set.offsets[i], r.left) << i;
        EXPECT_EQ(y, r.top) << i;
        EXPECT_EQ(60, r.right - r.left) << i;
        EXPECT_EQ(30, r.bottom - r.top) << i;
    }
    EXPECT_EQ(0, seen.focused) << "the first button has the focus";
}

// Each way a user answers, for each button of each set.
TEST_P(MsgBoxButtons, EachButtonAnswersByClickEnterAndMnemonic) {
    const ButtonSet& set = GetParam();
    for (std::size_t i = 0; i < set.answers.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "button " << i);
        EXPECT_EQ(set.answers[i], ShowWith("Click", set.flags,
                                           [&](HWND) { Click(MsgBox::AnswerButton(static_cast<int>(i)).Handle()); }));

        // The default-button bits put the focus on the button; Enter answers it.
        UINT focusBits = i == 1 ? 0x100 : i == 2 ? 0x200 : 0;
        int focused = -1;
        EXPECT_EQ(set.answers[i], ShowWith("Enter", set.flags | focusBits, [&](HWND) {
                      focused = ButtonIndexOf(Focused());
                      Key(Focused() ? Focused() : MsgBox::AnswerButton(0).Handle(), VK_RETURN);
                  }));
        EXPECT_EQ(static_cast<int>(i), focused);

        // The letter answers its button wherever the focus is.
        EXPECT_EQ(set.answers[i], ShowWith("Mnemonic", set.flags,
                                           [&](HWND) { Key(MsgBox::AnswerButton(0).Handle(), set.mnemonics[i]); }));
    }
}

TEST_P(MsgBoxButtons, AMouseClickOnAButtonAnswersIt) {
    const ButtonSet& set = GetParam();
    int last = static_cast<int>(set.answers.size()) - 1;
    EXPECT_EQ(set.answers[last], ShowWith("Mouse", set.flags, [&](HWND) {
                  HWND b = MsgBox::AnswerButton(last).Handle();
                  SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
                  SendMessageA(b, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
              }));
}

INSTANTIATE_TEST_SUITE_P(MsgBoxSets, MsgBoxButtons, ::testing::ValuesIn(kSets),
                         [](const ::testing::TestParamInfo<ButtonSet>& p) { return std::string(p.param.name); });

// ---- Keyboard -------------------------------------------------------------

TEST_F(MsgBoxTest, TabAndArrowsMoveTheFocusRoundThreeButtons) {
    std::vector<int> focus;
    int answer = ShowWith("Save data?", 0x23, [&](HWND) {
        focus.push_back(ButtonIndexOf(Focused()));
        const WPARAM keys[] = {VK_TAB, VK_TAB, VK_TAB, VK_LEFT, VK_RIGHT, VK_LEFT, VK_LEFT};
        for (WPARAM key : keys) {
            Key(Focused(), key);
            focus.push_back(ButtonIndexOf(Focused()));
        }
        Key(Focused(), VK_RETURN);
    });
    // Tab and Right from the third wrap to the first, Left from the first to
    // the third.
    EXPECT_EQ((std::vector<int>{0, 1, 2, 0, 2, 0, 2, 1}), focus);
    EXPECT_EQ(IDNO, answer) << "Enter answers the button that has the focus";
}

TEST_F(MsgBoxTest, TabWrapsInATwoButtonBoxAndStaysInAOneButtonBox) {
    std::vector<int> focus;
    EXPECT_EQ(IDYES, ShowWith("Delete?", 0x24, [&](HWND) {
                  for (int n = 0; n < 3; ++n) {
                      Key(Focused(), VK_TAB);
                      focus.push_back(ButtonIndexOf(Focused()));
                  }
                  Key(Focused(), VK_LEFT);
                  focus.push_back(ButtonIndexOf(Focused()));
                  Key(Focused(), VK_RETURN);
              }));
    EXPECT_EQ((std::vector<int>{1, 0, 1, 0}), focus);

    focus.clear();
    EXPECT_EQ(IDOK, ShowWith("Done.", 0x40, [&](HWND) {
                  Key(Focused(), VK_TAB);
                  focus.push_back(ButtonIndexOf(Focused()));
                  Key(Focused(), VK_LEFT);
                  focus.push_back(ButtonIndexOf(Focused()));
                  Key(Focused(), VK_RETURN);
              }));
    EXPECT_EQ((std::vector<int>{0, 0}), focus);
}

TEST_F(MsgBoxTest, EscapeUpDownAndOtherLettersNeitherAnswerNorMoveTheFocus) {
    std::vector<int> focus;
    bool waiting = false;
    EXPECT_EQ(IDNO, ShowWith("Save data?", 0x123, [&](HWND) {
                  for (WPARAM key : {WPARAM(VK_ESCAPE), WPARAM(VK_UP), WPARAM(VK_DOWN), WPARAM('X'), WPARAM('A')}) {
                      Key(Focused(), key);
                      focus.push_back(ButtonIndexOf(Focused()));
                  }
                  waiting = g_box.Running();
                  Key(Focused(), VK_RETURN);
              }));
    EXPECT_TRUE(waiting);
    EXPECT_EQ((std::vector<int>(5, 1)), focus);
}

TEST_F(MsgBoxTest, ALetterAnswersItsOwnButtonNotTheFocusedOne) {
    int focusedBefore = -1;
    EXPECT_EQ(IDYES, ShowWith("Save data?", 0x223, [&](HWND) {
                  focusedBefore = ButtonIndexOf(Focused());
                  Key(Focused(), 'Y');
              }));
    EXPECT_EQ(2, focusedBefore);
}

TEST_F(MsgBoxTest, TheBoxGivesTheFocusBackToItsCurrentButton) {
    int after = -1;
    EXPECT_EQ(IDNO, ShowWith("Save data?", 0x03, [&](HWND box) {
                  Key(Focused(), VK_RIGHT);
                  SetFocus(box);
                  after = ButtonIndexOf(Focused());
                  Key(Focused(), VK_RETURN);
              }));
    EXPECT_EQ(1, after);
}

// A themed button has its parent paint under its rounded corners: the box paints its colour.
TEST_F(MsgBoxTest, TheBoxPaintsItsColourUnderItsButtonsWhenAsked) {
    for (UINT message : {WM_ERASEBKGND, WM_PRINTCLIENT}) {
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP bitmap = CreateBitmap(1, 1, 1, 32, nullptr);  // black
        HGDIOBJ old = SelectObject(dc, bitmap);
        ShowWith("Save data?", 0x03, [&](HWND box) {
            SendMessageA(box, message, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
            Key(Focused(), VK_RETURN);
        });
        EXPECT_EQ(kBackColour, GetPixel(dc, 0, 0)) << "message " << message;
        DeleteObject(SelectObject(dc, old));
        DeleteDC(dc);
    }
}

// ---- The wait and the owner -----------------------------------------------

int g_ownerEnabledAtCreation = -1;

LRESULT CALLBACK NoteOwnerAtCreation(int code, WPARAM w, LPARAM l) {
    if (code == HCBT_CREATEWND && ClassOf(reinterpret_cast<HWND>(w)) == "CMSGCLASS")
        g_ownerEnabledAtCreation = IsWindowEnabled(reinterpret_cast<CBT_CREATEWNDA*>(l)->lpcs->hwndParent);
    return CallNextHookEx(nullptr, code, w, l);
}

TEST_F(MsgBoxTest, OwnerIsDisabledWhileTheBoxIsOpenAndTheBoxIsGoneAfter) {
    HHOOK hook = SetWindowsHookExA(WH_CBT, &NoteOwnerAtCreation, nullptr, GetCurrentThreadId());
    Seen seen;
    bool running = false;
    HWND ownerOfBox = nullptr;
    int answer = ShowWith("Dialing: 5551234", 0x30, [&](HWND box) {
        seen = Look(box, owner_);
        running = g_box.Running();
        ownerOfBox = GetWindow(box, GW_OWNER);
        Click(MsgBox::AnswerButton(0).Handle());
    });
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(0, g_ownerEnabledAtCreation) << "the box was made over an enabled window";
    EXPECT_EQ(IDOK, answer);
    EXPECT_FALSE(seen.ownerEnabled);
    EXPECT_TRUE(running);
    EXPECT_EQ(owner_, ownerOfBox);
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_FALSE(IsWindow(seen.box));
    EXPECT_EQ(nullptr, g_box.Handle());
    EXPECT_FALSE(g_box.Running());
}

TEST_F(MsgBoxTest, BoxIsCentredOverItsOwner) {
    SetWindowPos(owner_, nullptr, 120, 90, 500, 360, SWP_NOZORDER);
    PumpQueued();
    RECT box = {};
    ShowWith("Centred", 0x04, [&](HWND hwnd) {
        box = WindowRectOf(hwnd);
        Click(MsgBox::AnswerButton(0).Handle());
    });
    RECT owner = WindowRectOf(owner_);
    EXPECT_LE(std::abs((box.left + box.right) - (owner.left + owner.right)), 2);
    EXPECT_LE(std::abs((box.top + box.bottom) - (owner.top + owner.bottom)), 2);
}

TEST_F(MsgBoxTest, BoxWithoutOwnerIsCentredInTheWorkArea) {
    RECT box = {};
    bool ownerEnabled = false;
    HWND other = owner_;
    EXPECT_EQ(IDOK, ShowUnowned("No owner", 0x30, [&](HWND hwnd) {
                  box = WindowRectOf(hwnd);
                  ownerEnabled = IsWindowEnabled(other) != FALSE;
                  Click(MsgBox::AnswerButton(0).Handle());
              }));
    EXPECT_TRUE(ownerEnabled) << "another window is not disabled";
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_LE(std::abs((box.left + box.right) - (work.left + work.right)), 2);
    EXPECT_LE(std::abs((box.top + box.bottom) - (work.top + work.bottom)), 2);
}

int g_ticks = 0;

void CALLBACK AnswerOnThirdTick(HWND hwnd, UINT, UINT_PTR id, DWORD) {
    if (++g_ticks < 3) return;
    KillTimer(hwnd, id);
    Click(MsgBox::AnswerButton(1).Handle());
}

TEST_F(MsgBoxTest, OtherMessagesAreDispatchedWhileTheBoxWaits) {
    // A timer of the owner's fires during the wait, and answers the box.
    g_ticks = 0;
    answeredLater_ = true;
    EXPECT_EQ(IDNO, ShowWith("Waiting", 0x04, [&](HWND) {
                  SetTimer(owner_, 7, 10, &AnswerOnThirdTick);
                  EXPECT_TRUE(g_box.Running());
              }));
    EXPECT_EQ(3, g_ticks);
}

TEST_F(MsgBoxTest, QuitMessageEndsTheWaitWithNoAnswerAndStaysQueued) {
    HWND seenBox = nullptr;
    int answer = ShowWith("Save data?", 0x23, [&](HWND box) {
        seenBox = box;
        PostQuitMessage(3);
    });
    EXPECT_EQ(0, answer);
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_FALSE(IsWindow(seenBox));
    EXPECT_EQ(nullptr, g_box.Handle());
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(3u, msg.wParam);

    // The next box works as before.
    EXPECT_EQ(IDNO, ShowWith("Again?", 0x04, [&](HWND) { Key(Focused(), 'N'); }));
}

TEST_F(MsgBoxTest, AnAnswerGivenBeforeTheQuitMessageIsKept) {
    int answer = ShowWith("Save data?", 0x23, [&](HWND) {
        Click(MsgBox::AnswerButton(1).Handle());
        PostQuitMessage(0);
    });
    EXPECT_EQ(IDNO, answer);
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_EQ(nullptr, g_box.Handle());
    EXPECT_TRUE(QuitQueued());
}

TEST_F(MsgBoxTest, ClosingTheBoxFromTheKeyboardEndsTheWaitWithNoAnswer) {
    // Alt+F4 on the focused button, and the system's close command it turns into.
    const std::function<void(HWND)> ways[] = {
        [](HWND) { SendMessageA(Focused(), WM_SYSKEYDOWN, VK_F4, 0x20000001); },
        [](HWND box) { SendMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0); },
    };
    answeredLater_ = true;
    for (const auto& way : ways) {
        HWND seenBox = nullptr;
        int answer = ShowWith("Dialing: 5551234", 0x30, [&](HWND box) {
            seenBox = box;
            way(box);
        });
        EXPECT_EQ(0, answer);
        EXPECT_FALSE(IsWindow(seenBox));
        EXPECT_EQ(nullptr, g_box.Handle());
        EXPECT_TRUE(IsWindowEnabled(owner_));
        EXPECT_FALSE(QuitQueued());
    }
}

TEST_F(MsgBoxTest, BoxDestroyedWithItsOwnerEndsTheWaitAndTheNextBoxWorks) {
    HWND seenBox = nullptr;
    answeredLater_ = true;
    int answer = ShowWith("Dialing: 5551234", 0x30, [&](HWND box) {
        seenBox = box;
        DestroyWindow(owner_);
    });
    EXPECT_EQ(0, answer);
    EXPECT_FALSE(IsWindow(seenBox));
    EXPECT_EQ(nullptr, g_box.Handle());

    owner_ = MakeOwnerWindow();
    answeredLater_ = false;
    HWND next = nullptr;
    EXPECT_EQ(IDYES, ShowWith("Again?", 0x04, [&](HWND box) {
                  next = box;
                  Key(Focused(), 'Y');
              }));
    EXPECT_NE(nullptr, next);
    EXPECT_TRUE(IsWindowEnabled(owner_));
}

// ---- Lines of text --------------------------------------------------------

struct LineCase {
    const char* text;
    int lines;
};

void PrintTo(const LineCase& c, std::ostream* os) {
    *os << '"';
    for (const char* p = c.text; *p; ++p) *os << (*p == '\n' ? std::string("\\n") : std::string(1, *p));
    *os << "\" (" << c.lines << " lines)";
}

class MsgBoxLines : public MsgBoxTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(MsgBoxLines, TextIsSplitAtLineFeeds) {
    DisplayFont font;
    Seen seen;
    ShowWith(GetParam().text, 0x00, [&](HWND box) {
        seen = Look(box, owner_);
        Click(MsgBox::AnswerButton(0).Handle());
    });
    EXPECT_EQ(GetParam().lines, g_box.LineCount());
    EXPECT_EQ(font.lineHeight * (GetParam().lines + 6), seen.size.cy);
}

INSTANTIATE_TEST_SUITE_P(MsgBoxTexts, MsgBoxLines,
                         ::testing::Values(LineCase{"One line", 1}, LineCase{"First\nSecond", 2},
                                           LineCase{"Ends in a line feed\n", 1}, LineCase{"Two\nlines\n", 2},
                                           LineCase{"", 0}, LineCase{"\n", 1}, LineCase{"a\n\nb", 3}));

// ---- The About box --------------------------------------------------------

std::string WindowsPath(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string ReadFile(const std::string& path) {
    std::string text;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
        std::fclose(f);
    }
    return text;
}

bool IsChildOf(HWND child, HWND parent) { return child && IsWindow(child) && GetParent(child) == parent; }

// Where the About box put things, once it has painted.
struct AboutLayout {
    HWND box = nullptr;
    bool linkMade = false;
    RECT link = {};
    RECT ok = {};
    RECT window = {};
    HRGN region = nullptr;
    bool corner = true;
    bool centre = false;
    std::string title;
    LONG style = 0;
};

AboutLayout LookAtAbout(HWND box, bool waitForLink) {
    AboutLayout a;
    a.box = box;
    if (waitForLink)
        a.linkMade = PumpUntil([&] { return IsChildOf(g_about.LinkButton().Handle(), box); });
    else
        PumpUntil([&] { return !GetUpdateRect(box, nullptr, FALSE); });
    a.link = a.linkMade ? ChildRect(g_about.LinkButton().Handle()) : RECT{};
    a.ok = ChildRect(MsgBox::AnswerButton(0).Handle());
    a.window = WindowRectOf(box);
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(box, rgn) != ERROR) {
        a.corner = PtInRegion(rgn, 1, 1) != FALSE;
        int w = a.window.right - a.window.left, h = a.window.bottom - a.window.top;
        a.centre = PtInRegion(rgn, w / 2, h / 2) != FALSE;
        auto inside = [&](const RECT& r) {
            return PtInRegion(rgn, r.left, r.top) && PtInRegion(rgn, r.right - 1, r.top) &&
                   PtInRegion(rgn, r.left, r.bottom - 1) && PtInRegion(rgn, r.right - 1, r.bottom - 1);
        };
        if (!inside(a.ok)) ADD_FAILURE() << "the OK button reaches outside the ellipse";
        if (a.linkMade && !inside(a.link)) ADD_FAILURE() << "the link reaches outside the ellipse";
    }
    DeleteObject(rgn);
    a.title = TextOf(box);
    a.style = GetWindowLongA(box, GWL_STYLE);
    return a;
}

// The width of a link as the About box draws it: underlined "MS Sans Serif"
// of 12 points, in whatever face stands for it here.
int LinkWidth(const std::string& link) {
    DisplayFont font;
    LOGFONTA lf = {};
    lstrcpynA(lf.lfFaceName, "MS Sans Serif", sizeof lf.lfFaceName);
    lf.lfHeight = -MulDiv(12, GetDeviceCaps(font.ic, LOGPIXELSY), 72);
    lf.lfUnderline = TRUE;
    HFONT linkFont = CreateFontIndirectA(&lf);
    HGDIOBJ old = SelectObject(font.ic, linkFont);
    SIZE size = {};
    GetTextExtentPoint32A(font.ic, link.c_str(), static_cast<int>(link.size()), &size);
    SelectObject(font.ic, old);
    DeleteObject(linkFont);
    return size.cx;
}

// The ellipse is as wide as the text, so the notice line is made wider than
// the longest link the tests give the box, as in the program's About box,
// whatever the fonts.
const char* AboutText() {
    static const std::string text =
        "Telvara 3.31\n" + TextWiderThan("Copyright (c) Ostrel Freeware, all rights reserved",
                                         LinkWidth("http://www.example.com/telvara/wwww") + 8);
    return text.c_str();
}

TEST_F(MsgBoxTest, AboutBoxLinkOpensInTheBrowserAndClosesTheBox) {
    const char* log = std::getenv("TELVARA_BROWSER_LOG");
    if (!log || !std::getenv("TELVARA_TEST_BROWSER"))
        SKIP_OR_FAIL_IN_CI(
            "no recording browser: TELVARA_TEST_BROWSER and TELVARA_BROWSER_LOG must be set "
            "(ctest sets them for win_gui)");
    char link[128];
    std::snprintf(link, sizeof link, "http://www.example.com/telvara/%04lx",
                  (GetTickCount() ^ GetCurrentProcessId()) & 0xFFFFul);
    AboutLayout about;
    int answer = ShowWith(g_about, AboutText(), link, 0x00, MAKEINTRESOURCEA(106), [&](HWND box) {
        about = LookAtAbout(box, true);
        if (about.linkMade) Click(g_about.LinkButton().Handle());
    });
    ASSERT_TRUE(about.linkMade) << "the link button appears with the first paint";
    EXPECT_EQ(IDOK, answer);
    EXPECT_FALSE(IsWindow(about.box));
    EXPECT_TRUE(IsWindowEnabled(owner_));

    // The link sits between the text and the OK button.
    EXPECT_LE(about.link.bottom, about.ok.top);
    int linkMiddle = (about.link.left + about.link.right) / 2;
    int okMiddle = (about.ok.left + about.ok.right) / 2;
    EXPECT_LE(std::abs(linkMiddle - okMiddle), 2) << "both centred";

    // An ellipse with neither caption nor title.
    EXPECT_FALSE(about.corner);
    EXPECT_TRUE(about.centre);
    EXPECT_EQ("", about.title);
    EXPECT_NE(WS_CAPTION, about.style & WS_CAPTION);

    std::string path = WindowsPath(log);
    bool opened = PumpUntil([&] { return ReadFile(path).find(link) != std::string::npos; }, 30000);
    EXPECT_TRUE(opened) << "the browser was not asked for " << link << " (log " << path << ")";
}

TEST_F(MsgBoxTest, AboutBoxWidensToShowALinkLongerThanItsText) {
    const char text[] = "Telvara 3.31\nfree";
    const char link[] = "http://www.example.com/telvara/downloads/the-latest-version-of-the-program.htm";
    // The link as the box draws it: underlined MS Sans Serif, 12 points.
    DisplayFont font;
    FontObject linkFont;
    linkFont.LogFont().lfUnderline = TRUE;
    linkFont.SetFace(font.ic, "MS Sans Serif", 12);
    HGDIOBJ old = SelectObject(font.ic, linkFont.Handle());
    SIZE linkSize = {};
    GetTextExtentPoint32A(font.ic, link, static_cast<int>(sizeof link - 1), &linkSize);
    SelectObject(font.ic, old);
    const int textWidth = std::max(font.Extent("Telvara 3.31"), font.Extent("free")) + 4 * font.maxCharWidth;
    ASSERT_GT(linkSize.cx, textWidth) << "the link must be the longer";

    AboutLayout about;
    EXPECT_EQ(IDOK, ShowWith(g_about, text, link, 0x00, MAKEINTRESOURCEA(106), [&](HWND box) {
                  about = LookAtAbout(box, true);  // fails when the link reaches outside the ellipse
                  Click(MsgBox::AnswerButton(0).Handle());
              }));
    ASSERT_TRUE(about.linkMade);
    EXPECT_EQ(linkSize.cx, about.link.right - about.link.left) << "the link's button holds the whole link";
    EXPECT_GE(about.link.left, 0);
    EXPECT_LE(about.link.right, about.window.right - about.window.left);
    EXPECT_GT(about.window.right - about.window.left, linkSize.cx);
    EXPECT_TRUE(about.centre);
}

TEST_F(MsgBoxTest, AboutBoxOkButtonAnswersByEnterAndItsLetter) {
    AboutLayout about;
    EXPECT_EQ(IDOK, ShowWith(g_about, AboutText(), "http://www.example.com/telvara", 0x00, MAKEINTRESOURCEA(106),
                             [&](HWND box) {
                                 about = LookAtAbout(box, true);
                                 Key(Focused(), VK_RETURN);
                             }));
    EXPECT_TRUE(about.linkMade);
    EXPECT_EQ(IDOK, ShowWith(g_about, AboutText(), "http://www.example.com/telvara", 0x00, MAKEINTRESOURCEA(106),
                             [&](HWND) { Key(MsgBox::AnswerButton(0).Handle(), 'O'); }));
}

TEST_F(MsgBoxTest, AboutBoxWithoutLinkHasNoLinkButton) {
    AboutLayout about;
    EXPECT_EQ(IDOK, ShowWith(g_about, AboutText(), "", 0x00, MAKEINTRESOURCEA(106), [&](HWND box) {
                  about = LookAtAbout(box, false);
                  EXPECT_FALSE(IsChildOf(g_about.LinkButton().Handle(), box));
                  Click(MsgBox::AnswerButton(0).Handle());
              }));
    EXPECT_FALSE(about.corner);
}

TEST_F(MsgBoxTest, AboutBoxAfterAPlainBoxUsesOneButton) {
    // The two boxes share their answer buttons.
    EXPECT_EQ(IDCANCEL, ShowWith("Save data?", 0x23, [&](HWND) { Key(Focused(), 'C'); }));
    int buttons = 0;
    EXPECT_EQ(IDOK,
              ShowWith(g_about, AboutText(), "http://www.example.com/telvara", 0x00, MAKEINTRESOURCEA(106), [&](HWND) {
                  buttons = MsgBox::ButtonsInUse();
                  Key(Focused(), VK_TAB);
                  Key(Focused(), VK_RETURN);
              }));
    EXPECT_EQ(1, buttons);
}

}  // namespace
