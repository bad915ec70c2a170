#pragma once

// A blinking text cursor wakes the program twice a second for as long as it runs. As GTK
// desktops do, the blink stops after a spell without keyboard or mouse input, leaving the
// cursor shown steadily, and starts again with the next input; an idle window then sleeps.

#include <QObject>
#include <QTimer>
#include <chrono>

class CursorBlink final : public QObject {
    Q_OBJECT

public:
    // Watches the input of the whole application, which must exist already.
    explicit CursorBlink(std::chrono::milliseconds idleAfter = std::chrono::seconds(10),
                         QObject* parent = nullptr);
    ~CursorBlink() override; // the blink goes on as it was
    CursorBlink(const CursorBlink&) = delete;
    CursorBlink& operator=(const CursorBlink&) = delete;
    CursorBlink(CursorBlink&&) = delete;
    CursorBlink& operator=(CursorBlink&&) = delete;

    [[nodiscard]] bool blinking() const { return !stopped; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onIdleTimer();

    std::chrono::milliseconds idleAfter;
    // Input only notes the time: restarting a timer for every mouse move would cost more than
    // the blink it saves. The timer checks the time when it fires and waits on if needed.
    QTimer idleTimer;
    std::chrono::steady_clock::time_point lastInput = std::chrono::steady_clock::now();
    int flashTime; // the desktop's, milliseconds per blink; 0 where it never blinks
    bool stopped = false;
};
