// The output subsystem's rules without windows: the print page byte for byte,
// the page buffer when memory runs out, the backup and page paths, the About
// box's ellipse, and the help page against its DTD.

#include "contacts/ContactList.h"
#include "support/MemoryListControl.h"
#include "framework/EllipseFit.h"
#include "output/BackupPath.h"
#include "output/HelpPage.h"
#include "output/PagePaths.h"
#include "output/PrintPage.h"

#include <gtest/gtest.h>

#include "SkipOrFailInCi.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

std::unique_ptr<Contact> Person(std::initializer_list<const char*> fields) {
    auto c = std::make_unique<Contact>();
    ClearContact(*c);
    int i = 0;
    for (const char* f : fields) {
        SetField(ContactField(*c, i), kContactFieldWidths[i], f);
        ++i;
    }
    return c;
}

struct PrintFixture : ::testing::Test {
    MemoryListControl control;
    MemoryStatusText status;
    ContactList list{control, status};

    std::string Page(std::int32_t bits, std::int32_t size, const char* date = "06/15/09") {
        PageBuffer page;
        EXPECT_TRUE(page.Reset(kPageStartCapacity, kPageGrowthStep));
        EXPECT_TRUE(BuildPrintPage(page, list, PrintSettings{bits, size}, date));
        return std::string(page.Text(), page.Used());
    }
};

const char kHead[] = "<HTML>\r\n<HEAD>\r\n<TITLE>Telvara print data</TITLE>\r\n</HEAD>\r\n<BODY BGCOLOR=white>\r\n";
const char kTail[] = "</FONT>\r\n</BODY>\r\n</HTML>\r\n";

std::string Font(const char* digit) {
    return std::string("<FONT size=\"") + digit + "\" face=\"Arial, Helvetica, sans-serif\">\r\n";
}

using PrintPageTest = PrintFixture;

TEST_F(PrintPageTest, RowsInListOrderWithMarkupEscapedAndEverythingElseAsStored) {
    // Appended out of name order: the page follows the list, not the names.
    list.AppendContact(Person({"Zoe", "Smith & Sons", "819-555-0101", "12 Main St, Apt 4", "Hull", "QC", "J8X 1A1",
                               "Ann <ann@example.com>", "say \"hi\", <b>bold</b>"}));
    list.AppendContact(Person({}));  // every field empty
    list.AppendContact(Person({" Al ", "", "", "", "", "", "", "", "a>b"}));

    const std::string rows15 =
        "Zoe Smith & Sons <B>819-555-0101</B> 12 Main St, Apt 4 Hull QC J8X 1A1 "
        "Ann &lt;ann@example.com&gt; say \"hi\", &lt;b&gt;bold&lt;/b&gt;<BR>\r\n"
        "  <B></B>      <BR>\r\n"
        " Al   <B></B>      a&gt;b<BR>\r\n";
    EXPECT_EQ(kHead + Font("2") + "Last Updated: 06/15/09<BR>\r\n" + rows15 + kTail, Page(15, 1));

    const std::string rows0 = "Zoe Smith & Sons <BR>\r\n  <BR>\r\n Al   <BR>\r\n";
    EXPECT_EQ(kHead + Font("1") + "Last Updated: <BR>\r\n" + rows0 + kTail, Page(0, 0, ""));

    // Number and e-mail only; a size out of range leaves the digit empty.
    const std::string rows5 =
        "Zoe Smith & Sons <B>819-555-0101</B> Ann &lt;ann@example.com&gt; <BR>\r\n"
        "  <B></B>  <BR>\r\n"
        " Al   <B></B>  <BR>\r\n";
    EXPECT_EQ(kHead + Font("3") + "Last Updated: 06/15/09<BR>\r\n" + rows5 + kTail, Page(5, 2));
    EXPECT_EQ(Font(""), Page(5, 3).substr(sizeof kHead - 1, Font("").size()));
    EXPECT_EQ(Font(""), Page(5, -1).substr(sizeof kHead - 1, Font("").size()));
}

TEST_F(PrintPageTest, EmptyListGivesHeadDateAndTailOnly) {
    EXPECT_EQ(kHead + Font("2") + "Last Updated: 01/02/03<BR>\r\n" + kTail, Page(15, 1, "01/02/03"));
}

TEST(PrintRow, FieldsFullOfMarkupStayWithinTheRowBuffer) {
    Contact c;
    for (int i = 0; i < kContactFieldCount; ++i) {
        std::memset(ContactField(c, i), '<', kContactFieldWidths[i]);  // not even terminated
    }
    c.TollCall = c.IsNew = 0;
    char row[kMaxPageRow];
    std::size_t n = FormatPageRow(c, 15, row);
    std::size_t chars = 0;
    for (std::size_t w : kContactFieldWidths) chars += w;
    const std::size_t fixed = std::strlen("  <B></B>      <BR>\r\n");
    EXPECT_EQ(4 * chars + fixed, n);
    EXPECT_EQ(n, std::strlen(row));
}

// Hands out the first `allowed` blocks, then refuses.
int g_allowed = 0;
void* Rationed(void* block, std::size_t size) {
    if (g_allowed <= 0) return nullptr;
    --g_allowed;
    return std::realloc(block, size);
}

TEST_F(PrintPageTest, BufferGrowsInStepsAndAPageThatCannotGrowIsNotWhole) {
    for (int i = 0; i < 1500; ++i) {
        char name[24];
        std::snprintf(name, sizeof name, "Person%03d", i);
        list.AppendContact(
            Person({name, "Last", "555-0000", "1 Road", "Town", "ON", "K1A 0A1", "someone@example.com", "note"}));
    }
    const std::string whole = Page(15, 1);
    ASSERT_GT(whole.size(), kPageStartCapacity + kPageGrowthStep) << "the page must need two growths";
    // Started with room for the whole book, the page is the same.
    PageBuffer roomy;
    ASSERT_TRUE(roomy.Reset(PageStartCapacity(list.Count()), kPageGrowthStep));
    ASSERT_TRUE(BuildPrintPage(roomy, list, PrintSettings{15, 1}, "06/15/09"));
    EXPECT_EQ(whole, std::string(roomy.Text(), roomy.Used()));
    EXPECT_GT(roomy.Capacity(), roomy.Used()) << "no growth was needed";
    EXPECT_EQ(kPageStartCapacity, PageStartCapacity(0));

    PageBuffer grown;
    ASSERT_TRUE(grown.Reset(100, 50));
    std::string expected;
    for (int i = 0; i < 40; ++i) {
        std::string piece(static_cast<std::size_t>(i % 7) * 10, static_cast<char>('a' + i % 26));
        grown.Append(piece.c_str());
        expected += piece;
    }
    grown.Append(std::string(200, 'z').c_str());  // longer than a step
    expected += std::string(200, 'z');
    EXPECT_FALSE(grown.Failed());
    EXPECT_EQ(expected, std::string(grown.Text(), grown.Used()));
    EXPECT_EQ(0u, (grown.Capacity() - 100) % 50);
    EXPECT_GT(grown.Capacity(), grown.Used());

    // The first block and one growth, then no more memory.
    g_allowed = 2;
    PageBuffer rationed(&Rationed);
    ASSERT_TRUE(rationed.Reset(kPageStartCapacity, kPageGrowthStep));
    EXPECT_FALSE(BuildPrintPage(rationed, list, PrintSettings{15, 1}, "06/15/09"));
    EXPECT_TRUE(rationed.Failed());
    EXPECT_EQ(whole.substr(0, rationed.Used()), std::string(rationed.Text(), rationed.Used()));
    EXPECT_LT(rationed.Used(), whole.size());

    // A large page is moved a few dozen times, not once per step: where the
    // heap copies on every growth, steps alone make printing quadratic.
    g_allowed = 1000000;
    PageBuffer large(&Rationed);
    ASSERT_TRUE(large.Reset(kPageStartCapacity, kPageGrowthStep));
    const std::string row(100, 'r');
    for (int i = 0; i < 100000; ++i) large.Append(row.c_str(), row.size());
    EXPECT_FALSE(large.Failed());
    EXPECT_EQ(10000000u, large.Used());
    EXPECT_LT(1000000 - g_allowed, 40) << "growths for a 10 MB page";
    EXPECT_EQ(0u, (large.Capacity() - kPageStartCapacity) % kPageGrowthStep);

    g_allowed = 0;
    PageBuffer none(&Rationed);
    EXPECT_FALSE(none.Reset(kPageStartCapacity, kPageGrowthStep));
    EXPECT_FALSE(BuildPrintPage(none, list, PrintSettings{15, 1}, ""));
    EXPECT_EQ(0u, none.Used());
}

TEST(PageDate, MonthDayAndTwoDigitYear) {
    char date[kPageDateSize];
    FormatPageDate(2009, 6, 15, date);
    EXPECT_STREQ("06/15/09", date);
    FormatPageDate(2000, 1, 5, date);
    EXPECT_STREQ("01/05/00", date);
    FormatPageDate(1999, 12, 31, date);
    EXPECT_STREQ("12/31/99", date);
    FormatPageDate(2026, 13, 1, date);
    EXPECT_STREQ("", date);
}

std::string Backup(const char* folder, const char* dataFile, std::size_t size = 260) {
    char out[260] = "untouched";
    if (!ComposeBackupPath(folder, dataFile, out, size)) return std::string("<refused> ") + out;
    return out;
}

TEST(BackupPath, OneSeparatorThenTheDataFilesNameCutTo39) {
    EXPECT_EQ("D:\\Save\\friends.csv", Backup("D:\\Save", "C:\\data\\friends.csv"));
    EXPECT_EQ("D:\\Save\\friends.csv", Backup("D:\\Save\\", "C:\\data\\friends.csv"));
    EXPECT_EQ("D:\\friends.csv", Backup("D:\\", "C:\\data\\friends.csv"));
    EXPECT_EQ("\\\\server\\share\\book.csv", Backup("\\\\server\\share", "D:book.csv"));
    EXPECT_EQ("E:\\x\\book.csv", Backup("E:\\x", "/home/ann/book.csv"));
    const std::string longName = "a-very-long-phone-book-name-for-the-family.csv";
    EXPECT_EQ("D:\\" + longName.substr(0, 39), Backup("D:\\", ("C:\\" + longName).c_str()));
    EXPECT_EQ("D:\\", Backup("D:\\", ""));
    // A folder so long that the name would be cut is refused, never shortened.
    const std::string deep = "C:\\" + std::string(240, 'f');
    EXPECT_EQ("<refused> untouched", Backup(deep.c_str(), "C:\\friends-and-family.csv"));
    EXPECT_EQ("<refused> untouched", Backup("D:\\Save", "C:\\friends.csv", 19));
    EXPECT_EQ("D:\\Save\\friends.csv", Backup("D:\\Save", "C:\\friends.csv", 20));
}

TEST(BackupPath, SizeInWholeKilobytes) {
    char text[32];
    const std::pair<std::uint64_t, const char*> cases[] = {
        {0, "0k"}, {500, "0k"}, {1023, "0k"}, {1024, "1k"}, {2600, "2k"}, {12288, "12k"}, {5ull << 30, "5242880k"}};
    for (const auto& c : cases) {
        FormatKilobytes(c.first, text, sizeof text);
        EXPECT_STREQ(c.second, text) << c.first;
    }
}

TEST(PagePaths, TemporaryFolderOrTheRoot) {
    char path[260];
    ComposePagePath("C:\\Temp\\", kHelpPageName, path, sizeof path);
    EXPECT_STREQ("C:\\Temp\\BrackwenHelp.htm", path);
    ComposePagePath("C:\\Temp\\", kPrintPageName, path, sizeof path);
    EXPECT_STREQ("C:\\Temp\\Telvara.htm", path);
    ComposePagePath("", kPrintPageName, path, sizeof path);
    EXPECT_STREQ("\\Telvara.htm", path);
    const std::string deep = "C:\\" + std::string(250, 't') + "\\";
    ComposePagePath(deep.c_str(), kHelpPageName, path, sizeof path);
    EXPECT_STREQ("\\BrackwenHelp.htm", path);
}

TEST(EllipseFit, RowsAwayFromTheMiddleNeedAWiderEllipse) {
    // At the middle the chord is the full width.
    EXPECT_EQ(300, EllipseWidthForRow(300, 100, 100, 200));
    // A row from 120 to 140 of a 200-pixel ellipse meets its narrowest chord
    // 40 pixels below the middle: 300 / sqrt(1 - 0.4^2).
    int w = EllipseWidthForRow(300, 120, 140, 200);
    EXPECT_EQ(static_cast<int>(std::ceil(300 / std::sqrt(1 - 0.16))), w);
    // Whatever width comes back, the row's corners lie inside that ellipse.
    for (int top = 10; top < 180; top += 17) {
        int width = EllipseWidthForRow(250, top, top + 16, 200);
        ASSERT_GT(width, 0) << top;
        for (int y : {top, top + 16}) {
            double dy = (y - 100) / 100.0, dx = 125.0 / (width / 2.0);
            EXPECT_LE(dx * dx + dy * dy, 1.0 + 1e-9) << "row at " << top;
        }
    }
    EXPECT_EQ(-1, EllipseWidthForRow(100, 0, 20, 200)) << "a row touching the top never fits";
    EXPECT_EQ(-1, EllipseWidthForRow(100, 190, 200, 200));
    EXPECT_EQ(0, EllipseWidthForRow(0, 0, 20, 200));
}

TEST(HelpPage, HeadingsFormsAndExplanationsAsTheUserReadsThem) {
    const std::string page(kHelpPageText, kHelpPageLength);
    EXPECT_EQ(std::strlen(kHelpPageText), kHelpPageLength);
    for (const char* text :
         {"<title>Telvara info</title>", "<h1>Telvara</h1>", "<h3>What the program does:</h3>",
          "<h3>How to use it:</h3>", "<h3>Disclaimer:</h3>", "819-567-1234<br />", "(819) 567-1234<br />",
          "819.567.1234 - work<br />", "cell 819-567-1234<br />", "1-819-567-1234<br />",
          "1-800-&quot;CALL-ATT&quot;&nbsp;&nbsp;&nbsp;letters in quotes get turned into numbers.",
          "*82,819-567-1234&nbsp;&nbsp;&nbsp;*82 = turn off caller ID blocking, the comma will "
          "create a 2 "
          "second pause.",
          "*82//819-567-1234&nbsp;&nbsp;&nbsp;/ = 125 millisecond pause, use more if needed.",
          "567-2342; ext 607&nbsp;&nbsp;&nbsp;everything after a semicolon is ignored so the "
          "extension won't "
          "be dialed.",
          "<b>New</b>", "<b>Setup</b>", "background-color: #fafad2", "#titlebox cite",
          "href=\"http://www.example.com/\""})
        EXPECT_NE(std::string::npos, page.find(text)) << text;
    // Every line ends in CR LF.
    for (std::size_t i = 0; i < page.size(); ++i) {
        if (page[i] == '\n') {
            ASSERT_TRUE(i > 0 && page[i - 1] == '\r') << "at " << i;
        }
    }
    EXPECT_EQ("\r\n", page.substr(page.size() - 2));
}

TEST(HelpPage, ValidXhtmlTransitional) {
    if (std::system("xmllint --version >/dev/null 2>&1") != 0)
        SKIP_OR_FAIL_IN_CI("xmllint is missing (Debian libxml2-utils): the help page cannot be validated");
    const char* catalog = "/etc/xml/catalog";
    if (std::system("grep -q 'XHTML 1.0 Transitional' /etc/xml/catalog /etc/xml/*.xml 2>/dev/null") != 0)
        SKIP_OR_FAIL_IN_CI("no local XHTML DTDs (Debian w3c-sgml-lib): the help page cannot be validated offline");
    char path[] = "/tmp/telvara-help-XXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    FILE* f = fdopen(fd, "wb");
    ASSERT_NE(nullptr, f);
    ASSERT_EQ(kHelpPageLength, std::fwrite(kHelpPageText, 1, kHelpPageLength, f));
    std::fclose(f);
    // --nonet: the DTD must come from the local catalog, never the network.
    std::string command =
        std::string("XML_CATALOG_FILES=") + catalog + " xmllint --noout --valid --nonet " + path + " 2>&1";
    std::string output;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, p)) output += buffer;
        int status = pclose(p);
        EXPECT_EQ(0, status) << output;
    } else {
        ADD_FAILURE() << "cannot run xmllint";
    }
    EXPECT_EQ("", output);
    std::remove(path);
}

}  // namespace
