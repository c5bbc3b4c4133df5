// The recovery copy's name and notes, and when a save asks first.

#include "contacts/DataFile.h"
#include "contacts/RecoveryCopy.h"

#include <gtest/gtest.h>

namespace {

TEST(RecoveryCopy, NameNotesAndOwner) {
    EXPECT_EQ(RecoveryCopyName("C:\\Books\\friends.csv", 7), RecoveryCopyName("c:/books/FRIENDS.CSV", 9));
    EXPECT_NE(RecoveryCopyName("C:\\Books\\friends.csv", 7), RecoveryCopyName("C:\\Old\\friends.csv", 7));
    EXPECT_EQ("unsaved-42.csv", RecoveryCopyName("", 42));
    const std::string header = std::string(kDataHeader) + "\r\n" + kDataVersion + "\r\n", record = "Ann,,,,,,,,,1\r\n";
    auto check = [](const std::string& text, const char* book, CopyNotes& notes) {
        return CheckRecoveryCopy(text.data(), text.size(), book, notes);
    };
    CopyNotes notes;
    const FileStamp seen{true, 133512345678901234ull, 4096};
    EXPECT_EQ(CopyCheck::ThisBook, check(header + RecoveryNotes("C:\\B\\f.csv", seen) + record, "c:\\b\\F.CSV", notes));
    EXPECT_TRUE(notes.DataPath == "C:\\B\\f.csv" && notes.Seen.Exists && notes.Seen.WriteTime == seen.WriteTime &&
                notes.Seen.Size == 4096);
    EXPECT_EQ(CopyCheck::OtherBook, check(header + RecoveryNotes("C:\\B\\g.csv", seen), "C:\\B\\f.csv", notes));
    EXPECT_TRUE(check(header + RecoveryNotes("", FileStamp{}), "", notes) == CopyCheck::ThisBook && !notes.Seen.Exists);
    // Notes without the header or after a record, or a spoiled stamp.
    EXPECT_EQ(CopyCheck::Unreadable, check(header + record + RecoveryNotes("", FileStamp{}), "", notes));
    EXPECT_EQ(CopyCheck::Unreadable, check(header + "; Book: \r\n; Seen: 12 x\r\n", "", notes));
    // A save asks when the file was written or made since it was seen.
    const FileStamp gone{};
    EXPECT_FALSE(ChangedSince(seen, seen) || ChangedSince(seen, gone) || ChangedSince(gone, gone));
    EXPECT_TRUE(ChangedSince(seen, FileStamp{true, seen.WriteTime + 1, 4096}));
    EXPECT_TRUE(ChangedSince(seen, FileStamp{true, seen.WriteTime, 4095}));
    EXPECT_TRUE(ChangedSince(gone, seen));
}

}  // namespace
