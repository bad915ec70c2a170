#pragma once

#include "platform.h"

namespace kodvik {

// The number conversion where the platform has none, for the user's decimal separator.
//
// Grammar of a numeric text, nothing else counts (no group separators, currency, hexadecimal,
// "inf", "nan", parentheses or trailing sign):
//
//     spaces [+|-] mantissa [(e|E) [+|-] digits] spaces
//     mantissa = digits | digits SEP | SEP digits | digits SEP digits
//
// where spaces are zero or more U+0020, digits one or more of 0-9 and SEP the separator.
// Accepted with ".": "65", " 12 ", "-0", "+7", "2.5", "7.", ".5", "9e9", "1E-2".
// Refused: "", " ", "-", ".", "1e", "e5", "1 2", "1,5", "0x41", "(1)", "1-", "١".
class PortableNumbers final : public NumberConversion {
public:
    explicit PortableNumbers(char16_t decimalSeparator) : separator(decimalSeparator) {}

    [[nodiscard]] bool isNumeric(std::u16string_view text) const override;
    [[nodiscard]] Code toCode(std::u16string_view text) const override;

private:
    char16_t separator;
};

} // namespace kodvik
