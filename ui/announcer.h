#pragma once

// Tells screen readers an utterance for a window, whatever has the focus, without changing what
// the window shows.

#include <QAccessible>
#include <QObject>
#include <QWidget>
#include <QtGlobal>

class Announcer final : public QObject {
    Q_OBJECT

public:
    // From Qt 6.8 on it is an announcement, of which a screen reader may drop one not yet spoken
    // for a newer one. Before, it is a notification, and Orca speaks each in turn.
    static constexpr bool replacesOlder = QT_VERSION >= QT_VERSION_CHECK(6, 8, 0);

    // Qt's accessibility takes each event and hands it on to the screen readers; tests hand in a
    // recorder.
    using Deliver = void (*)(QAccessibleEvent* event);

    // A child of the window, which it outlives by nothing.
    Announcer(QWidget* window, Deliver deliver) : QObject(window), window(window), deliver(deliver)
    {}

    void announce(const QString& text);

private:
    QWidget* window;
    Deliver deliver;
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    class Notification;
    Notification* notification = nullptr; // Qt's accessibility owns it, as long as this lives
#endif
};
