#include "windows1252.h"

#include <algorithm>
#include <array>

namespace kodvik {

namespace {

// 0x80 to 0x9F; every other byte is the Latin-1 character of the same number.
constexpr std::array<char16_t, 32> highControls{
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',
};

constexpr std::uint8_t firstHigh = 0x80;
constexpr std::uint8_t lastHigh = 0x9F;

constexpr char16_t toUnicode(std::uint8_t code)
{
    return code >= firstHigh && code <= lastHigh ? highControls.at(code - firstHigh)
                                                 : char16_t{code};
}

} // namespace

std::u16string Windows1252::characterOf(std::uint8_t code) const
{
    return std::u16string(1, toUnicode(code));
}

std::optional<std::uint8_t> Windows1252::codeOf(std::u16string_view text) const
{
    if (text.empty()) {
        return std::nullopt;
    }
    const char16_t character = text.front();
    if (character < firstHigh || (character > lastHigh && character <= 0xFF)) {
        return static_cast<std::uint8_t>(character);
    }
    // A surrogate never matches here, so a character beyond the BMP has no code either.
    const auto* found = std::ranges::find(highControls, character);
    if (found == highControls.end()) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(firstHigh + (found - highControls.begin()));
}

} // namespace kodvik
