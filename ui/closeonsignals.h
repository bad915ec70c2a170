#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <functional>

// Turns SIGINT, SIGTERM and SIGHUP (Ctrl+C in a terminal, a logout) into an ordinary event on
// the event thread, so the program ends the way it does when its window is closed. The signal
// handler only writes a byte to a socket, which is all it can safely do.
class CloseOnSignals final : public QObject {
    Q_OBJECT

public:
    explicit CloseOnSignals(std::function<void()> close, QObject* parent = nullptr);
    ~CloseOnSignals() override;

    CloseOnSignals(const CloseOnSignals&) = delete;
    CloseOnSignals& operator=(const CloseOnSignals&) = delete;

private:
    std::function<void()> close;
    QSocketNotifier* notifier = nullptr;
};
