// The data file: quoting, field parsing, record lines, the header checks,
// loading and safe saving.

#include "contacts/ContactList.h"
#include "contacts/DataFile.h"
#include "contacts/LineReader.h"
#include "support/MemoryListControl.h"
#include "contacts/TextCompare.h"

#include "RandomContacts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

std::string Quote(const char* text) {
    char out[200];
    char* end = QuoteField(text, out, sizeof out);
    EXPECT_EQ(std::strlen(out), static_cast<std::size_t>(end - out));
    return out;
}

std::string Line(const Contact& c) {
    char out[kMaxRecordLine + 1];
    std::size_t n = FormatRecordLine(c, out, sizeof out);
    EXPECT_EQ(std::strlen(out), n);
    return std::string(out, n);
}

Contact Parse(const char* line) {
    Contact c;
    ClearContact(c);
    ParseRecordLine(line, c);
    return c;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteAll(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::string TempPath(const char* name) {
    return ::testing::TempDir() + "telvara-" + std::to_string(getpid()) + "-" + name;
}

struct LoadFixture : ::testing::Test {
    MemoryListControl control;
    MemoryStatusText status;
    ContactList list{control, status};
    LoadResult Load(const std::string& text) { return LoadContactText(list, text.data(), text.size()); }
};

using DataFileLoad = LoadFixture;
using DataFileSave = LoadFixture;

const std::string kHeader = "; Data for Telvara.exe\r\n; V300\r\n";

TEST(DataFileQuote, QuotesOnlyFieldsWithCommasOrQuotes) {
    EXPECT_EQ("", Quote(""));
    EXPECT_EQ(" plain text ", Quote(" plain text "));
    EXPECT_EQ("\"a,b\"", Quote("a,b"));
    EXPECT_EQ("\"\"\"\"", Quote("\""));  // a lone quote becomes four
    EXPECT_EQ("\"say \"\"hi\"\", then go\"", Quote("say \"hi\", then go"));
    char tiny[4];
    QuoteField("abcdef", tiny, sizeof tiny);  // cut, never overrun
    EXPECT_STREQ("abc", tiny);
}

TEST(DataFileParse, FieldsKeepCommasAndDoubledQuotesAndAreCutToWidth) {
    char field[10];
    const char* line = "\"a,b\",next";
    const char* rest = ParseField(line, field, sizeof field);
    EXPECT_STREQ("a,b", field);
    EXPECT_STREQ("next", rest);

    rest = ParseField("\"x\"\"y\"\"\",z", field, sizeof field);
    EXPECT_STREQ("x\"y\"", field);
    EXPECT_STREQ("z", rest);

    rest = ParseField("0123456789ABCDEF,after", field, sizeof field);
    EXPECT_STREQ("012345678", field);  // width - 1 kept, the rest passed over
    EXPECT_STREQ("after", rest);

    rest = ParseField("", field, sizeof field);
    EXPECT_STREQ("", field);
    EXPECT_STREQ("", rest);
}

TEST(DataFileParse, RecordLinesFillMissingFieldsAndReadTheFlag) {
    Contact c = Parse("Ann,Lee,555-0100");
    EXPECT_STREQ("Ann", c.FirstName);
    EXPECT_STREQ("555-0100", c.Number);
    EXPECT_STREQ("", c.Address);
    EXPECT_STREQ("", c.MiscInfo);
    EXPECT_EQ(0, c.TollCall);

    EXPECT_EQ(1, Parse(",,,,,,,,,1").TollCall);
    EXPECT_EQ(1, Parse(",,,,,,,,,10").TollCall);
    EXPECT_EQ(1, Parse(",,,,,,,,,1 yes").TollCall);
    EXPECT_EQ(0, Parse(",,,,,,,,,\"1\"").TollCall);  // a quoted flag is not "1"
    EXPECT_EQ(0, Parse(",,,,,,,,,0").TollCall);
    EXPECT_EQ(0, Parse(",,,,,,,,,").TollCall);

    std::string longFirst(40, 'F');
    c = Parse((longFirst + ",Lee,555").c_str());
    EXPECT_EQ(std::string(23, 'F'), c.FirstName);
    EXPECT_STREQ("Lee", c.LastName);
    EXPECT_STREQ("555", c.Number);
}

TEST(DataFileFormat, RecordLinesAsWritten) {
    Contact c = MakeContact("Ann", "Lee", "555-0100", 1);
    SetField(c.City, sizeof c.City, "Springfield");
    EXPECT_EQ("Ann,Lee,555-0100,,Springfield,,,,,1\r\n", Line(c));

    Contact empty;
    ClearContact(empty);
    EXPECT_EQ(",,,,,,,,,0\r\n", Line(empty));

    Contact quote = MakeContact("Q", "\"");
    SetField(quote.MiscInfo, sizeof quote.MiscInfo, "a \"quote\" then, a comma");
    std::string line = Line(quote);
    EXPECT_EQ("Q,\"\"\"\",,,,,,,\"a \"\"quote\"\" then, a comma\",0\r\n", line);
    line.resize(line.size() - 2);
    EXPECT_TRUE(SameContact(quote, Parse(line.c_str())));
}

TEST(DataFileFormat, FirstNameStartingWithSemicolonIsNotAComment) {
    Contact c = MakeContact(";-) Joe", "Smiley", "555");
    std::string line = Line(c);
    EXPECT_EQ("\";-) Joe\",Smiley,555,,,,,,,0\r\n", line);
    MemoryListControl control;
    MemoryStatusText status;
    ContactList list(control, status);
    std::string text = kHeader + line;
    ASSERT_EQ(LoadResult::Loaded, LoadContactText(list, text.data(), text.size()));
    ASSERT_EQ(1, list.Count());
    EXPECT_TRUE(SameContact(c, *list.ContactAt(0)));
}

TEST(DataFileFormat, TheLongestLineReadsBackWhole) {
    Contact all = AllQuotesContact();
    std::string line = Line(all);
    EXPECT_EQ(kMaxRecordLine, line.size());

    // Through the whole reader, where the line exceeds any short line buffer.
    MemoryListControl control;
    MemoryStatusText status;
    ContactList list(control, status);
    std::string text = kHeader + line + line;
    ASSERT_EQ(LoadResult::Loaded, LoadContactText(list, text.data(), text.size()));
    ASSERT_EQ(2, list.Count());
    EXPECT_TRUE(SameContact(all, *list.ContactAt(0)));
    EXPECT_TRUE(SameContact(all, *list.ContactAt(1)));
}

TEST(DataFileFormat, RandomRecordsSurviveWriteAndRead) {
    std::mt19937 rng(20261208);
    for (int i = 0; i < 2000; ++i) {
        Contact c = RandomContact(rng);
        std::string line = Line(c);
        ASSERT_EQ("\r\n", line.substr(line.size() - 2));
        line.resize(line.size() - 2);
        ASSERT_TRUE(SameContact(c, Parse(line.c_str()))) << line;
    }
}

TEST(DataFileHeader, FirstLineNeedsSemicolonSecondNeedsVersion) {
    EXPECT_TRUE(IsDataFileHeader("; Data for Telvara.exe", "; V300"));
    EXPECT_TRUE(IsDataFileHeader(";anything", "; V3001"));
    EXPECT_TRUE(IsDataFileHeader(";", "version; V300 and more"));
    EXPECT_FALSE(IsDataFileHeader("; Data for Telvara.exe", "; v300"));
    EXPECT_FALSE(IsDataFileHeader(" ; Data", "; V300"));
    EXPECT_FALSE(IsDataFileHeader("", ""));
}

TEST_F(DataFileLoad, SortsByNameAndLeavesTheListUnchanged) {
    list.AddContact(std::unique_ptr<Contact>(new Contact(MakeContact("Old", ""))));
    ASSERT_EQ(LoadResult::Loaded,
              Load(kHeader + "Zoe,Z,1\r\nann,Lee,2\r\nAnna,Bell,3\r\n\r\n; a comment\r\nBob,,\r\n"));
    ASSERT_EQ(4, list.Count());
    EXPECT_STREQ("Anna", list.ContactAt(0)->FirstName);  // AnnaBell before annLee
    EXPECT_STREQ("ann", list.ContactAt(1)->FirstName);
    EXPECT_STREQ("Bob", list.ContactAt(2)->FirstName);
    EXPECT_STREQ("Zoe", list.ContactAt(3)->FirstName);
    EXPECT_FALSE(list.Changed());
    EXPECT_FALSE(list.SortAscending(0));
    for (int c = 1; c < kColumnCount; ++c) EXPECT_TRUE(list.SortAscending(c));
    EXPECT_EQ("4", status.Part(1));
    EXPECT_EQ("", status.Part(2));
    EXPECT_EQ(0, list.ContactAt(0)->IsNew);
}

TEST_F(DataFileLoad, LineEndsDoNotMatter) {
    const std::string records[] = {
        kHeader + "Ann,Lee,1\r\nBob,Roe,2\r\n",
        "; Data for Telvara.exe\n; V300\nAnn,Lee,1\nBob,Roe,2",
        "; Data for Telvara.exe\r\n; V300\nAnn,L\ree,1\r\r\nBob,Roe,2",
    };
    for (const std::string& text : records) {
        ASSERT_EQ(LoadResult::Loaded, Load(text));
        ASSERT_EQ(2, list.Count());
        EXPECT_STREQ("Lee", list.ContactAt(0)->LastName);
        EXPECT_STREQ("2", list.ContactAt(1)->Number);
    }
}

TEST_F(DataFileLoad, HeaderOnlyIsAnEmptyBook) {
    ASSERT_EQ(LoadResult::Loaded, Load(kHeader));
    EXPECT_EQ(0, list.Count());
    EXPECT_EQ("0", status.Part(1));
}

TEST_F(DataFileLoad, TabsBecomeBlanksToTheNextEighthColumn) {
    ASSERT_EQ(LoadResult::Loaded, Load(kHeader + "Ann\tX,Lee\r\n"));
    EXPECT_STREQ("Ann     X", list.ContactAt(0)->FirstName);
}

TEST_F(DataFileLoad, ForeignFileLeavesAnEmptyList) {
    list.AddContact(std::unique_ptr<Contact>(new Contact(MakeContact("Old", ""))));
    EXPECT_EQ(LoadResult::NotDataFile, Load("First,Last,Number\r\nAnn,Lee,1\r\n"));
    EXPECT_EQ(0, list.Count());
    EXPECT_EQ("0", status.Part(1));
    EXPECT_EQ(LoadResult::NotDataFile, Load("; Data for Telvara.exe\r\n; v300\r\nAnn,Lee,1\r\n"));
    EXPECT_EQ(LoadResult::NotDataFile, Load(""));
}

TEST_F(DataFileLoad, UnreadableFileLeavesEverythingAsItWas) {
    list.AddContact(std::unique_ptr<Contact>(new Contact(MakeContact("Old", ""))));
    status.SetPartText(0, " Old ");
    EXPECT_EQ(LoadResult::CantOpen, LoadContactFile(list, TempPath("missing.csv").c_str()));
    EXPECT_EQ(1, list.Count());
    EXPECT_TRUE(list.Changed());
    EXPECT_EQ(" Old ", status.Part(0));
    EXPECT_EQ(LoadResult::CantOpen, LoadContactFile(list, ::testing::TempDir().c_str()));  // a folder
}

TEST_F(DataFileSave, RoundTripThroughAFileKeepsEveryRecordInOrder) {
    std::mt19937 rng(7);
    std::vector<Contact> written;
    for (int i = 0; i < 500; ++i) {
        written.push_back(RandomContact(rng));
        list.AppendContact(std::unique_ptr<Contact>(new Contact(written.back())));
    }
    written.push_back(AllQuotesContact());
    list.AppendContact(std::unique_ptr<Contact>(new Contact(written.back())));
    std::string path = TempPath("roundtrip.csv");
    ASSERT_EQ(WriteResult::Written, WriteDataFile(list, path.c_str()));

    // The file holds the records in the list's order...
    LineReader reader(true);
    ASSERT_TRUE(reader.ReadFile(path.c_str()));
    std::string line;
    reader.ReadLine(line);
    EXPECT_EQ("; Data for Telvara.exe", line);
    reader.ReadLine(line);
    EXPECT_EQ("; V300", line);
    for (const Contact& c : written) {
        reader.ReadLine(line);
        ASSERT_TRUE(SameContact(c, Parse(line.c_str()))) << line;
    }
    EXPECT_TRUE(reader.AtEnd());

    // ...and loading it gives every one of them back, sorted by name: the
    // same lines, in another order.
    auto sortedLines = [](const std::string& text) {
        std::vector<std::string> lines;
        std::stringstream in(text);
        for (std::string l; std::getline(in, l);) lines.push_back(l);
        std::sort(lines.begin(), lines.end());
        return lines;
    };
    std::string first = ReadAll(path);
    ASSERT_EQ(LoadResult::Loaded, LoadContactFile(list, path.c_str()));
    ASSERT_EQ(static_cast<int>(written.size()), list.Count());
    for (int i = 1; i < list.Count(); ++i)
        ASSERT_LE(CompareNoCaseJoined(list.ContactAt(i - 1)->FirstName, list.ContactAt(i - 1)->LastName,
                                      list.ContactAt(i)->FirstName, list.ContactAt(i)->LastName),
                  0);
    ASSERT_EQ(WriteResult::Written, WriteDataFile(list, path.c_str()));
    EXPECT_TRUE(sortedLines(first) == sortedLines(ReadAll(path)));
    std::remove(path.c_str());
}

TEST_F(DataFileSave, EmptyListWritesTheTwoHeaderLines) {
    std::string path = TempPath("empty.csv");
    ASSERT_EQ(WriteResult::Written, WriteDataFile(list, path.c_str()));
    EXPECT_EQ(kHeader, ReadAll(path));
    std::remove(path.c_str());
}

TEST_F(DataFileSave, MissingFolderIsRefusedAndCreatesNothing) {
    std::string path = TempPath("no-such-folder/data.csv");
    EXPECT_EQ(WriteResult::CantCreate, WriteDataFile(list, path.c_str()));
}

TEST_F(DataFileSave, FailedWriteKeepsTheOldFileWhole) {
    std::string path = TempPath("keep.csv");
    std::string old = kHeader + "Keep,Me,555\r\n";
    WriteAll(path, old);
    for (int i = 0; i < 2000; ++i) list.AppendContact(std::unique_ptr<Contact>(new Contact(AllQuotesContact())));

    // A file size limit makes the write fail part way, as a full disk would.
    struct rlimit saved;
    ASSERT_EQ(0, getrlimit(RLIMIT_FSIZE, &saved));
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 64 * 1024;
    ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &small));
    WriteResult result = WriteDataFile(list, path.c_str());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(WriteResult::WriteFailed, result);
    EXPECT_EQ(old, ReadAll(path));
    // No half-written file is left beside it.
    std::string folder = path.substr(0, path.rfind('/'));
    std::string leftovers = folder + "/" + path.substr(path.rfind('/') + 1) + ".";
    for (int i = 0; i < 1; ++i) {
        FILE* ls =
            popen(("ls " + folder + " | grep -c '^" + path.substr(path.rfind('/') + 1) + "\\.' || true").c_str(), "r");
        char count[16] = {};
        ASSERT_TRUE(fgets(count, sizeof count, ls));
        pclose(ls);
        EXPECT_STREQ("0\n", count) << leftovers;
    }
    std::remove(path.c_str());
}

}  // namespace
