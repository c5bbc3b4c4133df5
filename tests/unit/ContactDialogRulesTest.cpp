// The state table and the trimming the contact dialog applies on OK.

#include "contacts/OneLine.h"
#include "contacts/StateTable.h"
#include "contacts/TrimBlanks.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <set>
#include <string>

namespace {

std::string Trimmed(const char* text) {
    char buffer[80];
    std::snprintf(buffer, sizeof buffer, "%s", text);
    TrimBlanks(buffer);
    return buffer;
}

TEST(TrimBlanks, CutsBlanksAndTabsAtBothEndsOnly) {
    EXPECT_EQ("Ann", Trimmed("  Ann\t"));
    EXPECT_EQ("", Trimmed("   "));
    EXPECT_EQ("", Trimmed("\t \t"));
    EXPECT_EQ("", Trimmed(""));
    EXPECT_EQ("12 Main\tSt", Trimmed("\t12 Main\tSt  "));
    EXPECT_EQ("x", Trimmed("x"));
    // Only blanks and tabs count: line ends and other spaces stay.
    EXPECT_EQ("\nAnn\r", Trimmed(" \nAnn\r "));
    EXPECT_EQ("\vAnn", Trimmed("\vAnn"));
    TrimBlanks(nullptr);  // nothing to do, and no crash
}

TEST(JoinLines, EveryLineBreakBecomesOneBlank) {
    char text[40] = "one\r\ntwo\nthree\rfour\n\n";
    JoinLines(text);
    EXPECT_STREQ("one two three four  ", text);
    char plain[] = "no break, \t\"quoted\"";
    JoinLines(plain);
    EXPECT_STREQ("no break, \t\"quoted\"", plain);
}

TEST(StateTable, HoldsEveryCodeOnceAsCodeBlankName) {
    EXPECT_STREQ("AL Alabama", StateTable[0]);
    EXPECT_STREQ("CA California", StateTable[4]);
    EXPECT_STREQ("DC District of Columbia", StateTable[8]);
    EXPECT_STREQ("WY Wyoming", StateTable[kStateCount - 1]);
    std::set<std::string> codes;
    for (const char* entry : StateTable) {
        ASSERT_NE(nullptr, entry);
        std::string text(entry);
        ASSERT_GT(text.size(), 3u) << text;
        EXPECT_TRUE(std::isupper(static_cast<unsigned char>(text[0])) &&
                    std::isupper(static_cast<unsigned char>(text[1])) && text[2] == ' ' && text[3] != ' ')
            << text;
        codes.insert(text.substr(0, kStateCodeLength));
    }
    EXPECT_EQ(static_cast<std::size_t>(kStateCount), codes.size()) << "a code appears twice";
}

}  // namespace
