#pragma once
// The program's own message box: a coloured popup sized from its text, with
// the system message box's flag and answer values, answer buttons that work
// from the keyboard, and a modal wait that keeps the program's messages
// flowing.  EllipseMsgBox is the About box variant.

#include "framework/Controls.h"
#include "framework/Dpi.h"
#include "framework/FontObject.h"
#include "framework/WindowObject.h"

#include <string>

// Window property of an open box: the address of its text in this process.
constexpr const char kTextProperty[] = "TelvaraText";

// A sunken frame drawn around the text when the box has an icon.
struct BevelFrame {
    COLORREF Light;
    COLORREF Dark;
    int Left = 0, Top = 0, Width = -1, Height = 0;  // width -1: no frame
    void Draw(HDC dc) const;
};

class MsgBox : public WindowObject {
public:
    MsgBox();
    ~MsgBox() override;

    // The answer: IDOK, IDCANCEL, IDYES or IDNO; 0 when no box was shown or
    // the program is quitting.
    int Show(HWND owner, const char* text, const char* caption, UINT flags, const char* iconName, COLORREF textColour,
             COLORREF backColour, COLORREF bevelColour);

    LRESULT WindowProc(UINT message, WPARAM w, LPARAM l) override;
    int RegisterWindowClass() override;
    void OnClose() override;
    void OnCommand(WPARAM w, LPARAM l) override;
    int OnCreate() override;
    void OnLButtonDown(WPARAM w, LPARAM l) override;
    void OnPaint() override;
    void OnSetFocus() override;
    virtual void AfterCreate();
    virtual void OnOtherCommand(int id, LPARAM l);
    virtual void CreateButtons();
    virtual void CreateBoxWindow();

    // Dispatches what is queued until the box is answered; 1 when the quit
    // message is next (it stays queued), 0 when the queue is empty or the
    // answer has come.  What is queued after the answer is left to the loop
    // that runs once the box has gone, which takes commands and keys again.
    int PumpPending();

    // The shared answer buttons, for tests and the key handler.
    static PushButton& AnswerButton(int index);
    static int ButtonsInUse();
    static int CurrentButton();

    int LineCount() const { return lineCount_; }
    int WidestLine() const { return widest_; }
    int LineHeight() const { return lineHeight_; }
    int MaxCharWidth() const { return maxCharWidth_; }
    int BoxWidth() const { return boxWidth_; }
    bool Running() const { return running_ != 0; }
    const char* Text() const { return text_.c_str(); }
    const char* Caption() const { return caption_; }

protected:
    static LRESULT CALLBACK ButtonKeyProc(HWND hwnd, UINT message, WPARAM w, LPARAM l);
    static void SetButtonsInUse(int n);
    void PlaceButton(int index, const char* text, int x, int y, int answer);
    // The box's colour over its whole client area.
    void PaintBackground(HDC dc) const;
    // The owner's top-level window is disabled while the box is open; only
    // if the box itself disabled it is it enabled again.
    void DisableOwners();
    void EnableOwners();
    // Pixels at 96 DPI, for the box's DPI (its owner's).
    int Px(int pixelsAt96) const { return ScaleToDpi(pixelsAt96, dpi_); }
    void DrawBoxIcon(HDC dc, int x, int y) const;
    // The lines of the text, split at line feeds.
    template <class F>
    void ForEachLine(F f) const;

    int running_ = 0;
    HWND owner_ = nullptr;
    HWND disabledTop_ = nullptr;  // what the open box disabled
    HICON icon_ = nullptr;
    int maxCharWidth_ = 0;
    int lineHeight_ = 0;
    int lineCount_ = 0;
    int widest_ = 0;
    int result_ = 0;
    int answers_[3] = {};
    UINT flags_ = 0;
    COLORREF textColour_ = 0;
    COLORREF backColour_ = 0;
    std::string text_;
    const char* caption_ = "";
    RECT textRect_ = {};
    BevelFrame bevel_;
    int leftMargin_ = 8;
    int boxWidth_ = 0;
    bool hasIcon_ = false;
    int dpi_ = kBaseDpi;
};

class EllipseMsgBox : public MsgBox {
public:
    EllipseMsgBox();
    ~EllipseMsgBox() override;

    void OnDrawItem(WPARAM w, LPARAM l) override;
    void OnPaint() override;
    void OnOtherCommand(int id, LPARAM l) override;
    void CreateButtons() override;
    void CreateBoxWindow() override;

    PushButton& LinkButton() { return linkButton_; }
    const RECT& LinkRect() const { return linkRect_; }

private:
    // The link font made on `dc`, and the link text's size in it.
    SIZE MeasureLink(HDC dc);
    // Where the first text line and the link line start.
    int TextTop() const { return 2 * lineHeight_ + Px(32); }
    int LinkTop() const { return TextTop() + (lineCount_ + 1) * lineHeight_; }

    int ellipseWidth_ = 0;
    int ellipseHeight_ = 0;
    int linkCreated_ = 0;
    RECT linkRect_ = {};
    FontObject linkFont_;
    PushButton linkButton_;
};

template <class F>
void MsgBox::ForEachLine(F f) const {
    std::size_t start = 0;
    while (start < text_.size()) {
        std::size_t end = text_.find('\n', start);
        if (end == std::string::npos) end = text_.size();
        f(text_.c_str() + start, static_cast<int>(end - start));
        start = end + 1;
    }
}
