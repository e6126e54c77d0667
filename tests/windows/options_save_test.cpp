// The window's load and save of Options.ini on a real file: texts go back as
// the very bytes read, a text changed in memory is written in the ANSI code
// page with its substitutes (never best-fitted to other letters), and a file
// that could not be read whole is never overwritten.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/Globals.h"
#include "ui/RemoveStartUp.h"
#include "winkit/Files.h"

namespace {

class OptionsSave : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"options_save_test_" + std::to_wstring(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
        GlobalState = TGlobals{};
        GlobalState.DataFolder = folder_;
    }
    void TearDown() override {
        DeleteFileW(Path().c_str());
        RemoveDirectoryW(folder_.c_str());
        GlobalState = TGlobals{};
    }
    std::wstring Path() const { return folder_ + L"\\Options.ini"; }
    void Write(const std::string& bytes) {
        DeleteFileW(Path().c_str());
        ASSERT_EQ(winkit::WriteFileAtomically(Path(), bytes, winkit::ReplaceMode::MustNotExist), 0u);
    }
    std::string Read() const { return winkit::ReadWholeFile(Path()).bytes; }

    std::wstring folder_;
};

TEST_F(OptionsSave, UnchangedTextsGoBackAsTheBytesReadAndChangedOnesWithSubstitutes) {
    if (GetACP() != 1252) GTEST_SKIP() << "checked for code page 1252, this is " << GetACP();
    std::string high;
    for (int b = 0x80; b <= 0xFF; ++b) high.push_back(static_cast<char>(b));
    Write("1\r\n2\r\n3\r\n4\r\n" + high + "\r\nold\r\n" + std::string("a\0b", 3) + "\r\ntrue\r\nafter\r\n");

    TKestrixUp1 window;  // not created: load and save need only the data folder
    ASSERT_TRUE(window.LoadOptions());
    EXPECT_TRUE(GlobalState.RunAtStartup);
    GlobalState.RunAtStartup = false;
    GlobalState.OptionText6 = L"\u0141\u00F3d\u017A";  // "Łódź": Ł and ź are not in code page 1252
    ASSERT_TRUE(window.SaveOptions());
    EXPECT_EQ(Read(), "1\r\n2\r\n3\r\n4\r\n" + high + "\r\n?\xF3" "d?\r\n" + std::string("a\0b", 3) +
                          "\r\nFALSE\r\nafter\r\n");
}

TEST_F(OptionsSave, FileThatCouldNotBeReadWholeIsNeverOverwritten) {
    const std::string bad = "1\r\nnot a number\r\n3\r\n4\r\na\r\nb\r\nc\r\nTRUE\r\n";
    Write(bad);
    TKestrixUp1 window;
    EXPECT_FALSE(window.LoadOptions());
    GlobalState.RunAtStartup = false;
    EXPECT_FALSE(window.SaveOptions());
    EXPECT_EQ(Read(), bad);
}

}  // namespace
