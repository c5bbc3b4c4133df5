// Draws the program's windows into BMP files, to look at: the main frame with
// its button bar, list and status bar, a Yes/No/Cancel box, an OK box with an
// icon, the About box with its link (and with a link longer than its text),
// and the print and backup dialogs.  It also writes the print page of a
// phone book and the help page, for a browser to draw.
//
//   telvara_screens.exe OUT-FOLDER [PROGRAM [PHONE-BOOK]]
//
// This executable carries none of the program's resources; given the built
// program, the About box shows the program's icon 106 and the dialogs their
// templates from it.  Each window is saved once it and its children have
// nothing left to paint, then closed.  The exit code is the number of
// pictures that failed.

#include "contacts/ContactList.h"
#include "contacts/DataFile.h"
#include "contacts/MemoryListControl.h"
#include "framework/Instance.h"
#include "framework/MainFrame.h"
#include "framework/MsgBox.h"
#include "output/BackupDialog.h"
#include "output/HelpPage.h"
#include "output/MakerInfo.h"
#include "output/PageFile.h"
#include "output/PrintDialog.h"
#include "output/PrintPage.h"

#include "GuiTest.h"

#include <commctrl.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

namespace {

MsgBox g_box;

HICON g_programIcon = nullptr;

// The About box, with the icon the program's own resources would give it.
class ScreenAbout : public EllipseMsgBox {
public:
    void OnPaint() override {
        if (!icon_) icon_ = g_programIcon;
        EllipseMsgBox::OnPaint();
    }
};

ScreenAbout g_about;

class ScreenFrame : public MainFrame {
public:
    void ModifyCreate(CREATESTRUCTA& cs) override {
        cs.lpszName = "Telvara";
        cs.cx = 630;
        cs.cy = 422;
    }
};

ScreenFrame g_frame;
ListViewControl g_list;
ButtonBar g_bar;
StatusBar g_status;

constexpr COLORREF kTextColour = RGB(0, 0, 0);
constexpr COLORREF kBackColour = RGB(192, 192, 192);
constexpr COLORREF kBevelColour = RGB(128, 128, 128);

std::string g_outDir;
int g_failures = 0;

BOOL CALLBACK ChildNeedsPaint(HWND child, LPARAM found) {
    if (!IsWindowVisible(child) || !GetUpdateRect(child, nullptr, FALSE)) return TRUE;
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
}

bool NeedsPaint(HWND hwnd) {
    if (GetUpdateRect(hwnd, nullptr, FALSE)) return true;
    bool found = false;
    EnumChildWindows(hwnd, &ChildNeedsPaint, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Saves `hwnd` as OUT-FOLDER\name.bmp once everything in it is drawn.
void Save(HWND hwnd, const char* name, bool (*ready)(HWND) = nullptr) {
    bool painted = PumpUntil([&] { return (!ready || ready(hwnd)) && !NeedsPaint(hwnd); }, 10000);
    GdiFlush();
    PumpQueued();
    char path[MAX_PATH];
    std::snprintf(path, sizeof path, "%s\\%s.bmp", g_outDir.c_str(), name);
    bool saved = painted && SaveWindowBitmap(hwnd, path);
    std::printf("%s: %s\n", path, saved ? "saved" : painted ? "not written" : "never finished painting");
    if (!saved) ++g_failures;
}

bool LinkMade(HWND box) {
    HWND link = g_about.LinkButton().Handle();
    return link && IsWindow(link) && GetParent(link) == box;
}

// Shows a box owned by the frame, saves it and answers it with its first button.
void ShootBox(MsgBox& box, const char* name, const char* text, const char* caption, UINT flags,
              const char* icon, bool (*ready)(HWND) = nullptr) {
    OnWindowShown hook("CMSGCLASS", [&](HWND hwnd) {
        Save(hwnd, name, ready);
        SendMessageA(MsgBox::AnswerButton(0).Handle(), BM_CLICK, 0, 0);
    });
    box.Show(g_frame.Handle(), text, caption, flags, icon, kTextColour, kBackColour, kBevelColour);
    if (hook.Count() != 1) {
        std::printf("%s: no box was shown\n", name);
        ++g_failures;
    }
}

// Shows a dialog owned by the frame, saves it and cancels it.
void ShootDialog(const char* name, const std::function<void()>& run) {
    OnWindowShown hook("#32770", [&](HWND hwnd) {
        // The dialog's own loop would show it once idle; this runs before.
        ShowWindow(hwnd, SW_SHOWNORMAL);
        Save(hwnd, name);
        PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    run();
    if (hook.Count() != 1) {
        std::printf("%s: no dialog was shown\n", name);
        ++g_failures;
    }
}

// The phone book (and one contact whose e-mail holds markup) as the print
// page, and the help page, beside the pictures.
void WritePages(const char* book) {
    MemoryListControl control;
    MemoryStatusText status;
    ContactList list(control, status);
    if (book) LoadDataFile(list, book);
    auto zoe = std::make_unique<Contact>();
    ClearContact(*zoe);
    const char* fields[] = {"Zoe", "Smith & Sons", "819-555-0123",          "9 Quai Street", "Hull",
                            "QC",  "J8X 2B2",      "Zoe <zoe@example.com>", "<ask for Zoe>"};
    for (int i = 0; i < kContactFieldCount; ++i) SetField(ContactField(*zoe, i), kContactFieldWidths[i], fields[i]);
    list.AppendContact(std::move(zoe));
    PageBuffer page;
    const bool built =
        page.Reset(kPageStartCapacity, kPageGrowthStep) && BuildPrintPage(page, list, PrintSettings{15, 1}, "06/15/09");
    const std::string print = g_outDir + "\\print-page.htm";
    const std::string help = g_outDir + "\\help-page.htm";
    if (!built || !WritePageFile(print.c_str(), page.Text(), page.Used()) ||
        !WritePageFile(help.c_str(), kHelpPageText, kHelpPageLength)) {
        std::printf("the pages could not be written\n");
        ++g_failures;
    }
}

bool MakeFrame() {
    g_status.SetPartCount(3);
    g_status.AddPart(80, 0);
    g_status.AddPart(14, 0);
    g_status.AddPart(7, 0);
    if (!g_frame.CreateFrame(&g_list, &g_bar, &g_status)) return false;
    g_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    struct {
        const char* text;
        int width;
        int id;
    } buttons[] = {{"Dial", 60, 40017}, {"New", 60, 40016},  {"Edit", 60, 40014},
                   {"Delete", 60, 40015}, {"Info", 60, 40024}, {"E&xit", 60, 40004}};
    g_bar.SetButtonCount(6);
    for (const auto& b : buttons)
        if (!g_bar.AddButton(b.text, b.width, b.id, 0)) return false;
    const char* columns[] = {"First Name", "Last Name", "Number", "Address", "City",
                             "State",      "Zip",       "E-mail", "Misc. Info."};
    const int widths[] = {100, 100, 110, 156, 100, 34, 54, 140, 140};
    for (int i = 0; i < 9; ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<char*>(columns[i]);
        column.cx = widths[i];
        g_list.InsertColumn(i, column);
    }
    g_frame.ShowFrame(SW_SHOWNORMAL);
    g_status.SetPartText(0, "No contact selected");
    g_status.SetPartText(1, "0");
    g_status.SetPartText(2, "Mod");
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    g_outDir = argc > 1 ? argv[1] : ".";
    while (!g_outDir.empty() && (g_outDir.back() == '\\' || g_outDir.back() == '/')) g_outDir.pop_back();

    HMODULE program = nullptr;
    if (argc > 2) {
        program = LoadLibraryExA(argv[2], nullptr, LOAD_LIBRARY_AS_DATAFILE);
        if (program) g_programIcon = LoadIconA(program, MAKEINTRESOURCEA(106));
        if (!g_programIcon) std::printf("%s: no icon 106, the About box is shown without\n", argv[2]);
    }
    const char* book = argc > 3 ? argv[3] : nullptr;
    WritePages(book);

    if (!MakeFrame()) {
        std::printf("the frame could not be made\n");
        return 100;
    }
    Save(g_frame.Handle(), "frame");

    ShootBox(g_box, "yes-no-cancel", "The contact list has changed.\nSave data?", "Telvara", 0x03,
             nullptr);
    ShootBox(g_box, "ok-icon", "Dialing: 5551234\nPick up the handset, then press OK.", "Telvara",
             0x30, nullptr);
    ShootBox(g_about, "about", kAboutText, kMakerSite, 0x00, MAKEINTRESOURCEA(106), &LinkMade);
    ShootBox(g_about, "about-long-link", "Telvara 3.31\nfree",
             "http://www.example.com/telvara/downloads/the-latest-version-of-the-program.htm", 0x00,
             MAKEINTRESOURCEA(106), &LinkMade);

    // The dialogs' templates are the program's.
    if (program) {
        HINSTANCE own = ProgramInstance();
        SetProgramInstance(program);
        PrintSettings settings{5, 1};
        ShootDialog("print-dialog", [&] { RunPrintDialog(g_frame.Handle(), settings); });
        char backup[MAX_PATH] = "D:\\Save\\friends.csv";
        ShootDialog("backup-dialog", [&] {
            RunBackupDialog(g_frame.Handle(), book ? book : "C:\\Telvara\\friends.csv", backup, sizeof backup);
        });
        SetProgramInstance(own);
    } else {
        std::printf("no program given: the print and backup dialogs are not drawn\n");
        g_failures += 2;
    }

    DestroyWindow(g_frame.Handle());
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    std::fflush(stdout);
    return g_failures;
}
