// Text helpers: the system's words for an error code, and conversion between
// UTF-16 and the ANSI code page.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace winkit {

// The system's message for a Win32 error code, without a trailing line break
// or full stop; "error N" when the system has no text for it.
std::wstring SystemErrorText(DWORD error);

// ANSI code page bytes to UTF-16.
std::wstring FromAnsi(std::string_view bytes);

// UTF-16 to ANSI code page bytes. A character the code page cannot hold is
// written as the code page's default character, never best-fitted to another
// letter; `substituted`, when given, says whether that happened.
std::string ToAnsi(std::wstring_view text, bool* substituted = nullptr);

// The decimal digits of `value`, with a minus sign when negative. Used instead
// of std::to_wstring, which brings the C runtime's whole printf engine (with
// floating point) into the program for this one job.
std::wstring DecimalText(long long value);

}  // namespace winkit
