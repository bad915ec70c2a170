#pragma once

#include "platform.h"

namespace kodvik {

// The system's ANSI code page, through the system's own conversions. Where the ANSI code page is
// not single-byte (East Asian systems, or UTF-8 as the system code page) it is Windows-1252, which
// is what the code classes are drawn for.
class AnsiCodePage final : public CodePage {
public:
    AnsiCodePage();
    // A given code page in place of the system's, with the same fallback; for the tests.
    explicit AnsiCodePage(unsigned int codePage);

    [[nodiscard]] unsigned int number() const { return codePage; }

    // A byte the code page leaves undefined gives U+FFFD.
    [[nodiscard]] std::u16string characterOf(std::uint8_t code) const override;
    // Exact matches only: no best fit, so "Ā" is not taken for "A" nor "∞" for "8".
    [[nodiscard]] std::optional<std::uint8_t> codeOf(std::u16string_view text) const override;

private:
    unsigned int codePage;
};

} // namespace kodvik
