// The real telvara.exe's output commands as a user meets them: the print page
// as the browser gets it, the backup copy and its failures, the help page,
// the maker's links and the About box, and the temporary pages gone after
// exit.  The browser is a recording stand-in registered in the test's prefix.

#include "ProgramFixture.h"

#include "output/MakerInfo.h"
#include "resources/resource.h"

#include <dlgs.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char kBook[] = "C:\\Telvara\\book.csv";
const char kOldBook[] = "C:\\Telvara\\old.dat";
const char kSaved[] = "C:\\Telvara\\saved";

DWORD StoredNumber(const char* name) {
    auto value = ReadRegistryValue(kSettingsKey, name);
    return value ? value->Number() : 0xDEADBEEF;
}

std::string TempFolder() {
    char folder[MAX_PATH] = "";
    GetTempPathA(sizeof folder, folder);
    return folder;
}

std::string Today() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char date[16];
    std::snprintf(date, sizeof date, "%02d/%02d/%02d", now.wMonth, now.wDay, now.wYear % 100);
    return date;
}

// The shell hands the browser a page as a file URL of its Unix path.
std::string FileUrlPart(const std::string& windowsPath) { return UnixPathOf(windowsPath); }

// The book, in file order Carl, Bob, Ann: the list shows it in name order.
const char kBookText[] =
    "; Data for Telvara.exe\r\n"
    "; V300\r\n"
    "Carl,Roe,\"1-800-\"\"CALL-ATT\"\"\",  7  Blank Rd ,Aylmer,QC,,,a > b ,0\r\n"
    "Bob,Smith & Sons,,,,,,,,1\r\n"
    "Ann,Lee,819-555-0101,\"12 Main St, Apt 4\",Hull,QC,J8X 1A1,Ann <ann@example.com>,"
    "\"say \"\"hi\"\", <b>bold</b>\",0\r\n";

const char kPageHead[] = "<HTML>\r\n<HEAD>\r\n<TITLE>Telvara print data</TITLE>\r\n</HEAD>\r\n<BODY BGCOLOR=white>\r\n";
const char kPageTail[] = "</FONT>\r\n</BODY>\r\n</HTML>\r\n";

std::string FontLine(const char* digit) {
    return std::string("<FONT size=\"") + digit + "\" face=\"Arial, Helvetica, sans-serif\">\r\n";
}

std::string PageOf(const char* digit, const std::string& date, const std::string& rows) {
    return kPageHead + FontLine(digit) + "Last Updated: " + date + "<BR>\r\n" + rows + kPageTail;
}

const char kRowsAll[] =
    "Ann Lee <B>819-555-0101</B> 12 Main St, Apt 4 Hull QC J8X 1A1 Ann &lt;ann@example.com&gt; "
    "say \"hi\", &lt;b&gt;bold&lt;/b&gt;<BR>\r\n"
    "Bob Smith & Sons <B></B>      <BR>\r\n"
    "Carl Roe <B>1-800-\"CALL-ATT\"</B>   7  Blank Rd  Aylmer QC   a &gt; b <BR>\r\n";
const char kRowsNumberAndEmail[] =
    "Ann Lee <B>819-555-0101</B> Ann &lt;ann@example.com&gt; <BR>\r\n"
    "Bob Smith & Sons <B></B>  <BR>\r\n"
    "Carl Roe <B>1-800-\"CALL-ATT\"</B>  <BR>\r\n";
const char kRowsNames[] =
    "Ann Lee <BR>\r\n"
    "Bob Smith & Sons <BR>\r\n"
    "Carl Roe <BR>\r\n";

// Whether `page` is one well-formed XHTML document: the XHTML 1.0
// Transitional declaration first, then one `html` element whose tags all
// close in order, with nothing after it but line ends, and no character
// reference XHTML does not know.  Why not, or empty.
std::string XhtmlProblem(const std::string& page) {
    const char declaration[] = "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\"";
    const char system[] = "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">";
    if (page.rfind(declaration, 0) != 0) return "no XHTML 1.0 Transitional declaration first";
    std::size_t at = page.find_first_not_of(" \r\n", sizeof declaration - 1);
    if (at == std::string::npos || page.compare(at, sizeof system - 1, system) != 0) return "no standard system id";
    std::vector<std::string> open;
    bool rootDone = false;
    for (at += sizeof system - 1; at < page.size(); ++at) {
        if (page[at] == '&') {
            std::size_t end = page.find(';', at);
            std::string name = end == std::string::npos ? "" : page.substr(at + 1, end - at - 1);
            if (name != "quot" && name != "amp" && name != "lt" && name != "gt" && name != "nbsp")
                return "unknown reference at " + std::to_string(at);
        } else if (page[at] == '<') {
            std::size_t end = page.find('>', at);
            if (end == std::string::npos || rootDone) return "a tag after the document at " + std::to_string(at);
            std::string tag = page.substr(at + 1, end - at - 1);
            std::string name = tag.substr(tag[0] == '/', tag.find_first_of(" /", 1) - (tag[0] == '/'));
            if (tag[0] == '/') {
                if (open.empty() || open.back() != name) return "</" + name + "> closes nothing open";
                open.pop_back();
                rootDone = open.empty();
            } else if (tag.back() != '/') {
                if (open.empty() && name != "html") return "the root is <" + name + ">";
                open.push_back(name);
            }
            at = end;
        } else if (open.empty() && page[at] != '\r' && page[at] != '\n') {
            return "text outside the document at " + std::to_string(at);
        }
    }
    return rootDone ? "" : "unclosed <" + (open.empty() ? std::string("html") : open.back()) + ">";
}

// The headings, forms and explanations the help page quotes, in their order.
const char* const kHelpPageParts[] = {
    "<title>Telvara info</title>",
    "<h1>Telvara</h1>",
    "<h3>What the program does:</h3>",
    "<h3>How to use it:</h3>",
    "<b>New</b>",
    "819-567-1234<br />",
    "(819) 567-1234<br />",
    "819.567.1234 - work<br />",
    "cell 819-567-1234<br />",
    "1-819-567-1234<br />",
    "1-800-&quot;CALL-ATT&quot;&nbsp;&nbsp;&nbsp;letters in quotes get turned into numbers.",
    "*82,819-567-1234&nbsp;&nbsp;&nbsp;*82 = turn off caller ID blocking, the comma will create a 2 second pause.",
    "*82//819-567-1234&nbsp;&nbsp;&nbsp;/ = 125 millisecond pause, use more if needed.",
    "567-2342; ext 607&nbsp;&nbsp;&nbsp;everything after a semicolon is ignored so the extension won't be dialed.",
    "<b>Setup</b>",
    "<h3>Disclaimer:</h3>",
};

void ExpectHelpPage(const std::string& page) {
    EXPECT_EQ("", XhtmlProblem(page));
    std::size_t at = 0;
    for (const char* part : kHelpPageParts) {
        std::size_t found = page.find(part, at);
        EXPECT_NE(std::string::npos, found) << "the help page lacks, or has out of order: " << part;
        if (found != std::string::npos) at = found;
    }
}

class OutputTest : public ProgramTest {
protected:
    void SetUp() override {
        if (!browser_.Problem().empty()) SKIP_OR_FAIL_IN_CI("no recording browser: " << browser_.Problem());
        ASSERT_TRUE(browser_.Register()) << "the recording browser cannot be registered";
        ProgramTest::SetUp();
        ASSERT_TRUE(SetText("AreaCode", "819"));
        printPage_ = TempFolder() + "Telvara.htm";
        helpPage_ = TempFolder() + "BrackwenHelp.htm";
        ASSERT_NE("Telvara.htm", printPage_) << "no temporary folder";
        ASSERT_FALSE(UnixPathOf(printPage_).empty()) << "Wine does not tell the Unix path of " << printPage_;
    }

    void UseBook(const std::string& text = kBookText) {
        ASSERT_TRUE(WriteFileText(kBook, text));
        ASSERT_TRUE(SetWriteTime(kBook, 2009, 6, 15));
        ASSERT_TRUE(SetText("Fname", kBook));
    }

    HWND OpenPrintDialog(RunningProgram& program) {
        if (!program.PostCommand(CMD_PRINT)) return nullptr;
        return program.WaitForDialog("Print to browser", kWait);
    }

    // OK in the print dialog; the page as written once the browser has its path.
    std::string PrintWithOk(RunningProgram& program, HWND dialog) {
        std::size_t mark = browser_.Mark();
        EXPECT_TRUE(PressDialogButton(dialog, IDOK));
        auto line = browser_.WaitForLine(mark, FileUrlPart(printPage_), kWait);
        EXPECT_TRUE(line) << "the browser was not asked for the page; it got: " << browser_.Since(mark);
        EXPECT_FALSE(IsWindow(dialog));
        EXPECT_TRUE(program.Settled());
        return ReadFileText(printPage_);
    }

    static bool Checked(HWND dialog, int id) {
        auto state = SendTo(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0);
        return state && *state == BST_CHECKED;
    }

    // The four column boxes and the three size buttons, as on or off.
    static std::string Choices(HWND dialog) {
        std::string s;
        for (int id : {IDC_PRINT_NUMBER, IDC_PRINT_ADDRESS, IDC_PRINT_EMAIL, IDC_PRINT_MISC})
            s += Checked(dialog, id) ? 'x' : '-';
        s += ' ';
        for (int id : {IDC_PRINT_SMALL, IDC_PRINT_MEDIUM, IDC_PRINT_LARGE}) s += Checked(dialog, id) ? 'o' : '-';
        return s;
    }

    HWND OpenBackupDialog(RunningProgram& program) {
        if (!program.PostCommand(CMD_BACKUP)) return nullptr;
        return program.WaitForDialog("Backup to another location", kWait);
    }

    // OK in the backup dialog with `destination` typed in; the "Backup failed"
    // box's text and caption when one came, or "" when the dialog just closed.
    std::string BackupTo(RunningProgram& program, HWND dialog, const std::string& destination) {
        EXPECT_TRUE(SetControlText(GetDlgItem(dialog, IDC_BACKUP_DEST), destination));
        EXPECT_TRUE(PressDialogButton(dialog, IDOK));
        std::string seen;
        HWND box = nullptr;
        PollUntil(
            [&] {
                box = program.TopWindow("CMSGCLASS");
                return box || !IsWindow(dialog);
            },
            kWait);
        if (box) {
            box = program.WaitForBox(kWait);
            EXPECT_EQ(dialog, GetWindow(box, GW_OWNER)) << "the box belongs to the dialog";
            EXPECT_EQ(std::vector<std::string>{"&Ok"}, program.BoxButtons(box));
            seen = program.BoxText(box).value_or("<no text>") + " / caption \"" + WindowText(box) + "\"";
            EXPECT_TRUE(program.AnswerBox(box));
        }
        EXPECT_TRUE(PollUntil([&] { return !IsWindow(dialog); }, kWait)) << "the dialog stays open";
        EXPECT_TRUE(program.Settled());
        return seen;
    }

    BrowserRecord browser_;
    std::string printPage_;
    std::string helpPage_;
};

const char kBackupFailed[] = "Backup failed / caption \"\"";

TEST_F(OutputTest, PrintPageByteForByteForEachChoiceAndNothingOnCancel) {
    UseBook();
    ASSERT_TRUE(SetNumber("PrintBits", 5));
    ASSERT_TRUE(SetNumber("PrintSize", 0));
    DeleteFileA(printPage_.c_str());
    RunningProgram program;
    StartLoaded(program, 3);
    ASSERT_EQ("Ann", program.ItemText(0, 0)) << "the list shows the book in name order";

    // The settings as stored: number and e-mail, small type; the file's date.
    HWND dialog = OpenPrintDialog(program);
    ASSERT_NE(nullptr, dialog) << "no print dialog";
    EXPECT_EQ("x-x- o--", Choices(dialog));
    EXPECT_EQ(program.Frame(), GetWindow(dialog, GW_OWNER));
    EXPECT_EQ(PageOf("1", "06/15/09", kRowsNumberAndEmail), PrintWithOk(program, dialog));

    // Every column, large type.
    dialog = OpenPrintDialog(program);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("x-x- o--", Choices(dialog)) << "OK keeps the choice for the next print";
    ASSERT_TRUE(ClickControl(GetDlgItem(dialog, IDC_PRINT_LARGE)));
    ASSERT_TRUE(ClickControl(GetDlgItem(dialog, IDC_PRINT_ADDRESS)));
    ASSERT_TRUE(ClickControl(GetDlgItem(dialog, IDC_PRINT_MISC)));
    EXPECT_EQ("xxxx --o", Choices(dialog));
    EXPECT_EQ(PageOf("3", "06/15/09", kRowsAll), PrintWithOk(program, dialog));

    // Names only, medium type.
    dialog = OpenPrintDialog(program);
    ASSERT_NE(nullptr, dialog);
    for (int id : {IDC_PRINT_NUMBER, IDC_PRINT_ADDRESS, IDC_PRINT_EMAIL, IDC_PRINT_MISC})
        ASSERT_TRUE(ClickControl(GetDlgItem(dialog, id)));
    ASSERT_TRUE(ClickControl(GetDlgItem(dialog, IDC_PRINT_MEDIUM)));
    EXPECT_EQ("---- -o-", Choices(dialog));
    EXPECT_EQ(PageOf("2", "06/15/09", kRowsNames), PrintWithOk(program, dialog));

    // Cancel writes nothing and opens nothing, and keeps the last choice.
    ASSERT_TRUE(DeleteFileA(printPage_.c_str()));
    std::size_t mark = browser_.Mark();
    dialog = OpenPrintDialog(program);
    ASSERT_NE(nullptr, dialog);
    ASSERT_TRUE(ClickControl(GetDlgItem(dialog, IDC_PRINT_NUMBER)));
    ASSERT_TRUE(PressDialogButton(dialog, IDCANCEL));
    ASSERT_TRUE(PollUntil([&] { return !IsWindow(dialog); }, kWait));
    ASSERT_TRUE(program.Settled());
    EXPECT_FALSE(FileExists(printPage_.c_str())) << "Cancel wrote the page";

    // A page that cannot be written whole is not opened: the file is held
    // open by another program.
    HANDLE held = CreateFileA(printPage_.c_str(), GENERIC_READ, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    dialog = OpenPrintDialog(program);
    ASSERT_NE(nullptr, dialog);
    ASSERT_TRUE(PressDialogButton(dialog, IDOK));
    HWND box = program.WaitForBox(kWait);
    ASSERT_NE(nullptr, box) << "a page that could not be written must be told";
    EXPECT_EQ("Can't write file\n" + printPage_, program.BoxText(box).value_or("<no text>"));
    ASSERT_TRUE(program.AnswerBox(box));
    CloseHandle(held);
    ASSERT_TRUE(program.Settled());
    // The help page is opened next, by a command sent as soon as the box has
    // gone; nothing may come before it.
    DeleteFileA(helpPage_.c_str());
    ASSERT_TRUE(program.RunCommand(CMD_INFO));
    ASSERT_TRUE(FileExists(helpPage_.c_str())) << "a command just after the answer was refused";
    auto help = browser_.WaitForLine(mark, FileUrlPart(helpPage_), kWait);
    ASSERT_TRUE(help) << browser_.Since(mark);
    EXPECT_EQ(*help + "\n", browser_.Since(mark)) << "the browser was asked for a page after Cancel or a failed write";

    CloseNormally(program);
    EXPECT_EQ(0u, StoredNumber("PrintBits"));
    EXPECT_EQ(1u, StoredNumber("PrintSize"));
    EXPECT_FALSE(FileExists(printPage_.c_str())) << "the print page is left after exit";
}

TEST_F(OutputTest, PrintSizeOutOfRangeAndTodaysDateAfterAChange) {
    UseBook();
    ASSERT_TRUE(SetNumber("PrintBits", 15));
    ASSERT_TRUE(SetNumber("PrintSize", 3));
    RunningProgram program;
    StartLoaded(program, 3);

    // No size chosen, an empty size digit, and the odd size kept by OK.
    HWND dialog = OpenPrintDialog(program);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("xxxx ---", Choices(dialog));
    EXPECT_EQ(PageOf("", "06/15/09", kRowsAll), PrintWithOk(program, dialog));

    // An import changes the list: the page is dated today.
    ASSERT_TRUE(WriteFileText(kOldBook, "; Data for Telvara\r\nDora Zee\t555-0199\tnew\r\n"));
    ASSERT_TRUE(program.PostCommand(CMD_IMPORT));
    HWND open = program.WaitForDialog(nullptr, kWait);
    ASSERT_NE(nullptr, open) << "no file dialog for the import";
    HWND name = GetDlgItem(open, cmb13);  // the file name box of the common dialog
    if (!name) name = GetDlgItem(open, edt1);
    ASSERT_NE(nullptr, name) << "the file dialog has no name box";
    ASSERT_TRUE(SetControlText(name, kOldBook));
    ASSERT_TRUE(PressDialogButton(open, IDOK));
    ASSERT_TRUE(PollUntil([&] { return program.ItemCount() == 4; }, kWait)) << "the import added nothing";
    ASSERT_TRUE(program.Settled());

    dialog = OpenPrintDialog(program);
    ASSERT_NE(nullptr, dialog);
    const std::string before = Today();
    std::string page = PrintWithOk(program, dialog);
    const std::string after = Today();
    const std::string head = kPageHead + FontLine("") + "Last Updated: ";
    ASSERT_EQ(head, page.substr(0, head.size()));
    std::string date = page.substr(head.size(), 8);
    EXPECT_TRUE(date == before || date == after) << date << " is not today, " << before;
    EXPECT_NE(std::string::npos, page.find("Dora Zee <B>555-0199</B>")) << page;

    // The changed list is not saved: close without saving.
    ASSERT_TRUE(program.PostCommand(CMD_EXIT));
    HWND question = program.WaitForBox(kWait);
    ASSERT_NE(nullptr, question);
    HWND no = nullptr;
    for (HWND b = FindWindowExA(question, nullptr, "BUTTON", nullptr); b;
         b = FindWindowExA(question, b, "BUTTON", nullptr))
        if (WindowText(b) == "&No") no = b;
    ASSERT_NE(nullptr, no);
    ASSERT_TRUE(PostMessageA(no, BM_CLICK, 0, 0));
    DWORD exitCode = 1;
    ASSERT_TRUE(program.WaitForExit(kWait, exitCode));
    EXPECT_EQ(3u, StoredNumber("PrintSize")) << "OK without a click keeps the stored size";
    EXPECT_EQ(15u, StoredNumber("PrintBits"));
    EXPECT_FALSE(FileExists(printPage_.c_str()));
}

TEST_F(OutputTest, BackupCopiesByteForByteRemembersThePlaceAndTellsFailures) {
    UseBook();
    const std::string book = ReadFileText(kBook);
    ASSERT_TRUE(WriteFileText(kBook, book + std::string(2100 - book.size(), ';')));  // 2k
    CreateDirectoryA(kSaved, nullptr);
    const std::string copy = std::string(kSaved) + "\\book-copy.csv";
    DeleteFileA(copy.c_str());
    RunningProgram program;
    StartLoaded(program, 3);
    const std::string data = ReadFileText(kBook);

    // First use: the source, its size, no destination yet.
    HWND dialog = OpenBackupDialog(program);
    ASSERT_NE(nullptr, dialog) << "no backup dialog";
    EXPECT_EQ(kBook, ControlText(GetDlgItem(dialog, IDC_BACKUP_SOURCE)));
    EXPECT_EQ("2k", ControlText(GetDlgItem(dialog, IDC_BACKUP_SIZE)));
    EXPECT_EQ("", ControlText(GetDlgItem(dialog, IDC_BACKUP_DEST)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_BACKUP_SOURCE)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_BACKUP_SIZE)));

    // The folder chooser: cancelled, nothing changes; chosen, the folder and
    // the data file's name.
    ASSERT_TRUE(PressDialogButton(dialog, IDC_BACKUP_BROWSE));
    HWND chooser = program.WaitForDialog(nullptr, kWait, dialog);
    ASSERT_NE(nullptr, chooser) << "no folder chooser";
    bool titled = false;
    for (HWND c = GetWindow(chooser, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        titled = titled || ControlText(c) == "Choose new folder:";
    EXPECT_TRUE(titled) << "the chooser does not say \"Choose new folder:\"";
    ASSERT_TRUE(PressDialogButton(chooser, IDCANCEL));
    ASSERT_TRUE(PollUntil([&] { return !IsWindow(chooser); }, kWait));
    ASSERT_TRUE(SendTo(dialog, WM_NULL, 0, 0));
    EXPECT_EQ("", ControlText(GetDlgItem(dialog, IDC_BACKUP_DEST)));
    ASSERT_TRUE(PressDialogButton(dialog, IDC_BACKUP_BROWSE));
    chooser = program.WaitForDialog(nullptr, kWait, dialog);
    ASSERT_NE(nullptr, chooser);
    // Drive C: under "My Computer", so the root shows its own "\".
    HWND tree = FindWindowExA(chooser, nullptr, WC_TREEVIEWA, nullptr);
    ASSERT_NE(nullptr, tree) << "the chooser has no folder tree";
    auto next = [&](HTREEITEM item, WPARAM how) {
        SendTo(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
        return reinterpret_cast<HTREEITEM>(
            SendTo(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)).value_or(0));
    };
    auto child = [&](HTREEITEM parent, const char* part) {
        for (HTREEITEM item = next(parent, TVGN_CHILD); item; item = next(item, TVGN_NEXT))
            if (program.TreeItemText(tree, item).find(part) != std::string::npos) return item;
        return HTREEITEM(nullptr);
    };
    HTREEITEM root = reinterpret_cast<HTREEITEM>(SendTo(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0).value_or(0));
    HTREEITEM computer = child(root, "My Computer");
    ASSERT_NE(nullptr, computer);
    HTREEITEM driveC = child(computer, "(C:)");
    ASSERT_NE(nullptr, driveC);
    ASSERT_TRUE(SendTo(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(driveC)));
    ASSERT_TRUE(PressDialogButton(chooser, IDOK));
    ASSERT_TRUE(PollUntil([&] { return !IsWindow(chooser); }, kWait));
    ASSERT_TRUE(SendTo(dialog, WM_NULL, 0, 0));
    const std::string chosen = ControlText(GetDlgItem(dialog, IDC_BACKUP_DEST));
    EXPECT_EQ("C:\\book.csv", ControlText(GetDlgItem(dialog, IDC_BACKUP_DEST)));

    // What the field shows is where the copy goes, replacing an older one.
    ASSERT_TRUE(WriteFileText(copy, "an older, longer copy that must go away entirely\r\n"));
    EXPECT_EQ("", BackupTo(program, dialog, copy));
    EXPECT_EQ(data, ReadFileText(copy));

    // The destination is remembered for the next time.
    dialog = OpenBackupDialog(program);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(copy, ControlText(GetDlgItem(dialog, IDC_BACKUP_DEST)));
    // A folder that does not exist.
    const std::string nowhere = std::string(kFolder) + "\\no-such-folder\\book.csv";
    EXPECT_EQ(kBackupFailed, BackupTo(program, dialog, nowhere));

    // The data file itself as destination: refused, the file unharmed.
    dialog = OpenBackupDialog(program);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(nowhere, ControlText(GetDlgItem(dialog, IDC_BACKUP_DEST))) << "stored before the copy failed";
    EXPECT_EQ(kBackupFailed, BackupTo(program, dialog, kBook));
    EXPECT_EQ(data, ReadFileText(kBook));

    // The data file gone: no size, and the copy fails.
    ASSERT_TRUE(DeleteFileA(kBook));
    dialog = OpenBackupDialog(program);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("", ControlText(GetDlgItem(dialog, IDC_BACKUP_SIZE)));
    EXPECT_EQ(kBackupFailed, BackupTo(program, dialog, copy));
    EXPECT_EQ(data, ReadFileText(copy)) << "a failed copy touched the old one";

    // Cancel keeps the remembered place.
    dialog = OpenBackupDialog(program);
    ASSERT_NE(nullptr, dialog);
    ASSERT_TRUE(SetControlText(GetDlgItem(dialog, IDC_BACKUP_DEST), "C:\\elsewhere.csv"));
    ASSERT_TRUE(PressDialogButton(dialog, IDCANCEL));
    ASSERT_TRUE(PollUntil([&] { return !IsWindow(dialog); }, kWait));
    EXPECT_FALSE(FileExists("C:\\elsewhere.csv"));

    CloseNormally(program);
    auto backup = ReadRegistryValue(kSettingsKey, "Backup");
    ASSERT_TRUE(backup);
    EXPECT_EQ(copy, backup->Text());
}

TEST_F(OutputTest, HelpPageLinksAndAboutBoxReachTheBrowserAndNoPageOutlivesTheProgram) {
    UseBook();
    // Pages left over from an earlier run, longer than the help page.
    const std::string leftover(8000, 'x');
    ASSERT_TRUE(WriteFileText(printPage_, leftover));
    ASSERT_TRUE(WriteFileText(helpPage_, leftover));
    RunningProgram program;
    StartLoaded(program, 3);
    std::string help;
    for (int time = 0; time < 2; ++time) {
        std::size_t mark = browser_.Mark();
        ASSERT_TRUE(program.PostCommand(CMD_INFO));
        auto line = browser_.WaitForLine(mark, FileUrlPart(helpPage_), kWait);
        EXPECT_TRUE(line) << "the help page did not reach the browser: " << browser_.Since(mark);
        // Exactly the page, once: the longer leftover gone, and no second copy.
        help = ReadFileText(helpPage_);
        SCOPED_TRACE("time " + std::to_string(time));
        ExpectHelpPage(help);
    }

    // A help page that cannot be written is not opened, and nothing is said.
    {
        HANDLE held = CreateFileA(helpPage_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, held);
        std::size_t before = browser_.Mark();
        // Sent, not posted: it has run when the answer comes, and only then
        // may the file be let go.
        ASSERT_TRUE(SendTo(program.Frame(), WM_COMMAND, MAKEWPARAM(CMD_INFO, 0), 0));
        CloseHandle(held);
        EXPECT_EQ(nullptr, program.TopWindow("CMSGCLASS"));
        EXPECT_EQ(help, ReadFileText(helpPage_)) << "the page written before is left as it was";
        // The updates page comes next: the help page must not come before it.
        ASSERT_TRUE(program.PostCommand(CMD_UPDATES));
        auto line = browser_.WaitForLine(before, kProgramPage, kWait);
        EXPECT_TRUE(line) << browser_.Since(before);
        EXPECT_EQ(std::string(kProgramPage) + "\n", browser_.Since(before)) << "the unwritten page was opened";
    }

    std::size_t mark = browser_.Mark();
    ASSERT_TRUE(program.PostCommand(CMD_UPDATES));
    EXPECT_TRUE(browser_.WaitForLine(mark, kProgramPage, kWait)) << browser_.Since(mark);

    // The About box: the program, the notice, and the maker's link, whole.
    ASSERT_TRUE(program.PostCommand(CMD_ABOUT));
    HWND about = program.WaitForBox(kWait);
    ASSERT_NE(nullptr, about) << "no About box";
    // The second line is the maker's notice, as the help page's title box has it.
    const std::size_t cite = help.find("<cite>") + 6;
    const std::string notice = help.substr(cite, help.find("</cite>") - cite);
    EXPECT_FALSE(notice.empty() || notice.find('\n') != std::string::npos) << notice;
    EXPECT_EQ("Telvara 3.31\n" + notice, program.BoxText(about).value_or("<no text>"));
    EXPECT_EQ("", WindowText(about));
    HWND link = nullptr;
    ASSERT_TRUE(PollUntil(
        [&] {
            for (HWND b = FindWindowExA(about, nullptr, "BUTTON", nullptr); b;
                 b = FindWindowExA(about, b, "BUTTON", nullptr))
                if ((GetWindowLongA(b, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW) link = b;
            return link != nullptr;
        },
        kWait))
        << "no link in the About box";
    RECT box, r;
    GetWindowRect(about, &box);
    GetWindowRect(link, &r);
    OffsetRect(&r, -box.left, -box.top);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, GetWindowRgn(about, region));
    EXPECT_TRUE(PtInRegion(region, r.left, r.top) && PtInRegion(region, r.right - 1, r.bottom - 1) &&
                PtInRegion(region, r.left, r.bottom - 1) && PtInRegion(region, r.right - 1, r.top))
        << "the link reaches outside the ellipse";
    DeleteObject(region);
    mark = browser_.Mark();
    ASSERT_TRUE(PostMessageA(link, BM_CLICK, 0, 0));
    EXPECT_TRUE(browser_.WaitForLine(mark, kMakerSite, kWait)) << browser_.Since(mark);
    EXPECT_TRUE(PollUntil([&] { return !IsWindow(about); }, kWait)) << "the link closes the box";

    CloseNormally(program);
    EXPECT_FALSE(FileExists(helpPage_.c_str())) << "the help page is left after exit";
    EXPECT_FALSE(FileExists(printPage_.c_str())) << "a print page never written this run is left after exit";
}

}  // namespace
