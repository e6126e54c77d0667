// Reading and writing Options.ini (settings/OptionsFile): integer tokens, the
// eight-line reader with its line-end and end-of-file rules, the writer's
// exact bytes, and that what is written reads back the same.
#include "settings/OptionsFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace settings {
namespace {

using namespace std::string_literals;
using Integers = std::array<std::int32_t, kIntegerLines>;
using Texts = std::array<std::string, kTextLines>;

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

// Bytes quoted with C escapes, so a failing case's file can be read in the log.
std::string Quoted(std::string_view bytes) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (char c : bytes) {
        auto b = static_cast<unsigned char>(c);
        if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n";
        else if (c == '\\') out += "\\\\";
        else if (b < 32 || b >= 127) out += {'\\', 'x', kHex[b >> 4], kHex[b & 15]};
        else out += c;
    }
    out += '"';
    return out;
}

// What the values hold before a load. Every load starts from these, so a
// field still holding one of them afterwards was not stored by the load, and
// a short file must visibly overwrite them with 0, "" and false.
OptionValues Previous() {
    OptionValues v;
    v.integers = {-11, -22, -33, -44};
    v.texts = {"old 5", "old 6", "old 7"};
    v.runAtStartup = true;
    return v;
}

void ExpectValues(const OptionValues& v, const Integers& integers, const Texts& texts, bool runAtStartup) {
    EXPECT_EQ(v.integers, integers);
    EXPECT_EQ(v.texts, texts);
    EXPECT_EQ(v.runAtStartup, runAtStartup);
}

void ExpectSameValues(const OptionValues& actual, const OptionValues& expected) {
    ExpectValues(actual, expected.integers, expected.texts, expected.runAtStartup);
}

// ---------------------------------------------------------------------------
// ParseInteger

TEST(ParseInteger, ConvertsDecimalAndHexWithinTheSigned32BitRange) {
    struct Case {
        std::string token;
        std::int32_t value;
    };
    const Case cases[] = {
        {"0", 0},
        {"42", 42},
        {"+42", 42},
        {"-42", -42},
        {"-0", 0},
        {"007", 7},
        {" 42", 42},  // leading spaces
        {"2147483647", kMax},
        {"+2147483647", kMax},
        {"-2147483648", kMin},
        {"-2147483647", kMin + 1},
        // Leading zeros never count towards overflow.
        {"0000000000000000000000000000000000000000042", 42},
        {"-00000000000000000000000000002147483648", kMin},
        // Hex after each prefix, either letter case.
        {"$1F", 31},
        {"$1f", 31},
        {"x10", 16},
        {"X10", 16},
        {"0x10", 16},
        {"0X10", 16},
        {"0xaBcDeF", 0xABCDEF},
        {"$0", 0},
        {"0x0", 0},
        {"$00000000000000000000000000000001", 1},
        // Sign before the prefix.
        {"-$10", -16},
        {"+$10", 16},
        {"-x10", -16},
        {"-0x10", -16},
        {"+0X10", 16},
        // Hex must fit the signed range as well.
        {"$7FFFFFFF", kMax},
        {"0x7fffffff", kMax},
        {"-$80000000", kMin},
        {"-0x80000000", kMin},
        {"-$7FFFFFFF", kMin + 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("token " + Quoted(c.token));
        std::int32_t value = 12345;
        EXPECT_TRUE(ParseInteger(c.token, value));
        EXPECT_EQ(value, c.value);
    }
}

TEST(ParseInteger, RejectsTokensThatDoNotConvertWhole) {
    const std::string tokens[] = {
        // Nothing to convert.
        "", " ", "+", "-", "$", "x", "X", "0x", "0X", "-$", "+0x", "-x",
        // Just outside the range, decimal and hex.
        "2147483648", "+2147483648", "-2147483649", "4294967295", "4294967296",
        "99999999999999999999999999999999", "-99999999999999999999999999999999",
        "$80000000", "0x80000000", "-$80000001", "$FFFFFFFF", "-$FFFFFFFF", "$100000000",
        "$10000000000000000",  // wraps to 0 in 64 bits
        // Garbage, or something after the number.
        "abc", "12a", "a12", "1.5", "1e3", "1,000", "42 ", "4 2", "0b101",
        "$G", "0xg", "x1G", "--1", "+-1", "-+1", "$-1", "0x-1", "$$1", "0x0x1", "$0x1",
        "\xD9\xA3",  // a non-ASCII digit
        "1\0"s,
    };
    for (const std::string& token : tokens) {
        SCOPED_TRACE("token " + Quoted(token));
        std::int32_t value = 12345;
        EXPECT_FALSE(ParseInteger(token, value)) << "read as " << value;
    }
}

// ---------------------------------------------------------------------------
// ParseOptions: files that load completely

struct LoadCase {
    const char* what;
    std::string file;
    Integers integers;
    Texts texts;
    bool runAtStartup;
    std::string tail;
};

void ExpectLoads(const LoadCase& c) {
    SCOPED_TRACE(std::string(c.what) + ": " + Quoted(c.file));
    OptionValues values = Previous();
    ParseResult result = ParseOptions(c.file, values);
    EXPECT_TRUE(result.complete);
    EXPECT_EQ(result.linesStored, kLines);
    ExpectValues(values, c.integers, c.texts, c.runAtStartup);
    EXPECT_EQ(result.tail, c.tail);
}

TEST(ParseOptions, LineEnds) {
    const LoadCase cases[] = {
        {"CR LF", "1\r\n-2\r\n$1F\r\n0x10\r\nfirst text\r\n  second  \r\nthird\r\nTRUE\r\n",
         {1, -2, 31, 16}, {"first text", "  second  ", "third"}, true, ""},
        {"bare LF", "1\n-2\n$1F\n0x10\nfirst text\n  second  \nthird\nTRUE\n",
         {1, -2, 31, 16}, {"first text", "  second  ", "third"}, true, ""},
        {"mixed CR LF and LF", "5\r\n6\n7\r\n8\nA\r\nB\nC\r\nfalse\n",
         {5, 6, 7, 8}, {"A", "B", "C"}, false, ""},
        // A CR not followed by LF ends nothing: on an integer line it only
        // ends the number (the "99" is the skipped rest of line 1); in a
        // text it is dropped.
        {"lone CR", "1\r99\n2\n3\n4\nx\ry\n\rz\nw\r\r\nT\rRUE\r\n",
         {1, 2, 3, 4}, {"xy", "z", "w"}, true, ""},
        {"CR-only line ends make one line", "1\r2\r3\r4\rfive\rsix\rseven\rTRUE\r",
         {1, 0, 0, 0}, {"", "", ""}, false, ""},
        {"no line break after line 8", "1\n2\n3\n4\na\nb\nc\nTrue",
         {1, 2, 3, 4}, {"a", "b", "c"}, true, ""},
        {"lone CR at the very end", "1\n2\n3\n4\na\nb\nc\nTRUE\r",
         {1, 2, 3, 4}, {"a", "b", "c"}, true, ""},
    };
    for (const LoadCase& c : cases) ExpectLoads(c);
}

TEST(ParseOptions, CtrlZEndsTheFile) {
    const LoadCase cases[] = {
        {"first byte", "\x1A" "1\n2\n3\n4\na\nb\nc\nTRUE\n",
         {0, 0, 0, 0}, {"", "", ""}, false, ""},
        // A Ctrl-Z is not white space before an integer: it is the end.
        {"among the integers", "1\n2\x1A" "3\n4\na\nb\nc\nTRUE\n",
         {1, 2, 0, 0}, {"", "", ""}, false, ""},
        {"after blanks before an integer", "1\n  \n \x1A" "3\n4\na\nb\nc\nTRUE\n",
         {1, 0, 0, 0}, {"", "", ""}, false, ""},
        {"inside a text", "1\n2\n3\n4\nfi\x1Ave\nsix\nseven\nTRUE\n",
         {1, 2, 3, 4}, {"fi", "", ""}, false, ""},
        {"inside the flag line", "1\n2\n3\n4\na\nb\nc\nTR\x1AUE\n",
         {1, 2, 3, 4}, {"a", "b", "c"}, false, ""},
        {"right after the flag", "1\n2\n3\n4\na\nb\nc\nTRUE\x1A\r\nmore\n",
         {1, 2, 3, 4}, {"a", "b", "c"}, true, ""},
        {"inside the tail", "1\r\n2\r\n3\r\n4\r\na\r\nb\r\nc\r\nTRUE\r\nkeep\r\n\x1A" "drop\r\n",
         {1, 2, 3, 4}, {"a", "b", "c"}, true, "keep\r\n"},
    };
    for (const LoadCase& c : cases) ExpectLoads(c);
}

TEST(ParseOptions, ShortFilesAreCompleteWithDefaultsForMissingLines) {
    const LoadCase cases[] = {
        {"empty file", "", {0, 0, 0, 0}, {"", "", ""}, false, ""},
        {"one integer, no line break", "5", {5, 0, 0, 0}, {"", "", ""}, false, ""},
        {"blank lines only", "\r\n\n   \r\n\t\n", {0, 0, 0, 0}, {"", "", ""}, false, ""},
        {"ends after blank integer lines", "1\n2\n   \n\n", {1, 2, 0, 0}, {"", "", ""}, false, ""},
        {"ends inside the texts", "1\n2\n3\n4\nonly five", {1, 2, 3, 4}, {"only five", "", ""}, false, ""},
        {"ends before the flag", "1\n2\n3\n4\na\nb\nc\n", {1, 2, 3, 4}, {"a", "b", "c"}, false, ""},
    };
    for (const LoadCase& c : cases) ExpectLoads(c);
}

TEST(ParseOptions, IntegerLines) {
    const std::string texts = "a\nb\nc\nTRUE\n";
    const std::string zeros31(31, '0');
    const LoadCase cases[] = {
        {"words after the number", "  42 words\n-1 2 3\n$10\tnote\n0x7FFFFFFF\r\n" + texts,
         {42, -1, 16, kMax}, {"a", "b", "c"}, true, ""},
        {"range ends", "-2147483648\n2147483647\n-$80000000\n$7FFFFFFF\n" + texts,
         {kMin, kMax, kMin, kMax}, {"a", "b", "c"}, true, ""},
        // Every byte up to a space counts as white space, NUL included.
        {"control bytes before a number", "\x00\x01\t\x1B \v\f7"s + "\n8\n9\n10\n" + texts,
         {7, 8, 9, 10}, {"a", "b", "c"}, true, ""},
        // An empty line is skipped while looking for a number, so every
        // later value comes from one line further down and the flag falls
        // off the end.
        {"empty line 2", "1\n\n2\n3\n4\nfive\nsix\nTRUE\n",
         {1, 2, 3, 4}, {"five", "six", "TRUE"}, false, ""},
        {"empty lines before line 1 and after line 4", "\r\n\r\n1\n2\n3\n4\n\nfive\nsix\nTRUE\n",
         {1, 2, 3, 4}, {"", "five", "six"}, true, ""},
        // The number is read from at most 32 characters; the rest of the
        // run is skipped with the rest of the line.
        {"run cut after 32 characters",
         "0" + zeros31 + "42\n" + zeros31 + "5\n-" + zeros31 + "9\n$" + zeros31 + "1\n" + texts,
         {0, 5, 0, 0}, {"a", "b", "c"}, true, ""},
        {"32-character run ending the file", "1\n2\n3\n" + zeros31 + "7",
         {1, 2, 3, 7}, {"", "", ""}, false, ""},
    };
    for (const LoadCase& c : cases) ExpectLoads(c);
}

TEST(ParseOptions, TextLinesAreTakenVerbatimExceptCR) {
    const LoadCase cases[] = {
        {"blanks, NUL and high bytes", "1\n2\n3\n4\n  padded  \n\t\0tab\xE9\n\nFALSE\n"s,
         {1, 2, 3, 4}, {"  padded  ", "\t\0tab\xE9"s, ""}, false, ""},
        {"numbers and flags are just text here", "1\n2\n3\n4\n42\nTRUE\n$10 \nfalse\n",
         {1, 2, 3, 4}, {"42", "TRUE", "$10 "}, false, ""},
        {"long text", "1\n2\n3\n4\n" + std::string(5000, 'x') + "\r\nb\r\nc\r\ntrue\r\n",
         {1, 2, 3, 4}, {std::string(5000, 'x'), "b", "c"}, true, ""},
    };
    for (const LoadCase& c : cases) ExpectLoads(c);
}

TEST(ParseOptions, StartUpFlagIsTrueOnlyForTrueInAnyLetterCase) {
    struct Case {
        std::string line;
        bool runAtStartup;
    };
    const Case cases[] = {
        {"TRUE", true}, {"true", true}, {"True", true}, {"tRuE", true},
        {"TRUE\r", true},  // CRs are dropped before comparing
        {"FALSE", false}, {"false", false}, {"", false},
        {"TRUE ", false}, {" TRUE", false}, {"\tTRUE", false}, {"T RUE", false},
        {"1", false}, {"yes", false}, {"TRU", false}, {"TRUEE", false}, {"TRUE\0"s, false},
        {"\xD4RUE", false},  // only a-z is upper-cased
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("line 8 " + Quoted(c.line));
        OptionValues values = Previous();
        values.runAtStartup = !c.runAtStartup;
        ParseResult result = ParseOptions("1\n2\n3\n4\na\nb\nc\n" + c.line + "\r\n", values);
        EXPECT_TRUE(result.complete);
        EXPECT_EQ(values.runAtStartup, c.runAtStartup);
    }
}

TEST(ParseOptions, TailIsEverythingAfterLine8UpToCtrlZ) {
    const std::string lines = "1\r\n2\r\n3\r\n4\r\na\r\nb\r\nc\r\nFALSE\r\n";
    const std::string tails[] = {
        "",
        "\r\n",
        "\n\n",
        "[Extra]\r\nkey=value\rlone CR\n\0NUL and \xFF high bytes"s,
        "no line break",
        "   leading blanks\n",
    };
    for (const std::string& tail : tails) {
        ExpectLoads({"tail", lines + tail, {1, 2, 3, 4}, {"a", "b", "c"}, false, tail});
    }
}

// ---------------------------------------------------------------------------
// ParseOptions: files that do not load completely

TEST(ParseOptions, AnIntegerThatDoesNotConvertStopsTheLoadThere) {
    const std::string texts = "a\nb\nc\nTRUE\n";
    struct Case {
        const char* what;
        std::string file;
        int linesStored;  // the failing line is linesStored + 1
        Integers integers;
    };
    const Case cases[] = {
        {"garbage on line 1", "abc\n2\n3\n4\n" + texts, 0, {-11, -22, -33, -44}},
        {"sign alone", "- 5\n2\n3\n4\n" + texts, 0, {-11, -22, -33, -44}},
        {"decimal point", "1.0\n2\n3\n4\n" + texts, 0, {-11, -22, -33, -44}},
        {"just above the range", "1\n2147483648\n3\n4\n" + texts, 1, {1, -22, -33, -44}},
        {"32-character run that overflows", "1\n1" + std::string(40, '0') + "\n3\n4\n" + texts, 1, {1, -22, -33, -44}},
        {"hex above the range", "1\n2\n$80000000\n4\n" + texts, 2, {1, 2, -33, -44}},
        {"hex prefix alone", "1\n2\n3\n0x\n" + texts, 3, {1, 2, 3, -44}},
        {"number glued to a word", "1\n2\n3\n4th\n" + texts, 3, {1, 2, 3, -44}},
        // The empty line 4 makes line 5's text the fourth integer.
        {"empty line pulls a text up", "1\n2\n3\n\nhello\nsix\nseven\nTRUE\n", 3, {1, 2, 3, -44}},
    };
    const OptionValues previous = Previous();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.what) + ": " + Quoted(c.file));
        OptionValues values = previous;
        ParseResult result = ParseOptions(c.file, values);
        EXPECT_FALSE(result.complete);
        EXPECT_EQ(result.linesStored, c.linesStored);
        ExpectValues(values, c.integers, previous.texts, previous.runAtStartup);
        EXPECT_EQ(result.tail, "");
    }
}

// ---------------------------------------------------------------------------
// FormatOptions

TEST(FormatOptions, WritesEightCrLfLinesThenTheTail) {
    struct Case {
        OptionValues values;
        std::string tail;
        std::string bytes;
    };
    const Case cases[] = {
        {OptionValues{}, "", "0\r\n0\r\n0\r\n0\r\n\r\n\r\n\r\nFALSE\r\n"},
        {OptionValues{{0, -7, kMax, kMin}, {"a b", "  ", "x\0\xE9"s}, true}, "",
         "0\r\n-7\r\n2147483647\r\n-2147483648\r\na b\r\n  \r\nx\0\xE9\r\nTRUE\r\n"s},
        {OptionValues{{100, 10, 1, -100}, {"", "", ""}, false}, "[More]\nraw\r\0end"s,
         "100\r\n10\r\n1\r\n-100\r\n\r\n\r\n\r\nFALSE\r\n[More]\nraw\r\0end"s},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Quoted(FormatOptions(c.values, c.tail)), Quoted(c.bytes));
    }
}

// ---------------------------------------------------------------------------
// Round trip

TEST(OptionsRoundTrip, AnUntidyFileIsRewrittenInCanonicalFormAndReadsBackTheSame) {
    const std::string file = "  $1F comment\n\n-0x10\r\n+7\n0\rtrailing\nfirst\r\nsec\rond\n\nTrue\n[Tail]\nx=1\r\n\x1Agone";
    OptionValues values = Previous();
    ParseResult first = ParseOptions(file, values);
    ASSERT_TRUE(first.complete);

    const std::string written = FormatOptions(values, first.tail);
    EXPECT_EQ(Quoted(written), Quoted("31\r\n-16\r\n7\r\n0\r\nfirst\r\nsecond\r\n\r\nTRUE\r\n[Tail]\nx=1\r\n"));

    OptionValues again;
    ParseResult second = ParseOptions(written, again);
    EXPECT_TRUE(second.complete);
    ExpectSameValues(again, values);
    EXPECT_EQ(second.tail, first.tail);
    EXPECT_EQ(FormatOptions(again, second.tail), written);
}

TEST(OptionsRoundTrip, WrittenValuesReadBackUnchanged) {
    struct Case {
        OptionValues values;
        std::string tail;
    };
    const Case cases[] = {
        {OptionValues{}, ""},
        {OptionValues{{kMin, kMax, -1, 0}, {"  spaced  ", "\t", "TRUE"}, false}, "\r\n"},
        {OptionValues{{1, 2, 3, 4}, {"42", "", "\0\x01\xFF"s}, true}, "\n\n[Section]\r\nkey=value\r"},
        {OptionValues{{-5, 0, 0, 5}, {"", "", ""}, true}, "1\n2\n3\n4\n"},
    };
    for (const Case& c : cases) {
        const std::string written = FormatOptions(c.values, c.tail);
        SCOPED_TRACE(Quoted(written));
        OptionValues read = Previous();
        ParseResult result = ParseOptions(written, read);
        EXPECT_TRUE(result.complete);
        EXPECT_EQ(result.linesStored, kLines);
        ExpectSameValues(read, c.values);
        EXPECT_EQ(result.tail, c.tail);
    }
}

// ---------------------------------------------------------------------------
// Large inputs: reading takes time in proportion to the file's size.

// One pass over `bytes` doing the most per-byte work the reader does (copying
// them without CRs), timed in the same build and on the same machine as the
// reader, so that a bound derived from it holds in debug and sanitizer builds
// and under load alike.
std::chrono::steady_clock::duration OnePass(const std::string& bytes) {
    auto start = std::chrono::steady_clock::now();
    std::string copy;
    copy.reserve(bytes.size());
    for (char c : bytes)
        if (c != '\r') copy.push_back(c);
    auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LE(copy.size(), bytes.size());  // keeps the copy from being optimised away
    return elapsed;
}

TEST(ParseOptions, LargeFilesAreReadInLinearTime) {
    static constexpr std::size_t kSize = 20 * 1024 * 1024;
    using Check = std::function<void(const ParseResult&, const OptionValues&)>;
    struct Case {
        const char* what;
        std::function<std::string()> file;  // made when needed, one at a time
        Check check;
    };
    const Case cases[] = {
        {"one text line without a line break",
         [] { return "1\n2\n3\n4\n" + std::string(kSize, 'x'); },
         [](const ParseResult&, const OptionValues& v) {
             EXPECT_EQ(v.texts[0].size(), kSize);
             EXPECT_EQ(v.texts[1], "");
         }},
        {"one integer line of zeros",
         [] { return std::string(kSize, '0') + "\n2\n3\n4\n"; },
         [](const ParseResult&, const OptionValues& v) { EXPECT_EQ(v.integers, (Integers{0, 2, 3, 4})); }},
        {"line breaks only",
         [] { return std::string(kSize, '\n'); },
         [](const ParseResult& r, const OptionValues& v) {
             EXPECT_EQ(v.integers, (Integers{0, 0, 0, 0}));
             EXPECT_EQ(r.tail, "");
         }},
        {"CRs only",
         [] { return std::string(kSize, '\r'); },
         [](const ParseResult&, const OptionValues& v) { EXPECT_EQ(v.texts, (Texts{"", "", ""})); }},
        {"spaces only",
         [] { return std::string(kSize, ' '); },
         [](const ParseResult&, const OptionValues& v) { EXPECT_EQ(v.integers, (Integers{0, 0, 0, 0})); }},
        {"Ctrl-Z only",
         [] { return std::string(kSize, '\x1A'); },
         [](const ParseResult&, const OptionValues& v) { EXPECT_FALSE(v.runAtStartup); }},
        {"short lines",
         [] {
             std::string s;
             s.reserve(kSize);
             for (std::size_t i = 0; i < kSize / 2; ++i) s += "1\n";
             return s;
         },
         [](const ParseResult& r, const OptionValues& v) {
             EXPECT_EQ(v.integers, (Integers{1, 1, 1, 1}));
             EXPECT_EQ(r.tail.size(), kSize - 2 * kLines);
         }},
        {"a large tail",
         [] { return "1\r\n2\r\n3\r\n4\r\na\r\nb\r\nc\r\nTRUE\r\n" + std::string(kSize, 'y'); },
         [](const ParseResult& r, const OptionValues& v) {
             EXPECT_TRUE(v.runAtStartup);
             EXPECT_EQ(r.tail.size(), kSize);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string file = c.file();
        // The reader makes a few passes at most, so 20 of them plus a second
        // for scheduling is generous; reading that rescans the input would
        // take hours at this size.
        const auto bound = 20 * OnePass(file) + std::chrono::seconds(1);
        OptionValues values = Previous();
        auto start = std::chrono::steady_clock::now();
        ParseResult result = ParseOptions(file, values);
        auto elapsed = std::chrono::steady_clock::now() - start;
        EXPECT_TRUE(result.complete);
        c.check(result, values);
        using std::chrono::milliseconds, std::chrono::duration_cast;
        EXPECT_LT(elapsed, bound) << duration_cast<milliseconds>(elapsed).count() << " ms, allowed "
                                  << duration_cast<milliseconds>(bound).count() << " ms";
    }
}

}  // namespace
}  // namespace settings
