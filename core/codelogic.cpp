#include "codelogic.h"

#include "codeclass.h"
#include "text.h"

#include <string>

namespace kodvik {

namespace {

constexpr Code lastCode = 255;

std::u16string messageBoxText(Code code, std::u16string_view character)
{
    // Two bare line feeds, then the character indented by twenty spaces.
    std::u16string text = u"Character for ASCII value ";
    text += decimal(code);
    text += u" is \n\n";
    text.append(20, u' ');
    text += character;
    return text;
}

} // namespace

void CodeLogic::tecken()
{
    fields.setNoteText({});
    const std::u16string codeText = fields.codeText();
    if (codeText.empty()) {
        return;
    }
    if (!numbers.isNumeric(codeText)) {
        fields.setCodeText({});
        return;
    }
    const Code code = numbers.toCode(codeText);
    if (code > lastCode || code < 0) {
        fields.setCodeText({});
        fields.setCharacterText({});
        fields.setNoteText(code > lastCode ? texts::aboveRange : texts::belowRange);
        return;
    }
    const auto byte = static_cast<std::uint8_t>(code);
    const std::u16string character = codePage.characterOf(byte);
    fields.setCharacterText(character);
    switch (codeClass(byte)) {
    case CodeClass::Named:
        fields.setNoteText(codeName(byte));
        fields.setCharacterText({});
        break;
    case CodeClass::NoCharacter:
        fields.setNoteText(texts::finnsEj);
        fields.setCharacterText({});
        break;
    case CodeClass::MessageBox:
        // The timer stops before the box opens, so no step runs underneath its modal loop;
        // the repeat direction is left as it is.
        fields.setCharacterText({});
        fields.setRepeatTimerEnabled(false);
        fields.showMessageBox(messageBoxText(code, character), texts::messageBoxTitle);
        break;
    case CodeClass::Shown:
        break;
    }
}

void CodeLogic::reverseLookup()
{
    fields.setNoteText({});
    const std::u16string character = fields.characterText();
    if (character.empty()) {
        return;
    }
    const auto code = codePage.codeOf(character);
    if (!code) {
        fields.setCodeText({});
        fields.setNoteText(texts::finnsEj);
        return;
    }
    fields.setCodeText(decimal(*code));
    // Only the space is named: every other character stays in its field.
    if (*code == u' ') {
        fields.setCharacterText({});
        fields.setNoteText(codeName(*code));
    }
}

// The reset texts "-1" and "256" and the bounds 254 and 256 look off by one but are what make
// the steps wrap: up from 255 (or anything out of range) gives 0, down from 0 gives 255, and
// down from 256 gives 255.
void CodeLogic::bladdrahoger()
{
    if (fields.codeText().empty()) {
        fields.setCodeText(u"-1");
    }
    if (!numbers.isNumeric(fields.codeText())) {
        fields.setCodeText({});
        return;
    }
    if (numbers.toCode(fields.codeText()) > 254 || numbers.toCode(fields.codeText()) < 0) {
        fields.setCodeText(u"-1");
    }
    fields.setCodeText(decimal(numbers.toCode(fields.codeText()) + 1));
    tecken();
}

void CodeLogic::bladdravanster()
{
    if (fields.codeText().empty()) {
        fields.setCodeText(u"256");
    }
    if (!numbers.isNumeric(fields.codeText())) {
        fields.setCodeText({});
        return;
    }
    if (numbers.toCode(fields.codeText()) > 256 || numbers.toCode(fields.codeText()) < 1) {
        fields.setCodeText(u"256");
    }
    fields.setCodeText(decimal(numbers.toCode(fields.codeText()) - 1));
    tecken();
}

void CodeLogic::startRepeat(RepeatDirection direction)
{
    // Enabled before the interval is set, in one handler: no tick can come in between.
    fields.setRepeatDirection(direction);
    fields.setRepeatTimerEnabled(true);
    fields.setRepeatInterval(repeatInterval);
}

void CodeLogic::stopRepeat()
{
    fields.setRepeatDirection(RepeatDirection::None);
    fields.setRepeatTimerEnabled(false);
}

void CodeLogic::repeatTick()
{
    switch (fields.repeatDirection()) {
    case RepeatDirection::Down:
        bladdravanster();
        break;
    case RepeatDirection::Up:
        bladdrahoger();
        break;
    case RepeatDirection::None:
    default:
        fields.setRepeatTimerEnabled(false);
        break;
    }
}

} // namespace kodvik
