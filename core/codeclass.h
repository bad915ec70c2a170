#pragma once

#include <cstdint>
#include <string_view>

namespace kodvik {

// How the lookup presents each code 0 to 255. The classes go by code number, whatever the code
// page: the five "no character" codes above 127 are the ones Windows-1252 leaves unassigned.
enum class CodeClass {
    Shown,       // the character goes into the character field
    Named,       // a note names it: "tab", "Space" ...
    NoCharacter, // the note says "Finns ej"
    MessageBox,  // the character is shown in a message box instead
};

[[nodiscard]] CodeClass codeClass(std::uint8_t code);

// The name of a Named code ("backspace", "tab", "linefeed", "carriage return", "Space");
// empty for every other code.
[[nodiscard]] std::u16string_view codeName(std::uint8_t code);

} // namespace kodvik
