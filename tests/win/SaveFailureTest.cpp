// A save that fails under Windows leaves the old data file as it was, byte for
// byte, and no new file beside it: a disk that fills up part-way (at the first
// byte, inside the first block, inside a later one), a folder where no new
// file can be made, a new file that will not open, and another program that
// takes the target while the new file is being written.

#include "contacts/ContactList.h"
#include "contacts/DataFile.h"
#include "support/MemoryListControl.h"

#include "../unit/RandomContacts.h"
#include "FileText.h"
#include "FileWriteFaults.h"

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
        std::string f = std::string(temp) + "telvara-save-failure";
        CreateDirectoryA(f.c_str(), nullptr);
        return f + "\\";
    }();
    return folder;
}

std::vector<std::string> FilesInFolder() {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((Folder() + "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
}

struct SaveFailure : ::testing::Test {
    MemoryListControl control;
    MemoryStatusText status;
    ContactList list{control, status};
    std::string path = Folder() + "book.csv";
    std::string old;

    void SetUp() override {
        for (const std::string& name : FilesInFolder()) DeleteFileA((Folder() + name).c_str());
        // Far more than one block of the writer, so that a disk can fill up
        // in a later block as well as in the first.
        std::mt19937 rng(8);
        for (int i = 0; i < 1500; ++i) list.AppendContact(std::unique_ptr<Contact>(new Contact(RandomContact(rng))));
        old = "; Data for Telvara.exe\r\n; V300\r\nOld,Book,555-0100,,,,,,,0\r\n";
        ASSERT_TRUE(WriteFileText(path, old));
    }
    void TearDown() override { DeleteFileA(path.c_str()); }

    // The old file as it was, and nothing else in its folder.
    void ExpectOldFileAlone() {
        EXPECT_TRUE(old == ReadFileText(path)) << "the old file was changed";
        EXPECT_EQ(std::vector<std::string>{"book.csv"}, FilesInFolder()) << "a new file was left behind";
    }
};

TEST_F(SaveFailure, DiskFullAnywhereKeepsTheOldFile) {
    // What a save writes when nothing stops it, to know where the blocks end.
    std::string whole = Folder() + "whole.csv";
    ASSERT_EQ(WriteResult::Written, WriteDataFile(list, whole.c_str()));
    DWORD size = static_cast<DWORD>(ReadFileText(whole).size());
    DeleteFileA(whole.c_str());
    ASSERT_GT(size, 2u * 64 * 1024);

    for (DWORD room : {DWORD{0}, DWORD{100}, DWORD{64 * 1024 + 5000}, size - 1}) {
        SCOPED_TRACE(room);
        {
            FileWriteFault fault(FileWriteFault::Kind::DiskFull, room);
            EXPECT_EQ(WriteResult::WriteFailed, WriteDataFile(list, path.c_str()));
        }
        ExpectOldFileAlone();
    }
    // With room for every byte the same save goes through.
    {
        FileWriteFault fault(FileWriteFault::Kind::DiskFull, size);
        ASSERT_EQ(WriteResult::Written, WriteDataFile(list, path.c_str()));
    }
    EXPECT_EQ(size, ReadFileText(path).size());
    EXPECT_EQ(std::vector<std::string>{"book.csv"}, FilesInFolder());
}

TEST_F(SaveFailure, FolderWithoutRoomForANewFileIsRefused) {
    {
        FileWriteFault fault(FileWriteFault::Kind::NoNewFileInFolder);
        EXPECT_EQ(WriteResult::CantCreate, WriteDataFile(list, path.c_str()));
    }
    ExpectOldFileAlone();
    {
        // Named, but not to be opened: the name made for it goes too.
        FileWriteFault fault(FileWriteFault::Kind::NewFileWillNotOpen);
        EXPECT_EQ(WriteResult::CantCreate, WriteDataFile(list, path.c_str()));
    }
    ExpectOldFileAlone();
}

TEST_F(SaveFailure, TargetTakenByAnotherProgramWhileWritingIsKept) {
    {
        FileWriteFault fault(FileWriteFault::Kind::TargetTakenWhileWriting, 0, path);
        EXPECT_EQ(WriteResult::CantCreate, WriteDataFile(list, path.c_str()));
        EXPECT_TRUE(FileWriteFault::TargetTaken());
    }
    ExpectOldFileAlone();
}

}  // namespace
