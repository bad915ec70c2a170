// Drives the code logic with any sequence of typed texts and button, mouse and timer events on
// fields in memory, and traps as soon as the fields show something the window never may.
//
// Input: one byte picks the decimal separator (even ".", odd ","), then operations, each an
// opcode byte (taken modulo 9) with its operands:
//   0 n units...  type the code text      (n modulo 8 UTF-16 units, the field takes 3)
//   1 n units...  type the character text (n modulo 4 UTF-16 units, the field takes 1)
//   2 tecken   3 reverse lookup   4 bladdrahoger   5 bladdravanster
//   6 d           mouse down, d modulo 3 = none, down, up
//   7 mouse up    8 timer tick
// A unit byte below 0xF8 is that Latin-1 character; 0xF8 and above take the next two bytes,
// little-endian, as any UTF-16 unit, lone surrogates and controls included.
#include "codelogic.h"
#include "memoryfields.h"
#include "portablenumbers.h"
#include "text.h"
#include "windows1252.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data(data), size(size) {}

    [[nodiscard]] bool empty() const { return at >= size; }
    std::uint8_t byte() { return at < size ? data[at++] : 0; }

    char16_t unit()
    {
        const std::uint8_t first = byte();
        if (first < 0xF8) {
            return first;
        }
        const std::uint8_t low = byte();
        return static_cast<char16_t>(low | (byte() << 8));
    }

    std::u16string text(std::uint8_t maxLength)
    {
        std::u16string result(byte() % (maxLength + 1), u'\0');
        std::ranges::generate(result, [this] { return unit(); });
        return result;
    }

private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
};

void check(bool holds)
{
    if (!holds) {
        __builtin_trap();
    }
}

// "0" to "255" exactly as the logic writes them: digits only, no leading zero.
bool isCodeDecimal(std::u16string_view text)
{
    if (text.empty() || text.size() > 3 || (text.size() > 1 && text.front() == u'0')) {
        return false;
    }
    int code = 0;
    for (const char16_t c : text) {
        if (c < u'0' || c > u'9') {
            return false;
        }
        code = code * 10 + (c - u'0');
    }
    return code <= 255;
}

bool isProgramNote(std::u16string_view note)
{
    static constexpr std::array<std::u16string_view, 9> notes{
        u"",    u"Finns ej", u"Finns ej (> 255)", u"Finns ej (< 0)", u"backspace",
        u"tab", u"linefeed", u"carriage return",  u"Space"};
    return std::ranges::find(notes, note) != notes.end();
}

enum class Op : std::uint8_t {
    TypeCode,
    TypeCharacter,
    Tecken,
    ReverseLookup,
    StepUp,
    StepDown,
    MouseDown,
    MouseUp,
    Tick,
    Count
};

struct Snapshot {
    std::u16string code;
    std::u16string character;
    std::u16string note;
    bool timerEnabled;
    kodvik::RepeatDirection direction;
    std::size_t messageBoxes;
};

Snapshot snapshot(const MemoryFields& fields)
{
    return {fields.code,         fields.character, fields.note,
            fields.timerEnabled, fields.direction, fields.messageBoxes.size()};
}

// What must hold after every operation of the logic, whatever came before.
void checkInvariants(const MemoryFields& fields, const Snapshot& before, Op op,
                     const kodvik::CodePage& codePage)
{
    const bool steps = op == Op::StepUp || op == Op::StepDown ||
                       (op == Op::Tick && before.direction != kodvik::RepeatDirection::None);

    // The code text is the user's own, emptied, or a code the logic wrote; a step always
    // leaves a code of its own or nothing.
    check(fields.code.empty() || (!steps && fields.code == before.code) ||
          isCodeDecimal(fields.code));

    // The logic writes at most one character, and only one of the code page.
    if (fields.character != before.character && !fields.character.empty()) {
        check(fields.character.size() == 1 && codePage.codeOf(fields.character).has_value());
    }

    check(isProgramNote(fields.note));
    check(fields.interval == 0 || fields.interval == kodvik::repeatInterval);

    // Only the lookup opens the box, and never over a running timer or a filled field; it is
    // the last thing the lookup does, so the fields still show that afterwards.
    for (std::size_t box = before.messageBoxes; box < fields.messageBoxes.size(); ++box) {
        const auto& shown = fields.messageBoxes[box];
        check(shown.characterWhenShown.empty() && !shown.timerEnabledWhenShown);
        check(shown.title == kodvik::texts::messageBoxTitle);
        check(shown.text.starts_with(u"Character for ASCII value "));
    }
    if (fields.messageBoxes.size() != before.messageBoxes) {
        check(op == Op::Tecken || steps);
        check(fields.messageBoxes.size() == before.messageBoxes + 1);
        check(fields.character.empty() && !fields.timerEnabled);
    }

    // Only the mouse moves the repeat direction or starts the timer.
    if (op != Op::MouseDown && op != Op::MouseUp) {
        check(fields.direction == before.direction);
        check(fields.timerEnabled == before.timerEnabled || !fields.timerEnabled);
    }
    if (op == Op::MouseUp) {
        check(fields.direction == kodvik::RepeatDirection::None && !fields.timerEnabled);
    }
    if (op == Op::Tick && before.direction == kodvik::RepeatDirection::None) {
        check(!fields.timerEnabled && fields.code == before.code &&
              fields.character == before.character && fields.note == before.note);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Input input(data, size);
    const kodvik::PortableNumbers numbers(input.byte() % 2 == 0 ? u'.' : u',');
    const kodvik::Windows1252 codePage;
    MemoryFields fields;
    kodvik::CodeLogic logic(fields, numbers, codePage);

    while (!input.empty()) {
        const auto op = static_cast<Op>(input.byte() % static_cast<std::uint8_t>(Op::Count));
        const Snapshot before = snapshot(fields);
        switch (op) {
        case Op::TypeCode:
            fields.code = input.text(7);
            continue;
        case Op::TypeCharacter:
            fields.character = input.text(3);
            continue;
        case Op::Tecken:
            logic.tecken();
            break;
        case Op::ReverseLookup:
            logic.reverseLookup();
            break;
        case Op::StepUp:
            logic.bladdrahoger();
            break;
        case Op::StepDown:
            logic.bladdravanster();
            break;
        case Op::MouseDown:
            logic.startRepeat(static_cast<kodvik::RepeatDirection>(input.byte() % 3));
            break;
        case Op::MouseUp:
            logic.stopRepeat();
            break;
        case Op::Tick:
            logic.repeatTick();
            break;
        case Op::Count:
            break;
        }
        checkInvariants(fields, before, op, codePage);
        fields.log.clear();
    }
    return 0;
}
