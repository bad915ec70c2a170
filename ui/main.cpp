#include "closeonsignals.h"
#include "codetable.h"
#include "cursorblink.h"
#include "frmascii.h"
#include "programwindow.h"
#include "version.h"
#include "x11input.h"

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace {

struct HeldMessage {
    QtMsgType type;
    std::string category;
    QString text;
};

// A message handler is a plain function, so what it holds back while Qt connects lies here.
std::vector<HeldMessage> heldMessages;

// Why no window can be opened, in one line. With no display named at all (a text console, a login
// over ssh), that a graphical session is needed. Otherwise Qt's own first warning names the
// display or the platform and what went wrong with it; its fatal message after that only says
// that no platform could be started, and asks for a reinstall.
std::string whyNoWindow(const QString& fatal)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        return "needs a graphical session (X11 or Wayland), and none could be reached";
    }
    QString reason = fatal;
    const auto warning = std::ranges::find_if(heldMessages, [](const auto& held) {
        return held.type == QtWarningMsg || held.type == QtCriticalMsg;
    });
    if (warning != heldMessages.end()) {
        reason = warning->text;
    }
    return "cannot open its window: " + reason.section(u'\n', 0, 0).trimmed().toStdString();
}

void holdBackOrGiveUp(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    // Qt's only fatal message while it connects is that no platform could be initialised.
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "kodvik: %s\n", whyNoWindow(text).c_str());
        // Not exit(): the application is half made, and nothing of the program's has started.
        std::_Exit(1);
    }
    heldMessages.push_back(
        {type, context.category != nullptr ? context.category : std::string(), text});
}

// The application, connected to the desktop's window system. Where it cannot connect, Qt ends the
// program with an abort, a core dump and a paragraph about reinstalling; this says why in one line
// and exits with status 1 instead. What Qt says while it connects is held back until it has, and
// then passed on as it would have been.
std::unique_ptr<QApplication> connectToDesktop(int& argc, char** argv)
{
    const QtMessageHandler previous = qInstallMessageHandler(holdBackOrGiveUp);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    const std::vector<HeldMessage> held = std::exchange(heldMessages, {});
    for (const HeldMessage& message : held) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.c_str());
        previous(message.type, context, message.text);
    }
    return application;
}

// Whether the program ends without QApplication's teardown. In it, Qt's Wayland plugin (6.4.2 and
// 6.8.2 alike) hangs for good about one close in four: it stops the first of its two event threads
// and then waits for the second, which waits in libwayland for a read that no thread will do. The
// window is gone by then, and the process would stay, unseen, until the session ends. On Wayland
// the teardown does nothing that anyone sees, and Qt says nothing in it. On X11 it hands the
// clipboard to the desktop's clipboard manager, so that a character copied from the window can
// still be pasted after Kodvik has ended, and warns when the manager does not answer: it stays.
bool endsWithoutTeardown()
{
    return QGuiApplication::platformName().startsWith(u"wayland");
}

// Ends the process with STATUS, leaving the application and the program's static objects as they
// are: for when the window has closed and the table is deleted, and nothing of the program's is
// left to do.
[[noreturn]] void endWithoutTeardown(int status)
{
    // _Exit would drop what the C library still holds back of stdout and stderr.
    std::fflush(nullptr);
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizer build looks for leaks in exit(), which is left out: it looks here instead,
    // where all that the application holds is still reachable and what the program lost is not.
    __lsan_do_leak_check();
#endif
    // Not exit(): it would destroy Qt's static objects under Qt's threads, which still run.
    std::_Exit(status);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication::setApplicationName(QStringLiteral("Kodvik"));
    QApplication::setApplicationVersion(QStringLiteral(KODVIK_VERSION));
    // The launcher's id: Wayland compositors and docks find the window's launcher and icon by it.
    QApplication::setDesktopFileName(QStringLiteral("se.kodvik.Kodvik"));
    const auto application = connectToDesktop(argc, argv);
    // Qt ends the program with exit() when the X server goes away under it, as at a logout, and
    // the table goes then too.
    std::atexit(kodvik::deleteAtExit);
    QApplication::setFont(FrmAscii::windowFont());
    requestDetectableAutoRepeat();
    const CursorBlink cursorBlink;
    // Kept until the program returns, so a second signal while the window closes cannot end the
    // program before the table is deleted.
    const CloseOnSignals closeOnSignals([] { QApplication::closeAllWindows(); });
    int status = 0;
    {
        ProgramWindow program;
        program.window().show();
        status = QApplication::exec();
    }
    kodvik::deleteAtExit();
    if (endsWithoutTeardown()) {
        endWithoutTeardown(status);
    }
    return status;
}
