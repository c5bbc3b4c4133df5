// File-name rules: the extension forced onto a chosen name, and the window
// title made from the current data file.

#include "contacts/PathText.h"
#include "ui/Title.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Forced(const char* name, std::size_t size = 260) {
    char path[260];
    std::snprintf(path, sizeof path, "%s", name);
    if (!SetExtension(path, size, "csv")) return "<refused>";
    return path;
}

TEST(SetExtension, ReplacesOrAppendsButLeavesFoldersAlone) {
    EXPECT_EQ("LIST.csv", Forced("LIST.TXT"));
    EXPECT_EQ("LIST.csv", Forced("LIST"));
    EXPECT_EQ("C:\\NEW.DIR\\LIST.csv", Forced("C:\\NEW.DIR\\LIST"));
    EXPECT_EQ("C:\\data\\NOTES.csv", Forced("C:\\data\\NOTES.TXT"));
    EXPECT_EQ("C:\\a.b\\c.d.csv", Forced("C:\\a.b\\c.d.e"));
    EXPECT_EQ("D:LIST.csv", Forced("D:LIST"));
    EXPECT_EQ("friends.csv", Forced("friends.csv"));
    // A name that cannot take the extension in its buffer is refused whole.
    EXPECT_EQ("<refused>", Forced("ABCDEFG", 10));
    EXPECT_EQ("ABCDEF.csv", Forced("ABCDEF", 11));
}

TEST(IsPathUnder, WholeFolderNamesWithoutRegardToCase) {
    EXPECT_TRUE(IsPathUnder("c:\\PROGRAM FILES\\Telvara\\telvara.exe", "C:\\Program Files"));
    EXPECT_TRUE(IsPathUnder("C:/Program Files/telvara.exe", "C:\\Program Files\\"));
    EXPECT_FALSE(IsPathUnder("C:\\Program Files (x86)\\telvara.exe", "C:\\Program Files"));
    EXPECT_FALSE(IsPathUnder("C:\\Program Fil", "C:\\Program Files"));
    EXPECT_FALSE(IsPathUnder("C:\\telvara.exe", ""));
}

TEST(Title, NamesTheFileThenTheProgram) {
    char title[128];
    BuildTitle("C:\\data\\friends.csv", title, sizeof title);
    EXPECT_STREQ("friends.csv - Telvara", title);
    BuildTitle("", title, sizeof title);
    EXPECT_STREQ(" - Telvara", title);
    BuildTitle("D:book.csv", title, sizeof title);
    EXPECT_STREQ("book.csv - Telvara", title);
    BuildTitle("/home/ann/book.csv", title, sizeof title);
    EXPECT_STREQ("book.csv - Telvara", title);
    std::string longName(150, 'n');
    BuildTitle(("C:\\" + longName).c_str(), title, sizeof title);
    EXPECT_EQ(std::string(99, 'n') + " - Telvara", title);
}

}  // namespace
