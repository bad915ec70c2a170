#pragma once

#include "platform.h"

namespace kodvik {

// Windows-1252, exact. Its five unassigned bytes (129, 141, 143, 144, 157) map to the C1
// controls of the same number, so every byte survives a round trip.
class Windows1252 final : public CodePage {
public:
    [[nodiscard]] std::u16string characterOf(std::uint8_t code) const override;
    [[nodiscard]] std::optional<std::uint8_t> codeOf(std::u16string_view text) const override;
};

} // namespace kodvik
