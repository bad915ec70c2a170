#include "desktopapplication.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct HeldMessage {
    QtMsgType type;
    std::string category;
    QString text;
};

// A message handler is a plain function, so what it holds back lies here while Qt connects.
std::vector<HeldMessage>* heldMessages = nullptr;

void holdBackOrGiveUp(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    // Qt's only fatal message while it connects is that no platform could be initialised.
    if (type == QtFatalMsg) {
        std::fputs("kodvik: needs a graphical session (X11 or Wayland), and none could be "
                   "reached\n",
                   stderr);
        // Not exit(): the application is half made, and nothing of the program's has started.
        std::_Exit(1);
    }
    heldMessages->push_back(
        {type, context.category != nullptr ? context.category : std::string(), text});
}

} // namespace

std::unique_ptr<QApplication> connectToDesktop(int& argc, char** argv)
{
    std::vector<HeldMessage> held;
    heldMessages = &held;
    const QtMessageHandler previous = qInstallMessageHandler(holdBackOrGiveUp);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    heldMessages = nullptr;
    for (const auto& message : held) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.c_str());
        previous(message.type, context, message.text);
    }
    return application;
}
