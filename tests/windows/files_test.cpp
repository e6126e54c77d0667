// File functions on a real file system: the data-folder rule, whole-file
// reads, and the atomic save when it succeeds and when it fails.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/Globals.h"
#include "winkit/Files.h"
#include "winkit/Handle.h"

namespace {

// A fresh scratch folder, removed with its files afterwards.
class ScratchFolder : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"files_test_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                  std::to_wstring(counter_++);
        ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
    }
    void TearDown() override {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((folder_ + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                std::wstring name = found.cFileName;
                if (name == L"." || name == L"..") continue;
                std::wstring path = folder_ + L"\\" + name;
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveDirectoryW(path.c_str());
                else
                    DeleteFileW(path.c_str());
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(folder_.c_str());
    }

    std::wstring Path(const wchar_t* name) const { return folder_ + L"\\" + name; }

    static void Write(const std::wstring& path, const std::string& bytes) {
        winkit::UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_TRUE(file);
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    }

    static std::string Read(const std::wstring& path) {
        winkit::ReadResult result = winkit::ReadWholeFile(path);
        EXPECT_EQ(result.status, winkit::ReadResult::Read);
        return result.bytes;
    }

    // Names in the folder other than those given: leftovers of a save.
    int FileCount() const {
        int count = 0;
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((folder_ + L"\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return 0;
        do {
            if (found.cFileName[0] != L'.') ++count;
        } while (FindNextFileW(search, &found));
        FindClose(search);
        return count;
    }

    std::wstring folder_;
    static inline int counter_ = 0;
};

using DataFolder = ScratchFolder;

TEST_F(DataFolder, FixedFolderWinWhenItIsADirectoryAndFallsBackOtherwise) {
    const std::wstring fixed = L"C:\\Windows\\System32\\Molvane2";
    std::wstring exe = winkit::ProgramFileName();
    std::wstring exeFolder = exe.substr(0, exe.find_last_of(L'\\'));

    // Nothing there: the folder of this executable, without a trailing delimiter.
    ASSERT_FALSE(winkit::FileExists(fixed) || winkit::DirectoryExists(fixed)) << "leftover from an earlier run";
    ResolveDataFolder();
    EXPECT_EQ(GlobalState.DataFolder, exeFolder);
    EXPECT_NE(GlobalState.DataFolder.back(), L'\\');

    // A plain file of that name does not count.
    Write(fixed, "not a folder");
    ResolveDataFolder();
    EXPECT_EQ(GlobalState.DataFolder, exeFolder);
    DeleteFileW(fixed.c_str());

    // An empty directory does: Options.ini need not be there.
    ASSERT_TRUE(CreateDirectoryW(fixed.c_str(), nullptr));
    ResolveDataFolder();
    EXPECT_EQ(GlobalState.DataFolder, fixed);
    RemoveDirectoryW(fixed.c_str());
}

using Files = ScratchFolder;

TEST_F(Files, ExistenceTestsTellFilesFromDirectories) {
    Write(Path(L"Molvane.exe"), "MZ");
    ASSERT_TRUE(CreateDirectoryW(Path(L"folder.exe").c_str(), nullptr));
    EXPECT_TRUE(winkit::FileExists(Path(L"Molvane.exe")));
    EXPECT_FALSE(winkit::FileExists(Path(L"folder.exe")));
    EXPECT_FALSE(winkit::FileExists(Path(L"absent.exe")));
    EXPECT_FALSE(winkit::FileExists(L""));
    EXPECT_TRUE(winkit::DirectoryExists(Path(L"folder.exe")));
    EXPECT_FALSE(winkit::DirectoryExists(Path(L"Molvane.exe")));
}

TEST_F(Files, ReadTellsMissingFromUnreadable) {
    EXPECT_EQ(winkit::ReadWholeFile(Path(L"absent.ini")).status, winkit::ReadResult::NotFound);
    EXPECT_EQ(winkit::ReadWholeFile(Path(L"absent\\Options.ini")).status, winkit::ReadResult::NotFound);

    ASSERT_TRUE(CreateDirectoryW(Path(L"Options.ini").c_str(), nullptr));
    EXPECT_EQ(winkit::ReadWholeFile(Path(L"Options.ini")).status, winkit::ReadResult::Failed);

    Write(Path(L"locked.ini"), "1\r\n");
    winkit::UniqueFile lock(CreateFileW(Path(L"locked.ini").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock);
    winkit::ReadResult locked = winkit::ReadWholeFile(Path(L"locked.ini"));
    EXPECT_EQ(locked.status, winkit::ReadResult::Failed);
    EXPECT_EQ(locked.error, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
}

TEST_F(Files, SaveReplacesTheFileAndLeavesNothingBehind) {
    const std::wstring target = Path(L"Options.ini");
    Write(target, "old contents\r\n");
    std::string bytes("0\r\n\x80\xff\0x\r\n", 9);
    EXPECT_EQ(winkit::WriteFileAtomically(target, bytes, winkit::ReplaceMode::ReplaceExisting), 0u);
    EXPECT_EQ(Read(target), bytes);
    EXPECT_EQ(FileCount(), 1);
}

TEST_F(Files, SaveCreatesAMissingFileButNeverOverwritesOneThatAppeared) {
    const std::wstring target = Path(L"Options.ini");
    EXPECT_EQ(winkit::WriteFileAtomically(target, "new\r\n", winkit::ReplaceMode::MustNotExist), 0u);
    EXPECT_EQ(Read(target), "new\r\n");

    EXPECT_NE(winkit::WriteFileAtomically(target, "newer\r\n", winkit::ReplaceMode::MustNotExist), 0u);
    EXPECT_EQ(Read(target), "new\r\n");
    EXPECT_EQ(FileCount(), 1);
}

TEST_F(Files, FailedSaveLeavesTheOldFileWholeAndRemovesTheTemporaryFile) {
    const std::wstring target = Path(L"Options.ini");
    const std::string old = "1\r\n2\r\n3\r\n4\r\nfive\r\nsix\r\nseven\r\nTRUE\r\nextra\r\n";
    Write(target, old);

    // Held open by another program without delete sharing: the replace is refused.
    {
        winkit::UniqueFile held(CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        DWORD error = winkit::WriteFileAtomically(target, "replacement", winkit::ReplaceMode::ReplaceExisting);
        EXPECT_TRUE(error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION) << error;
    }
    EXPECT_EQ(Read(target), old);
    EXPECT_EQ(FileCount(), 1);

    // The folder is gone: nothing can be written at all.
    EXPECT_EQ(winkit::WriteFileAtomically(Path(L"gone\\Options.ini"), "x", winkit::ReplaceMode::MustNotExist),
              static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST_F(Files, SameOrBelowComparesWholeNamesWithoutCase) {
    struct Case { const wchar_t* path; const wchar_t* folder; bool expected; } cases[] = {
        {L"C:\\Startup", L"C:\\Startup", true},
        {L"c:\\startup\\Sub", L"C:\\Startup", true},
        {L"C:\\Startup\\Sub\\Deeper", L"C:\\Startup\\", true},
        {L"C:\\StartupOther", L"C:\\Startup", false},
        {L"C:\\Start", L"C:\\Startup", false},
        {L"D:\\Startup", L"C:\\Startup", false},
        {L"", L"C:\\Startup", false},
        {L"C:\\Startup", L"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(winkit::IsSameOrBelow(c.path, c.folder), c.expected) << c.path << " in " << c.folder;
}

}  // namespace
