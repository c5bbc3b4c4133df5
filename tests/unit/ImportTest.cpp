#include <gtest/gtest.h>

#include "RandomContacts.h"
#include "contacts/ContactList.h"
#include "contacts/DataFile.h"
#include "contacts/Import.h"
#include "support/MemoryListControl.h"

#include <cstdio>
#include <memory>
#include <string>

namespace {

struct Book {
    MemoryListControl control;
    MemoryStatusText status;
    ContactList list{control, status};

    ImportResult Import(const std::string& text, int* added = nullptr) {
        return ImportOldText(list, text.data(), text.size(), added);
    }
    const Contact& At(int index) const { return *list.ContactAt(index); }
    // The contact whose first name is `name`; fails the test when there is none.
    const Contact* Named(const char* name) const {
        for (int i = 0; i < list.Count(); ++i)
            if (std::string(list.ContactAt(i)->FirstName) == name) return list.ContactAt(i);
        ADD_FAILURE() << "no contact " << name;
        return nullptr;
    }
};

const char kHeader[] = "; Data for Telvara\r\n";

void ExpectOnlyNameNumberNote(const Contact& c) {
    EXPECT_STREQ(c.Address, "");
    EXPECT_STREQ(c.City, "");
    EXPECT_STREQ(c.State, "");
    EXPECT_STREQ(c.Zip, "");
    EXPECT_STREQ(c.Email, "");
    EXPECT_EQ(c.TollCall, 0);
    EXPECT_EQ(c.IsNew, 0);
}

}  // namespace

TEST(Import, OldHeaderOnly) {
    struct Case {
        std::string firstLine;
        bool accepted;
    } cases[] = {
        {"; Data for Telvara", true},   {"; DATA FOR TELVARA", true},
        {"; data for telvara\r", true}, {"; Data for Telvara.exe", false},
        {"; Data for Telvara ", false}, {" ; Data for Telvara", false},
        {"; Data for Telvar", false},   {"", false},
        {"Ann\t555-0100", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.firstLine);
        Book book;
        int added = -1;
        ImportResult result = book.Import(c.firstLine + "\nAnn\t555-0100\n", &added);
        EXPECT_EQ(result, c.accepted ? ImportResult::Imported : ImportResult::NotDataFile);
        EXPECT_EQ(added, c.accepted ? 1 : 0);
        EXPECT_EQ(book.list.Count(), c.accepted ? 1 : 0);
        EXPECT_EQ(book.list.Changed(), c.accepted);
        EXPECT_EQ(book.status.Part(1), c.accepted ? "1" : "0");
    }
}

TEST(Import, EmptyFileAddsNothingAndIsNoError) {
    Book book;
    int added = -1;
    EXPECT_EQ(book.Import("", &added), ImportResult::Imported);
    EXPECT_EQ(added, 0);
    EXPECT_EQ(book.list.Count(), 0);
    EXPECT_FALSE(book.list.Changed());
    EXPECT_EQ(book.status.Part(1), "0");
}

TEST(Import, EntryLineMapping) {
    Book book;
    int added = 0;
    ASSERT_EQ(book.Import(std::string(kHeader) + "Ann Lee\t555-0100\r\n"
                                                 "Bob\t(819) 567-1234\tcall after 6\r\n"
                                                 "Cy\t1-800\tnote\twith\ttabs\r\n"
                                                 "Di\t\t\r\n"
                                                 "\t555-0199\r\n",
                          &added),
              ImportResult::Imported);
    EXPECT_EQ(added, 5);
    ASSERT_EQ(book.list.Count(), 5);

    const Contact* ann = book.Named("Ann Lee");
    ASSERT_NE(ann, nullptr);
    EXPECT_STREQ(ann->LastName, "Ann Lee");
    EXPECT_STREQ(ann->Number, "555-0100");
    EXPECT_STREQ(ann->MiscInfo, "");
    ExpectOnlyNameNumberNote(*ann);

    const Contact* bob = book.Named("Bob");
    ASSERT_NE(bob, nullptr);
    EXPECT_STREQ(bob->Number, "(819) 567-1234");
    EXPECT_STREQ(bob->MiscInfo, "call after 6");

    const Contact* cy = book.Named("Cy");
    ASSERT_NE(cy, nullptr);
    EXPECT_STREQ(cy->Number, "1-800");
    EXPECT_STREQ(cy->MiscInfo, "note\twith\ttabs");
    ExpectOnlyNameNumberNote(*cy);

    const Contact* di = book.Named("Di");
    ASSERT_NE(di, nullptr);
    EXPECT_STREQ(di->Number, "");
    EXPECT_STREQ(di->MiscInfo, "");

    const Contact* noName = book.Named("");
    ASSERT_NE(noName, nullptr);
    EXPECT_STREQ(noName->LastName, "");
    EXPECT_STREQ(noName->Number, "555-0199");
}

TEST(Import, LongFieldsAreCutToTheirWidths) {
    Book book;
    std::string name(30, 'n'), number(30, '5'), note(100, 'm');
    ASSERT_EQ(book.Import(std::string(kHeader) + name + "\t" + number + "\t" + note + "\n"), ImportResult::Imported);
    ASSERT_EQ(book.list.Count(), 1);
    const Contact& c = book.At(0);
    EXPECT_EQ(std::string(c.FirstName), std::string(23, 'n'));
    EXPECT_EQ(std::string(c.LastName), std::string(19, 'n'));
    EXPECT_EQ(std::string(c.Number), std::string(23, '5'));
    EXPECT_EQ(std::string(c.MiscInfo), std::string(79, 'm'));
}

TEST(Import, LongLineGivesOneEntryOnly) {
    // The rest of a line beyond 399 characters must not come back as an entry.
    Book book;
    std::string line = "Ann\t555\t" + std::string(400, 'x') + "Bob\t666\tlater";
    int added = 0;
    ASSERT_EQ(book.Import(std::string(kHeader) + line + "\r\nCy\t777\r\n", &added), ImportResult::Imported);
    EXPECT_EQ(added, 2);
    ASSERT_EQ(book.list.Count(), 2);
    EXPECT_STREQ(book.At(0).FirstName, "Ann");
    EXPECT_EQ(std::string(book.At(0).MiscInfo), std::string(79, 'x'));
    EXPECT_STREQ(book.At(1).FirstName, "Cy");
}

TEST(Import, SkippedLines) {
    Book book;
    int added = 0;
    ASSERT_EQ(book.Import(std::string(kHeader) + "COM=2\r\n"
                                                 "com=3\tx\r\n"
                                                 "BAUD=9600\t\r\n"
                                                 "Baud=1200\tx\r\n"
                                                 "DIALSTR=ATDT\t555\r\n"
                                                 "dialstr=x\ty\r\n"
                                                 "; comment\twith tab\r\n"
                                                 ";\t\r\n"
                                                 "no tab here\r\n"
                                                 "\r\n"
                                                 "; Data for Telvara\r\n"
                                                 "COMPANY\t555-0100\r\n"
                                                 " COM=1\t555-0101\r\n",
                          &added),
              ImportResult::Imported);
    EXPECT_EQ(added, 2);
    ASSERT_EQ(book.list.Count(), 2);
    EXPECT_STREQ(book.At(0).FirstName, " COM=1");
    EXPECT_STREQ(book.At(1).FirstName, "COMPANY");
}

TEST(Import, AddsToTheListWithoutReplacingOrMerging) {
    Book book;
    book.list.AddContact(std::make_unique<Contact>(MakeContact("Zed", "Old", "111")));
    book.list.AddContact(std::make_unique<Contact>(MakeContact("Ann Lee", "Ann Lee", "555-0100")));
    book.list.SetChanged(false);
    book.list.SetAllSortAscending(false);
    book.list.SetSortAscending(3, true);

    const std::string file = std::string(kHeader) + "Bob\t222\r\nAnn Lee\t555-0100\r\n";
    int added = 0;
    ASSERT_EQ(book.Import(file, &added), ImportResult::Imported);
    EXPECT_EQ(added, 2);
    ASSERT_EQ(book.Import(file, &added), ImportResult::Imported);
    EXPECT_EQ(added, 2);

    // Each entry is placed by its first name; nothing is merged.
    ASSERT_EQ(book.list.Count(), 6);
    const char* order[] = {"Ann Lee", "Ann Lee", "Ann Lee", "Bob", "Bob", "Zed"};
    for (int i = 0; i < 6; ++i) EXPECT_STREQ(book.At(i).FirstName, order[i]) << i;
    EXPECT_TRUE(book.list.Changed());
    EXPECT_EQ(book.status.Part(1), "6");
    EXPECT_EQ(book.status.Part(2), "Mod");
    for (int column = 0; column < kColumnCount; ++column)
        EXPECT_EQ(book.list.SortAscending(column), column == 3) << column;
}

TEST(Import, RefusedFileLeavesTheListAsItWas) {
    Book book;
    book.list.AddContact(std::make_unique<Contact>(MakeContact("Zed", "Old", "111")));
    book.list.SetChanged(false);
    int added = -1;
    EXPECT_EQ(book.Import("; Data for Telvara.exe\r\n; V300\r\nAnn\t555\r\n", &added), ImportResult::NotDataFile);
    EXPECT_EQ(added, 0);
    EXPECT_EQ(book.list.Count(), 1);
    EXPECT_FALSE(book.list.Changed());
    EXPECT_EQ(book.status.Part(1), "1");
    EXPECT_EQ(book.status.Part(2), "");
}

TEST(Import, EntriesTheListRefusesAreNotCounted) {
    Book book;
    book.control.RefuseInserts(true);
    int added = -1;
    EXPECT_EQ(book.Import(std::string(kHeader) + "Ann\t555\r\nBob\t666\r\n", &added), ImportResult::Imported);
    EXPECT_EQ(added, 0);
    EXPECT_EQ(book.list.Count(), 0);
    EXPECT_FALSE(book.list.Changed());
}

TEST(Import, FromFile) {
    std::string path = ::testing::TempDir() + "import_old.DAT";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("; DATA FOR TELVARA\r\nCOM=2\r\nAnn\t555-0100\tnote\r\nBob\t666", f);
    std::fclose(f);

    Book book;
    int added = 0;
    EXPECT_EQ(ImportOldFile(book.list, path.c_str(), &added), ImportResult::Imported);
    EXPECT_EQ(added, 2);
    ASSERT_EQ(book.list.Count(), 2);
    EXPECT_STREQ(book.At(0).MiscInfo, "note");
    EXPECT_STREQ(book.At(1).Number, "666");
    std::remove(path.c_str());

    added = -1;
    EXPECT_EQ(ImportOldFile(book.list, path.c_str(), &added), ImportResult::CantOpen);
    EXPECT_EQ(added, 0);
    EXPECT_EQ(book.list.Count(), 2);
}

TEST(Import, SavedInThePresentFormat) {
    Book book;
    ASSERT_EQ(book.Import(std::string(kHeader) + "Ann, Lee\t555-0100\tsays \"hi\"\r\n"), ImportResult::Imported);
    std::string path = ::testing::TempDir() + "import_saved.csv";
    ASSERT_EQ(WriteDataFile(book.list, path.c_str()), WriteResult::Written);

    std::FILE* f = std::fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    std::string text;
    char buffer[512];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    std::fclose(f);
    std::remove(path.c_str());
    EXPECT_EQ(text,
              "; Data for Telvara.exe\r\n; V300\r\n"
              "\"Ann, Lee\",\"Ann, Lee\",555-0100,,,,,,\"says \"\"hi\"\"\",0\r\n");
}
