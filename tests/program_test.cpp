// The program as a whole: ending it closes the window the normal way and removes the table.
#include "scratchdirectory.h"

#include <QProcess>
#include <QTest>
#include <algorithm>
#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace {

// Whether the process has its own handler for the signal yet, as /proc tells it.
bool catches(qint64 pid, int signal)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("SigCgt:")) {
            return ((std::stoull(line.substr(7), nullptr, 16) >> (signal - 1)) & 1U) != 0;
        }
    }
    return false;
}

// Xvfb on a display number it chooses, with EXTRA arguments; false where there is no Xvfb.
bool startXvfb(QProcess& xvfb, const QStringList& extra = {})
{
    xvfb.start("Xvfb", QStringList{"-displayfd", "1", "-nolisten", "tcp"} + extra);
    return xvfb.waitForStarted(10000);
}

// The display, once Xvfb takes connections and says which it is; empty if it never does.
QString displayOf(QProcess& xvfb)
{
    if (!QTest::qWaitFor([&xvfb] { return xvfb.canReadLine(); }, 10000)) {
        return {};
    }
    return ":" + QString::fromLatin1(xvfb.readLine()).trimmed();
}

// The caller's environment, with the X display as the program's only way to a window.
QProcessEnvironment onDisplay(const QString& display)
{
    auto environment = QProcessEnvironment::systemEnvironment();
    environment.remove("WAYLAND_DISPLAY");
    environment.remove("QT_QPA_PLATFORM");
    environment.insert("DISPLAY", display);
    return environment;
}

struct Ending {
    int signal;
    bool tableLeftBefore;
};

class Program : public testing::TestWithParam<Ending> {};

TEST_P(Program, EndsCleanlyOnASignalAndRemovesTheTable)
{
    const auto [signal, tableLeftBefore] = GetParam();
    const ScratchDirectory scratch;
    if (tableLeftBefore) {
        writeFile(scratch.path / "ascii.txt", "left by an earlier run\r\n");
    }
    QProcess kodvik;
    kodvik.setWorkingDirectory(QString::fromStdString(scratch.path.string()));
    auto environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    // Qt warns of a rounding policy it does not know while the program connects.
    environment.insert("QT_SCALE_FACTOR_ROUNDING_POLICY", "Sideways");
    kodvik.setProcessEnvironment(environment);
    kodvik.start(KODVIK_PROGRAM, {});
    ASSERT_TRUE(kodvik.waitForStarted(10000));
    ASSERT_TRUE(QTest::qWaitFor(
        [&kodvik, signal = signal] { return catches(kodvik.processId(), signal); }, 10000));

    ::kill(static_cast<pid_t>(kodvik.processId()), signal);
    ASSERT_TRUE(kodvik.waitForFinished(10000));
    EXPECT_EQ(kodvik.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(kodvik.exitCode(), 0);
    EXPECT_FALSE(std::filesystem::exists(scratch.path / "ascii.txt"));
    // Held back while the program connected, and passed on once it had.
    const std::string said = kodvik.readAllStandardError().toStdString();
    EXPECT_NE(said.find("Unknown scale factor rounding policy: Sideways"), std::string::npos)
        << said;
}

INSTANTIATE_TEST_SUITE_P(Signals, Program,
                         testing::Values(Ending{SIGTERM, true}, Ending{SIGTERM, false},
                                         Ending{SIGINT, true}, Ending{SIGHUP, true}));

// On a text console or over ssh: one line, not Qt's abort and core dump.
TEST(NoDisplay, SaysInOneLineThatAGraphicalSessionIsNeeded)
{
    QProcess kodvik;
    auto environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        environment.remove(QString::fromLatin1(name));
    }
    kodvik.setProcessEnvironment(environment);
    kodvik.start(KODVIK_PROGRAM, {});
    ASSERT_TRUE(kodvik.waitForFinished(10000));
    EXPECT_EQ(kodvik.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(kodvik.exitCode(), 1);
    const std::string said = kodvik.readAllStandardError().toStdString();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find("graphical session (X11 or Wayland)"), std::string::npos) << said;
}

// A display that is there but refuses the program: its reason, not a missing session.
TEST(NoDisplay, NamesQtsReasonWhenTheDisplayRefuses)
{
    const ScratchDirectory scratch;
    // The server lets in only those who show its one cookie, which the program is not given.
    std::string authority = "\xff\xff"; // for any display
    for (const std::string field : {"", "", "MIT-MAGIC-COOKIE-1", "0123456789abcdef"}) {
        authority += {static_cast<char>(field.size() >> 8), static_cast<char>(field.size())};
        authority += field;
    }
    writeFile(scratch.path / "authority", authority);
    QProcess xvfb;
    if (!startXvfb(xvfb,
                   {"-auth", QString::fromStdString((scratch.path / "authority").string())})) {
        GTEST_SKIP() << "no Xvfb";
    }
    const QString display = displayOf(xvfb);
    ASSERT_FALSE(display.isEmpty());

    QProcess kodvik;
    auto environment = onDisplay(display);
    environment.insert("XAUTHORITY", QString::fromStdString((scratch.path / "none").string()));
    kodvik.setProcessEnvironment(environment);
    kodvik.start(KODVIK_PROGRAM, {});
    ASSERT_TRUE(kodvik.waitForFinished(10000));
    xvfb.terminate();
    xvfb.waitForFinished(10000);
    EXPECT_EQ(kodvik.exitCode(), 1);
    const std::string said = kodvik.readAllStandardError().toStdString();
    EXPECT_NE(said.find("kodvik: cannot open its window: could not connect to display " +
                        display.toStdString() + "\n"),
              std::string::npos)
        << said;
    EXPECT_EQ(said.find("graphical session"), std::string::npos) << said;
}

// At a logout the X server goes away under the program, and Qt ends it with exit status 1 at once.
TEST(DisplayGone, TheTableGoesWithTheProgram)
{
    const ScratchDirectory scratch;
    writeFile(scratch.path / "ascii.txt", "written by Print\r\n");
    QProcess xvfb;
    if (!startXvfb(xvfb)) {
        GTEST_SKIP() << "no Xvfb";
    }
    const QString display = displayOf(xvfb);
    ASSERT_FALSE(display.isEmpty());
    QProcess kodvik;
    kodvik.setWorkingDirectory(QString::fromStdString(scratch.path.string()));
    auto environment = onDisplay(display);
    // For the sanitizer build: libxkbcommon-x11 copies a name with strndup from a buffer with no
    // zero after it, which strict string checks take for an overflow; and what is alive when Qt
    // calls exit() in the middle of the event loop is never freed, which is no leak.
    environment.insert("ASAN_OPTIONS", environment.value("ASAN_OPTIONS") +
                                           ":strict_string_checks=0:detect_leaks=0");
    kodvik.setProcessEnvironment(environment);
    kodvik.start(KODVIK_PROGRAM, {});
    ASSERT_TRUE(kodvik.waitForStarted(10000));
    // It handles signals once it has connected.
    ASSERT_TRUE(QTest::qWaitFor([&kodvik] { return catches(kodvik.processId(), SIGTERM); }, 10000))
        << kodvik.readAllStandardError().toStdString();

    xvfb.terminate();
    ASSERT_TRUE(kodvik.waitForFinished(10000));
    EXPECT_EQ(kodvik.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(kodvik.exitCode(), 1);
    EXPECT_FALSE(std::filesystem::exists(scratch.path / "ascii.txt"));
}

} // namespace
