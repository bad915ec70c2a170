#include "announcer.h"

#include <utility>

namespace {

// Twice Orca's tenth of a second, for what the bus and a busy machine add to it.
constexpr int pauseMilliseconds = 200;

} // namespace

Announcer::Announcer(QWidget* window, Deliver deliver)
    : QObject(window), window(window), deliver(deliver)
{
    pause->setSingleShot(true);
    pause->setInterval(pauseMilliseconds);
    connect(pause, &QTimer::timeout, this, [this] {
        if (waiting) {
            tell(*std::exchange(waiting, std::nullopt));
        }
    });
}

void Announcer::announce(const QString& text)
{
    if (pause->isActive()) {
        waiting = text;
    } else {
        tell(text);
    }
}

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)

#include <QAccessibleAnnouncementEvent>

void Announcer::tell(const QString& text)
{
    pause->start();
    QAccessibleAnnouncementEvent event(window, text);
    event.setPoliteness(QAccessible::AnnouncementPoliteness::Polite);
    deliver(&event);
}

#else

// Qt before 6.8 has no announcement, and Orca 43 listens for none; what it speaks, whatever has
// the focus, is an object with the notification role that becomes showing. This one is no widget
// and no child of the window's, so it has no pixel, takes no focus, and neither Tab nor a screen
// reader's review of the window reaches it; only its parent is the window, so that the screen
// reader knows whose it is. Each utterance becomes its name, and it is shown again.
class Announcer::Notification final : public QAccessibleInterface {
public:
    Notification(QObject* owner, QWidget* window) : owner(owner), widget(window) {}

    [[nodiscard]] bool isValid() const override { return true; }
    [[nodiscard]] QObject* object() const override { return owner; }
    [[nodiscard]] QWindow* window() const override { return widget->windowHandle(); }
    [[nodiscard]] QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(widget);
    }
    [[nodiscard]] QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
    [[nodiscard]] int childCount() const override { return 0; }
    [[nodiscard]] int indexOfChild(const QAccessibleInterface* /*child*/) const override
    {
        return -1;
    }
    [[nodiscard]] QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override
    {
        return nullptr;
    }
    [[nodiscard]] QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name ? name : QString();
    }
    void setText(QAccessible::Text /*kind*/, const QString& /*text*/) override {}
    [[nodiscard]] QRect rect() const override { return {}; }
    [[nodiscard]] QAccessible::Role role() const override { return QAccessible::Notification; }
    [[nodiscard]] QAccessible::State state() const override { return {}; }

    QString name;

private:
    QObject* owner;
    QWidget* widget;
};

void Announcer::tell(const QString& text)
{
    pause->start();
    if (notification == nullptr) {
        // Registered for this object, so Qt deletes it when this goes.
        notification = new Notification(this, window);
        QAccessible::registerAccessibleInterface(notification);
    }
    notification->name = text;
    QAccessibleEvent shown(notification, QAccessible::ObjectShow);
    deliver(&shown);
}

#endif
