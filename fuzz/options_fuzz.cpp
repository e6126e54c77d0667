// libFuzzer target for the Options.ini reader. Besides not crashing, every
// input must give a consistent ParseResult, and a file that loads completely
// must survive being written and read again:
//   ParseOptions(FormatOptions(values, tail)) gives the same values and tail,
//   and formatting those gives the same bytes again.
// The first integer is also checked against a second, independent reading of
// line 1, done here with std::from_chars.
// Built and run by scripts/fuzz.
#include "settings/OptionsFile.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

using settings::OptionValues;
using settings::ParseResult;

[[noreturn]] void Fail(const char* what, int line) {
    std::fprintf(stderr, "options_fuzz.cpp:%d: check failed: %s\n", line, what);
    std::abort();
}
#define CHECK(condition) ((condition) ? (void)0 : Fail(#condition, __LINE__))

bool Same(const OptionValues& a, const OptionValues& b) {
    return a.integers == b.integers && a.texts == b.texts && a.runAtStartup == b.runAtStartup;
}

// Non-default starting values: a failed load must leave the fields it did not
// store holding these.
OptionValues Previous() {
    OptionValues v;
    v.integers = {-11, -22, -33, -44};
    v.texts = {"old 5", "old 6", "old 7"};
    v.runAtStartup = true;
    return v;
}

// What an integer token stands for, or nothing when it does not convert: an
// optional sign, then decimal digits, or hex digits after "$", "x", "X", "0x"
// or "0X"; the value must fit a signed 32-bit integer.
std::optional<std::int32_t> ReferenceInteger(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    for (std::string_view prefix : {"0x", "0X", "$", "x", "X"}) {
        if (s.substr(0, prefix.size()) == prefix) {
            base = 16;
            s.remove_prefix(prefix.size());
            break;
        }
    }
    if (s.empty()) return std::nullopt;
    while (s.size() > 1 && s.front() == '0') s.remove_prefix(1);
    if (s.size() > 16) return std::nullopt;  // garbage, or too big either way
    std::uint64_t magnitude = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), magnitude, base);
    if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
    if (magnitude > (negative ? 0x80000000u : 0x7FFFFFFFu)) return std::nullopt;
    return static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(magnitude)
                                              : static_cast<std::int64_t>(magnitude));
}

// Line 1's integer token: after bytes up to a space (line breaks included),
// the next run of at most 32 bytes above a space.
std::string_view FirstToken(std::string_view content) {
    std::size_t start = 0;
    while (start < content.size() && static_cast<unsigned char>(content[start]) <= ' ') ++start;
    std::size_t end = start;
    while (end < content.size() && end - start < 32 && static_cast<unsigned char>(content[end]) > ' ') ++end;
    return content.substr(start, end - start);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // The reader sees nothing from the first Ctrl-Z on.
    const std::string_view content = input.substr(0, input.find('\x1A'));

    const OptionValues previous = Previous();
    OptionValues values = previous;
    const ParseResult result = settings::ParseOptions(input, values);

    CHECK(result.linesStored >= 0 && result.linesStored <= settings::kLines);
    CHECK(result.complete == (result.linesStored == settings::kLines));

    // The token converter agrees with the reference, on short inputs taken
    // whole and on line 1 as the reader sees it.
    if (size <= 48) {
        std::int32_t value = 0;
        const std::optional<std::int32_t> expected = ReferenceInteger(input);
        CHECK(settings::ParseInteger(input, value) == expected.has_value());
        CHECK(!expected || value == *expected);
    }
    const std::string_view first = FirstToken(content);
    const std::optional<std::int32_t> firstValue = first.empty() ? 0 : ReferenceInteger(first);
    CHECK((result.linesStored > 0) == firstValue.has_value());
    CHECK(!firstValue || values.integers[0] == *firstValue);

    if (!result.complete) {
        // Only an integer line can fail; it and everything after it keep
        // their previous values, and there is no tail.
        CHECK(result.linesStored < settings::kIntegerLines);
        for (int i = result.linesStored; i < settings::kIntegerLines; ++i)
            CHECK(values.integers[i] == previous.integers[i]);
        CHECK(values.texts == previous.texts);
        CHECK(values.runAtStartup == previous.runAtStartup);
        CHECK(result.tail.empty());
        return 0;
    }

    // A complete load does not depend on what the values held before.
    OptionValues fromDefaults;
    const ParseResult again = settings::ParseOptions(input, fromDefaults);
    CHECK(again.complete && again.tail == result.tail);
    CHECK(Same(fromDefaults, values));

    // Texts are single lines without CR; the tail is the end of the content.
    for (const std::string& text : values.texts)
        CHECK(text.find_first_of("\r\n\x1A") == std::string::npos);
    CHECK(result.tail.size() <= content.size());
    CHECK(content.substr(content.size() - result.tail.size()) == result.tail);

    // Round trip.
    const std::string written = settings::FormatOptions(values, result.tail);
    OptionValues reread = Previous();
    const ParseResult second = settings::ParseOptions(written, reread);
    CHECK(second.complete);
    CHECK(second.linesStored == settings::kLines);
    CHECK(Same(reread, values));
    CHECK(second.tail == result.tail);
    CHECK(settings::FormatOptions(reread, second.tail) == written);
    return 0;
}
