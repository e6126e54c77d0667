// Conversion between UTF-16 and the ANSI code page, as Options.ini is stored.
#include <windows.h>

#include <gtest/gtest.h>

#include "winkit/Text.h"

namespace {

TEST(AnsiText, EveryByteOfTheCodePageSurvivesTheRoundTrip) {
    std::string bytes;
    for (int b = 1; b < 256; ++b) bytes.push_back(static_cast<char>(b));
    if (GetACP() != 1252) GTEST_SKIP() << "checked for code page 1252, this is " << GetACP();
    bool substituted = true;
    EXPECT_EQ(winkit::ToAnsi(winkit::FromAnsi(bytes), &substituted), bytes);
    EXPECT_FALSE(substituted);
}

TEST(AnsiText, CharactersTheCodePageCannotHoldBecomeItsSubstituteNotLookAlikes) {
    if (GetACP() != 1252) GTEST_SKIP() << "checked for code page 1252, this is " << GetACP();
    bool substituted = false;
    // "Łódź": Ł and ź are not in code page 1252; ó is.
    std::string bytes = winkit::ToAnsi(L"\u0141\u00F3d\u017A", &substituted);
    EXPECT_EQ(bytes, "?\xF3" "d?");
    EXPECT_TRUE(substituted);
    EXPECT_EQ(winkit::FromAnsi(bytes), L"?\u00F3d?");
}

TEST(AnsiText, EmptyTextAndSystemErrorWords) {
    EXPECT_EQ(winkit::ToAnsi(L""), "");
    EXPECT_EQ(winkit::FromAnsi(""), L"");
    std::wstring words = winkit::SystemErrorText(ERROR_ACCESS_DENIED);
    EXPECT_FALSE(words.empty());
    EXPECT_NE(words.back(), L'.');
    EXPECT_NE(words.back(), L'\n');
}

}  // namespace
