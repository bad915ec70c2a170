#pragma once

#include <string>
#include <string_view>

namespace kodvik {

// Shortest decimal form: digits, with a leading hyphen-minus for negative numbers.
[[nodiscard]] std::u16string decimal(int number);

// Strips leading and trailing U+0020 only; a no-break space stays.
[[nodiscard]] std::u16string_view trim(std::u16string_view text);

} // namespace kodvik
