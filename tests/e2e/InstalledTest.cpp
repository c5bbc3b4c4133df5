// The real telvara.exe installed where users put programs, with no settings:
// under Program Files its default book is in the user's Documents, where it
// may write, and in any other folder beside the program.  And the version
// that the file's properties show.

#include "ProgramFixture.h"

#include <shlobj.h>

namespace {

class Installed : public ProgramTest {
protected:
    // Copies the program into `folder`, starts it there with no settings,
    // answers its boxes and closes it: the boxes' texts and the stored "Fname".
    void FirstRun(const std::string& folder, std::vector<std::string>& texts, std::string& fname) {
        ASSERT_TRUE(DeleteRegistryTree(kMakerKey));
        SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr);
        const std::string exe = folder + "\\telvara.exe";
        ASSERT_TRUE(CopyFileA(EnvPath("TELVARA_EXE").c_str(), exe.c_str(), FALSE)) << exe;
        RunningProgram program;
        ASSERT_TRUE(program.Start(exe, folder));
        ASSERT_TRUE(program.WaitForFrame(kWait));
        for (int shown = 0; shown < 5 && program.Settled(); ++shown) {
            HWND box = program.TopWindow("CMSGCLASS");
            if (!box) break;
            texts.push_back(program.BoxText(box).value_or(WindowText(box)));
            ASSERT_TRUE(program.AnswerBox(box));
        }
        CloseNormally(program);
        auto stored = ReadRegistryValue(kSettingsKey, "Fname");
        ASSERT_TRUE(stored);
        fname = stored->Text();
    }
};

TEST_F(Installed, UnderProgramFilesTheBookIsInDocumentsElsewhereBesideTheProgram) {
    char documents[MAX_PATH];
    ASSERT_EQ(S_OK, SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents));
    // The run's own HOME holds the Documents folder.
    ASSERT_TRUE(WriteFileText(std::string(documents) + "\\probe.txt", "x"));
    EXPECT_TRUE(FileExists((EnvPath("TELVARA_HOME") + "\\Documents\\probe.txt").c_str())) << documents;
    const std::string inDocuments = std::string(documents) + "\\telvara.csv";
    const std::string areaCode = "Enter an Area Code in Options / Setup.";

    std::vector<std::string> texts;
    std::string fname;
    FirstRun("C:\\Program Files\\Telvara", texts, fname);
    EXPECT_EQ((std::vector<std::string>{areaCode, "Can't open file\n" + inDocuments}), texts);
    EXPECT_EQ(inDocuments, fname);

    texts.clear();
    FirstRun("C:\\Tools\\Telvara", texts, fname);
    EXPECT_EQ((std::vector<std::string>{areaCode, "Can't open file\nC:\\Tools\\Telvara\\telvara.csv"}), texts);
    EXPECT_EQ("C:\\Tools\\Telvara\\telvara.csv", fname);
}

std::string VersionText(std::vector<char>& info, const char* name) {
    char* value = nullptr;
    UINT size = 0;
    const std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &size) || !value)
        return "<missing>";
    return value;
}

TEST(Version, TheFileShowsTheVersionProductAndMaker) {
    const std::string exe = EnvPath("TELVARA_EXE");
    std::vector<char> info(GetFileVersionInfoSizeA(exe.c_str(), nullptr));
    ASSERT_FALSE(info.empty()) << "no version resource in " << exe;
    ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &size));
    EXPECT_EQ(MAKELONG(31, 3), fixed->dwFileVersionMS);
    EXPECT_EQ(0u, fixed->dwFileVersionLS);
    EXPECT_EQ(MAKELONG(31, 3), fixed->dwProductVersionMS);
    WORD* translation = nullptr;
    ASSERT_TRUE(
        VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &size));
    EXPECT_EQ(0x409, translation[0]);
    EXPECT_EQ(1200, translation[1]);
    EXPECT_EQ("3.31", VersionText(info, "FileVersion"));
    EXPECT_EQ("3.31", VersionText(info, "ProductVersion"));
    EXPECT_EQ("Telvara", VersionText(info, "ProductName"));
    EXPECT_EQ("Ostrel Freeware", VersionText(info, "CompanyName"));
    EXPECT_EQ("telvara.exe", VersionText(info, "OriginalFilename"));
    EXPECT_EQ("telvara", VersionText(info, "InternalName"));
    EXPECT_NE("<missing>", VersionText(info, "FileDescription"));
    EXPECT_NE("<missing>", VersionText(info, "LegalCopyright"));
}

}  // namespace
