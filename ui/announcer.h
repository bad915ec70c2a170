#pragma once

// Tells screen readers an utterance for a window, whatever has the focus, without changing what
// the window shows.

#include <QAccessible>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <QtGlobal>
#include <optional>

class Announcer final : public QObject {
    Q_OBJECT

public:
    // From Qt 6.8 on it is a polite announcement, which Orca 48 speaks as it is, short enough for
    // one at each step of a hold. Before, it is a notification, which Orca 43 speaks with its role
    // ("notification 66 B"), each in turn: a hold's steps would fall behind.
    static constexpr bool replacesOlder = QT_VERSION >= QT_VERSION_CHECK(6, 8, 0);

    // Qt's accessibility takes each event and hands it on to the screen readers; tests hand in a
    // recorder.
    using Deliver = void (*)(QAccessibleEvent* event);

    // A child of the window, which it outlives by nothing.
    Announcer(QWidget* window, Deliver deliver);

    // At once, or after a pause when the one before was told just now: Orca ignores an
    // announcement that comes within a tenth of a second of the one before from the same program,
    // and that would be the newer one, the answer the window shows. One that comes while another
    // waits takes its place.
    void announce(const QString& text);
    // Drops the one that waits, if any.
    void hush() { waiting.reset(); }

private:
    void tell(const QString& text);

    QWidget* window;
    Deliver deliver;
    QTimer* pause = new QTimer(this);
    std::optional<QString> waiting;
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    class Notification;
    Notification* notification = nullptr; // Qt's accessibility owns it, as long as this lives
#endif
};
