#pragma once

#include <QObject>

class QAbstractButton;

// Space and Enter on a focused button press it, and its release clicks it once, however long
// the key is held: the repeat of "<" and ">" is the mouse's. Qt's buttons know Space only, and
// click again on every release. Under X11 a held key can arrive as release/press pairs with one
// time stamp (an X server without detectable autorepeat, or the press read too late for Qt to
// pair them); the press of such a pair is seen here by its time stamp, and the rest of that
// hold gives no further click.
class ButtonKeys final : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    void watch(QAbstractButton* button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The last release of a press key, and whether the key has been held down since.
    int releasedKey = 0;
    quint64 releasedAt = 0;
    bool heldOn = false;
};
