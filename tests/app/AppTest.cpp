// The running program in this process: start-up, the command dispatcher,
// the popup menu, the save question before Exit, New and Open, the file
// commands with their dialogs, and import.  The program starts once; each
// test puts its data file back first.

#include "app/AppFrame.h"
#include "app/Commands.h"
#include "app/Globals.h"
#include "app/Startup.h"
#include "app/FileCommands.h"
#include "resources/resource.h"

#include "../gui/GuiTest.h"
#include "../win/FileText.h"
#include "../win/FileWriteFaults.h"

#include <commctrl.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

std::string g_folder;

std::string Path(const char* name) { return g_folder + name; }

const std::string kHeader = "; Data for Telvara.exe\r\n; V300\r\n";
const std::string kFriends = kHeader +
                             "Zoe,Zimmer,819-567-1234,,,,,,,0\r\n"
                             "Anna,Bell,613-555-0199,,,,,anna@example.com,cell 819-555-0142,1\r\n"
                             "Ann,Lee,,,,,,,,0\r\n"
                             "Bob,Roe,567-2342,,,,,,,0\r\n";

std::string StatusPart(int part) {
    char text[256] = {};
    SendMessageA(g_statusBar.Handle(), SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
    return text;
}

std::string ItemText(int item, int column) {
    char text[256] = {};
    LVITEMA lv = {};
    lv.iSubItem = column;
    lv.pszText = text;
    lv.cchTextMax = sizeof text;
    SendMessageA(g_listView.Handle(), LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&lv));
    return text;
}

std::vector<std::string> FirstNames() {
    std::vector<std::string> names;
    for (int i = 0; i < g_listView.GetItemCount(); ++i) names.push_back(ItemText(i, 0));
    return names;
}

std::string Title() { return TextOf(g_frame.Handle()); }

// Answers the program's message boxes in turn, noting what each said.
struct BoxAnswers {
    std::vector<std::string> texts;
    std::vector<std::string> captions;
    std::vector<int> answers;  // IDYES, IDNO, IDCANCEL or IDOK, one per box
    OnWindowShown hook{"CMSGCLASS", [this](HWND box) {
                           texts.push_back(g_msgBox.Text());
                           captions.push_back(TextOf(box));
                           std::size_t n = captions.size() - 1;
                           int answer = n < answers.size() ? answers[n] : IDOK;
                           PressAnswer(answer);
                       }};
    explicit BoxAnswers(std::vector<int> a = {}) : answers(std::move(a)) {}
    static void PressAnswer(int answer) {
        const char* text = answer == IDYES ? "&Yes" : answer == IDNO ? "&No" : answer == IDCANCEL ? "&Cancel" : "&Ok";
        for (int i = 0; i < MsgBox::ButtonsInUse(); ++i) {
            HWND b = MsgBox::AnswerButton(i).Handle();
            if (TextOf(b) == text) {
                SendMessageA(b, BM_CLICK, 0, 0);
                return;
            }
        }
    }
};

// Fills in the system's file dialog with a name and accepts it, or cancels.
struct FileDialogAnswer {
    std::string name;  // empty: cancel
    int shown = 0;
    OnWindowShown hook{"#32770", [this](HWND dialog) {
                           ++shown;
                           if (name.empty()) {
                               PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                               return;
                           }
                           // The file name box of the dialog.
                           SetDlgItemTextA(dialog, 0x47C, name.c_str());
                           SetDlgItemTextA(dialog, 0x480, name.c_str());
                           PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                                        reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
                       }};
    explicit FileDialogAnswer(std::string n) : name(std::move(n)) {}
};

class App : public ::testing::Test {
public:
    static void SetUpTestSuite() {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        g_folder = std::string(temp) + "telvara-app\\";
        CreateDirectoryA(g_folder.c_str(), nullptr);
        WriteFileText(Path("friends.csv"), kFriends);
        HKEY key;
        RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        std::string fname = Path("friends.csv");
        RegSetValueExA(key, "Fname", 0, REG_SZ, reinterpret_cast<const BYTE*>(fname.c_str()),
                       static_cast<DWORD>(fname.size() + 1));
        RegSetValueExA(key, "AreaCode", 0, REG_SZ, reinterpret_cast<const BYTE*>("819"), 4);
        RegCloseKey(key);
        started_ = StartUp(GetModuleHandleA(nullptr), "\"C:\\Program Files\\Telvara\\telvara.exe\"", SW_SHOWNORMAL);
    }
    static bool started_;

protected:
    void SetUp() override {
        ASSERT_TRUE(started_);
        ASSERT_TRUE(IsWindow(g_frame.Handle()));
        WriteFileText(Path("friends.csv"), kFriends);
        LoadDataFileFrom(Path("friends.csv").c_str());
        PumpQueued();
    }
    void MarkChanged() {
        g_contacts.SetChanged(true);
        g_contacts.UpdateListStatus();
    }
    static void Select(int index) {
        g_listView.SetItemState(-1, 0, LVIS_SELECTED);
        if (index >= 0) g_listView.SelectItem(index);
        PumpQueued();
    }
};
bool App::started_ = false;

TEST_F(App, StartsWithTheFileOfTheSettingsInNameOrder) {
    EXPECT_EQ("friends.csv - Telvara", Title());
    EXPECT_EQ((std::vector<std::string>{"Anna", "Ann", "Bob", "Zoe"}), FirstNames());
    EXPECT_EQ("4", StatusPart(1));
    EXPECT_EQ("", StatusPart(2));
    EXPECT_EQ("Bell", ItemText(0, 1));  // columns answered from the record
    EXPECT_EQ("cell 819-555-0142", ItemText(0, 8));
    EXPECT_EQ(LVS_EX_FULLROWSELECT,
              SendMessageA(g_listView.Handle(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT);
    EXPECT_EQ(6, g_buttonBar.ButtonsAdded());
    // In a single-threaded COM apartment, for the shell's calls.
    EXPECT_EQ(RPC_E_CHANGED_MODE, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
}

// The manifest: buttons of Common Controls 6 (BCM_GETIDEALSIZE works only
// there), and the per-monitor DPI awareness as Windows reads it.
TEST_F(App, ManifestBringsCommonControlsSixAndPerMonitorAwareness) {
    SIZE ideal = {};
    EXPECT_TRUE(SendMessageA(g_buttonBar.Button(0)->Handle(), BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)));
    WCHAR value[64] = {};
    SIZE_T written = 0;
    EXPECT_TRUE(QueryActCtxSettingsW(0, nullptr, L"http://schemas.microsoft.com/SMI/2016/WindowsSettings",
                                     L"dpiAwareness", value, 64, &written));
    EXPECT_STREQ(L"PerMonitorV2, PerMonitor", value);
}

TEST_F(App, SelectionDrivesTheStatusLineAndButtons) {
    Select(0);
    EXPECT_EQ(" Anna Bell    Number = 16135550199    Misc = 5550142", StatusPart(0));
    EXPECT_TRUE(IsWindowEnabled(g_buttonBar.Button(0)->Handle()));  // Dial
    Select(-1);
    EXPECT_EQ("", StatusPart(0));
    EXPECT_FALSE(IsWindowEnabled(g_buttonBar.Button(0)->Handle()));
    EXPECT_FALSE(IsWindowEnabled(g_buttonBar.Button(2)->Handle()));  // Edit
    EXPECT_FALSE(IsWindowEnabled(g_buttonBar.Button(3)->Handle()));  // Delete
    EXPECT_TRUE(IsWindowEnabled(g_buttonBar.Button(1)->Handle()));   // New stays
}

TEST_F(App, ViewCommandsChangeTheStyleOnly) {
    struct Case {
        int id;
        DWORD bits;
        int style;
    };
    for (Case c : {Case{CMD_VIEW_LARGE, LVS_ICON, 0}, Case{CMD_VIEW_SMALL, LVS_SMALLICON, 1},
                   Case{CMD_VIEW_LIST, LVS_LIST, 2}, Case{CMD_VIEW_DETAILS, LVS_REPORT, 3}}) {
        SendMessageA(g_frame.Handle(), WM_COMMAND, c.id, 0);
        DWORD style = static_cast<DWORD>(GetWindowLongA(g_listView.Handle(), GWL_STYLE));
        EXPECT_EQ(c.bits, style & LVS_TYPEMASK) << c.id;
        EXPECT_TRUE(style & LVS_OWNERDATA);
        EXPECT_TRUE(style & LVS_SINGLESEL);
        EXPECT_EQ(c.style, g_settings.Style);
        EXPECT_EQ(4, g_listView.GetItemCount());
    }
    EXPECT_EQ(100, g_listView.GetColumnWidth(0));
    // Columns wider than the list can still be scrolled to after the changes.
    PumpQueued();
    int columns = 0;
    for (int c = 0; c < 9; ++c) columns += g_listView.GetColumnWidth(c);
    RECT client;
    GetClientRect(g_listView.Handle(), &client);
    ASSERT_GT(columns, client.right) << "make the columns wider than the list for this test";
    ASSERT_TRUE(GetWindowLongA(g_listView.Handle(), GWL_STYLE) & WS_HSCROLL);
    SendMessageA(g_frame.Handle(), WM_COMMAND, CMD_VIEW_DETAILS, 0);  // as a load does
    EXPECT_TRUE(GetWindowLongA(g_listView.Handle(), GWL_STYLE) & WS_HSCROLL) << "no scroll bar to reach every column";
}

TEST_F(App, UnknownAndReservedIdsDoNothing) {
    BoxAnswers boxes;
    FileDialogAnswer files("");
    for (int id : {40002, 40003, 40005, 40000, 40029, 1}) SendMessageA(g_frame.Handle(), WM_COMMAND, id, 0);
    PumpQueued();
    EXPECT_EQ(0, boxes.hook.Count());
    EXPECT_EQ(0, files.shown);
    EXPECT_EQ(4, g_listView.GetItemCount());
    EXPECT_TRUE(IsWindow(g_frame.Handle()));
}

UINT ItemState(HMENU menu, int id) { return GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND); }

TEST_F(App, ExportIsGreyedWhileTheBookIsEmpty) {
    HMENU file = GetSubMenu(GetMenu(g_frame.Handle()), 0);
    auto greyed = [&] {
        SendMessageA(g_frame.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);  // as the menu opens
        return (ItemState(file, CMD_EXPORT_VCARD) & MF_GRAYED) != 0;
    };
    EXPECT_FALSE(greyed());
    NewFileCommand();
    EXPECT_TRUE(greyed());
}

// The popup's window as the frame opens it for a WM_CONTEXTMENU at `point`,
// seen from inside the menu's loop, which then ends it.
RECT PopupShownFor(LPARAM point) {
    RECT shown = {};
    OnWindowShown popup("#32768", [&](HWND menu) {
        shown = WindowRectOf(menu);
        EndMenu();
    });
    SendMessageA(g_frame.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(g_frame.Handle()), point);
    return shown;
}

TEST_F(App, PopupGreysWhatTheSelectionCannotDo) {
    HMENU menu = g_frame.PopupMenu();
    ASSERT_NE(nullptr, menu);
    Select(-1);
    EnablePopupItems(menu);
    for (int id : {CMD_DIAL, CMD_DIAL_MISC, CMD_EMAIL, CMD_EDIT, CMD_DELETE})
        EXPECT_TRUE(ItemState(menu, id) & MF_GRAYED) << id;
    EXPECT_FALSE(ItemState(menu, CMD_POPUP_CANCEL) & MF_GRAYED);

    Select(3);  // Zoe: a number, no misc and no e-mail
    ASSERT_EQ("Zoe", ItemText(g_listView.GetSelected(), 0));
    EnablePopupItems(menu);
    for (int id : {CMD_DIAL, CMD_EDIT, CMD_DELETE, CMD_POPUP_CANCEL})
        EXPECT_FALSE(ItemState(menu, id) & MF_GRAYED) << id;
    EXPECT_TRUE(ItemState(menu, CMD_DIAL_MISC) & MF_GRAYED);
    EXPECT_TRUE(ItemState(menu, CMD_EMAIL) & MF_GRAYED);

    Select(1);  // Ann: no number at all
    EnablePopupItems(menu);
    EXPECT_TRUE(ItemState(menu, CMD_DIAL) & MF_GRAYED);
    EXPECT_FALSE(ItemState(menu, CMD_EDIT) & MF_GRAYED);

    // Where it opens: a point left of the screen is a negative one, and the
    // menu stays at the screen's left edge; the keyboard's form (-1, -1)
    // opens it below the selected item, or at the list's corner.
    EXPECT_EQ(0, PopupShownFor(MAKELPARAM(-40, 100)).left);
    RECT item = {LVIR_BOUNDS, 0, 0, 0};
    ASSERT_TRUE(SendMessageA(g_listView.Handle(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item)));
    POINT below = {item.left, item.bottom};
    ClientToScreen(g_listView.Handle(), &below);
    RECT shown = PopupShownFor(MAKELPARAM(-1, -1));
    EXPECT_EQ(below.x, shown.left);
    EXPECT_EQ(below.y, shown.top);
    Select(-1);
    POINT corner = {0, 0};
    ClientToScreen(g_listView.Handle(), &corner);
    shown = PopupShownFor(MAKELPARAM(-1, -1));
    EXPECT_EQ(corner.x, shown.left);
    EXPECT_EQ(corner.y, shown.top);
}

TEST_F(App, NewAsksOnlyWhenChangedAndEmptiesTheBook) {
    {
        BoxAnswers boxes;
        SendMessageA(g_frame.Handle(), WM_COMMAND, CMD_NEW_FILE, 0);
        EXPECT_EQ(0, boxes.hook.Count());  // nothing changed: no question
    }
    EXPECT_EQ(0, g_listView.GetItemCount());
    EXPECT_EQ(" - Telvara", Title());
    EXPECT_EQ("", StatusPart(0));
    EXPECT_EQ("0", StatusPart(1));
    EXPECT_EQ("", StatusPart(2));
    EXPECT_STREQ("", g_settings.Fname);
    for (int c = 0; c < kColumnCount; ++c) EXPECT_FALSE(g_contacts.SortAscending(c));
}

TEST_F(App, SaveQuestionBeforeNew) {
    MarkChanged();
    {
        BoxAnswers boxes({IDCANCEL});
        NewFileCommand();
        ASSERT_EQ(1, boxes.hook.Count());
        EXPECT_EQ("Save data?", boxes.texts[0]);
        EXPECT_EQ(Path("friends.csv"), boxes.captions[0]);
    }
    EXPECT_EQ(4, g_listView.GetItemCount());
    EXPECT_EQ("Mod", StatusPart(2));
    {
        BoxAnswers boxes({IDNO});
        NewFileCommand();
    }
    EXPECT_EQ(0, g_listView.GetItemCount());
    EXPECT_EQ("", StatusPart(2));
    EXPECT_EQ(kFriends, ReadFileText(Path("friends.csv")));  // dropped, not saved

    // Yes saves first: the file then holds the list as it was.
    SetUp();
    g_contacts.RemoveContact(0);  // Anna goes
    {
        BoxAnswers boxes({IDYES});
        NewFileCommand();
    }
    EXPECT_EQ(0, g_listView.GetItemCount());
    std::string saved = ReadFileText(Path("friends.csv"));
    EXPECT_EQ(std::string::npos, saved.find("Anna"));
    EXPECT_NE(std::string::npos, saved.find("Zoe,Zimmer"));
}

TEST_F(App, SaveQuestionBeforeOpen) {
    WriteFileText(Path("other.csv"), kHeader + "Other,Person,555-0000,,,,,,,0\r\n");
    MarkChanged();
    {
        BoxAnswers boxes({IDCANCEL});
        FileDialogAnswer files(Path("other.csv"));
        OpenDataFile();
        EXPECT_EQ(0, files.shown);  // cancelled before the dialog
    }
    EXPECT_EQ(4, g_listView.GetItemCount());
    {
        BoxAnswers boxes({IDNO});
        FileDialogAnswer files(Path("other.csv"));
        OpenDataFile();
        EXPECT_EQ(1, files.shown);
    }
    EXPECT_EQ((std::vector<std::string>{"Other"}), FirstNames());
    EXPECT_EQ("other.csv - Telvara", Title());
    EXPECT_EQ(Path("other.csv"), g_settings.Fname);
    EXPECT_EQ("", StatusPart(2));
}

TEST_F(App, OpenForcesTheDataExtension) {
    WriteFileText(Path("NOTES.csv"), kHeader + "Noted,Person,,,,,,,,0\r\n");
    WriteFileText(Path("NOTES.TXT"), "not a data file");
    {
        FileDialogAnswer files(Path("NOTES.TXT"));
        OpenDataFile();
    }
    EXPECT_EQ((std::vector<std::string>{"Noted"}), FirstNames());
    EXPECT_EQ("NOTES.csv - Telvara", Title());
}

TEST_F(App, OpenOfAnUnreadableFileKeepsTheCurrentOne) {
    BoxAnswers boxes;
    {
        FileDialogAnswer files(Path("missing.csv"));
        OpenDataFile();
    }
    ASSERT_EQ(1, boxes.hook.Count());
    EXPECT_EQ("Can't open file\n" + Path("missing.csv"), boxes.texts[0]);
    EXPECT_EQ("Telvara", boxes.captions[0]);
    EXPECT_EQ(Path("friends.csv"), g_settings.Fname);
    EXPECT_EQ("friends.csv - Telvara", Title());
    EXPECT_EQ(4, g_listView.GetItemCount());
}

TEST_F(App, OpenOfAForeignFileLeavesNoCurrentFile) {
    WriteFileText(Path("foreign.csv"), "name,number\r\nAnn,555\r\n");
    BoxAnswers boxes;
    {
        FileDialogAnswer files(Path("foreign.csv"));
        OpenDataFile();
    }
    ASSERT_EQ(1, boxes.hook.Count());
    EXPECT_EQ("Not a Telvara data file\n" + Path("foreign.csv"), boxes.texts[0]);
    EXPECT_EQ(0, g_listView.GetItemCount());
    EXPECT_STREQ("", g_settings.Fname);
    EXPECT_EQ(" - Telvara", Title());
}

TEST_F(App, SaveAsWritesACopyAndChangesNothingElse) {
    DeleteFileA(Path("copy.csv").c_str());  // no overwrite question
    MarkChanged();
    {
        FileDialogAnswer files(Path("copy.csv"));
        SaveDataAs();
        EXPECT_EQ(1, files.shown);
    }
    std::string copy = ReadFileText(Path("copy.csv"));
    EXPECT_EQ(0u, copy.find(kHeader));
    EXPECT_NE(std::string::npos, copy.find("Anna,Bell"));
    EXPECT_EQ("friends.csv - Telvara", Title());
    EXPECT_EQ(Path("friends.csv"), g_settings.Fname);
    EXPECT_EQ("Mod", StatusPart(2));
}

TEST_F(App, SaveWithoutAFileAsksForOne) {
    DeleteFileA(Path("named.csv").c_str());
    NewFileCommand();
    g_contacts.AddContact(std::unique_ptr<Contact>(new Contact(*[] {
        static Contact c;
        ClearContact(c);
        SetField(c.FirstName, sizeof c.FirstName, "Solo");
        return &c;
    }())));
    {
        FileDialogAnswer files("");  // cancelled: nothing written, nothing said
        BoxAnswers boxes;
        EXPECT_FALSE(SaveData());
        EXPECT_EQ(1, files.shown);
        EXPECT_EQ(0, boxes.hook.Count());
        EXPECT_STREQ("", g_settings.Fname);
    }
    {
        FileDialogAnswer files(Path("named.TXT"));
        SendMessageA(g_frame.Handle(), WM_COMMAND, CMD_SAVE, 0);
        EXPECT_EQ(1, files.shown);
    }
    EXPECT_EQ(Path("named.csv"), g_settings.Fname);
    EXPECT_EQ("named.csv - Telvara", Title());
    EXPECT_EQ(kHeader + "Solo,,,,,,,,,0\r\n", ReadFileText(Path("named.csv")));
    EXPECT_EQ("", StatusPart(2));
}

TEST_F(App, ImportAddsOldEntriesAndRefusesPresentFiles) {
    WriteFileText(Path("OLD.DAT"), "; Data for Telvara\r\nCOM=2\r\nDIALSTR=ATDT\t1\r\nCarl Old\t555-1212\ta note\r\n");
    Select(3);  // Zoe
    {
        FileDialogAnswer files(Path("OLD.DAT"));
        SendMessageA(g_frame.Handle(), WM_COMMAND, CMD_IMPORT, 0);
    }
    EXPECT_EQ(5, g_listView.GetItemCount());
    // Where adding it alone would have put it, the selection still on Zoe.
    EXPECT_EQ((std::vector<std::string>{"Anna", "Ann", "Bob", "Carl Old", "Zoe"}), FirstNames());
    EXPECT_EQ(4, g_listView.GetSelected());
    EXPECT_EQ("Mod", StatusPart(2));
    EXPECT_EQ("5", StatusPart(1));
    EXPECT_EQ("friends.csv - Telvara", Title());
    bool found = false;
    for (int i = 0; i < 5; ++i)
        if (ItemText(i, 0) == "Carl Old") found = ItemText(i, 1) == "Carl Old" && ItemText(i, 8) == "a note";
    EXPECT_TRUE(found);

    BoxAnswers boxes;
    {
        FileDialogAnswer files(Path("friends.csv"));
        ImportDataFile();
    }
    ASSERT_EQ(1, boxes.hook.Count());
    EXPECT_EQ("Not a Telvara data file\n" + Path("friends.csv"), boxes.texts[0]);
    EXPECT_EQ(5, g_listView.GetItemCount());
}

// A click of the mouse on a column's header.
void ClickHeader(int column) {
    HWND header = reinterpret_cast<HWND>(SendMessageA(g_listView.Handle(), LVM_GETHEADER, 0, 0));
    RECT r;
    Header_GetItemRect(header, column, &r);
    LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(header, WM_LBUTTONUP, 0, at);
    PumpQueued();
}

TEST_F(App, HeaderClickSortsWithoutMarkingChanges) {
    ClickHeader(2);  // "Number"
    EXPECT_EQ((std::vector<std::string>{"Ann", "Bob", "Anna", "Zoe"}),
              FirstNames());  // "", 567, 613, 819
    ClickHeader(2);
    EXPECT_EQ((std::vector<std::string>{"Zoe", "Anna", "Bob", "Ann"}), FirstNames());
    EXPECT_EQ("", StatusPart(2));
}

// Contacts with equal keys keep the order they had, on screen and in the
// saved file, however often a header is clicked.
TEST_F(App, HeaderSortsKeepTiesInTheirOrder) {
    // Enough contacts that an unstable sort would mix them; three cities,
    // every State empty.  The load puts them in name order: P00 to P59.
    const char* const cities[] = {"Ottawa", "Hull", ""};
    std::string text = kHeader;
    std::vector<std::string> names, cityOf;
    for (int i = 59; i >= 0; --i) {
        char line[64];
        std::snprintf(line, sizeof line, "P%02d,Last,555-%04d,,%s,,,,,0\r\n", i, i, cities[(i * 7) % 3]);
        text += line;
    }
    for (int i = 0; i < 60; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "P%02d", i);
        names.push_back(name);
        cityOf.push_back(cities[(i * 7) % 3]);
    }
    WriteFileText(Path("ties.csv"), text);
    LoadDataFileFrom(Path("ties.csv").c_str());
    PumpQueued();
    ASSERT_EQ(names, FirstNames());

    // The names of one city, in the order given.
    auto inCity = [&](const std::vector<std::string>& order, const char* city) {
        std::vector<std::string> out;
        for (const std::string& n : order)
            if (cityOf[static_cast<std::size_t>(std::stoi(n.substr(1)))] == city) out.push_back(n);
        return out;
    };
    auto join = [](std::vector<std::string> a, const std::vector<std::string>& b, const std::vector<std::string>& c) {
        a.insert(a.end(), b.begin(), b.end());
        a.insert(a.end(), c.begin(), c.end());
        return a;
    };

    ClickHeader(4);  // "City", ascending: the empty ones first
    std::vector<std::string> byCity = join(inCity(names, ""), inCity(names, "Hull"), inCity(names, "Ottawa"));
    ASSERT_EQ(byCity, FirstNames());
    for (int click = 0; click < 3; ++click) {  // "State": all alike, both ways
        ClickHeader(5);
        ASSERT_EQ(byCity, FirstNames()) << "after " << click + 1 << " clicks on State";
    }
    ClickHeader(4);  // "City", descending: the ties still in their order
    std::vector<std::string> down = join(inCity(byCity, "Ottawa"), inCity(byCity, "Hull"), inCity(byCity, ""));
    ASSERT_EQ(down, FirstNames());

    // The file is written in the order on screen.
    SendMessageA(g_frame.Handle(), WM_COMMAND, CMD_SAVE, 0);
    std::string saved = ReadFileText(Path("ties.csv"));
    std::string expected = kHeader;
    for (const std::string& n : down) {
        char line[64];
        int i = std::stoi(n.substr(1));
        std::snprintf(line, sizeof line, "P%02d,Last,555-%04d,,%s,,,,,0\r\n", i, i, cities[(i * 7) % 3]);
        expected += line;
    }
    EXPECT_EQ(expected, saved);
}

// An edited contact moves to its place with the count unchanged; its place and
// the selection afterwards are those of an insertion followed by the removal
// of the old item, in name order and in the order of another column.
TEST_F(App, ReplacedItemGoesWhereInsertingThenRemovingPutsIt) {
    struct Case {
        int sortColumn;  // 0: name order
        int index;
        const char* text;
        int selected;
    };
    struct Outcome {
        int index, selected, count;
        std::vector<std::string> names;
        bool operator==(const Outcome& o) const {
            return index == o.index && selected == o.selected && count == o.count && names == o.names;
        }
    };
    for (const Case& c : {Case{0, 3, "Aaron", 2}, Case{0, 0, "Zz", 2}, Case{0, 1, "Ann", 1}, Case{0, 2, "Bob", 3},
                          Case{2, 1, "Able", 3}, Case{2, 0, "Zed", 2}}) {
        SCOPED_TRACE(c.text);
        Outcome outcome[2];
        for (int moved = 0; moved < 2; ++moved) {
            LoadDataFileFrom(Path("friends.csv").c_str());
            if (c.sortColumn) ClickHeader(c.sortColumn);  // a load starts the orders afresh
            Select(c.selected);
            ItemData data = g_listView.GetItemData(c.index);
            int index = moved ? g_listView.ReplaceSorted(c.index, c.text, 0, data)
                              : g_listView.ListControl::ReplaceSorted(c.index, c.text, 0, data);
            PumpQueued();
            outcome[moved] = {index, g_listView.GetSelected(), g_listView.GetItemCount(), FirstNames()};
        }
        EXPECT_EQ(4, outcome[1].count);
        EXPECT_EQ(c.text, outcome[1].names[static_cast<std::size_t>(outcome[1].index)]);
        EXPECT_TRUE(outcome[0] == outcome[1])
            << "moved to " << outcome[1].index << " rather than " << outcome[0].index << ", selected "
            << outcome[1].selected << " rather than " << outcome[0].selected << ": "
            << ::testing::PrintToString(outcome[1].names) << " rather than "
            << ::testing::PrintToString(outcome[0].names);
    }
}

TEST_F(App, SaveQuestionYesSavesBeforeOpening) {
    WriteFileText(Path("other.csv"), kHeader + "Other,Person,555-0000,,,,,,,0\r\n");
    g_contacts.RemoveContact(0);  // Anna goes: a change to save
    {
        BoxAnswers boxes({IDYES});
        FileDialogAnswer files(Path("other.csv"));
        OpenDataFile();
        EXPECT_EQ(1, files.shown);
    }
    EXPECT_EQ(std::string::npos, ReadFileText(Path("friends.csv")).find("Anna"));
    EXPECT_EQ((std::vector<std::string>{"Other"}), FirstNames());
}

int FilesIn(const std::string& folder) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
    int n = 0;
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++n;
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return n;
}

// Save when the file cannot be replaced: the old file stays byte for byte with
// no new file beside it, the list stays marked as changed, and the user is
// told why: a file that cannot be made cannot be opened, one that fails
// part-way cannot be written.  Then a save that can go through does.
TEST_F(App, FailedSavesKeepTheFileAndTheChange) {
    const std::string path = Path("friends.csv");
    const std::string cantOpen = "Can't open file\n" + path;
    g_contacts.RemoveContact(0);  // Anna goes: a change to save
    const int files = FilesIn(g_folder);
    auto expectKept = [&](const char* what) {
        EXPECT_EQ(kFriends, ReadFileText(path)) << what;
        EXPECT_EQ(files, FilesIn(g_folder)) << what << ": a new file was left behind";
        EXPECT_EQ("Mod", StatusPart(2)) << what;
    };

    HANDLE other = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, other);
    {
        BoxAnswers boxes;
        SendMessageA(g_frame.Handle(), WM_COMMAND, CMD_SAVE, 0);  // File / Save
        EXPECT_EQ(std::vector<std::string>{cantOpen}, boxes.texts);
        EXPECT_EQ(std::vector<std::string>{"Telvara"}, boxes.captions);
    }
    CloseHandle(other);
    expectKept("held open by another program");

    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    {
        BoxAnswers boxes;
        EXPECT_FALSE(SaveData());
        EXPECT_EQ(std::vector<std::string>{cantOpen}, boxes.texts);
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    expectKept("read-only");

    {
        FileWriteFault fault(FileWriteFault::Kind::NoNewFileInFolder);
        BoxAnswers boxes;
        EXPECT_FALSE(SaveData());
        EXPECT_EQ(std::vector<std::string>{cantOpen}, boxes.texts);
    }
    expectKept("no new file in the folder");

    {
        FileWriteFault fault(FileWriteFault::Kind::DiskFull, 40);  // the header and a little more
        BoxAnswers boxes;
        EXPECT_FALSE(SaveData());
        EXPECT_EQ(std::vector<std::string>{"Can't write file\n" + path}, boxes.texts);
    }
    expectKept("disk full part-way");

    {
        BoxAnswers boxes;
        EXPECT_TRUE(SaveData());
        EXPECT_EQ(0, boxes.hook.Count());
    }
    EXPECT_EQ(std::string::npos, ReadFileText(path).find("Anna"));
    EXPECT_EQ(files, FilesIn(g_folder));
    EXPECT_EQ("", StatusPart(2));
}

// The program goes away here: ctest runs this case alone, in a process of
// its own (win_app_exit), so that no test comes after it.
TEST_F(App, ExitAsksAndSavesTheSettings) {
    MarkChanged();
    {
        BoxAnswers boxes({IDCANCEL});
        SendMessageA(g_frame.Handle(), WM_COMMAND, CMD_EXIT, 0);
        EXPECT_EQ(1, boxes.hook.Count());
    }
    ASSERT_TRUE(IsWindow(g_frame.Handle()));
    {
        BoxAnswers boxes({IDNO});
        EXPECT_EQ(1, g_frame.CanClose());  // No lets Exit go on without saving
    }
    EXPECT_EQ(kFriends, ReadFileText(Path("friends.csv")));

    // Yes with a save that fails: told why, and the program stays.
    SetFileAttributesA(Path("friends.csv").c_str(), FILE_ATTRIBUTE_READONLY);
    {
        BoxAnswers boxes({IDYES, IDOK});
        SendMessageA(g_frame.Handle(), WM_COMMAND, CMD_EXIT, 0);
        ASSERT_EQ(2, boxes.hook.Count());
        EXPECT_EQ("Can't open file\n" + Path("friends.csv"), boxes.texts[1]);
    }
    SetFileAttributesA(Path("friends.csv").c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(IsWindow(g_frame.Handle()));
    EXPECT_EQ("Mod", StatusPart(2));

    // Yes that saves: the program ends with the settings written.
    g_contacts.RemoveContact(0);
    Select(-1);
    HWND frame = g_frame.Handle();
    {
        BoxAnswers boxes({IDYES});
        SendMessageA(frame, WM_COMMAND, CMD_EXIT, 0);
    }
    EXPECT_FALSE(IsWindow(frame));
    EXPECT_EQ(std::string::npos, ReadFileText(Path("friends.csv")).find("Anna"));
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key));
    DWORD index = 0, size = sizeof index, type = 0;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, "Index", nullptr, &type, reinterpret_cast<BYTE*>(&index), &size));
    EXPECT_EQ(0xFFFFFFFFu, index);
    RegCloseKey(key);
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

}  // namespace
