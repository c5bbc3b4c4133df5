// The program at the scaling of its prefix (TELVARA_DPI, the LogPixels that
// run-scaling.sh gave it): figures in pixels scaled, texts that fit at 96 DPI
// still fitting (the 96-DPI run records them in TELVARA_FITS), the widths
// stored at 96 DPI, and a change of monitor scaling followed.

#include "ProgramFixture.h"

#include "contacts/ContactList.h"

#include <fstream>

namespace {
const int kDpi = std::getenv("TELVARA_DPI") ? std::atoi(std::getenv("TELVARA_DPI")) : 96;
int Px(int at96, int dpi = kDpi) { return MulDiv(at96, dpi, 96); }
RECT In(HWND parent, HWND child) {
    RECT r = WindowRect(child);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}
bool Apart(const RECT& a, const RECT& b) { return a.right <= b.left || b.right <= a.left || a.bottom <= b.top || b.bottom <= a.top; }
template <class T>
T Ask(const RunningProgram& p, HWND to, UINT message, WPARAM w, const T& in) {
    RemoteMemory m(p.Process(), 512);
    T out = in;
    m.Write(0, &in, sizeof in);
    SendTo(to, message, w, reinterpret_cast<LPARAM>(m.At(0)));
    m.Read(0, &out, sizeof out);
    return out;
}
int TextWidth(HFONT font, const std::string& text) {
    HDC ic = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
    HGDIOBJ old = font ? SelectObject(ic, font) : nullptr;
    SIZE size = {};
    GetTextExtentPoint32A(ic, text.c_str(), static_cast<int>(text.size()), &size);
    if (old) SelectObject(ic, old);
    DeleteDC(ic);
    return size.cx;
}
}  // namespace

TEST_F(ProgramTest, ScalesPixelFiguresKeepsTextsFittingAndStoresWidthsAt96) {
    SetProcessDPIAware();  // in the program's pixels, not stretched ones
    std::printf("at %d DPI\n", kDpi);
    UseSample();
    RunningProgram program;
    StartLoaded(program, 12);
    HWND frame = program.Frame(), list = program.List(), bar = GetParent(program.BarButton("Dial"));
    RECT place = WindowRect(frame);
    EXPECT_NEAR(Px(630), place.right - place.left, 1);
    EXPECT_NEAR(Px(422), place.bottom - place.top, 1);
    EXPECT_TRUE(Apart(In(frame, bar), In(frame, list)) && Apart(In(frame, list), In(frame, program.Status())));
    RECT barClient, previous = {};
    GetClientRect(bar, &barClient);
    const char* buttons[] = {"Dial", "New", "Edit", "Delete", "Info", "E&xit"};
    for (int i = 0; i < 6; ++i) {
        RECT b = In(bar, program.BarButton(buttons[i]));
        EXPECT_NEAR(Px(2 + 63 * i), b.left, 1) << buttons[i];
        EXPECT_NEAR(Px(60), b.right - b.left, 1);
        EXPECT_NEAR(Px(3), b.top, 1);
        EXPECT_NEAR(Px(6), barClient.bottom - (b.bottom - b.top), 1);
        EXPECT_TRUE(Apart(previous, b));
        previous = b;
    }
    // Fits: a header's text in its column, a status part's text in its part.
    unsigned fits = 0;
    for (int c = 0; c < kColumnCount; ++c) {
        int width = static_cast<int>(SendTo(list, LVM_GETCOLUMNWIDTH, c, 0).value_or(0));
        EXPECT_NEAR(Px(kDefaultCols[c]), width, 1) << c;
        char text[32];
        lstrcpynA(text, kContactColumns[c].Header, sizeof text);
        RemoteMemory m(program.Process(), sizeof text);
        m.Write(0, text, sizeof text);
        auto measured = SendTo(list, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(m.At(0)));
        if (measured && *measured + Px(12) <= width) fits |= 1u << c;
    }
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HFONT statusFont = CreateFontIndirectA(&metrics.lfStatusFont);
    for (int part = 0; part < 3; ++part) {
        RECT r = Ask(program, program.Status(), SB_GETRECT, part, RECT{});
        if (TextWidth(statusFont, program.StatusText(part)) + Px(6) <= r.right - r.left) fits |= 1u << (16 + part);
    }
    DeleteObject(statusFont);
    if (const char* record = std::getenv("TELVARA_FITS")) {
        unsigned at96 = fits;
        if (kDpi == 96) std::ofstream(record) << fits;
        else std::ifstream(record) >> at96;
        EXPECT_EQ(0u, at96 & ~fits) << "fit at 96 DPI: " << at96 << ", here: " << fits;
    }
    // The Delete question: buttons, margins and the box's width.
    ASSERT_TRUE(program.PostCommand(CMD_DELETE));
    HWND box = program.WaitForBox(kWait);
    ASSERT_NE(nullptr, box);
    RECT client;
    GetClientRect(box, &client);
    HWND yes = FindWindowExA(box, nullptr, "Button", nullptr), no = FindWindowExA(box, yes, "Button", nullptr);
    RECT y = In(box, yes), n = In(box, no);
    EXPECT_NEAR(Px(60), y.right - y.left, 1);
    EXPECT_NEAR(Px(30), n.bottom - n.top, 1);
    EXPECT_NEAR(client.right / 2 - Px(70), y.left, 1);
    EXPECT_NEAR(client.right / 2 + Px(10), n.left, 1);
    EXPECT_TRUE(Apart(y, n) && n.right <= client.right && n.bottom <= client.bottom);
    std::string text = program.BoxText(box).value_or("");
    HDC ic = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
    TEXTMETRICA tm = {};
    GetTextMetricsA(ic, &tm);
    DeleteDC(ic);
    int widest = std::max(TextWidth(nullptr, text.substr(0, text.find('\n'))), TextWidth(nullptr, text.substr(text.find('\n') + 1)));
    int boxWidth = std::max(widest + 4 * tm.tmMaxCharWidth + Px(64), 10 * (tm.tmHeight + tm.tmExternalLeading));
    EXPECT_NEAR(boxWidth + Px(16), WindowRect(box).right - WindowRect(box).left, 1);
    ASSERT_TRUE(program.AnswerBoxWith(box, 1));
    // The colour sample below the sliders.
    ASSERT_TRUE(program.PostCommand(CMD_COLOURS));
    HWND colours = program.WaitForDialog("Select colors", kWait);
    ASSERT_NE(nullptr, colours);
    ASSERT_TRUE(DragSlider(colours, IDC_COLOURS_BACK, 3));  // red
    ASSERT_TRUE(program.Settled());
    HDC dc = GetDC(colours);
    int top = 0;
    while (top < 1000 && GetPixel(dc, Px(6) + 1, top) != RGB(255, 0, 0)) ++top;
    ReleaseDC(colours, dc);
    EXPECT_NEAR(Px(110), top, 1);
    EXPECT_LE(In(colours, GetDlgItem(colours, IDC_COLOURS_BACK)).bottom, top);
    ASSERT_TRUE(ClickControl(colours, IDCANCEL));
    // Moved to a monitor of another scaling, and back.
    int moved = kDpi == 96 ? 144 : 96, first = static_cast<int>(SendTo(list, LVM_GETCOLUMNWIDTH, 0, 0).value_or(0));
    RECT suggested = {place.left, place.top, place.left + Px(630, moved), place.top + Px(422, moved)};
    Ask(program, frame, WM_DPICHANGED, MAKEWPARAM(moved, moved), suggested);
    EXPECT_EQ(Describe(suggested), Describe(WindowRect(frame)));
    EXPECT_NEAR(Px(60, moved), WindowRect(program.BarButton("Dial")).right - WindowRect(program.BarButton("Dial")).left, 1);
    EXPECT_NEAR(MulDiv(first, moved, kDpi), SendTo(list, LVM_GETCOLUMNWIDTH, 0, 0).value_or(0), 1);
    RECT icon = Ask(program, list, LVM_GETITEMRECT, 0, RECT{LVIR_ICON, 0, 0, 0});
    EXPECT_EQ(Px(16, moved), icon.right - icon.left);
    Ask(program, frame, WM_DPICHANGED, MAKEWPARAM(kDpi, kDpi), place);
    EXPECT_EQ(first, SendTo(list, LVM_GETCOLUMNWIDTH, 0, 0).value_or(0));
    CloseNormally(program);
    auto cols = ReadRegistryValue(kSettingsKey, "Cols");
    ASSERT_TRUE(cols && cols->Data.size() == sizeof kDefaultCols);
    EXPECT_EQ(0, std::memcmp(kDefaultCols, cols->Data.data(), sizeof kDefaultCols)) << "stored at 96 DPI";
}
