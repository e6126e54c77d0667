// File functions on a real file system: the data-folder rule, whole-file
// reads, and the atomic save when it succeeds and when it fails, including
// failures Wine cannot produce for real (it runs as administrator, and it
// moves files over read-only ones): those are injected.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
    int FileCount() const { return static_cast<int>(Names().size()); }

    std::vector<std::wstring> Names(const wchar_t* pattern = L"*") const {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((folder_ + L"\\" + pattern).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do {
            if (found.cFileName[0] != L'.') names.push_back(found.cFileName);
        } while (FindNextFileW(search, &found));
        FindClose(search);
        return names;
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

// Errors that Windows gives at the replace and Wine does not (a read-only or
// protected Options.ini, a full disk): whatever stops the save there, the old
// file stays whole and the temporary file goes.
TEST_F(Files, ReplaceRefusedByTheSystemLeavesTheOldFileWhole) {
    const std::wstring target = Path(L"Options.ini");
    const std::string old = "1\r\n2\r\n3\r\n4\r\nfive\r\nsix\r\nseven\r\nTRUE\r\n";
    static DWORD injected;
    static std::string temporaryBytes;
    winkit::g_beforeReplaceHook = [](const std::wstring& temporaryPath) -> DWORD {
        temporaryBytes = winkit::ReadWholeFile(temporaryPath).bytes;
        return injected;
    };
    for (DWORD error : {ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION, ERROR_DISK_FULL}) {
        Write(target, old);
        injected = error;
        EXPECT_EQ(winkit::WriteFileAtomically(target, "new contents", winkit::ReplaceMode::ReplaceExisting), error);
        EXPECT_EQ(temporaryBytes, "new contents") << "the new file was whole before the replace";
        EXPECT_EQ(Read(target), old) << error;
        EXPECT_EQ(FileCount(), 1) << error;
    }
    winkit::g_beforeReplaceHook = nullptr;
}

// A read-only Options.ini is refused before anything is written, as Windows
// would refuse to replace it (Wine would replace it).
TEST_F(Files, ReadOnlyFileIsNotReplaced) {
    const std::wstring target = Path(L"Options.ini");
    Write(target, "old\r\n");
    ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
    static bool reachedReplace;
    reachedReplace = false;
    winkit::g_beforeReplaceHook = [](const std::wstring&) -> DWORD { reachedReplace = true; return 0; };
    EXPECT_EQ(winkit::WriteFileAtomically(target, "new\r\n", winkit::ReplaceMode::ReplaceExisting),
              static_cast<DWORD>(ERROR_ACCESS_DENIED));
    winkit::g_beforeReplaceHook = nullptr;
    EXPECT_FALSE(reachedReplace);
    EXPECT_EQ(Read(target), "old\r\n");
    EXPECT_TRUE(GetFileAttributesW(target.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(FileCount(), 1);
}

// The process dies between writing the temporary file and the replace: the
// old file is whole, the new contents are whole in the temporary file left
// behind, and that stale file neither breaks the next save nor is touched by it.
TEST(SaveCrash, LeavesTheOldFileWholeAndDoesNotBreakTheNextSave) {
    // The death test runs this body again in a child process up to the crash,
    // so the folder is the same in both.
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"save_crash_test";
    const std::wstring target = folder + L"\\Options.ini";
    const std::string old = "1\r\n2\r\n3\r\n4\r\nold\r\n\r\n\r\nTRUE\r\n";
    const std::string next = "1\r\n2\r\n3\r\n4\r\nold\r\n\r\n\r\nFALSE\r\n";
    auto stale = [&] {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((folder + L"\\Options.ini.*.tmp").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do names.push_back(found.cFileName); while (FindNextFileW(search, &found));
        FindClose(search);
        return names;
    };
    for (const std::wstring& name : stale()) DeleteFileW((folder + L"\\" + name).c_str());
    DeleteFileW(target.c_str());
    CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_EQ(winkit::WriteFileAtomically(target, old, winkit::ReplaceMode::MustNotExist), 0u);

    EXPECT_EXIT(
        {
            winkit::g_beforeReplaceHook = [](const std::wstring&) -> DWORD {
                TerminateProcess(GetCurrentProcess(), 7);
                return 0;
            };
            winkit::WriteFileAtomically(target, next, winkit::ReplaceMode::ReplaceExisting);
        },
        ::testing::ExitedWithCode(7), "");

    EXPECT_EQ(winkit::ReadWholeFile(target).bytes, old);
    std::vector<std::wstring> left = stale();
    ASSERT_EQ(left.size(), 1u) << "the crashed save's temporary file";
    const std::wstring leftPath = folder + L"\\" + left[0];
    EXPECT_EQ(winkit::ReadWholeFile(leftPath).bytes, next);

    // The next run saves over the old file and leaves the stale one alone.
    EXPECT_EQ(winkit::WriteFileAtomically(target, next, winkit::ReplaceMode::ReplaceExisting), 0u);
    EXPECT_EQ(winkit::ReadWholeFile(target).bytes, next);
    EXPECT_EQ(stale(), left);

    DeleteFileW(leftPath.c_str());
    DeleteFileW(target.c_str());
    RemoveDirectoryW(folder.c_str());
}

TEST_F(Files, StaleTemporaryFilesAreNeitherReadNorInTheWay) {
    const std::wstring target = Path(L"Options.ini");
    Write(Path(L"Options.ini.0123456789ab.tmp"), "9\r\n9\r\n");
    Write(Path(L"Options.ini.tmp"), "half");
    EXPECT_EQ(winkit::ReadWholeFile(target).status, winkit::ReadResult::NotFound);
    EXPECT_EQ(winkit::WriteFileAtomically(target, "new\r\n", winkit::ReplaceMode::MustNotExist), 0u);
    EXPECT_EQ(Read(target), "new\r\n");
    EXPECT_EQ(Read(Path(L"Options.ini.0123456789ab.tmp")), "9\r\n9\r\n");
    EXPECT_EQ(Read(Path(L"Options.ini.tmp")), "half");
    EXPECT_EQ(FileCount(), 3);
}

// Another program reading the file does not stop the read; one that has it
// open for writing does, so a half-written file is never taken for the file.
TEST_F(Files, ReadIsRefusedWhileAnotherProgramMayBeWritingTheFile) {
    const std::wstring target = Path(L"Options.ini");
    Write(target, "1\r\n");
    {
        winkit::UniqueFile reader(CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(reader);
        EXPECT_EQ(Read(target), "1\r\n");
    }
    winkit::UniqueFile writer(CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(writer);
    winkit::ReadResult during = winkit::ReadWholeFile(target);
    EXPECT_EQ(during.status, winkit::ReadResult::Failed);
    EXPECT_EQ(during.error, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
}

TEST_F(Files, ReadStopsAtTheSizeLimit) {
    const std::wstring target = Path(L"Options.ini");
    std::string bytes(4096, '\0');
    bytes[0] = '7';
    Write(target, bytes);
    winkit::ReadResult atLimit = winkit::ReadWholeFile(target, bytes.size());
    EXPECT_EQ(atLimit.status, winkit::ReadResult::Read);
    EXPECT_EQ(atLimit.bytes, bytes);
    winkit::ReadResult over = winkit::ReadWholeFile(target, bytes.size() - 1);
    EXPECT_EQ(over.status, winkit::ReadResult::Failed);
    EXPECT_EQ(over.error, static_cast<DWORD>(ERROR_FILE_TOO_LARGE));
    EXPECT_TRUE(over.bytes.empty());

    Write(target, "");
    EXPECT_EQ(winkit::ReadWholeFile(target, 0).status, winkit::ReadResult::Read);
}

TEST(ApiPath, LongPathsGetTheExtendedForm) {
    const std::wstring deep(300, L'd');
    struct Case { std::wstring path, expected; } cases[] = {
        {L"C:\\Startup\\Molvane.exe", L"C:\\Startup\\Molvane.exe"},
        {L"C:\\" + deep, L"\\\\?\\C:\\" + deep},
        {L"\\\\server\\share\\" + deep, L"\\\\?\\UNC\\server\\share\\" + deep},
        {L"\\\\?\\C:\\" + deep, L"\\\\?\\C:\\" + deep},
        {L"", L""},
    };
    for (const Case& c : cases) EXPECT_EQ(winkit::ApiPath(c.path), c.expected);
}

// Paths past MAX_PATH work in every file function, as Windows allows them only
// in the "\\?\" form (Wine would take them either way).
TEST_F(Files, EveryFunctionTakesPathsPastMaxPath) {
    std::wstring deep = folder_;
    while (deep.size() < 300) {
        deep += L"\\" + std::wstring(60, L'n');
        ASSERT_TRUE(CreateDirectoryW(winkit::ApiPath(deep).c_str(), nullptr));
    }
    const std::wstring target = deep + L"\\Options.ini", exe = deep + L"\\Molvane.exe";
    ASSERT_GT(target.size(), static_cast<std::size_t>(MAX_PATH));
    EXPECT_TRUE(winkit::DirectoryExists(deep));
    EXPECT_EQ(winkit::ReadWholeFile(target).status, winkit::ReadResult::NotFound);
    EXPECT_EQ(winkit::WriteFileAtomically(target, "one", winkit::ReplaceMode::MustNotExist), 0u);
    EXPECT_EQ(winkit::WriteFileAtomically(target, "two", winkit::ReplaceMode::ReplaceExisting), 0u);
    EXPECT_EQ(Read(target), "two");
    EXPECT_TRUE(winkit::FileExists(target));
    EXPECT_EQ(winkit::WriteFileAtomically(exe, "MZ", winkit::ReplaceMode::MustNotExist), 0u);
    EXPECT_EQ(winkit::DeleteOneFile(exe), 0u);
    EXPECT_FALSE(winkit::FileExists(exe));

    // Clean up from the deepest folder up; TearDown takes the rest.
    EXPECT_EQ(winkit::DeleteOneFile(target), 0u);
    while (deep.size() > folder_.size()) {
        EXPECT_TRUE(RemoveDirectoryW(winkit::ApiPath(deep).c_str()));
        deep.resize(deep.find_last_of(L'\\'));
    }
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
