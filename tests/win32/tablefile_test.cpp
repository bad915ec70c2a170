// The table file on Windows' file calls, through the ANSI code page.
#include "ansicodepage.h"
#include "codetable.h"
#include "scratchdirectory.h"
#include "tablefile.h"

#include <windows.h>

#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace tablefile = kodvik::tablefile;

class TableFile : public testing::Test {
protected:
    ScratchDirectory scratch;
    kodvik::AnsiCodePage codePage{1252};
    std::vector<std::string> viewerCalls;
    std::optional<std::string> viewerFailure;
    kodvik::ViewerStarter viewer = [this](std::string_view name) {
        viewerCalls.emplace_back(name);
        return viewerFailure;
    };
};

TEST_F(TableFile, WritesTheTableAsLinuxDoesAndOpensIt)
{
    EXPECT_EQ(kodvik::writeAndShow(codePage, kodvik::TableEncoding::SingleByte, viewer),
              std::nullopt);
    EXPECT_EQ(readFile("ascii.txt"), goldenTable());
    EXPECT_EQ(viewerCalls, std::vector<std::string>{"ascii.txt"});
}

// Greek and Hebrew leave some of the shown codes undefined; each line still holds its code's own
// byte, so the file is the same on every system.
TEST_F(TableFile, HoldsEachCodesOwnByteWhateverTheCodePage)
{
    for (const unsigned int number : {1252U, 1253U, 1255U, 874U}) {
        const kodvik::AnsiCodePage systemCodePage(number);
        EXPECT_EQ(kodvik::tableContent(systemCodePage, kodvik::TableEncoding::SingleByte),
                  goldenTable())
            << "code page " << number;
    }
}

TEST_F(TableFile, ReplacesAnOldTable)
{
    writeFile("ascii.txt", "an old table\r\n");
    EXPECT_EQ(kodvik::writeAndShow(codePage, kodvik::TableEncoding::SingleByte, viewer),
              std::nullopt);
    EXPECT_EQ(readFile("ascii.txt"), goldenTable());
}

// Another program holds the old file open without letting it be deleted, but lets it be written.
TEST_F(TableFile, AppendsToAnOldTableThatCannotBeDeleted)
{
    writeFile("ascii.txt", "kept\r\n");
    const HANDLE holder =
        CreateFileW(L"ascii.txt", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    // cppcheck-suppress resourceLeak ; the assertion returns only when there is no handle to close
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_EQ(kodvik::writeAndShow(codePage, kodvik::TableEncoding::SingleByte, viewer),
              std::nullopt);
    CloseHandle(holder);
    EXPECT_EQ(readFile("ascii.txt"), "kept\r\n" + goldenTable());
}

// Another program holds the old file open and shares it with no one: it can be neither deleted
// nor written. (A read-only file would do on Windows, but Wine run as root writes it anyway.)
TEST_F(TableFile, ReportsALockedTableAsAWriteFailure)
{
    writeFile("ascii.txt", "locked\r\n");
    const HANDLE holder = CreateFileW(L"ascii.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    // cppcheck-suppress resourceLeak ; the assertion returns only when there is no handle to close
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    const auto failure = kodvik::writeAndShow(codePage, kodvik::TableEncoding::SingleByte, viewer);
    CloseHandle(holder);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->stage, kodvik::TableFailure::Stage::Write);
    EXPECT_FALSE(failure->reason.empty());
    EXPECT_TRUE(viewerCalls.empty());
    EXPECT_EQ(readFile("ascii.txt"), "locked\r\n");
}

TEST_F(TableFile, LeavesAFolderOfTheSameNameAlone)
{
    std::filesystem::create_directory("ascii.txt");
    const auto failure = kodvik::writeAndShow(codePage, kodvik::TableEncoding::SingleByte, viewer);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->stage, kodvik::TableFailure::Stage::Write);
    EXPECT_TRUE(std::filesystem::is_directory("ascii.txt"));
    EXPECT_TRUE(tablefile::removeName("ascii.txt").has_value());
    EXPECT_TRUE(std::filesystem::is_directory("ascii.txt"));
}

TEST_F(TableFile, ReportsTheViewersFailure)
{
    viewerFailure = "no viewer";
    const auto failure = kodvik::writeAndShow(codePage, kodvik::TableEncoding::SingleByte, viewer);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->stage, kodvik::TableFailure::Stage::Viewer);
    EXPECT_EQ(failure->reason, "no viewer");
    EXPECT_EQ(readFile("ascii.txt"), goldenTable());
}

TEST_F(TableFile, IsDeletedAtExitWhetherOrNotItIsThere)
{
    writeFile("ascii.txt", "from an earlier run\r\n");
    kodvik::deleteAtExit();
    EXPECT_FALSE(std::filesystem::exists("ascii.txt"));
    kodvik::deleteAtExit();
    EXPECT_FALSE(std::filesystem::exists("ascii.txt"));
}

TEST_F(TableFile, AppendsOnEveryOpen)
{
    for (const std::string_view part : {"first\r\n", "second\r\n"}) {
        tablefile::Handle handle{};
        ASSERT_EQ(tablefile::openForAppending("ascii.txt", handle), std::nullopt);
        EXPECT_EQ(tablefile::writeAll(handle, part), std::nullopt);
        EXPECT_EQ(tablefile::close(handle), std::nullopt);
    }
    EXPECT_EQ(readFile("ascii.txt"), "first\r\nsecond\r\n");
}

TEST_F(TableFile, GivesTheSystemsReasonForAMissingFile)
{
    const auto reason = tablefile::removeName("ascii.txt");
    ASSERT_TRUE(reason.has_value());
    EXPECT_FALSE(reason->empty());
    EXPECT_NE(reason->back(), '\n');
}

TEST_F(TableFile, RefusesToWriteThroughALink)
{
    writeFile("elsewhere.txt", "untouched");
    // Wine 8 answers TRUE without making the link, so the link is looked at, not the answer.
    CreateSymbolicLinkW(L"ascii.txt", L"elsewhere.txt",
                        SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
    const DWORD attributes = GetFileAttributesW(L"ascii.txt");
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        GTEST_SKIP() << "no symbolic links here";
    }
    tablefile::Handle handle{};
    const auto failure = tablefile::openForAppending("ascii.txt", handle);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(tablefile::removeName("ascii.txt"), std::nullopt);
    EXPECT_EQ(readFile("elsewhere.txt"), "untouched");
}

} // namespace
