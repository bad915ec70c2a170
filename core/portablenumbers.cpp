#include "portablenumbers.h"

#include "text.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string>

namespace kodvik {

namespace {

constexpr bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}
constexpr bool isSign(char16_t c)
{
    return c == u'+' || c == u'-';
}

// A numeric text as an exact decimal: the value is digits × 10^scale. Read in decimal rather
// than through a double, whose rounding of a long text could land on a half that the text is
// not (0.50000000000000001 would become 0.5 and round down).
struct Decimal {
    bool negative = false;
    std::string digits; // without leading or trailing zeros; empty for zero
    long long scale = 0;
};

// Exponents beyond this put the value far outside 16 bits or far below one half either way,
// whatever the length of the digits; stopping there keeps the arithmetic in range.
constexpr long long exponentCap = 1'000'000'000'000;

// Nothing when the text is not numeric.
std::optional<Decimal> parse(std::u16string_view text, char16_t separator)
{
    text = trim(text);
    Decimal number;
    std::size_t at = 0;
    std::size_t mantissaDigits = 0;
    std::size_t fractionDigits = 0;
    const auto digitsFrom = [&] {
        const std::size_t start = at;
        while (at < text.size() && isDigit(text[at])) {
            number.digits.push_back(static_cast<char>(text[at++]));
        }
        return at - start;
    };

    if (at < text.size() && isSign(text[at])) {
        number.negative = text[at++] == u'-';
    }
    mantissaDigits = digitsFrom();
    if (at < text.size() && text[at] == separator) {
        ++at;
        fractionDigits = digitsFrom();
        mantissaDigits += fractionDigits;
    }
    if (mantissaDigits == 0) {
        return std::nullopt;
    }
    long long exponent = 0;
    if (at < text.size() && (text[at] == u'e' || text[at] == u'E')) {
        ++at;
        bool negativeExponent = false;
        if (at < text.size() && isSign(text[at])) {
            negativeExponent = text[at++] == u'-';
        }
        const std::size_t start = at;
        for (; at < text.size() && isDigit(text[at]); ++at) {
            exponent = std::min(exponentCap, exponent * 10 + (text[at] - u'0'));
        }
        if (at == start) {
            return std::nullopt;
        }
        exponent = negativeExponent ? -exponent : exponent;
    }
    if (at != text.size()) {
        return std::nullopt;
    }

    number.scale = exponent - static_cast<long long>(fractionDigits);
    const auto last = number.digits.find_last_not_of('0');
    number.scale += static_cast<long long>(number.digits.size()) -
                    static_cast<long long>(last == std::string::npos ? 0 : last + 1);
    number.digits.erase(last == std::string::npos ? 0 : last + 1);
    number.digits.erase(0, number.digits.find_first_not_of('0'));
    return number;
}

// The nearest whole number, a half going to the even one, as a magnitude capped just past
// the 16-bit range.
long long roundedMagnitude(const Decimal& number)
{
    constexpr long long beyondCode = 100'000;
    constexpr long long wholeDigitsBeyond = 6; // 100000 and more
    const long long wholeDigits = static_cast<long long>(number.digits.size()) + number.scale;
    if (number.digits.empty() || wholeDigits < 0) {
        return 0; // below 0.1
    }
    if (wholeDigits >= wholeDigitsBeyond) {
        return beyondCode;
    }
    long long whole = 0;
    for (long long place = 0; place < wholeDigits; ++place) {
        const auto at = static_cast<std::size_t>(place);
        whole = whole * 10 + (at < number.digits.size() ? number.digits[at] - '0' : 0);
    }
    // Without trailing zeros the fraction is exactly one half only when it is "5".
    const std::string_view fraction =
        std::string_view(number.digits)
            .substr(
                std::min<std::size_t>(static_cast<std::size_t>(wholeDigits), number.digits.size()));
    if (fraction.empty() || fraction < "5") {
        return whole;
    }
    if (fraction == "5") {
        return whole % 2 == 0 ? whole : whole + 1;
    }
    return whole + 1;
}

} // namespace

bool PortableNumbers::isNumeric(std::u16string_view text) const
{
    return parse(text, separator).has_value();
}

Code PortableNumbers::toCode(std::u16string_view text) const
{
    const auto number = parse(text, separator);
    if (!number) {
        return 0;
    }
    const long long magnitude = roundedMagnitude(*number);
    if (number->negative) {
        return static_cast<Code>(
            -std::min<long long>(magnitude, -std::numeric_limits<Code>::min()));
    }
    return static_cast<Code>(std::min<long long>(magnitude, std::numeric_limits<Code>::max()));
}

} // namespace kodvik
