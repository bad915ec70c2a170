#pragma once

#include <cstdio>
#include <ostream>
#include <string_view>

// Writes UTF-16 text readably in test names and failure messages: ASCII as it is, anything else
// as \uXXXX.
inline void printText(std::u16string_view text, std::ostream* out)
{
    *out << '"';
    for (const char16_t unit : text) {
        if (unit >= 0x20 && unit < 0x7F) {
            *out << static_cast<char>(unit);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(unit));
            *out << escaped;
        }
    }
    *out << '"';
}
