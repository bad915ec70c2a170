// Starting the viewer: a process of its own, not waited for.
#include "notepad.h"
#include "scratchdirectory.h"

#include <windows.h>

#include <filesystem>
#include <gtest/gtest.h>

namespace {

TEST(Viewer, GivesTheSystemsReasonWhenTheProgramIsMissing)
{
    const auto reason = kodvik::startViewer(L"kodvik-no-such-viewer.exe", "ascii.txt");
    ASSERT_TRUE(reason.has_value());
    EXPECT_FALSE(reason->empty());
    EXPECT_NE(reason->back(), '\n');
    EXPECT_NE(reason->back(), '\r');
}

TEST(Viewer, GivesAReasonWhenTheSystemFolderNeverFits)
{
    SetLastError(ERROR_SUCCESS);
    const auto growing = [](wchar_t* /*buffer*/, unsigned size) { return size + 1; };
    EXPECT_EQ(kodvik::inSystemFolder(L"notepad.exe", growing), std::nullopt);
    EXPECT_NE(GetLastError(), ERROR_SUCCESS);
}

// cmd stands in for Notepad: it writes the command line's last word, the file name, into a file.
TEST(Viewer, StartsTheProgramOnTheFileAndReturnsAtOnce)
{
    const ScratchDirectory scratch;
    EXPECT_EQ(kodvik::startViewer(L"cmd.exe /c echo>seen.txt", "ascii.txt"), std::nullopt);
    const ULONGLONG end = GetTickCount64() + 20000;
    while (readFile("seen.txt").empty() && GetTickCount64() < end) {
        Sleep(50); // polled with a bound: the other process writes when it gets there
    }
    EXPECT_EQ(readFile("seen.txt"), "ascii.txt\r\n");
}

} // namespace
