// The product's settings file, Options.ini: eight lines whose meaning is their
// line number. Lines 1-4 are signed 32-bit integers, lines 5-7 free text,
// line 8 the start-up flag ("TRUE"/"FALSE"). Texts are bytes in the system's
// ANSI code page; conversion to UTF-16 is the caller's business.
//
// Portable: no Windows headers, so the format can be tested and fuzzed natively.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace settings {

inline constexpr int kIntegerLines = 4;
inline constexpr int kTextLines = 3;
inline constexpr int kLines = kIntegerLines + kTextLines + 1;

struct OptionValues {
    std::array<std::int32_t, kIntegerLines> integers{};  // lines 1-4
    std::array<std::string, kTextLines> texts;           // lines 5-7, ANSI bytes
    bool runAtStartup = false;                           // line 8
};

struct ParseResult {
    // True when all eight lines were read; false when an integer line did not
    // convert. A short file is complete: missing lines read as 0, "" and false.
    bool complete = false;
    // How many lines, from line 1, were stored into the values. On failure the
    // failing line and every later one keep what the values held before.
    int linesStored = 0;
    // Bytes after the eighth line's line break, up to the end of the file or
    // the first Ctrl-Z. Written back unchanged so nothing after line 8 is lost.
    std::string tail;
};

// Converts one integer token: an optional sign, then decimal digits or hex
// digits after "$", "x", "X", "0x" or "0X". The whole token must convert and
// the value must fit a signed 32-bit integer.
bool ParseInteger(std::string_view token, std::int32_t& value);

// Reads the file's bytes into `values`, line by line, in order.
ParseResult ParseOptions(std::string_view bytes, OptionValues& values);

// The file's bytes for `values`: eight lines ended by CR LF, then `tail`.
std::string FormatOptions(const OptionValues& values, std::string_view tail);

}  // namespace settings
