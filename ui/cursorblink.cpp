#include "cursorblink.h"

#include <QApplication>
#include <QEvent>
#include <QStyleHints>

namespace {

bool isInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
        return true;
    default:
        return false;
    }
}

} // namespace

CursorBlink::CursorBlink(std::chrono::milliseconds idleAfter, QObject* parent)
    : QObject(parent), idleAfter(idleAfter),
      flashTime(QGuiApplication::styleHints()->cursorFlashTime())
{
    idleTimer.setSingleShot(true);
    connect(&idleTimer, &QTimer::timeout, this, &CursorBlink::onIdleTimer);
    QCoreApplication::instance()->installEventFilter(this);
    idleTimer.start(idleAfter);
}

CursorBlink::~CursorBlink()
{
    if (stopped) {
        QApplication::setCursorFlashTime(flashTime);
    }
}

bool CursorBlink::eventFilter(QObject* watched, QEvent* event)
{
    if (isInput(event->type())) {
        lastInput = std::chrono::steady_clock::now();
        if (stopped) {
            stopped = false;
            QApplication::setCursorFlashTime(flashTime);
            idleTimer.start(idleAfter);
        }
    }
    return QObject::eventFilter(watched, event);
}

void CursorBlink::onIdleTimer()
{
    const auto idleFor = std::chrono::steady_clock::now() - lastInput;
    if (idleFor < idleAfter) {
        idleTimer.start(std::chrono::ceil<std::chrono::milliseconds>(idleAfter - idleFor));
        return;
    }
    stopped = true;
    // Line edits follow the style hint at once: the timer of a blinking cursor is killed and
    // the cursor stays drawn.
    QApplication::setCursorFlashTime(0);
}
