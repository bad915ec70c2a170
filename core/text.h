#pragma once

#include <string>
#include <string_view>

namespace kodvik {

// Shortest decimal form: digits, with a leading hyphen-minus for negative numbers.
[[nodiscard]] std::u16string decimal(int number);

// Strips leading and trailing U+0020 only; a no-break space stays.
[[nodiscard]] std::u16string_view trim(std::u16string_view text);

// The two halves of a UTF-16 surrogate pair, which together stand for a character beyond the BMP.
[[nodiscard]] constexpr bool isHighSurrogate(char32_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

[[nodiscard]] constexpr bool isLowSurrogate(char32_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The text less every half of a surrogate pair that stands alone. A field holds whole characters
// only: the text is whole when this gives it back unchanged.
[[nodiscard]] std::u16string wholeCharactersOf(std::u16string_view text);

} // namespace kodvik
