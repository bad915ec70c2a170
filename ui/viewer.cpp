#include "viewer.h"

#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <array>
#include <csignal>
#include <cstring>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>

namespace {

// Readable once the opener has ended; the pidfd goes with it.
class OpenerEnd final : public QSocketNotifier {
public:
    OpenerEnd(int pidfd, QObject* parent) : QSocketNotifier(pidfd, QSocketNotifier::Read, parent) {}
    ~OpenerEnd() override
    {
        setEnabled(false);
        ::close(static_cast<int>(socket()));
    }
    OpenerEnd(const OpenerEnd&) = delete;
    OpenerEnd& operator=(const OpenerEnd&) = delete;
};

// How the opener ended, in words for the user; nothing when it opened the file. The exit
// statuses are those xdg-open documents.
std::optional<std::string> failureOf(int status)
{
    if (WIFSIGNALED(status)) {
        return std::string("the opener was stopped by a signal (") + strsignal(WTERMSIG(status)) +
               ")";
    }
    switch (WEXITSTATUS(status)) {
    case 0:
        return std::nullopt;
    case 1:
        return "the opener did not understand its command line";
    case 2:
        return "the opener did not find the file";
    case 3:
        return "no application is set to open text files";
    case 4:
        return "the application for text files could not open it";
    default:
        return "the opener ended with status " + std::to_string(WEXITSTATUS(status));
    }
}

} // namespace

DesktopViewer::DesktopViewer(QString opener, QObject* parent)
    : QObject(parent), opener(std::move(opener))
{}

// The openers still running are left to run: only the pidfds on them close, with their
// notifiers. Once Kodvik has ended, the system reaps them.
DesktopViewer::~DesktopViewer() = default;

kodvik::ViewerStarter DesktopViewer::starter()
{
    return [this](std::string_view fileName) { return start(fileName); };
}

std::optional<std::string> DesktopViewer::start(std::string_view fileName)
{
    const QByteArray program = QFile::encodeName(opener);
    // A relative name would mean nothing to a viewer that an already running one opens.
    const QByteArray path = QFile::encodeName(
        QFileInfo(QString::fromUtf8(fileName.data(), static_cast<qsizetype>(fileName.size())))
            .absoluteFilePath());
    std::array<char*, 3> arguments{const_cast<char*>(program.constData()),
                                   const_cast<char*>(path.constData()), nullptr};

    // The opener starts with no signal blocked or ignored, whatever Kodvik blocks or ignores. It
    // runs in a session of its own, as the user's own window does: a Ctrl+C in the terminal that
    // started Kodvik, or that terminal closing, ends Kodvik but not the viewer being read.
    posix_spawnattr_t attributes{};
    posix_spawnattr_init(&attributes);
    sigset_t none{};
    sigemptyset(&none);
    sigset_t all{};
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes,
                             POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID);
    pid_t pid = 0;
    const int error =
        posix_spawnp(&pid, arguments[0], nullptr, &attributes, arguments.data(), environ);
    posix_spawnattr_destroy(&attributes);
    if (error != 0) {
        return "cannot start " + program.toStdString() + ": " +
               std::generic_category().message(error);
    }
    watch(pid);
    return std::nullopt;
}

// The end of the opener reaches the event loop as a readable pidfd: no waiting, no SIGCHLD
// handler, and each opener is reaped as it ends.
void DesktopViewer::watch(int pid)
{
    // Through syscall(): glibc 2.36's <sys/pidfd.h> declares pidfd_open without C linkage.
    const auto pidfd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    if (pidfd < 0) {
        // Linux before 5.3: the opener's end goes unnoticed, and it is reaped when Kodvik ends.
        return;
    }
    auto* end = new OpenerEnd(pidfd, this);
    connect(end, &QSocketNotifier::activated, this, [this, end, pid] {
        end->setEnabled(false);
        end->deleteLater();
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) != pid) {
            return;
        }
        if (auto reason = failureOf(status)) {
            emit openFailed({kodvik::TableFailure::Stage::Viewer, std::move(*reason)});
        }
    });
}
