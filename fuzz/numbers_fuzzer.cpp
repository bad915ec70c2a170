// Checks the portable number reading against a second, deliberately different reading of the
// same grammar: a regular expression over the text mapped to ASCII, and the rounding done on
// the decimal digits themselves, so no binary floating point can blur a half.
//
// Input: one byte picks the decimal separator ("." , "," or the Arabic U+066B), then UTF-16
// units: a byte below 0xF8 is that Latin-1 character, 0xF8 and above take the next two bytes,
// little-endian, as any unit.
#include "portablenumbers.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <optional>
#include <regex>
#include <string>

namespace {

// std::regex matches by recursion, one level per character: past a few hundred it would
// exhaust the stack before it told us anything about the number reading.
constexpr std::size_t maxUnits = 300;

// Any exponent beyond this puts the point far outside the few hundred digits.
constexpr long long farAway = 1'000'000;

constexpr std::array<char16_t, 3> separators{u'.', u',', u'\u066B'};

std::u16string decode(const std::uint8_t* data, std::size_t size)
{
    std::u16string text;
    for (std::size_t at = 0; at < size && text.size() < maxUnits;) {
        const std::uint8_t first = data[at++];
        if (first < 0xF8) {
            text.push_back(first);
            continue;
        }
        const std::uint8_t low = at < size ? data[at++] : 0;
        const std::uint8_t high = at < size ? data[at++] : 0;
        text.push_back(static_cast<char16_t>(low | (high << 8)));
    }
    return text;
}

// Every unit that the grammar knows stays, the separator becomes "." and everything else
// becomes "#", which no rule accepts.
std::string toAscii(std::u16string_view text, char16_t separator)
{
    std::string ascii;
    for (const char16_t c : text) {
        if (c == separator) {
            ascii.push_back('.');
        } else if ((c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'e' || c == u'E' ||
                   c == u' ') {
            ascii.push_back(static_cast<char>(c));
        } else {
            ascii.push_back('#');
        }
    }
    return ascii;
}

struct Parts {
    bool negative;
    std::string digits;   // integer and fraction digits, joined
    long long pointAfter; // the decimal point's place in `digits`, moved by the exponent
};

std::optional<Parts> parse(const std::string& ascii)
{
    static const std::regex grammar(
        R"(^ *([+-]?)([0-9]*)(?:\.([0-9]*))?(?:[eE]([+-]?)([0-9]+))? *$)");
    std::smatch match;
    if (!std::regex_match(ascii, match, grammar) || match[2].length() + match[3].length() == 0) {
        return std::nullopt;
    }
    const std::string exponentDigits = match[5].str();
    long long exponent = std::accumulate(
        exponentDigits.begin(), exponentDigits.end(), 0LL,
        [](long long sum, char digit) { return std::min(farAway, sum * 10 + (digit - '0')); });
    if (match[4] == "-") {
        exponent = -exponent;
    }
    return Parts{match[1] == "-", match[2].str() + match[3].str(),
                 static_cast<long long>(match[2].length()) + exponent};
}

// The nearest integer to the decimal number, a half going to the even neighbour, clamped to
// 16 bits.
kodvik::Code round(const Parts& parts)
{
    const auto firstNonZero = parts.digits.find_first_not_of('0');
    if (firstNonZero == std::string::npos) {
        return 0;
    }
    const std::string digits = parts.digits.substr(firstNonZero);
    const long long point = parts.pointAfter - static_cast<long long>(firstNonZero);
    constexpr long long limit = 32768;
    const auto clamp = [&](long long magnitude) {
        return static_cast<kodvik::Code>(parts.negative ? -std::min(magnitude, limit)
                                                        : std::min(magnitude, limit - 1));
    };
    if (point > 5) { // at least 100000
        return clamp(limit);
    }
    if (point < 0) { // below 0.1
        return 0;
    }
    long long whole = 0;
    for (long long i = 0; i < point; ++i) {
        const auto at = static_cast<std::size_t>(i);
        whole = whole * 10 + (at < digits.size() ? digits[at] - '0' : 0);
    }
    const std::string fraction =
        static_cast<std::size_t>(point) < digits.size() ? digits.substr(point) : std::string();
    if (!fraction.empty()) {
        const bool aboveHalf =
            fraction[0] > '5' ||
            (fraction[0] == '5' && fraction.find_first_not_of('0', 1) != std::string::npos);
        const bool half = fraction[0] == '5' && !aboveHalf;
        if (aboveHalf || (half && whole % 2 == 1)) {
            ++whole;
        }
    }
    return clamp(whole);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const char16_t separator = separators.at(data[0] % separators.size());
    const std::u16string text = decode(data + 1, size - 1);
    const kodvik::PortableNumbers numbers(separator);

    const auto expected = parse(toAscii(text, separator));
    if (numbers.isNumeric(text) != expected.has_value()) {
        __builtin_trap();
    }
    if (expected && numbers.toCode(text) != round(*expected)) {
        __builtin_trap();
    }
    return 0;
}
