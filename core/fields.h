#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kodvik {

// Which way a held "<" or ">" keeps stepping; the window keeps it as `iBladdra` (browse).
enum class RepeatDirection : std::int16_t { None = 0, Down = 1, Up = 2 };

// The state the user sees, owned by the window. The code logic keeps nothing of its own and
// reaches the window only through this interface; tests implement it in memory.
class Fields {
public:
    virtual ~Fields() = default;

    [[nodiscard]] virtual std::u16string codeText() const = 0;
    virtual void setCodeText(std::u16string_view text) = 0;
    [[nodiscard]] virtual std::u16string characterText() const = 0;
    virtual void setCharacterText(std::u16string_view text) = 0;
    // The note is output only: nothing ever reads it back.
    virtual void setNoteText(std::u16string_view text) = 0;

    virtual void setRepeatTimerEnabled(bool enabled) = 0;
    // An interval of 0 never ticks, even while enabled.
    virtual void setRepeatInterval(int milliseconds) = 0;
    [[nodiscard]] virtual RepeatDirection repeatDirection() const = 0;
    virtual void setRepeatDirection(RepeatDirection direction) = 0;

    // Modal, with a single OK button and no icon; returns once the user has dismissed it.
    virtual void showMessageBox(std::u16string_view text, std::u16string_view title) = 0;

protected:
    Fields() = default;
    Fields(const Fields&) = default;
    Fields& operator=(const Fields&) = default;
};

} // namespace kodvik
