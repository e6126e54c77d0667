// Where Options.ini is looked for (app/DataFolderRule.h): the fixed folder
// when it is a directory, otherwise the executable's own folder.
#include "app/DataFolderRule.h"

#include <gtest/gtest.h>

#include <string>

namespace app {
namespace {

TEST(ChooseDataFolder, FixedFolderWinsWheneverItIsADirectory) {
    for (const wchar_t* exe : {L"C:\\Tools\\RemoveMolvane.exe", L"C:\\RemoveMolvane.exe", L""}) {
        EXPECT_EQ(ChooseDataFolder(true, exe), L"C:\\Windows\\System32\\Molvane2");
    }
}

TEST(ChooseDataFolder, OtherwiseTheExecutablesFolderWithoutTrailingDelimiter) {
    struct Case {
        std::wstring exe;
        std::wstring folder;
    };
    const Case cases[] = {
        {L"C:\\Tools\\RemoveMolvane.exe", L"C:\\Tools"},
        {L"C:\\RemoveMolvane.exe", L"C:"},
        {L"D:\\Program Files\\Some Tool\\RemoveMolvane.exe", L"D:\\Program Files\\Some Tool"},
        {L"C:\\Tools\\\\RemoveMolvane.exe", L"C:\\Tools"},
        {L"C:/Tools/RemoveMolvane.exe", L"C:/Tools"},
        {L"\\\\server\\share\\RemoveMolvane.exe", L"\\\\server\\share"},
        {L"\\\\?\\C:\\Tools\\RemoveMolvane.exe", L"\\\\?\\C:\\Tools"},
        {L"C:\\\u00DCbung\\\u65E5\u672C\\RemoveMolvane.exe", L"C:\\\u00DCbung\\\u65E5\u672C"},
    };
    for (const Case& c : cases) {
        std::wstring folder = ChooseDataFolder(false, c.exe);
        EXPECT_EQ(folder, c.folder);
        // The caller appends "\Options.ini"; that must give one delimiter.
        EXPECT_TRUE(folder.empty() || (folder.back() != L'\\' && folder.back() != L'/'));
    }
}

}  // namespace
}  // namespace app
