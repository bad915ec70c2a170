#pragma once

// The press and hold of "<" and ">": which button a mouse button holds down, whether that press
// has ended without its release, and the repeat timer's switch and interval, from which follows
// whether the toolkit's timer runs. Each window forwards what its toolkit reports (a press, a
// release, a press lost, a tick) and does what it is told through PressToolkit.

#include "codelogic.h"
#include "form.h"
#include "spoken.h"

#include <optional>

namespace kodvik {

// What a window's toolkit does for the press and hold.
class PressToolkit {
public:
    virtual ~PressToolkit() = default;

    // Starts the timer afresh, the first tick one interval from now; false when it cannot.
    virtual bool startRepeatTimer(int milliseconds) = 0;
    virtual void stopRepeatTimer() = 0;
    // The button comes up without a click.
    virtual void bringUp(Control button) = 0;

protected:
    PressToolkit() = default;
    PressToolkit(const PressToolkit&) = default;
    PressToolkit& operator=(const PressToolkit&) = default;
};

class PressAndHold {
public:
    // `logic` works on `spoken`, which hears each tick's answer and when the hold ends.
    PressAndHold(CodeLogic& logic, Spoken& spoken, PressToolkit& toolkit)
        : logic(logic), spoken(spoken), toolkit(toolkit)
    {}

    // The window's repeat timer, as the code logic sets it through the window's fields.
    void setTimerEnabled(bool enabled);
    void setInterval(int milliseconds);
    [[nodiscard]] bool timerEnabled() const { return enabled; }
    [[nodiscard]] int interval() const { return milliseconds; }
    // Only while enabled with an interval above 0.
    [[nodiscard]] bool timerRunning() const { return running; }

    // Any mouse button goes down on "<" or ">" (a double click's second press too).
    void pressed(Control button);
    // The release that ends it, wherever the pointer is.
    void released();
    // The press has ended without its release reaching the button: the window or the button went
    // away, or something else took the pointer.
    void pressLost();
    void tick();

    [[nodiscard]] std::optional<Control> heldButton() const { return held; }
    // Whether the button's press has ended without its release, which may still come and must
    // not click, nor the pointer coming back bring the button down again.
    [[nodiscard]] bool pressEnded(Control button) const { return ended && held == button; }

private:
    void updateTimer(bool restart);

    CodeLogic& logic;
    Spoken& spoken;
    PressToolkit& toolkit;
    std::optional<Control> held;
    bool ended = false;
    bool enabled = false;
    int milliseconds = 0;
    bool running = false;
};

} // namespace kodvik
