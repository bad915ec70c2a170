// Writing the table file, starting the viewer and deleting the file, on the real file system.
#include "codetable.h"
#include "scratchdirectory.h"
#include "tablefile.h"
#include "windows1252.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <gtest/gtest.h>
#include <pthread.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using kodvik::TableFailure;
namespace tablefile = kodvik::tablefile;

const std::string tableName{kodvik::tableFileName};

// Whether this process still has the table file open, under any path.
bool tableHeldOpen()
{
    std::error_code error;
    fs::directory_iterator descriptors("/proc/self/fd", error);
    if (error) {
        ADD_FAILURE() << "cannot list /proc/self/fd: " << error.message();
        return false;
    }
    return std::any_of(begin(descriptors), end(descriptors), [](const auto& descriptor) {
        std::error_code ignored;
        return fs::read_symlink(descriptor.path(), ignored)
            .filename()
            .string()
            .starts_with(tableName);
    });
}

struct ViewerCall {
    std::string fileName;
    std::string contentThen;
    bool heldOpenThen = false;
};

class TableFile : public testing::Test {
protected:
    ScratchDirectory scratch;
    kodvik::Windows1252 codePage;
    const std::string golden = goldenTable();
    std::vector<ViewerCall> viewerCalls;
    std::optional<std::string> viewerFailure;

    // The "Print" button, with a viewer that records what it was shown.
    std::optional<TableFailure> print()
    {
        auto failure = kodvik::writeAndShow(
            codePage, kodvik::TableEncoding::SingleByte, [this](std::string_view fileName) {
                viewerCalls.push_back({std::string(fileName), readFile(fileName), tableHeldOpen()});
                return viewerFailure;
            });
        EXPECT_FALSE(tableHeldOpen()) << "the table file is left open";
        return failure;
    }

    void expectShownOnceComplete()
    {
        ASSERT_EQ(viewerCalls.size(), 1U);
        EXPECT_EQ(viewerCalls[0].fileName, "ascii.txt");
        EXPECT_EQ(viewerCalls[0].contentThen, golden) << "the viewer came before the last byte";
        EXPECT_FALSE(viewerCalls[0].heldOpenThen) << "the viewer came before the close";
    }

    void expectWriteFailure(const std::optional<TableFailure>& failure, int error)
    {
        ASSERT_TRUE(failure) << "a failure reported as success";
        EXPECT_EQ(failure->stage, TableFailure::Stage::Write);
        EXPECT_EQ(failure->reason, std::strerror(error));
        EXPECT_TRUE(viewerCalls.empty()) << "the viewer started on a failed write";
    }
};

struct OldFile {
    std::string name;
    std::optional<std::string> content;
};

void PrintTo(const OldFile& oldFile, std::ostream* out)
{
    *out << oldFile.name;
}

class ReplacingAnOldFile : public TableFile, public testing::WithParamInterface<OldFile> {};

TEST_P(ReplacingAnOldFile, LeavesTheTableOnce)
{
    if (GetParam().content) {
        writeFile(tableName, *GetParam().content);
    }
    const auto failure = print();
    EXPECT_FALSE(failure) << kodvik::describe(*failure);
    EXPECT_EQ(readFile(tableName), golden);
    expectShownOnceComplete();
}

INSTANTIATE_TEST_SUITE_P(OldFiles, ReplacingAnOldFile,
                         testing::Values(OldFile{"None", std::nullopt}, OldFile{"Empty", ""},
                                         OldFile{"PreviousTable", goldenTable()},
                                         OldFile{"LongerThanTheTable", std::string(10000, 'x')}),
                         [](const auto& info) { return info.param.name; });

TEST_F(TableFile, PrintedTwiceHoldsOneTableAndStartsTwoViewers)
{
    ASSERT_FALSE(print());
    ASSERT_FALSE(print());
    EXPECT_EQ(readFile(tableName), golden);
    ASSERT_EQ(viewerCalls.size(), 2U);
    EXPECT_EQ(viewerCalls[1].contentThen, golden);
}

TEST_F(TableFile, ViewerFailureIsReportedWithTheFileWritten)
{
    viewerFailure = "no opener";
    const auto failure = print();
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->stage, TableFailure::Stage::Viewer);
    EXPECT_EQ(failure->reason, "no opener");
    EXPECT_EQ(readFile(tableName), golden);
    expectShownOnceComplete();
}

// An empty directory is the sharp case: remove(), unlike unlink(), would take it away.
TEST_F(TableFile, DirectoryOfTheNameSurvivesAndFailsTheWrite)
{
    fs::create_directory(tableName);
    expectWriteFailure(print(), EISDIR);
    EXPECT_TRUE(fs::is_directory(tableName));
}

TEST_F(TableFile, LinkIsReplacedAndItsTargetUntouched)
{
    writeFile("other.txt", "precious\r\n\xFF");
    fs::create_symlink("other.txt", tableName);
    ASSERT_FALSE(print());
    EXPECT_EQ(readFile("other.txt"), "precious\r\n\xFF");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(tableName)));
    EXPECT_EQ(readFile(tableName), golden);
    expectShownOnceComplete();
}

// Opening through a dangling link would create its target, anywhere the link points.
TEST_F(TableFile, DanglingLinkIsReplacedWithoutCreatingItsTarget)
{
    fs::create_symlink("elsewhere.txt", tableName);
    ASSERT_FALSE(print());
    EXPECT_FALSE(fs::exists(fs::symlink_status("elsewhere.txt")));
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(tableName)));
    expectShownOnceComplete();
}

TEST_F(TableFile, RemovedWorkingDirectoryFailsTheWrite)
{
    const fs::path gone = scratch.path / "gone";
    fs::create_directory(gone);
    fs::current_path(gone);
    fs::remove(gone);
    expectWriteFailure(print(), ENOENT);
}

// Lowers the largest file this process may write, and ignores the signal that would kill it
// for going beyond, until the end of the test.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &previousLimit);
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        ::sigaction(SIGXFSZ, &ignore, &previousAction);
        rlimit lowered = previousLimit;
        lowered.rlim_cur = bytes;
        EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &lowered), 0) << std::strerror(errno);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &previousLimit);
        ::sigaction(SIGXFSZ, &previousAction, nullptr);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previousLimit{};
    struct sigaction previousAction {};
};

class FileSizeLimited : public TableFile, public testing::WithParamInterface<rlim_t> {};

TEST_P(FileSizeLimited, StopsTheWritePartWay)
{
    {
        const FileSizeLimit limit(GetParam());
        expectWriteFailure(print(), EFBIG);
    }
    EXPECT_EQ(readFile(tableName), golden.substr(0, GetParam()));
}

// Nothing, a single byte, and one byte short of the whole table.
INSTANTIATE_TEST_SUITE_P(Bytes, FileSizeLimited, testing::Values(0, 1, 1000, 2174));

TEST_F(TableFile, FileSizeLimitOfExactlyTheTableIsEnough)
{
    ASSERT_EQ(golden.size(), 2175U);
    {
        const FileSizeLimit limit(golden.size());
        ASSERT_FALSE(print());
    }
    EXPECT_EQ(readFile(tableName), golden);
    expectShownOnceComplete();
}

// When the old file cannot go but can be written, the table follows its content. A read-only
// directory stops the delete for everyone but root, so the write runs in a child that has left
// root behind.
TEST_F(TableFile, FileThatCannotBeDeletedGetsTheTableAppended)
{
    writeFile(tableName, "old\r\n");
    using enum fs::perms;
    fs::permissions(tableName, owner_read | owner_write | group_read | group_write | others_read |
                                   others_write);
    fs::permissions(scratch.path,
                    owner_read | owner_exec | group_read | group_exec | others_read | others_exec);
    enum Outcome { Appended = 0, Failed = 1, WrongViewerCalls = 2, CannotDropRoot = 3 };
    const pid_t child = ::fork();
    ASSERT_GE(child, 0) << std::strerror(errno);
    if (child == 0) {
        constexpr uid_t nobody = 65534;
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(nobody) != 0 || ::setuid(nobody) != 0)) {
            ::_exit(CannotDropRoot);
        }
        if (print()) {
            ::_exit(Failed);
        }
        ::_exit(viewerCalls.size() == 1 && viewerCalls[0].contentThen == "old\r\n" + golden
                    ? Appended
                    : WrongViewerCalls);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == CannotDropRoot) {
        GTEST_SKIP() << "cannot leave root to make the delete fail";
    }
    EXPECT_EQ(WEXITSTATUS(status), Appended);
    EXPECT_EQ(readFile(tableName), "old\r\n" + golden);
}

class DeleteAtExit : public testing::Test {
protected:
    ScratchDirectory scratch;
};

TEST_F(DeleteAtExit, RemovesTheWrittenTable)
{
    ASSERT_FALSE(kodvik::writeAndShow(kodvik::Windows1252{}, kodvik::TableEncoding::SingleByte,
                                      [](auto) { return std::nullopt; }));
    kodvik::deleteAtExit();
    EXPECT_TRUE(fs::is_empty(scratch.path));
}

TEST_F(DeleteAtExit, WithNoFileLeavesEverythingElse)
{
    writeFile("other.txt", "other");
    kodvik::deleteAtExit();
    EXPECT_EQ(readFile("other.txt"), "other");
    EXPECT_FALSE(fs::exists(fs::symlink_status(tableName)));
}

TEST_F(DeleteAtExit, LeavesADirectoryOfTheName)
{
    fs::create_directory(tableName);
    kodvik::deleteAtExit();
    EXPECT_TRUE(fs::is_directory(tableName));
}

TEST_F(DeleteAtExit, RemovesALinkButNotItsTarget)
{
    writeFile("other.txt", "precious");
    fs::create_symlink("other.txt", tableName);
    kodvik::deleteAtExit();
    EXPECT_FALSE(fs::exists(fs::symlink_status(tableName)));
    EXPECT_EQ(readFile("other.txt"), "precious");
}

TEST_F(DeleteAtExit, IgnoresARemovedWorkingDirectory)
{
    const fs::path gone = scratch.path / "gone";
    fs::create_directory(gone);
    fs::current_path(gone);
    fs::remove(gone);
    kodvik::deleteAtExit();
    EXPECT_TRUE(fs::is_empty(scratch.path));
}

// The system calls on their own, for what the whole operation cannot provoke on cue.
class FileCalls : public testing::Test {
protected:
    ScratchDirectory scratch;
};

// The race between the removal and the open, with the link already in place.
TEST_F(FileCalls, OpenRefusesALink)
{
    writeFile("other.txt", "precious");
    fs::create_symlink("other.txt", tableName);
    fs::create_symlink("elsewhere.txt", "dangling.txt");
    tablefile::Handle handle{};
    EXPECT_EQ(tablefile::openForAppending(tableName, handle), std::strerror(ELOOP));
    EXPECT_EQ(tablefile::openForAppending("dangling.txt", handle), std::strerror(ELOOP));
    EXPECT_EQ(readFile("other.txt"), "precious");
    EXPECT_FALSE(fs::exists(fs::symlink_status("elsewhere.txt")));
}

TEST_F(FileCalls, WriteReportsAFullDisk)
{
    tablefile::Handle handle{};
    ASSERT_EQ(tablefile::openForAppending("/dev/full", handle), std::nullopt);
    EXPECT_EQ(tablefile::writeAll(handle, "table"), std::strerror(ENOSPC));
    EXPECT_EQ(tablefile::close(handle), std::nullopt);
}

TEST_F(FileCalls, CloseReportsItsFailure)
{
    EXPECT_EQ(tablefile::close(-1), std::strerror(EBADF));
}

std::atomic<int> interruptions{0};

// Polls the condition for up to ten seconds.
template <typename Condition> bool eventually(Condition condition)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

bool blockedInWrite(pid_t thread)
{
    std::ifstream in("/proc/self/task/" + std::to_string(thread) + "/syscall");
    long number = -1;
    return in >> number && number == SYS_write;
}

int bytesIn(int pipeEnd)
{
    int count = 0;
    return ::ioctl(pipeEnd, FIONREAD, &count) == 0 ? count : -1;
}

// A signal without SA_RESTART stops a write() that waits on a full pipe: with EINTR when it
// has written nothing yet, with a short count when it has. The write must go on either way.
// Nothing is read while a signal is on its way, so which of the two happens is certain.
TEST_F(FileCalls, WriteCarriesOnAfterInterruptions)
{
    if (!fs::exists("/proc/self/syscall")) {
        GTEST_SKIP() << "no /proc/self/syscall to see the write block";
    }
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ASSERT_EQ(::fcntl(ends[1], F_SETFL, O_NONBLOCK), 0);
    const char page[4096]{};
    std::size_t prefilled = 0;
    while (::write(ends[1], page, sizeof page) > 0) {
        prefilled += sizeof page;
    }
    ASSERT_EQ(::fcntl(ends[1], F_SETFL, 0), 0);

    struct sigaction count {};
    struct sigaction previous {};
    count.sa_handler = [](int) { ++interruptions; };
    interruptions = 0;
    ASSERT_EQ(::sigaction(SIGUSR1, &count, &previous), 0);

    std::string bytes(100000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(i * 7 + i / 251);
    }
    const pid_t writerId = ::gettid();
    const pthread_t writer = ::pthread_self();
    std::string received;
    std::thread reader([&] {
        char chunk[4096];
        const auto readChunk = [&] {
            const ssize_t got = ::read(ends[0], chunk, sizeof chunk);
            received.append(chunk, static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
            return got > 0;
        };
        const auto interrupt = [&](int times) {
            return eventually([&] { return blockedInWrite(writerId); }) &&
                   ::pthread_kill(writer, SIGUSR1) == 0 &&
                   eventually([&] { return interruptions == times; });
        };
        // Nothing written yet: EINTR. Then one chunk taken and refilled: a short count.
        if (interrupt(1) && readChunk() &&
            eventually([&] { return bytesIn(ends[0]) == static_cast<int>(prefilled); })) {
            interrupt(2);
        }
        while (readChunk()) {
        }
    });
    const auto failure = tablefile::writeAll(ends[1], bytes);
    EXPECT_EQ(tablefile::close(ends[1]), std::nullopt);
    reader.join();
    ::close(ends[0]);
    ::sigaction(SIGUSR1, &previous, nullptr);

    EXPECT_EQ(interruptions.load(), 2);
    EXPECT_EQ(failure, std::nullopt);
    EXPECT_TRUE(received == std::string(prefilled, '\0') + bytes)
        << received.size() << " of " << prefilled + bytes.size() << " bytes";
}

} // namespace
