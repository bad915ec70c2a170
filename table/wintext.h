#pragma once

// Text across the Win32 calls, for the table file and the Windows window. Windows only.

#include <string>
#include <string_view>

namespace kodvik {

// wchar_t is UTF-16 on Windows: the same units as char16_t, so these copy unit by unit.
[[nodiscard]] std::wstring toWide(std::u16string_view text);
[[nodiscard]] std::u16string toU16(std::wstring_view text);

// Invalid UTF-8 becomes U+FFFD; nothing is dropped silently.
[[nodiscard]] std::wstring wideFromUtf8(std::string_view text);
[[nodiscard]] std::string utf8FromWide(std::wstring_view text);

// The system's own words for a Win32 error code, UTF-8, without the line break that
// FormatMessageW ends them with; "error N" where the system has no words for it.
[[nodiscard]] std::string systemReason(unsigned long error);

} // namespace kodvik
