#include <gtest/gtest.h>

#include "contacts/LineReader.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<std::string> AllLines(LineReader& reader) {
    std::vector<std::string> lines;
    std::string line;
    while (!reader.AtEnd()) {
        reader.ReadLine(line);
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> Lines(const std::string& text, bool expandTabs = false) {
    LineReader reader(expandTabs);
    reader.Assign(text.data(), text.size());
    return AllLines(reader);
}

using L = std::vector<std::string>;

std::string TempPath(const char* name) { return ::testing::TempDir() + name; }

void WriteFile(const std::string& path, const std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
    std::fclose(f);
}

}  // namespace

TEST(LineReader, LineEnds) {
    struct Case {
        const char* what;
        std::string text;
        L lines;
    } cases[] = {
        {"CR LF", "one\r\ntwo\r\n", {"one", "two"}},
        {"LF only", "one\ntwo\n", {"one", "two"}},
        {"last line without line end", "one\r\ntwo", {"one", "two"}},
        {"empty lines kept", "one\n\n\r\ntwo\n", {"one", "", "", "two"}},
        {"carriage returns dropped anywhere", "o\rne\r\r\nt\rwo\r", {"one", "two"}},
        {"CR alone ends no line", "one\rtwo", {"onetwo"}},
        {"a lone line feed", "\n", {""}},
        {"nothing", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Lines(c.text), c.lines);
        EXPECT_EQ(Lines(c.text, true), c.lines);
    }
}

TEST(LineReader, ReadingAtTheEndGivesEmptyLines) {
    LineReader reader(false);
    reader.Assign("x\n", 2);
    std::string line;
    reader.ReadLine(line);
    EXPECT_EQ(line, "x");
    EXPECT_TRUE(reader.AtEnd());
    line = "stale";
    reader.ReadLine(line);
    EXPECT_EQ(line, "");
    EXPECT_TRUE(reader.AtEnd());
}

TEST(LineReader, ExpandTabsToMultiplesOfEight) {
    struct Case {
        std::string text;
        std::string line;
    } cases[] = {
        {"\tx", std::string(8, ' ') + "x"},
        {"abc\tx", "abc" + std::string(5, ' ') + "x"},
        {"abcdefg\tx", "abcdefg x"},
        {"abcdefgh\tx", "abcdefgh" + std::string(8, ' ') + "x"},
        {"a\t\tx", "a" + std::string(15, ' ') + "x"},
        {"a,\tb,c\td", "a," + std::string(6, ' ') + "b,c" + std::string(5, ' ') + "d"},
        // Dropped carriage returns take no column.
        {"ab\r\r\tx", "ab" + std::string(6, ' ') + "x"},
        {"x\t", "x" + std::string(7, ' ')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Lines(c.text, true), L{c.line});
    }
    // Columns start again on every line.
    EXPECT_EQ(Lines("abc\n\tx\n", true), (L{"abc", std::string(8, ' ') + "x"}));
}

TEST(LineReader, TabsKeptWithoutExpandTabs) { EXPECT_EQ(Lines("Ann\t555\t\tnote\r\n"), L{"Ann\t555\t\tnote"}); }

TEST(LineReader, LongLineComesWholeAndNeverAsTwo) {
    std::string longLine(5000, 'a');
    longLine[399] = 'X';
    longLine[400] = '\t';
    EXPECT_EQ(Lines(longLine + "\r\nnext\r\n"), (L{longLine, "next"}));
    std::string expanded = Lines(longLine + "\nnext", true)[0];
    EXPECT_EQ(expanded.size(), 5000u + 7);
}

TEST(LineReader, ReadFile) {
    std::string path = TempPath("linereader_file.txt");
    WriteFile(path, "; header\r\nline\tone\r\nlast");
    LineReader reader(false);
    ASSERT_TRUE(reader.ReadFile(path.c_str()));
    EXPECT_EQ(AllLines(reader), (L{"; header", "line\tone", "last"}));

    // A second read starts over with the new file.
    std::string other = TempPath("linereader_other.txt");
    WriteFile(other, "other\n");
    ASSERT_TRUE(reader.ReadFile(other.c_str()));
    EXPECT_EQ(AllLines(reader), L{"other"});
    std::remove(path.c_str());
    std::remove(other.c_str());
}

TEST(LineReader, EmptyFileIsAtEndAtOnce) {
    std::string path = TempPath("linereader_empty.txt");
    WriteFile(path, "");
    LineReader reader(true);
    ASSERT_TRUE(reader.ReadFile(path.c_str()));
    EXPECT_TRUE(reader.AtEnd());
    std::string line = "stale";
    reader.ReadLine(line);
    EXPECT_EQ(line, "");
    std::remove(path.c_str());
}

TEST(LineReader, FileThatCannotBeReadFails) {
    LineReader reader(false);
    reader.Assign("left over\n", 10);
    EXPECT_FALSE(reader.ReadFile(TempPath("linereader_missing.txt").c_str()));
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_FALSE(reader.ReadFile(::testing::TempDir().c_str()));  // a folder
    EXPECT_TRUE(reader.AtEnd());
    std::string line = "stale";
    reader.ReadLine(line);
    EXPECT_EQ(line, "");
}

TEST(LineReader, ReleaseEndsTheData) {
    LineReader reader(false);
    reader.Assign("one\ntwo\n", 8);
    std::string line;
    reader.ReadLine(line);
    reader.Release();
    EXPECT_TRUE(reader.AtEnd());
    reader.ReadLine(line);
    EXPECT_EQ(line, "");
}

TEST(LineReader, AssignKeepsItsOwnCopy) {
    std::string text = "one\ntwo";
    LineReader reader(false);
    reader.Assign(text.data(), text.size());
    text.assign(text.size(), '#');
    text.clear();
    text.shrink_to_fit();
    EXPECT_EQ(AllLines(reader), (L{"one", "two"}));
}
