// The recovery copy's name and notes, and when a save asks before writing
// over a file.

#include "contacts/DataFile.h"
#include "contacts/RecoveryCopy.h"

#include <gtest/gtest.h>

#include <string>

namespace {

CopyCheck Check(const std::string& text, const char* book, CopyNotes& notes) {
    return CheckRecoveryCopy(text.data(), text.size(), book, notes);
}

TEST(RecoveryCopy, NamedFromThePathOrTheProcess) {
    EXPECT_EQ("book-friends-", RecoveryCopyName("C:\\Books\\friends.csv", 7).substr(0, 13));
    EXPECT_EQ(RecoveryCopyName("C:\\Books\\friends.csv", 7), RecoveryCopyName("c:/books/FRIENDS.CSV", 9));
    EXPECT_NE(RecoveryCopyName("C:\\Books\\friends.csv", 7), RecoveryCopyName("C:\\Old\\friends.csv", 7));
    EXPECT_EQ("unsaved-42.csv", RecoveryCopyName("", 42));
}

TEST(RecoveryCopy, NotesTellTheBookAndWhatWasSeenOfIt) {
    const std::string header = std::string(kDataHeader) + "\r\n" + kDataVersion + "\r\n";
    const std::string record = "Ann,Lee,555-0100,,,,,,,1\r\n";
    CopyNotes notes;
    FileStamp seen{true, 133512345678901234ull, 4096};
    EXPECT_EQ(CopyCheck::ThisBook, Check(header + RecoveryNotes("C:\\B\\f.csv", seen) + record, "c:\\b\\F.CSV", notes));
    EXPECT_EQ("C:\\B\\f.csv", notes.DataPath);
    EXPECT_TRUE(notes.Seen.Exists && notes.Seen.WriteTime == seen.WriteTime && notes.Seen.Size == 4096);
    EXPECT_EQ(CopyCheck::OtherBook, Check(header + RecoveryNotes("C:\\B\\g.csv", seen), "C:\\B\\f.csv", notes));
    EXPECT_EQ(CopyCheck::ThisBook, Check(header + RecoveryNotes("", FileStamp{}), "", notes));
    EXPECT_FALSE(notes.Seen.Exists);
    // Without the header, without the notes, or notes after the first record.
    EXPECT_EQ(CopyCheck::Unreadable, Check(RecoveryNotes("", FileStamp{}), "", notes));
    EXPECT_EQ(CopyCheck::Unreadable, Check(header + record, "", notes));
    EXPECT_EQ(CopyCheck::Unreadable, Check(header + record + RecoveryNotes("", FileStamp{}), "", notes));
    EXPECT_EQ(CopyCheck::Unreadable, Check(header + "; Book: \r\n; Seen: 12 x\r\n", "", notes));
}

TEST(ChangedSince, AFileWrittenOrMadeSinceItWasSeen) {
    const FileStamp seen{true, 100, 50}, gone{};
    EXPECT_FALSE(ChangedSince(seen, seen));
    EXPECT_TRUE(ChangedSince(seen, FileStamp{true, 101, 50}));
    EXPECT_TRUE(ChangedSince(seen, FileStamp{true, 100, 51}));
    EXPECT_TRUE(ChangedSince(gone, seen));
    EXPECT_FALSE(ChangedSince(seen, gone));
    EXPECT_FALSE(ChangedSince(gone, gone));
}

}  // namespace
