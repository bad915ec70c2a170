#include "spoken.h"

namespace kodvik {

void Spoken::run(Control reads, const std::function<void()>& operation)
{
    wroteCode = wroteCharacter = wroteNote = boxShown = false;
    operation();
    if (boxShown) {
        return;
    }
    std::u16string said = utterance(reads);
    if (said.empty()) {
        return;
    }
    if (holding && later) {
        held = std::move(said);
        return;
    }
    held.reset();
    voice.say(said);
}

std::u16string Spoken::utterance(Control reads) const
{
    if (!wroteCode && !wroteCharacter && !wroteNote) {
        return {};
    }
    const std::u16string code = window.codeText();
    const std::u16string character = window.characterText();
    // Judged by what the operation wrote, not by what changed: the same answer asked for again is
    // said again, and a code or note left from before (a step of a code that is no number leaves
    // the note) is no answer.
    const bool answered = (wroteCode && !code.empty()) || (wroteCharacter && !character.empty()) ||
                          (wroteNote && !note.empty());
    if (!answered) {
        return std::u16string(formControl(reads).spokenName) + u" empty";
    }
    std::u16string said;
    for (const std::u16string_view part :
         {std::u16string_view(code), std::u16string_view(character), std::u16string_view(note)}) {
        if (!part.empty()) {
            said += said.empty() ? u"" : u" ";
            said += part;
        }
    }
    return said;
}

void Spoken::holdStarted()
{
    holding = true;
}

void Spoken::holdEnded()
{
    holding = false;
    // A click may still follow the release, and its step answers instead.
    if (held) {
        later([this] { sayHeld(); });
    }
}

void Spoken::sayHeld()
{
    if (held && !holding) {
        voice.say(*held);
        held.reset();
    }
}

void Spoken::setCodeText(std::u16string_view text)
{
    wroteCode = true;
    window.setCodeText(text);
}

void Spoken::setCharacterText(std::u16string_view text)
{
    wroteCharacter = true;
    window.setCharacterText(text);
}

void Spoken::setNoteText(std::u16string_view text)
{
    wroteNote = true;
    note = text;
    window.setNoteText(text);
}

void Spoken::showMessageBox(std::u16string_view text, std::u16string_view title)
{
    boxShown = true;
    // The box is the answer, a hold's too: nothing that waits from before may be said while it is
    // open, nor after it.
    held.reset();
    voice.hush();
    window.showMessageBox(text, title);
}

} // namespace kodvik
