#include "buttonkeys.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QKeyEvent>

namespace {

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool pressesButtons(int key)
{
    return key == Qt::Key_Space || isEnter(key);
}

} // namespace

void ButtonKeys::watch(QAbstractButton* button)
{
    button->installEventFilter(this);
}

bool ButtonKeys::eventFilter(QObject* watched, QEvent* event)
{
    const auto type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (!pressesButtons(key->key())) {
        return false;
    }
    if (key->isAutoRepeat()) {
        return true;
    }
    if (type == QEvent::KeyPress) {
        // An X time stamp of 0 is no time stamp at all (synthesised events carry none).
        heldOn =
            key->timestamp() != 0 && key->timestamp() == releasedAt && key->key() == releasedKey;
        if (heldOn) {
            return true;
        }
    } else {
        releasedKey = key->key();
        releasedAt = key->timestamp();
        if (heldOn) {
            return true;
        }
    }
    if (isEnter(key->key())) {
        // Enter does what Space does, down on the press and a click on the release.
        QKeyEvent space(type, Qt::Key_Space, key->modifiers(), QStringLiteral(" "));
        space.setTimestamp(key->timestamp());
        QCoreApplication::sendEvent(watched, &space);
        return true;
    }
    return false;
}
