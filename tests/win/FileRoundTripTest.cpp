// The data file through the real Windows file functions: round trips, files
// held open by another program, read-only files, the locale comparison and
// the character sets of vCards.

#include "contacts/ContactList.h"
#include "contacts/DataFile.h"
#include "support/MemoryListControl.h"
#include "contacts/TextCompare.h"
#include "contacts/VCardImport.h"

#include "../unit/RandomContacts.h"
#include "FileText.h"
#include "../SkipOrFailInCi.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::string Folder() {
    static std::string folder = [] {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        std::string f = std::string(temp) + "telvara-file-test";
        CreateDirectoryA(f.c_str(), nullptr);
        return f + "\\";
    }();
    return folder;
}

int FilesInFolder() {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((Folder() + "*").c_str(), &data);
    int n = 0;
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++n;
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return n;
}

struct WinFile : ::testing::Test {
    MemoryListControl control;
    MemoryStatusText status;
    ContactList list{control, status};
    void Add(const Contact& c) { list.AppendContact(std::unique_ptr<Contact>(new Contact(c))); }
};

const char kHeader[] = "; Data for Telvara.exe\r\n; V300\r\n";

TEST_F(WinFile, RandomRecordsRoundTripInOrder) {
    std::mt19937 rng(31);
    std::vector<Contact> written;
    for (int i = 0; i < 300; ++i) written.push_back(RandomContact(rng));
    written.push_back(AllQuotesContact());
    // Put them in name order with distinct keys, so that the load's sort
    // keeps them where they are.
    for (std::size_t i = 0; i < written.size(); ++i) {
        char name[24];
        std::snprintf(name, sizeof name, "%04u%.18s", static_cast<unsigned>(i), written[i].FirstName);
        SetField(written[i].FirstName, sizeof written[i].FirstName, name);
        Add(written[i]);
    }
    std::string path = Folder() + "round.csv";
    ASSERT_EQ(WriteResult::Written, WriteDataFile(list, path.c_str()));
    ASSERT_EQ(LoadResult::Loaded, LoadContactFile(list, path.c_str()));
    ASSERT_EQ(static_cast<int>(written.size()), list.Count());
    for (std::size_t i = 0; i < written.size(); ++i)
        ASSERT_TRUE(SameContact(written[i], *list.ContactAt(static_cast<int>(i)))) << i;
    std::string bytes = ReadFileText(path);
    ASSERT_EQ(LoadResult::Loaded, LoadContactFile(list, path.c_str()));
    ASSERT_EQ(WriteResult::Written, WriteDataFile(list, path.c_str()));
    EXPECT_TRUE(bytes == ReadFileText(path)) << "a second save changed the file";
    DeleteFileA(path.c_str());
}

TEST_F(WinFile, FileHeldOpenByAnotherProgramIsNeitherReadNorReplaced) {
    std::string path = Folder() + "held.csv";
    std::string old = std::string(kHeader) + "Held,Open,555\r\n";
    ASSERT_TRUE(WriteFileText(path, old));
    int before = FilesInFolder();
    HANDLE other = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, other);
    Add(MakeContact("New", "Data", "1"));
    EXPECT_EQ(LoadResult::CantOpen, LoadContactFile(list, path.c_str()));
    EXPECT_EQ(1, list.Count());  // untouched by the failed load
    EXPECT_EQ(WriteResult::CantCreate, WriteDataFile(list, path.c_str()));
    CloseHandle(other);
    EXPECT_EQ(old, ReadFileText(path));
    EXPECT_EQ(before, FilesInFolder()) << "a temporary file was left behind";

    // Once the other program lets go, the save goes through.
    EXPECT_EQ(WriteResult::Written, WriteDataFile(list, path.c_str()));
    EXPECT_EQ(std::string(kHeader) + "New,Data,1,,,,,,,0\r\n", ReadFileText(path));
    EXPECT_EQ(before, FilesInFolder());
    DeleteFileA(path.c_str());
}

TEST_F(WinFile, ReadOnlyFileIsRefusedAndKept) {
    std::string path = Folder() + "readonly.csv";
    std::string old = std::string(kHeader) + "Read,Only,555\r\n";
    ASSERT_TRUE(WriteFileText(path, old));
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    Add(MakeContact("New", "Data", "1"));
    EXPECT_EQ(WriteResult::CantCreate, WriteDataFile(list, path.c_str()));
    EXPECT_EQ(old, ReadFileText(path));
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

TEST_F(WinFile, MissingFolderIsRefused) {
    std::string path = Folder() + "no such folder\\data.csv";
    EXPECT_EQ(WriteResult::CantCreate, WriteDataFile(list, path.c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str()));
}

TEST_F(WinFile, SaveReplacesAnExistingFileWhole) {
    std::string path = Folder() + "replace.csv";
    ASSERT_TRUE(WriteFileText(path, std::string(kHeader) + std::string(5000, 'x') + "\r\n"));
    Add(MakeContact("Ann", "Lee", "555-0100", 1));
    ASSERT_EQ(WriteResult::Written, WriteDataFile(list, path.c_str()));
    EXPECT_EQ(std::string(kHeader) + "Ann,Lee,555-0100,,,,,,,1\r\n", ReadFileText(path));
    DeleteFileA(path.c_str());
}

TEST(WinTextCompare, FollowsTheUserLocaleIgnoringCase) {
    EXPECT_LT(CompareNoCase("AnnaBell", "AnnLee"), 0);
    EXPECT_EQ(0, CompareNoCase("anna bell", "ANNA BELL"));
    EXPECT_LT(CompareNoCaseJoined("Anna", "Bell", "Ann", "Lee"), 0);
    EXPECT_EQ(0, CompareNoCaseJoined("ANN", "lee", "ann", "LEE"));
    std::string first(23, 'f');
    EXPECT_LT(CompareNoCaseJoined(first.c_str(), "lllllllllllllllllla", first.c_str(), "llllllllllllllllllb"), 0);
}

// Sets the system converts, a double-byte one before its value is split
// ("\x94\x5C" is one character), and one it lacks: "?" for each byte above
// 0x7F.  Code page 1252 shows the first two; Shift_JIS's letters are "?".
TEST(WinAnsiText, VCardCharsetsGoThroughTheSystemsCodePages) {
    if (GetACP() != 1252) SKIP_OR_FAIL_IN_CI("the ANSI code page is " << GetACP() << ", not 1252");
    const std::string text =
        "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=ISO-8859-15:\xA4uro;Ann\r\n"
        "ADR;CHARSET=IBM850;ENCODING=QUOTED-PRINTABLE:;;Gr=81n 5;Bonn\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:3.0\r\nN;CHARSET=Shift_JIS:\x93\xA1\x94\x5C;\x91\xBE\x98\x59\r\n"
        "NOTE;CHARSET=X-UNKNOWN:caf\xE9\r\nEND:VCARD\r\n";
    MemoryListControl control;
    MemoryStatusText status;
    ContactList list(control, status);
    ASSERT_EQ(ImportResult::Imported, ImportVCardText(list, text.data(), text.size()));
    ASSERT_EQ(2, list.Count());
    const Contact* euro = list.ContactAt(0)->LastName[0] == '\x80' ? list.ContactAt(0) : list.ContactAt(1);
    const Contact* japanese = euro == list.ContactAt(0) ? list.ContactAt(1) : list.ContactAt(0);
    EXPECT_STREQ("\x80uro", euro->LastName);
    EXPECT_STREQ("Gr\xFCn 5", euro->Address);
    EXPECT_STREQ("??", japanese->LastName);
    EXPECT_STREQ("??", japanese->FirstName);
    EXPECT_STREQ("caf?", japanese->MiscInfo);
}

}  // namespace
