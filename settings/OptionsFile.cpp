#include "settings/OptionsFile.h"

#include <charconv>

namespace settings {
namespace {

constexpr char kEndOfFile = '\x1A';  // Ctrl-Z ends a text file
constexpr std::size_t kMaxIntegerRun = 32;

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads the integer/text stream the way a line-oriented text reader does.
class LineReader {
public:
    explicit LineReader(std::string_view bytes)
        : bytes_(bytes.substr(0, bytes.find(kEndOfFile))) {}

    // Skips blanks and line breaks, then returns the following run of at most
    // 32 non-blank characters (empty at end of file).
    std::string_view NextToken() {
        while (pos_ < bytes_.size() && IsBlank(bytes_[pos_])) ++pos_;
        std::size_t start = pos_;
        while (pos_ < bytes_.size() && pos_ - start < kMaxIntegerRun && !IsBlank(bytes_[pos_])) ++pos_;
        return bytes_.substr(start, pos_ - start);
    }

    // Returns the rest of the current line without its line break and moves
    // past it. A line ends at LF; CRs inside it are dropped.
    std::string RestOfLine() {
        std::size_t end = LineEnd();
        std::string line;
        line.reserve(end - pos_);
        for (std::size_t i = pos_; i < end; ++i)
            if (bytes_[i] != '\r') line.push_back(bytes_[i]);
        MoveAfter(end);
        return line;
    }

    void SkipRestOfLine() { MoveAfter(LineEnd()); }

    std::string_view Remaining() const { return bytes_.substr(pos_); }

private:
    std::size_t LineEnd() const {
        std::size_t lf = bytes_.find('\n', pos_);
        return lf == std::string_view::npos ? bytes_.size() : lf;
    }
    void MoveAfter(std::size_t end) { pos_ = end < bytes_.size() ? end + 1 : end; }

    std::string_view bytes_;
    std::size_t pos_ = 0;
};

}  // namespace

bool ParseInteger(std::string_view s, std::int32_t& value) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';

    int base = 10;
    if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == s.size()) return false;

    // Accumulate the magnitude; -2147483648 is the one value whose magnitude
    // exceeds the positive range.
    const std::uint64_t limit = negative ? 0x80000000u : 0x7FFFFFFFu;
    std::uint64_t magnitude = 0;
    for (; i < s.size(); ++i) {
        int digit = base == 16 ? HexDigit(s[i]) : (s[i] >= '0' && s[i] <= '9' ? s[i] - '0' : -1);
        if (digit < 0) return false;
        magnitude = magnitude * base + digit;
        if (magnitude > limit) return false;
    }
    value = negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude))
                     : static_cast<std::int32_t>(magnitude);
    return true;
}

ParseResult ParseOptions(std::string_view bytes, OptionValues& values) {
    ParseResult result;
    LineReader reader(bytes);

    for (auto& integer : values.integers) {
        std::string_view token = reader.NextToken();
        std::int32_t parsed = 0;  // end of file reads as 0
        if (!token.empty() && !ParseInteger(token, parsed)) return result;
        integer = parsed;
        ++result.linesStored;
        reader.SkipRestOfLine();
    }
    for (auto& text : values.texts) {
        text = reader.RestOfLine();
        ++result.linesStored;
    }

    std::string flag = reader.RestOfLine();
    for (char& c : flag)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    values.runAtStartup = flag == "TRUE";
    ++result.linesStored;

    result.tail = std::string(reader.Remaining());
    result.complete = true;
    return result;
}

std::string FormatOptions(const OptionValues& values, std::string_view tail) {
    std::string out;
    for (std::int32_t integer : values.integers) {
        char digits[16];
        auto [end, ec] = std::to_chars(digits, digits + sizeof digits, integer);
        out.append(digits, end);
        out += "\r\n";
    }
    for (const auto& text : values.texts) {
        out += text;
        out += "\r\n";
    }
    out += values.runAtStartup ? "TRUE\r\n" : "FALSE\r\n";
    out += tail;
    return out;
}

}  // namespace settings
