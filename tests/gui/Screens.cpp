// Draws the program's windows into BMP files, to look at: the main frame with
// its button bar, list and status bar, a Yes/No/Cancel box, an OK box with an
// icon, the About box with its link (and with a link longer than its text),
// the contact dialog for New and Edit; given the built program, also the
// Setup, Setup port, colour, print and backup dialogs from its templates,
// and the list in the colours chosen.  It also writes the print page of a
// phone book and the help page, for a browser to draw.
//
//   telvara_screens.exe OUT-FOLDER [PROGRAM [PHONE-BOOK]]
//
// The program's resources are built into this executable too; given the
// built program, the About box and the Options dialogs take theirs from it.
// Each window is saved once it and its children have nothing left to paint,
// then closed.
// The exit code is the number of pictures that failed.

#include "contacts/ContactList.h"
#include "contacts/DataFile.h"
#include "dialing/PortSetupDialog.h"
#include "dialing/SetupDialog.h"
#include "framework/Instance.h"
#include "framework/MainFrame.h"
#include "framework/MsgBox.h"
#include "output/BackupDialog.h"
#include "output/HelpPage.h"
#include "output/MakerInfo.h"
#include "output/PageFile.h"
#include "output/PrintDialog.h"
#include "output/PrintPage.h"
#include "resources/resource.h"
#include "ui/ColourDialog.h"
#include "support/MemoryListControl.h"
#include "ui/ContactDialog.h"

#include "GuiTest.h"

#include <commctrl.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

namespace {

MsgBox g_box;

HICON g_programIcon = nullptr;
HINSTANCE g_program = nullptr;  // the built program, for its dialog templates

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
void ShootBox(MsgBox& box, const char* name, const char* text, const char* caption, UINT flags, const char* icon,
              bool (*ready)(HWND) = nullptr) {
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

// Runs a dialog of the program's templates; `act` works it while it is up,
// then it is saved and ended with `end`.
void ShootDialog(const char* name, int end, const std::function<void()>& run,
                 const std::function<void(HWND)>& act = nullptr) {
    OnWindowShown hook("#32770", [&](HWND hwnd) {
        // The dialog manager shows a dialog when its loop first idles; this
        // runs before that, from the first messages of the loop.
        ShowWindow(hwnd, SW_SHOWNORMAL);
        if (act) act(hwnd);
        Save(hwnd, name);
        PostMessageA(hwnd, WM_COMMAND, end, 0);
    });
    run();
    if (hook.Count() != 1) {
        std::printf("%s: no dialog was shown\n", name);
        ++g_failures;
    }
}

// The contact dialog on `contact` over the list, cancelled once saved.
void ShootContact(const char* name, Contact& contact) {
    static ContactDialog dialog;
    ShootDialog(name, IDCANCEL, [&] { dialog.RunOn(contact, "CA", g_list.Handle()); });
}

void MoveSlider(HWND dialog, int id, int position) {
    HWND slider = GetDlgItem(dialog, id);
    SendMessageA(slider, TBM_SETPOS, TRUE, position);
    SendMessageA(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(slider));
}

void FillList() {
    const char* rows[][9] = {
        {"Anna", "Bell", "819-567-1234", "12 Rue Principale", "Gatineau", "QC", "J8X 1A1", "anna.bell@example.com",
         "cell 819-555-0142"},
        {"Ann", "Lee", "613-555-0199", "45 Elm St, Apt 3", "Ottawa", "ON", "K1A 0B1", "ann.lee@example.org", ""},
        {"Bob", "Roe", "(819) 567-2342", "88 King Rd", "Aylmer", "QC", "J9H 2B2", "", "work 819-555-0100"},
    };
    for (int r = 0; r < 3; ++r) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = r;
        item.pszText = const_cast<char*>(rows[r][0]);
        int index = g_list.InsertItem(item);
        for (int c = 1; c < 9; ++c) {
            LVITEMA sub = {};
            sub.iSubItem = c;
            sub.pszText = const_cast<char*>(rows[r][c]);
            SendMessageA(g_list.Handle(), LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&sub));
        }
    }
}

// The Options dialogs as the program shows them, from its own templates.
void ShootOptionDialogs() {
    HINSTANCE own = ProgramInstance();
    SetProgramInstance(g_program);
    SetupValues setup = {"CA", "819", "9", 0, 1, {100, 100, 110, 156, 0, 34, 54, 140, 140}};
    ShootDialog("setup", IDCANCEL, [&] { RunSetupDialog(g_frame.Handle(), setup); });
    PortChoice choice;
    PortSetupValues port = {3, 0, "ATDT"};
    ShootDialog("setup-port", IDCANCEL, [&] { RunPortSetupDialog(g_frame.Handle(), choice, port); });

    // Red text on khaki, chosen with the sliders and applied to the list.
    FillList();
    g_list.SetTextColor(RGB(0, 0, 0));
    g_list.SetTextBkColor(RGB(255, 255, 255));
    g_list.SetBkColor(RGB(255, 255, 255));
    ShootDialog(
        "colours", IDOK, [&] { ChooseColours(g_list); },
        [](HWND dialog) {
            MoveSlider(dialog, IDC_COLOURS_FORE, 3);
            MoveSlider(dialog, IDC_COLOURS_BACK, 58);
        });
    SetProgramInstance(own);
    g_list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    Save(g_frame.Handle(), "list-colours");
}

// The phone book (and one contact whose e-mail holds markup) as the print
// page, and the help page, beside the pictures.
void WritePages(const char* book) {
    MemoryListControl control;
    MemoryStatusText status;
    ContactList list(control, status);
    if (book) LoadContactFile(list, book);
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
    } buttons[] = {{"Dial", 60, 40017},   {"New", 60, 40016},  {"Edit", 60, 40014},
                   {"Delete", 60, 40015}, {"Info", 60, 40024}, {"E&xit", 60, 40004}};
    g_bar.SetButtonCount(6);
    for (const auto& b : buttons)
        if (!g_bar.AddButton(b.text, b.width, b.id, 0)) return false;
    const char* columns[] = {"First Name", "Last Name", "Number", "Address",    "City",
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

    if (argc > 2) {
        if (HMODULE program = LoadLibraryExA(argv[2], nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
            g_programIcon = LoadIconA(program, MAKEINTRESOURCEA(106));
            g_program = program;
        }
        if (!g_programIcon) std::printf("%s: no icon 106, the About box is shown without\n", argv[2]);
    }
    const char* book = argc > 3 ? argv[3] : nullptr;
    WritePages(book);

    if (!MakeFrame()) {
        std::printf("the frame could not be made\n");
        return 100;
    }
    Save(g_frame.Handle(), "frame");

    ShootBox(g_box, "yes-no-cancel", "The contact list has changed.\nSave data?", "Telvara", 0x03, nullptr);
    ShootBox(g_box, "ok-icon", "Dialing: 5551234\nPick up the handset, then press OK.", "Telvara", 0x30, nullptr);
    ShootBox(g_about, "about", kAboutText, kMakerSite, 0x00, MAKEINTRESOURCEA(106), &LinkMade);
    ShootBox(g_about, "about-long-link", "Telvara 3.31\nfree",
             "http://www.example.com/telvara/downloads/the-latest-version-of-the-program.htm", 0x00,
             MAKEINTRESOURCEA(106), &LinkMade);
    if (g_program) {
        ShootOptionDialogs();
        // The print and backup dialogs, from the program's templates too.
        HINSTANCE own = ProgramInstance();
        SetProgramInstance(g_program);
        PrintSettings settings{5, 1};
        ShootDialog("print-dialog", IDCANCEL, [&] { RunPrintDialog(g_frame.Handle(), settings); });
        char backup[MAX_PATH] = "D:\\Save\\friends.csv";
        ShootDialog("backup-dialog", IDCANCEL, [&] {
            RunBackupDialog(g_frame.Handle(), book ? book : "C:\\Telvara\\friends.csv", backup, sizeof backup);
        });
        SetProgramInstance(own);
    } else {
        std::printf("no program given: the Options, print and backup dialogs are not drawn\n");
        g_failures += 6;
    }

    Contact contact;
    ClearContact(contact);
    contact.IsNew = 1;
    ShootContact("contact-new", contact);
    auto set = [](char* field, std::size_t width, const char* text) { SetField(field, width, text); };
    set(contact.FirstName, sizeof contact.FirstName, "Carla");
    set(contact.LastName, sizeof contact.LastName, "Diaz");
    set(contact.Number, sizeof contact.Number, "1-800-\"CALL-ATT\"");
    set(contact.Address, sizeof contact.Address, "1 Toll Free Way");
    set(contact.City, sizeof contact.City, "Dallas");
    set(contact.State, sizeof contact.State, "TX");
    set(contact.Zip, sizeof contact.Zip, "75201");
    set(contact.Email, sizeof contact.Email, "carla@example.net");
    set(contact.MiscInfo, sizeof contact.MiscInfo, "Ask for \"Carla\", not Carl");
    contact.TollCall = 1;
    contact.IsNew = 0;
    ShootContact("contact-edit", contact);

    DestroyWindow(g_frame.Handle());
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    std::fflush(stdout);
    return g_failures;
}
