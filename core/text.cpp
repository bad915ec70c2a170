#include "text.h"

#include <charconv>

namespace kodvik {

std::u16string decimal(int number)
{
    char digits[16]{};
    const auto end = std::to_chars(digits, std::end(digits), number).ptr;
    return {digits, end};
}

std::u16string_view trim(std::u16string_view text)
{
    const auto first = text.find_first_not_of(u' ');
    if (first == std::u16string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

std::u16string wholeCharactersOf(std::u16string_view text)
{
    std::u16string whole;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (isHighSurrogate(text[at]) && at + 1 < text.size() && isLowSurrogate(text[at + 1])) {
            whole.append(text.substr(at, 2));
            ++at;
        } else if (!isHighSurrogate(text[at]) && !isLowSurrogate(text[at])) {
            whole.push_back(text[at]);
        }
    }
    return whole;
}

} // namespace kodvik
