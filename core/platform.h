#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kodvik {

// A code is the 16-bit number read from the code text; only 0 to 255 name a character.
using Code = std::int16_t;

// Reads the code text as a number. Each platform brings its own (Windows its OLE Automation
// conversion); PortableNumbers stands in where there is none.
class NumberConversion {
public:
    virtual ~NumberConversion() = default;

    [[nodiscard]] virtual bool isNumeric(std::u16string_view text) const = 0;
    // Only for numeric texts. Rounds half to even; values beyond 16 bits saturate.
    [[nodiscard]] virtual Code toCode(std::u16string_view text) const = 0;

protected:
    NumberConversion() = default;
    NumberConversion(const NumberConversion&) = default;
    NumberConversion& operator=(const NumberConversion&) = default;
};

// A single-byte code page: a character for each byte, and back.
class CodePage {
public:
    virtual ~CodePage() = default;

    // One character, as UTF-16.
    [[nodiscard]] virtual std::u16string characterOf(std::uint8_t code) const = 0;
    // The byte of the text's first character, or nothing when the code page lacks it
    // (or the text is empty).
    [[nodiscard]] virtual std::optional<std::uint8_t> codeOf(std::u16string_view text) const = 0;

protected:
    CodePage() = default;
    CodePage(const CodePage&) = default;
    CodePage& operator=(const CodePage&) = default;
};

} // namespace kodvik
