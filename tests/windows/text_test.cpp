// Conversion between UTF-16 and the ANSI code page, as Options.ini is stored.
#include <windows.h>

#include <gtest/gtest.h>

#include <climits>

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

TEST(DecimalText, WritesEveryIntegerAsItsDecimalDigits) {
    const struct {
        long long value;
        const wchar_t* text;
    } cases[] = {{0, L"0"}, {7, L"7"}, {-42, L"-42"}, {4294967295LL, L"4294967295"},
                 {LLONG_MIN, L"-9223372036854775808"}, {LLONG_MAX, L"9223372036854775807"}};
    for (const auto& c : cases) EXPECT_EQ(winkit::DecimalText(c.value), c.text) << c.value;
}

TEST(AnsiText, ACodeTheSystemHasNoWordsForIsNamedByNumber) {
    EXPECT_EQ(winkit::SystemErrorText(0xDEADBEEF), L"error 3735928559");
}

}  // namespace
