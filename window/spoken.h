#pragma once

// What screen readers are told after each operation, wherever the focus is. The focus stays on the
// pressed button, and a screen reader speaks on its own only what changes where the focus is, so
// the answer in the fields and the note would go unheard. Every operation of the code logic runs
// on Spoken, which passes each call on to the window's fields and notes what the operation wrote;
// afterwards it hands one utterance, or none, to the window's Voice.

#include "fields.h"
#include "form.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace kodvik {

// How a window tells its screen readers.
class Voice {
public:
    virtual ~Voice() = default;

    // Once, whatever has the focus, and without changing what the window shows.
    virtual void say(std::u16string_view utterance) = 0;
    // Drops whatever the voice holds back to say later.
    virtual void hush() = 0;

protected:
    Voice() = default;
    Voice(const Voice&) = default;
    Voice& operator=(const Voice&) = default;
};

class Spoken final : public Fields {
public:
    // Runs a call once the event being handled now is done.
    using RunLater = std::function<void(std::function<void()>)>;

    // Where the window cannot tell its screen readers that an utterance replaces one they have not
    // spoken yet, the steps of a held "<" or ">", one every half second, would queue up behind
    // each other. There a hold is answered once, when it ends, and `later` says that answer after
    // the click that may follow the release. Without `later`, each step is said.
    Spoken(Fields& window, Voice& voice, RunLater later = {})
        : window(window), voice(voice), later(std::move(later))
    {}

    // Runs an operation of the code logic on these fields and says what it showed: the code, the
    // character and the note, each where it is not empty. An operation that only emptied texts
    // names the field it reads (`reads`) as empty; one that wrote nothing says nothing, and
    // neither does one that showed a message box, which is spoken already.
    void run(Control reads, const std::function<void()>& operation);

    // A mouse button holds "<" or ">" down, and no longer: the release, or the press lost.
    void holdStarted();
    void holdEnded();

    [[nodiscard]] std::u16string codeText() const override { return window.codeText(); }
    void setCodeText(std::u16string_view text) override;
    [[nodiscard]] std::u16string characterText() const override { return window.characterText(); }
    void setCharacterText(std::u16string_view text) override;
    void setNoteText(std::u16string_view text) override;
    void setRepeatTimerEnabled(bool enabled) override { window.setRepeatTimerEnabled(enabled); }
    void setRepeatInterval(int milliseconds) override { window.setRepeatInterval(milliseconds); }
    [[nodiscard]] RepeatDirection repeatDirection() const override
    {
        return window.repeatDirection();
    }
    void setRepeatDirection(RepeatDirection direction) override
    {
        window.setRepeatDirection(direction);
    }
    void showMessageBox(std::u16string_view text, std::u16string_view title) override;

private:
    [[nodiscard]] std::u16string utterance(Control reads) const;
    // Says the answer the hold reached, unless something has been said since.
    void sayHeld();

    Fields& window;
    Voice& voice;
    RunLater later;
    std::u16string note; // as last set: the window is never asked for it
    // What the operation running now has done.
    bool wroteCode = false;
    bool wroteCharacter = false;
    bool wroteNote = false;
    bool boxShown = false;
    bool holding = false;
    std::optional<std::u16string> held; // the answer a hold reached, not yet said
};

} // namespace kodvik
