#include "press.h"

namespace kodvik {

void PressAndHold::setTimerEnabled(bool enabled)
{
    this->enabled = enabled;
    updateTimer(false);
}

void PressAndHold::setInterval(int milliseconds)
{
    const bool changed = milliseconds != this->milliseconds;
    this->milliseconds = milliseconds;
    // A new interval starts the count afresh.
    updateTimer(changed);
}

void PressAndHold::updateTimer(bool restart)
{
    // A toolkit's timer may take 0 for its shortest interval; here 0 means no ticks at all.
    const bool wanted = enabled && milliseconds > 0;
    if (wanted && (!running || restart)) {
        running = toolkit.startRepeatTimer(milliseconds);
    } else if (!wanted && running) {
        toolkit.stopRepeatTimer();
        running = false;
    }
}

void PressAndHold::pressed(Control button)
{
    held = button;
    ended = false;
    spoken.holdStarted();
    logic.startRepeat(button == Control::cmdMer ? RepeatDirection::Up : RepeatDirection::Down);
}

void PressAndHold::released()
{
    held.reset();
    ended = false;
    logic.stopRepeat();
    spoken.holdEnded();
}

// The repeat ends as on a release. One that a message box has already halted keeps its direction
// until the next press.
void PressAndHold::pressLost()
{
    if (!held || ended) {
        return;
    }
    ended = true;
    toolkit.bringUp(*held);
    if (enabled) {
        logic.stopRepeat();
    }
    spoken.holdEnded();
}

void PressAndHold::tick()
{
    // A tick already queued when the timer was stopped is not a tick any more.
    if (running) {
        spoken.run(Control::txtAscii, [this] { logic.repeatTick(); });
    }
}

} // namespace kodvik
