#include "portablenumbers.h"

#include "text.h"

#include <charconv>
#include <cmath>
#include <limits>
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

// The number written with "." as separator and without a leading "+", so that
// std::from_chars can read it; nothing when the text is not numeric.
std::optional<std::string> canonical(std::u16string_view text, char16_t separator)
{
    text = trim(text);
    std::string number;
    number.reserve(text.size());
    std::size_t at = 0;
    const auto digitsFrom = [&] {
        const std::size_t start = at;
        while (at < text.size() && isDigit(text[at])) {
            number.push_back(static_cast<char>(text[at++]));
        }
        return at - start;
    };

    if (at < text.size() && isSign(text[at])) {
        if (text[at] == u'-') {
            number.push_back('-');
        }
        ++at;
    }
    std::size_t mantissaDigits = digitsFrom();
    if (at < text.size() && text[at] == separator) {
        number.push_back('.');
        ++at;
        mantissaDigits += digitsFrom();
    }
    if (mantissaDigits == 0) {
        return std::nullopt;
    }
    if (at < text.size() && (text[at] == u'e' || text[at] == u'E')) {
        number.push_back('e');
        ++at;
        if (at < text.size() && isSign(text[at])) {
            number.push_back(static_cast<char>(text[at++]));
        }
        if (digitsFrom() == 0) {
            return std::nullopt;
        }
    }
    if (at != text.size()) {
        return std::nullopt;
    }
    return number;
}

// Where from_chars reports a value out of double's range, the side it fell off decides:
// far from zero saturates, close to zero is zero. The first significant digit's place in
// the mantissa, moved by the exponent, tells which.
bool isTooLarge(const std::string& number)
{
    const auto exponentAt = number.find('e');
    const std::string_view mantissa = std::string_view(number).substr(0, exponentAt);
    long long exponent = 0;
    if (exponentAt != std::string::npos) {
        const char* first = number.data() + exponentAt + 1;
        first += (*first == '+') ? 1 : 0;
        const auto [end, error] = std::from_chars(first, number.data() + number.size(), exponent);
        if (error == std::errc::result_out_of_range) {
            return *first != '-';
        }
    }
    const auto point = mantissa.find('.');
    const auto significant = mantissa.find_first_of("123456789");
    if (significant == std::string_view::npos) {
        return false;
    }
    const auto pointAt = point == std::string_view::npos ? mantissa.size() : point;
    const long long magnitude = significant < pointAt
                                    ? static_cast<long long>(pointAt - significant)
                                    : -static_cast<long long>(significant - pointAt - 1);
    return exponent > -magnitude; // magnitude + exponent > 0, without overflow
}

} // namespace

bool PortableNumbers::isNumeric(std::u16string_view text) const
{
    return canonical(text, separator).has_value();
}

Code PortableNumbers::toCode(std::u16string_view text) const
{
    const auto number = canonical(text, separator);
    if (!number) {
        return 0;
    }
    const bool negative = number->front() == '-';
    double value = 0.0;
    const auto [end, error] =
        std::from_chars(number->data(), number->data() + number->size(), value);
    if (error == std::errc::result_out_of_range) {
        if (!isTooLarge(*number)) {
            return 0;
        }
        value = negative ? -std::numeric_limits<double>::infinity()
                         : std::numeric_limits<double>::infinity();
    }
    // nearbyint under the default rounding mode rounds a half to the even neighbour.
    const double rounded = std::nearbyint(value);
    if (rounded >= std::numeric_limits<Code>::max()) {
        return std::numeric_limits<Code>::max();
    }
    if (rounded <= std::numeric_limits<Code>::min()) {
        return std::numeric_limits<Code>::min();
    }
    return static_cast<Code>(rounded);
}

} // namespace kodvik
