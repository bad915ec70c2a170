#pragma once

#include "platform.h"

namespace kodvik {

// The number reading of OLE Automation under a locale, the user's unless a test gives another:
// VarR8FromStr decides what is a number, VarI2FromStr gives the code and rounds a half to the
// even neighbour. Besides plain decimals the system takes what it takes: group separators,
// currency symbols, a sign in parentheses or after the digits, "&H" hexadecimal.
class OleNumbers final : public NumberConversion {
public:
    OleNumbers();
    explicit OleNumbers(unsigned long locale);

    [[nodiscard]] bool isNumeric(std::u16string_view text) const override;
    // A value beyond 16 bits saturates by its sign rather than failing, as everywhere else.
    [[nodiscard]] Code toCode(std::u16string_view text) const override;

private:
    unsigned long locale;
};

} // namespace kodvik
