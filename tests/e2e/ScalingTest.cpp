// The real program at its prefix's scaling (TELVARA_DPI, set by run-scaling.sh): as at 96 DPI, only larger.

#include "ProgramFixture.h"

#include "contacts/ContactList.h"

#include <fstream>

namespace {
const int kDpi = std::getenv("TELVARA_DPI") ? std::atoi(std::getenv("TELVARA_DPI")) : 96;
int Px(int at96, int dpi = kDpi) { return MulDiv(at96, dpi, 96); }
int Wide(const RECT& r) { return r.right - r.left; }
RECT In(HWND parent, HWND child) {
    RECT r = WindowRect(child);
    return MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2), r;
}
bool Apart(const RECT& a, const RECT& b) {
    return a.right <= b.left || b.right <= a.left || a.bottom <= b.top || b.bottom <= a.top;
}
// A message whose lParam points at `io`, carried into the program's memory and back.
template <class T>
LRESULT Ask(const RunningProgram& p, HWND to, UINT message, WPARAM w, T& io) {
    RemoteMemory m(p.Process(), sizeof io);
    LRESULT result =
        m.Write(0, &io, sizeof io) ? SendTo(to, message, w, reinterpret_cast<LPARAM>(m.At(0))).value_or(0) : 0;
    return m.Read(0, &io, sizeof io) ? result : 0;
}
int TextWidth(HDC dc, const std::string& text) {
    SIZE size = {};
    return GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size), size.cx;
}
}  // namespace

TEST_F(ProgramTest, ScalesPixelFiguresKeepsTextsFittingAndStoresWidthsAt96) {
    SetProcessDPIAware();  // in the program's pixels, not stretched ones
    UseSample();
    RunningProgram program;
    StartLoaded(program, 12);
    HWND frame = program.Frame(), list = program.List(), bar = GetParent(program.BarButton("Dial"));
    RECT place = WindowRect(frame), barClient, previous = {};
    EXPECT_TRUE(std::abs(Px(630) - Wide(place)) <= 1 && std::abs(Px(422) - (place.bottom - place.top)) <= 1) << kDpi;
    EXPECT_TRUE(Apart(In(frame, bar), In(frame, list)) && Apart(In(frame, list), In(frame, program.Status())));
    GetClientRect(bar, &barClient);
    for (int i = 0; i < 6; ++i) {
        const char* buttons[] = {"Dial", "New", "Edit", "Delete", "Info", "E&xit"};
        RECT b = In(bar, program.BarButton(buttons[i]));
        EXPECT_NEAR(Px(2 + 63 * i), b.left, 1) << buttons[i];
        EXPECT_TRUE(Wide(b) == Px(60) && b.top == Px(3) && barClient.bottom - (b.bottom - b.top) == Px(6));
        EXPECT_TRUE(Apart(previous, b));
        previous = b;
    }
    unsigned fits = 0;  // bit c: header c fits its column; bit 16 + i: status part i's text fits it
    for (int c = 0; c < kColumnCount; ++c) {
        int width = static_cast<int>(SendTo(list, LVM_GETCOLUMNWIDTH, c, 0).value_or(0));
        EXPECT_NEAR(Px(kDefaultCols[c]), width, 1) << c;
        char text[32];
        lstrcpynA(text, kContactColumns[c].Header, sizeof text);
        if (Ask(program, list, LVM_GETSTRINGWIDTHA, 0, text) + Px(12) <= width) fits |= 1u << c;
    }
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HDC ic = CreateICA("DISPLAY", nullptr, nullptr, nullptr);  // its own font is the one the box measures with
    HGDIOBJ own = SelectObject(ic, CreateFontIndirectA(&metrics.lfStatusFont));
    for (int part = 0; part < 3; ++part) {
        RECT r = {};
        Ask(program, program.Status(), SB_GETRECT, part, r);
        if (TextWidth(ic, program.StatusText(part)) + Px(6) <= Wide(r)) fits |= 1u << (16 + part);
    }
    DeleteObject(SelectObject(ic, own));
    unsigned at96 = fits;
    if (kDpi == 96)
        std::ofstream(std::getenv("TELVARA_FITS")) << fits;
    else
        std::ifstream(std::getenv("TELVARA_FITS")) >> at96;
    EXPECT_EQ(0u, at96 & ~fits) << "fit at 96 DPI: " << at96 << ", here: " << fits;
    // The Delete question: buttons, margins and the box's width.
    HWND box = program.PostCommand(CMD_DELETE) ? program.WaitForBox(kWait) : nullptr;
    HWND yes = FindWindowExA(box, nullptr, "Button", nullptr);
    RECT client, y = In(box, yes), n = In(box, FindWindowExA(box, yes, "Button", nullptr));
    GetClientRect(box, &client);
    EXPECT_TRUE(Wide(y) == Px(60) && n.bottom - n.top == Px(30) && Apart(y, n) && n.bottom <= client.bottom);
    EXPECT_TRUE(std::abs(client.right / 2 - Px(70) - y.left) <= 1 && std::abs(client.right / 2 + Px(10) - n.left) <= 1);
    std::string text = program.BoxText(box).value_or("");
    TEXTMETRICA tm = {};
    GetTextMetricsA(ic, &tm);
    int widest =
        std::max(TextWidth(ic, text.substr(0, text.find('\n'))), TextWidth(ic, text.substr(text.find('\n') + 1)));
    DeleteDC(ic);
    long least = 10 * (tm.tmHeight + tm.tmExternalLeading);  // a Yes/No box
    EXPECT_NEAR(std::max(widest + 4 * tm.tmMaxCharWidth + Px(64), least) + Px(16), Wide(WindowRect(box)), 1);
    ASSERT_TRUE(program.AnswerBoxWith(box, 1));
    // The colour sample below the sliders, as the screen shows it.
    HWND colours = program.PostCommand(CMD_COLOURS) ? program.WaitForDialog("Select colors", kWait) : nullptr;
    ASSERT_TRUE(colours && DragSlider(colours, IDC_COLOURS_BACK, 3) && program.Settled());
    HDC dc = GetDC(colours);  // the sample on red
    int top = 0;
    while (top < 1000 && GetPixel(dc, Px(6) + 1, top) != RGB(255, 0, 0)) ++top;
    ReleaseDC(colours, dc);
    EXPECT_NEAR(Px(110), top, 1);  // seen there: not under the slider, which the screen shows over it
    ASSERT_TRUE(ClickControl(colours, IDCANCEL));
    // Moved to a monitor of another scaling, and back.
    int moved = kDpi == 96 ? 144 : 96, first = static_cast<int>(SendTo(list, LVM_GETCOLUMNWIDTH, 0, 0).value_or(0));
    RECT suggested = {place.left, place.top, place.left + Px(630, moved), place.top + Px(422, moved)},
         asked = suggested, icon = {LVIR_ICON, 0, 0, 0};
    Ask(program, frame, WM_DPICHANGED, MAKEWPARAM(moved, moved), asked);
    EXPECT_EQ(Describe(suggested), Describe(WindowRect(frame)));
    EXPECT_NEAR(Px(60, moved), Wide(WindowRect(program.BarButton("Dial"))), 1);
    EXPECT_NEAR(MulDiv(first, moved, kDpi), SendTo(list, LVM_GETCOLUMNWIDTH, 0, 0).value_or(0), 1);
    Ask(program, list, LVM_GETITEMRECT, 0, icon);
    EXPECT_EQ(Px(16, moved), Wide(icon));
    Ask(program, frame, WM_DPICHANGED, MAKEWPARAM(kDpi, kDpi), place);
    EXPECT_EQ(first, SendTo(list, LVM_GETCOLUMNWIDTH, 0, 0).value_or(0));
    CloseNormally(program);
    auto cols = ReadRegistryValue(kSettingsKey, "Cols");
    ASSERT_TRUE(cols && cols->Data.size() == sizeof kDefaultCols);
    EXPECT_EQ(0, std::memcmp(kDefaultCols, cols->Data.data(), sizeof kDefaultCols)) << "stored at 96 DPI";
}
