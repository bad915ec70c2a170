#pragma once

#include "fields.h"
#include "platform.h"

#include <string_view>

namespace kodvik {

// The program's texts, shared by the front-ends and the tests.
namespace texts {
inline constexpr std::u16string_view finnsEj = u"Finns ej"; // "does not exist"
inline constexpr std::u16string_view aboveRange = u"Finns ej (> 255)";
inline constexpr std::u16string_view belowRange = u"Finns ej (< 0)";
inline constexpr std::u16string_view messageBoxTitle = u"ASCII <-> Character";
} // namespace texts

// Milliseconds between steps while "<" or ">" is held.
inline constexpr int repeatInterval = 500;

// Everything the buttons and the repeat timer do, on the window's fields. Holds no state of its
// own: only the window it works on and the platform services it converts with.
class CodeLogic {
public:
    CodeLogic(Fields& fields, const NumberConversion& numbers, const CodePage& codePage)
        : fields(fields), numbers(numbers), codePage(codePage)
    {}

    // "character": code text -> character text, a note or a message box ("Character").
    void tecken();
    // Character text -> code text ("ASCII").
    void reverseLookup();
    // "browse right" and "browse left": one code up or down, wrapping, then `tecken` (">", "<").
    void bladdrahoger();
    void bladdravanster();

    // A mouse button goes down on "<" or ">", and comes up again.
    void startRepeat(RepeatDirection direction);
    void stopRepeat();
    void repeatTick();

private:
    Fields& fields;
    const NumberConversion& numbers;
    const CodePage& codePage;
};

} // namespace kodvik
