// New, Edit and Delete on the real telvara.exe, driven from outside as a user
// would: the contact dialog filled in and answered, the delete question with
// the rest of the main window clicked while it waits, and the data file that
// Save writes afterwards.

#include "ProgramDriver.h"
#include "../win/FileText.h"

#include "resources/resource.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

const char kSettingsKey[] = "Software\\Ostrel Freeware\\Telvara\\Settings";
const char kFolder[] = "C:\\Telvara";
const char kExe[] = "C:\\Telvara\\telvara.exe";
const char kFriends[] = "C:\\Telvara\\friends.csv";
constexpr DWORD kWait = 30000;    // only reached on failure
constexpr DWORD kRefused = 5000;  // a refused command answers at once; one that ran would block

// The edits of the contact dialog in tab order, with their limits.
struct EditId {
    int Id;
    int Limit;
};
const EditId kEdits[] = {
    {IDC_CONTACT_FIRST_NAME, 23}, {IDC_CONTACT_LAST_NAME, 19}, {IDC_CONTACT_ADDRESS, 49}, {IDC_CONTACT_CITY, 15},
    {IDC_CONTACT_ZIP, 11},        {IDC_CONTACT_NUMBER, 23},    {IDC_CONTACT_EMAIL, 39},   {IDC_CONTACT_MISC, 79},
};

std::string EnvPath(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? WindowsPathOfUnixPath(value) : std::string();
}

bool SetSetting(const char* name, const char* text) {
    std::string line =
        std::string("reg.exe add \"HKCU\\") + kSettingsKey + "\" /v " + name + " /t REG_SZ /d \"" + text + "\" /f";
    return RunAndWait(line) == 0;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t end = text.find("\r\n", pos);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

class ContactDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string exe = EnvPath("TELVARA_EXE"), sample = EnvPath("TELVARA_SAMPLE");
        ASSERT_FALSE(exe.empty()) << "TELVARA_EXE names no telvara.exe";
        ASSERT_FALSE(sample.empty()) << "TELVARA_SAMPLE names no sample file";
        CreateDirectoryA(kFolder, nullptr);
        ASSERT_TRUE(CopyFileA(exe.c_str(), kExe, FALSE)) << "copying " << exe;
        ASSERT_TRUE(DeleteRegistryTree("Software\\Ostrel Freeware"));
        ASSERT_TRUE(CopyFileA(sample.c_str(), kFriends, FALSE)) << "copying " << sample;
        original_ = ReadFileText(kFriends);
        ASSERT_EQ(14u, Lines(original_).size());
        ASSERT_TRUE(SetSetting("Fname", kFriends));
        ASSERT_TRUE(SetSetting("AreaCode", "819"));
    }

    // Starts the program on the data file and waits for its `count` contacts.
    void Start(int count) {
        ASSERT_TRUE(program_.Start(kExe, kFolder)) << "CreateProcess failed: " << GetLastError();
        ASSERT_TRUE(program_.WaitForFrame(kWait)) << "no main window";
        ASSERT_TRUE(PollUntil([&] { return program_.ItemCount() == count || !program_.Running(); }, kWait));
        ASSERT_TRUE(program_.Settled());
        ASSERT_EQ(nullptr, program_.TopWindow("CMSGCLASS"));
    }

    // Sends the command as the menu does; the program handles it on its own
    // time, since it may open a dialog.
    void Command(int id) { ASSERT_TRUE(PostMessageA(program_.Frame(), WM_COMMAND, MAKEWPARAM(id, 0), 0)); }

    HWND OpenDialog(int id) {
        Command(id);
        HWND dialog = program_.WaitForDialog(kWait);
        EXPECT_NE(nullptr, dialog) << "no contact dialog for command " << id;
        return dialog;
    }

    // What the control shows, asked of the control itself: the text the
    // system keeps for a window of another process is not what a combo box
    // shows.
    // Makes the window the foreground window, so that keys reach it.
    bool ToFront(HWND window) const {
        return PollUntil(
            [&] {
                if (GetForegroundWindow() == window) return true;
                SetForegroundWindow(window);
                return false;
            },
            kWait);
    }

    // The id of the control that has the keyboard focus in the dialog's thread.
    int FocusedId(HWND dialog) const {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) || !info.hwndFocus) return 0;
        // The combo box takes the focus itself, as a drop-down list.
        return GetDlgCtrlID(info.hwndFocus);
    }

    std::string Shown(HWND dialog, int id) const {
        char text[256] = "";
        if (!SendTo(GetDlgItem(dialog, id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)))
            return "<no answer>";
        return text;
    }

    void Type(HWND dialog, int id, const std::string& text) {
        ASSERT_TRUE(SetControlText(GetDlgItem(dialog, id), text)) << "control " << id;
    }

    void ChooseState(HWND dialog, const char* code) {
        auto chosen = SendTo(GetDlgItem(dialog, IDC_CONTACT_STATE), CB_SELECTSTRING, static_cast<WPARAM>(-1),
                             reinterpret_cast<LPARAM>(code));
        ASSERT_TRUE(chosen && *chosen >= 0) << code;
    }

    // Narrow and wide letters take the same room in a fixed-pitch face.
    bool Monospaced(HWND edit) {
        if (!SetControlText(edit, "iiiiWWWWx")) return false;
        auto x = [&](int i) { return static_cast<short>(LOWORD(SendTo(edit, EM_POSFROMCHAR, i, 0).value_or(0))); };
        bool same = x(4) - x(0) == x(8) - x(4) && x(4) > x(0);
        SetControlText(edit, "");
        return same;
    }

    bool TollChecked(HWND dialog) const {
        auto state = SendTo(GetDlgItem(dialog, IDC_CONTACT_TOLL_CALL), BM_GETCHECK, 0, 0);
        return state && *state == BST_CHECKED;
    }

    // Presses OK or Cancel and waits until the dialog has gone and the
    // command has finished, which `done` tells: the program may still be
    // inside the command, answering our questions, when the dialog has gone.
    void Press(HWND dialog, int button, const std::function<bool()>& done = nullptr) {
        ASSERT_TRUE(SendTo(GetDlgItem(dialog, button), BM_CLICK, 0, 0));
        ASSERT_TRUE(PollUntil([&] { return !IsWindow(dialog); }, kWait)) << "the dialog stays open";
        if (done) {
            EXPECT_TRUE(PollUntil(done, kWait)) << "the command did not finish as expected";
        }
        ASSERT_TRUE(program_.Settled());
    }

    // Back in the main window after a dialog or box: enabled, active, and a
    // key pressed reaches the list.
    void ExpectTheListTakesKeys() {
        EXPECT_TRUE(IsWindowEnabled(program_.Frame()));
        EXPECT_TRUE(PollUntil([&] { return GetForegroundWindow() == program_.Frame(); }, kWait))
            << "the main window is not active";
        int was = program_.SelectedItem();
        ASSERT_TRUE(TypeKeys({VK_DOWN}));
        EXPECT_TRUE(PollUntil([&] { return program_.SelectedItem() == was + 1; }, kWait)) << "no key reached the list";
        ASSERT_TRUE(TypeKeys({VK_UP}));
        EXPECT_TRUE(PollUntil([&] { return program_.SelectedItem() == was; }, kWait));
        ASSERT_TRUE(program_.Settled());
    }

    // The delete question once it waits for its answer in a loop that answers
    // messages.
    HWND WaitForQuestion() {
        HWND box = program_.WaitForBox(kWait);
        if (!box || !SendTo(box, WM_NULL, 0, 0)) return nullptr;
        return box;
    }

    std::vector<std::string> Row(int item) const {
        std::vector<std::string> row;
        for (int column = 0; column < 9; ++column) row.push_back(program_.ItemText(item, column));
        return row;
    }

    void SaveAndExpect(const std::string& expected) {
        ASSERT_TRUE(SendTo(program_.Frame(), WM_COMMAND, MAKEWPARAM(CMD_SAVE, 0), 0, kWait));
        ASSERT_TRUE(program_.Settled());
        EXPECT_EQ(nullptr, program_.TopWindow("CMSGCLASS"));
        EXPECT_EQ("", program_.StatusText(2)) << "a save clears \"Mod\"";
        EXPECT_EQ(expected, ReadFileText(kFriends));
        DWORD exitCode = 1;
        ASSERT_TRUE(program_.Close(kWait, exitCode)) << "the program did not end after WM_CLOSE";
        EXPECT_EQ(0u, exitCode);
    }

    RunningProgram program_;
    std::string original_;
};

TEST_F(ContactDialogTest, NewEditAndCancelShowAndStoreWhatWasTyped) {
    // States the table does not hold, as other programs and hands write them:
    // Dan's "N" beside Bob's "QC" and Ivy's empty one; Carla's "tx" in small
    // letters.
    std::vector<std::string> lines = Lines(original_);
    ASSERT_EQ("Dan,Okafor,,3 Quiet Lane,Hull,QC,J8Y 3C3,dan.okafor@example.com,no phone - write instead,0", lines[6]);
    lines[6] = "Dan,Okafor,,3 Quiet Lane,Hull,N,J8Y 3C3,dan.okafor@example.com,no phone - write instead,0";
    lines[5].replace(lines[5].find(",TX,"), 4, ",tx,");
    ASSERT_TRUE(WriteFileText(kFriends, Joined(lines)));
    Start(12);
    // New: an empty record, caption "Add", the default state, the template's
    // tab order, limits and fixed-pitch font.
    HWND dialog = OpenDialog(CMD_NEW_CONTACT);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("Add", WindowText(dialog));
    EXPECT_EQ(program_.Frame(), GetWindow(dialog, GW_OWNER));
    std::vector<int> tabOrder;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (GetWindowLongA(c, GWL_STYLE) & WS_TABSTOP) tabOrder.push_back(GetDlgCtrlID(c));
    const std::vector<int> expectedOrder = {IDC_CONTACT_FIRST_NAME,
                                            IDC_CONTACT_LAST_NAME,
                                            IDC_CONTACT_ADDRESS,
                                            IDC_CONTACT_CITY,
                                            IDC_CONTACT_STATE,
                                            IDC_CONTACT_ZIP,
                                            IDC_CONTACT_NUMBER,
                                            IDC_CONTACT_EMAIL,
                                            IDC_CONTACT_MISC,
                                            IDC_CONTACT_TOLL_CALL,
                                            IDOK,
                                            IDCANCEL};
    EXPECT_EQ(expectedOrder, tabOrder);
    for (int button : {IDOK, IDCANCEL})
        EXPECT_FALSE(GetWindowLongA(GetDlgItem(dialog, button), GWL_STYLE) & BS_DEFPUSHBUTTON) << button;
    // Tab walks that order from the first name and round again.
    ASSERT_TRUE(ToFront(dialog));
    for (std::size_t i = 0; i <= expectedOrder.size(); ++i) {
        int expected = expectedOrder[i % expectedOrder.size()];
        EXPECT_TRUE(PollUntil([&] { return FocusedId(dialog) == expected; }, kWait))
            << "step " << i << ": focus on " << FocusedId(dialog) << ", not " << expected;
        ASSERT_TRUE(TypeKeys({VK_TAB}));
    }
    for (const EditId& e : kEdits) {
        EXPECT_EQ("", Shown(dialog, e.Id)) << e.Id;
        EXPECT_EQ(e.Limit, SendTo(GetDlgItem(dialog, e.Id), EM_GETLIMITTEXT, 0, 0).value_or(-1)) << e.Id;
        EXPECT_TRUE(Monospaced(GetDlgItem(dialog, e.Id))) << e.Id;
    }
    EXPECT_EQ(53, SendTo(GetDlgItem(dialog, IDC_CONTACT_STATE), CB_GETCOUNT, 0, 0).value_or(0));
    EXPECT_EQ("CA California", Shown(dialog, IDC_CONTACT_STATE));
    EXPECT_FALSE(TollChecked(dialog));

    // Every field typed with blanks and tabs around it, Texas, a toll call.
    Type(dialog, IDC_CONTACT_FIRST_NAME, "  Zoe\t");
    Type(dialog, IDC_CONTACT_LAST_NAME, "\tQuill  ");
    Type(dialog, IDC_CONTACT_ADDRESS, " 9 Pine Rd, Apt 2 ");
    Type(dialog, IDC_CONTACT_CITY, "Hull\r\nEast");  // pasted over two lines
    Type(dialog, IDC_CONTACT_ZIP, "\t  ");
    Type(dialog, IDC_CONTACT_NUMBER, " 819-555-0123 ");
    Type(dialog, IDC_CONTACT_EMAIL, "zoe@example.com");
    Type(dialog, IDC_CONTACT_MISC, "say \"hi\"  ");
    ChooseState(dialog, "TX");
    ASSERT_TRUE(SendTo(GetDlgItem(dialog, IDC_CONTACT_TOLL_CALL), BM_CLICK, 0, 0));
    const char* zoeLine = " Zoe Quill    Number = 5550123    Misc = 44";
    Press(dialog, IDOK, [&] { return program_.StatusText(0) == zoeLine && program_.StatusText(1) == "13"; });
    ASSERT_EQ(13, program_.ItemCount());
    EXPECT_EQ(12, program_.SelectedItem()) << "Zoe goes after Kim and is selected";
    EXPECT_EQ((std::vector<std::string>{"Zoe", "Quill", "819-555-0123", "9 Pine Rd, Apt 2", "Hull East", "TX", "",
                                        "zoe@example.com", "say \"hi\""}),
              Row(12));
    EXPECT_EQ(1, program_.ItemImage(12)) << "the toll-call telephone";
    EXPECT_EQ(zoeLine, program_.StatusText(0));
    EXPECT_EQ("13", program_.StatusText(1));
    EXPECT_EQ("Mod", program_.StatusText(2));

    // Over a main window that something else disabled, no dialog opens.
    ASSERT_FALSE(EnableWindow(program_.Frame(), FALSE));
    ASSERT_TRUE(SendTo(program_.Frame(), WM_COMMAND, MAKEWPARAM(CMD_NEW_CONTACT, 0), 0, kRefused))
        << "a dialog opened over it";
    EXPECT_FALSE(IsWindowEnabled(program_.Frame()));
    EnableWindow(program_.Frame(), TRUE);
    // New with nothing typed: an empty label first in the list, no number.
    dialog = OpenDialog(CMD_NEW_CONTACT);
    ASSERT_NE(nullptr, dialog);
    Press(dialog, IDOK, [&] { return program_.StatusText(1) == "14" && program_.SelectedItem() == 0; });
    ASSERT_EQ(14, program_.ItemCount());
    EXPECT_EQ(0, program_.SelectedItem());
    EXPECT_EQ((std::vector<std::string>{"", "", "", "", "", "CA", "", "", ""}), Row(0));
    EXPECT_EQ(2, program_.ItemImage(0)) << "the no-number sign";

    // Edit Zoe into Adam of Wyoming: the item moves up and stays selected.
    ASSERT_TRUE(program_.SelectItem(13));
    dialog = OpenDialog(CMD_EDIT);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("Edit", WindowText(dialog));
    EXPECT_EQ("Zoe", Shown(dialog, IDC_CONTACT_FIRST_NAME));
    EXPECT_EQ("9 Pine Rd, Apt 2", Shown(dialog, IDC_CONTACT_ADDRESS));
    EXPECT_EQ("TX Texas", Shown(dialog, IDC_CONTACT_STATE));
    EXPECT_TRUE(TollChecked(dialog));
    Type(dialog, IDC_CONTACT_FIRST_NAME, "Adam");
    ChooseState(dialog, "WY");
    Press(dialog, IDOK, [&] { return program_.StatusText(0).rfind(" Adam ", 0) == 0; });
    ASSERT_EQ(14, program_.ItemCount());
    EXPECT_EQ(1, program_.SelectedItem());
    EXPECT_EQ("Adam", program_.ItemText(1, 0));
    EXPECT_EQ("Kim", program_.ItemText(13, 0)) << "Zoe's item is gone";
    ExpectTheListTakesKeys();

    // Edit after changing every field, then Cancel, then the close box: the
    // contact stays as it was, in its place and selected.
    const std::vector<std::string> adam = Row(1);
    enum class Leave { CancelButton, CloseBox, EscapeKey };
    for (Leave leave : {Leave::CancelButton, Leave::CloseBox, Leave::EscapeKey}) {
        dialog = OpenDialog(CMD_EDIT);
        ASSERT_NE(nullptr, dialog);
        EXPECT_EQ("WY Wyoming", Shown(dialog, IDC_CONTACT_STATE));
        for (const EditId& e : kEdits) Type(dialog, e.Id, "Changed");
        ChooseState(dialog, "AK");
        ASSERT_TRUE(SendTo(GetDlgItem(dialog, IDC_CONTACT_TOLL_CALL), BM_CLICK, 0, 0));
        if (leave == Leave::CancelButton) {
            Press(dialog, IDCANCEL);
            ExpectTheListTakesKeys();
        } else {
            if (leave == Leave::CloseBox) {
                ASSERT_TRUE(SendTo(dialog, WM_SYSCOMMAND, SC_CLOSE, 0));
            } else {
                ASSERT_TRUE(ToFront(dialog));
                ASSERT_TRUE(TypeKeys({VK_ESCAPE}));
            }
            ASSERT_TRUE(PollUntil([&] { return !IsWindow(dialog); }, kWait)) << "not cancelled";
            ASSERT_TRUE(program_.Settled());
        }
        EXPECT_EQ(14, program_.ItemCount());
        EXPECT_EQ(1, program_.SelectedItem());
        EXPECT_EQ(adam, Row(1));
        EXPECT_EQ(1, program_.ItemImage(1));
    }

    // A state the table does not hold shows as an extra entry of its own at
    // the top, selected; OK without touching the box keeps it, and choosing
    // an entry replaces it.  Carla's "tx" shows Texas and is stored in capitals.
    struct Edit {
        int Item;
        const char *Shown, *Choose, *Stored;
    };
    for (const Edit& e : {Edit{4, "QC", nullptr, "QC"}, Edit{6, "N", nullptr, "N"}, Edit{11, "", nullptr, ""},
                          Edit{5, "TX Texas", nullptr, "TX"}, Edit{4, "QC", "TX", "TX"}}) {
        ASSERT_TRUE(program_.SelectItem(e.Item));
        dialog = OpenDialog(CMD_EDIT);
        ASSERT_NE(nullptr, dialog);
        HWND state = GetDlgItem(dialog, IDC_CONTACT_STATE);
        const bool extra = e.Item != 5;
        EXPECT_EQ(e.Shown, Shown(dialog, IDC_CONTACT_STATE)) << e.Item;
        EXPECT_EQ(extra ? 54 : 53, SendTo(state, CB_GETCOUNT, 0, 0).value_or(0)) << e.Item;
        EXPECT_TRUE(!extra || SendTo(state, CB_GETCURSEL, 0, 0).value_or(-1) == 0)
            << e.Item << " not chosen at the top";
        if (e.Choose) ChooseState(dialog, e.Choose);
        if (e.Item == 6) Type(dialog, IDC_CONTACT_NUMBER, "555-0111");  // Dan gets a phone
        Press(dialog, IDOK, [&] { return program_.ItemText(e.Item, 5) == e.Stored; });
        EXPECT_EQ(e.Stored, program_.ItemText(e.Item, 5)) << e.Item;
    }

    // Saved in the list's order, each field as the data file writes it.
    lines[4] = "Bob,Roe,(819) 567-2342; ext 607,88 King Rd,Aylmer,TX,J9H 2B2,,work 819-555-0100,0";
    lines[5].replace(lines[5].find(",tx,"), 4, ",TX,");
    lines[6] = "Dan,Okafor,555-0111,3 Quiet Lane,Hull,N,J8Y 3C3,dan.okafor@example.com,no phone - write instead,0";
    lines.insert(lines.begin() + 2, {",,,,,CA,,,,0",
                                     "Adam,Quill,819-555-0123,\"9 Pine Rd, Apt 2\",Hull East,WY,,zoe@example.com,"
                                     "\"say \"\"hi\"\"\",1"});
    SaveAndExpect(Joined(lines));
}

TEST_F(ContactDialogTest, DeleteQuestionHoldsOffEveryOtherCommandThenNoKeepsAndYesRemoves) {
    Start(12);
    // The file dialog of File / Open holds off a close; a log-off goes on.
    Command(CMD_OPEN);
    HWND open = program_.WaitForDialog(kWait);
    ASSERT_NE(nullptr, open) << "no file dialog";
    EXPECT_EQ(1, SendTo(program_.Frame(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF).value_or(-1));
    ASSERT_TRUE(SendTo(program_.Frame(), WM_CLOSE, 0, 0));
    ASSERT_TRUE(program_.Settled());
    ASSERT_TRUE(SendTo(open, WM_COMMAND, IDCANCEL, 0));
    ASSERT_TRUE(PollUntil([&] { return !IsWindow(open); }, kWait));
    ASSERT_TRUE(program_.Settled());
    ASSERT_TRUE(program_.Running()) << "closed under the file dialog";
    EXPECT_EQ(12, program_.ItemCount());

    ASSERT_TRUE(program_.SelectItem(2));
    ASSERT_EQ("Bob", program_.ItemText(2, 0));
    const std::string bobLine = program_.StatusText(0);
    HWND deleteButton = program_.BarButton("Delete");
    ASSERT_NE(nullptr, deleteButton);
    ASSERT_TRUE(PostMessageA(deleteButton, BM_CLICK, 0, 0));
    HWND box = WaitForQuestion();
    ASSERT_NE(nullptr, box) << "no delete question";
    EXPECT_EQ("Telvara", WindowText(box));
    EXPECT_EQ("Delete this item?\nBob Roe", program_.BoxText(box).value_or("<text not readable>"));
    EXPECT_EQ((std::vector<std::string>{"&Yes", "&No"}), program_.BoxButtons(box));
    EXPECT_TRUE(IsWindowEnabled(program_.List())) << "the list under the question looks unavailable";
    EXPECT_FALSE(IsWindowEnabled(program_.Frame())) << "the question leaves the main window open to input";

    // File / Open and File / New from the menu, the New, Delete and Exit
    // buttons, the close box, a log-off and the popup menu, sent past the
    // disabled window: each is refused while the question waits.  A command
    // that ran would open its dialog or box, empty the list or end the
    // program.  The log-off alone goes on, at once and with no box.
    struct Attempt {
        const char* What;
        HWND To;
        UINT Message;
        WPARAM W;
        LPARAM L;
    };
    const Attempt attempts[] = {
        {"File / Open", program_.Frame(), WM_COMMAND, MAKEWPARAM(CMD_OPEN, 0), 0},
        {"File / New", program_.Frame(), WM_COMMAND, MAKEWPARAM(CMD_NEW_FILE, 0), 0},
        {"button New", program_.BarButton("New"), BM_CLICK, 0, 0},
        {"button Delete", deleteButton, BM_CLICK, 0, 0},
        {"button Exit", program_.BarButton("E&xit"), BM_CLICK, 0, 0},
        {"close box", program_.Frame(), WM_SYSCOMMAND, SC_CLOSE, 0},
        {"log-off", program_.Frame(), WM_QUERYENDSESSION, 0, static_cast<LPARAM>(ENDSESSION_LOGOFF)},
        {"right click", program_.Frame(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(program_.Frame()),
         MAKELPARAM(100, 100)},
    };
    for (const Attempt& a : attempts) {
        SCOPED_TRACE(a.What);
        ASSERT_NE(nullptr, a.To);
        auto answer = SendTo(a.To, a.Message, a.W, a.L, kRefused);
        ASSERT_TRUE(answer) << "the program did not come back: the command ran under the question";
        if (a.Message == WM_QUERYENDSESSION) {
            EXPECT_EQ(1, *answer) << "the log-off was held up";
        }
        ASSERT_TRUE(program_.Settled());
        ASSERT_TRUE(program_.Running());
        EXPECT_EQ(nullptr, program_.TopWindow("#32770"));
        EXPECT_EQ(nullptr, program_.TopWindow("#32768")) << "a popup menu";
        EXPECT_EQ(nullptr, program_.WaitForBox(0, box)) << "a second box";
        EXPECT_TRUE(IsWindow(box));
        EXPECT_EQ(12, program_.ItemCount());
    }

    ASSERT_TRUE(program_.AnswerBoxWith(box, 1));  // No
    ASSERT_TRUE(program_.Settled());
    EXPECT_EQ(12, program_.ItemCount());
    EXPECT_EQ(2, program_.SelectedItem());
    EXPECT_EQ("Bob", program_.ItemText(2, 0));
    EXPECT_EQ(bobLine, program_.StatusText(0));
    EXPECT_EQ("", program_.StatusText(2));
    EXPECT_TRUE(IsWindowEnabled(program_.List()));
    ExpectTheListTakesKeys();

    // Over a window that was disabled already, the question leaves it so.
    ASSERT_FALSE(EnableWindow(program_.Frame(), FALSE));
    Command(CMD_DELETE);
    box = WaitForQuestion();
    ASSERT_NE(nullptr, box);
    ASSERT_TRUE(program_.AnswerBoxWith(box, 1));  // No
    ASSERT_TRUE(program_.Settled());
    EXPECT_FALSE(IsWindowEnabled(program_.Frame())) << "enabled by a box that had not disabled it";
    EnableWindow(program_.Frame(), TRUE);

    Command(CMD_DELETE);  // Action / Delete this time
    box = WaitForQuestion();
    ASSERT_NE(nullptr, box);
    ASSERT_TRUE(program_.AnswerBox(box));  // Yes
    // The box goes before the command ends: wait for its end.
    EXPECT_TRUE(PollUntil([&] { return program_.StatusText(1) == "11"; }, kWait));
    ASSERT_TRUE(program_.Settled());
    EXPECT_EQ(11, program_.ItemCount());
    EXPECT_EQ(-1, program_.SelectedItem());
    EXPECT_EQ("Carla", program_.ItemText(2, 0));
    EXPECT_EQ("", program_.StatusText(0));
    EXPECT_EQ("11", program_.StatusText(1));
    EXPECT_EQ("Mod", program_.StatusText(2));
    EXPECT_FALSE(IsWindowEnabled(deleteButton)) << "nothing is selected to delete";

    std::vector<std::string> lines = Lines(original_);
    ASSERT_EQ(0u, lines[4].rfind("Bob,Roe,", 0));
    lines.erase(lines.begin() + 4);
    SaveAndExpect(Joined(lines));
}

TEST_F(ContactDialogTest, InADescendingListTheNewAndEditedContactIsSelectedAndShown) {
    // More contacts than the window shows at once.
    std::string book = "; Data for Telvara.exe\r\n; V300\r\n";
    for (int i = 0; i < 300; ++i) book += "P" + std::to_string(1000 + i) + ",Roe,555-0100,,,,,,,0\r\n";
    ASSERT_TRUE(WriteFileText(kFriends, book));
    Start(300);
    // A click on "First Name" right after the load sorts descending.
    HWND header = reinterpret_cast<HWND>(SendTo(program_.List(), LVM_GETHEADER, 0, 0).value_or(0));
    ASSERT_NE(nullptr, header);
    ASSERT_TRUE(SendTo(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5)));
    ASSERT_TRUE(SendTo(header, WM_LBUTTONUP, 0, MAKELPARAM(10, 5)));
    ASSERT_TRUE(program_.Settled());
    ASSERT_EQ("P1299", program_.ItemText(0, 0));

    auto expectShown = [&](const char* name) {
        int selected = program_.SelectedItem();
        ASSERT_GE(selected, 0) << name << " is not selected";
        EXPECT_EQ(name, program_.ItemText(selected, 0));
        int top = static_cast<int>(SendTo(program_.List(), LVM_GETTOPINDEX, 0, 0).value_or(-1));
        int page = static_cast<int>(SendTo(program_.List(), LVM_GETCOUNTPERPAGE, 0, 0).value_or(0));
        EXPECT_TRUE(selected >= top && selected < top + page)
            << name << " at " << selected << ", shown " << top << " to " << top + page - 1;
    };
    HWND dialog = OpenDialog(CMD_NEW_CONTACT);
    ASSERT_NE(nullptr, dialog);
    Type(dialog, IDC_CONTACT_FIRST_NAME, "P1150a");
    Press(dialog, IDOK, [&] { return program_.StatusText(0).rfind(" P1150a ", 0) == 0; });
    EXPECT_EQ(301, program_.ItemCount());
    expectShown("P1150a");

    ASSERT_TRUE(program_.SelectItem(0));
    dialog = OpenDialog(CMD_EDIT);
    ASSERT_NE(nullptr, dialog);
    Type(dialog, IDC_CONTACT_FIRST_NAME, "P1000a");
    Press(dialog, IDOK, [&] { return program_.StatusText(0).rfind(" P1000a ", 0) == 0; });
    EXPECT_EQ(301, program_.ItemCount());
    expectShown("P1000a");
    for (int i = 0; i < 2; ++i) EXPECT_NE("P1299", program_.ItemText(i, 0)) << "the old contact stays";
}

}  // namespace
