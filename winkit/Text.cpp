#include "winkit/Text.h"

#include <charconv>
#include <climits>

namespace winkit {

std::wstring SystemErrorText(DWORD error) {
    wchar_t* buffer = nullptr;
    DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer ? buffer : L"", length);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ' || text.back() == L'.'))
        text.pop_back();
    if (text.empty()) text = L"error " + DecimalText(error);
    return text;
}

std::wstring FromAnsi(std::string_view bytes) {
    if (bytes.empty() || bytes.size() > INT_MAX) return {};
    int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(length, L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), length);
    return text;
}

std::string ToAnsi(std::wstring_view text, bool* substituted) {
    BOOL usedDefault = FALSE;
    std::string bytes;
    if (!text.empty() && text.size() <= INT_MAX) {
        int size = static_cast<int>(text.size());
        int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, nullptr, 0, nullptr, nullptr);
        bytes.resize(length);
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, bytes.data(), length, nullptr,
                            &usedDefault);
    }
    if (substituted) *substituted = usedDefault != FALSE;
    return bytes;
}

std::wstring DecimalText(long long value) {
    char digits[24];
    char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    return std::wstring(digits, end);
}

}  // namespace winkit
