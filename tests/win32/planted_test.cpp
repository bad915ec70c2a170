// kodvik.exe started from a folder where someone saved a notepad.exe and an OLEACC.dll, with the
// same two in the folder it works in: Print opens the system's Notepad, nothing planted runs, and
// screen readers still hear the controls' names. CTest runs it with Wine's loader told to prefer
// a DLL found on the search path to its own, as Windows does; Wine reads that order from the
// environment it was started with, not from one a Windows program hands on.
#include "frmascii.h"
#include "heard.h"
#include "scratchdirectory.h"

#include <windows.h>

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace {

using C = FrmAscii::Control;
namespace fs = std::filesystem;

// Polls with a bound: the other process gets there in its own time.
bool waitFor(const std::function<bool()>& condition)
{
    const ULONGLONG end = GetTickCount64() + 20000;
    while (!condition()) {
        if (GetTickCount64() > end) {
            return false;
        }
        Sleep(50);
    }
    return true;
}

std::wstring imageOf(DWORD process)
{
    std::wstring image(MAX_PATH, L'\0');
    const HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
    DWORD size = MAX_PATH;
    if (handle == nullptr || !QueryFullProcessImageNameW(handle, 0, image.data(), &size)) {
        size = 0;
    }
    if (handle != nullptr) {
        CloseHandle(handle);
    }
    image.resize(size);
    return image;
}

// Ends a process that the test started, with its windows closed if it has any left.
class Started {
public:
    explicit Started(const PROCESS_INFORMATION& process) : process(process.hProcess)
    {
        CloseHandle(process.hThread);
    }
    ~Started()
    {
        if (WaitForSingleObject(process, 20000) != WAIT_OBJECT_0) {
            TerminateProcess(process, 1);
            WaitForSingleObject(process, 20000);
        }
        CloseHandle(process);
    }
    Started(const Started&) = delete;
    Started& operator=(const Started&) = delete;

private:
    HANDLE process;
};

TEST(PlantedFiles, NeverRunInsteadOfTheSystemsOwn)
{
    const ScratchDirectory scratch;
    const fs::path beside = scratch.path / "program";
    const fs::path working = scratch.path / "work";
    for (const fs::path& folder : {beside, working}) {
        fs::create_directory(folder);
        fs::copy_file(KODVIK_PLANTED_NOTEPAD, folder / "notepad.exe");
        fs::copy_file(KODVIK_PLANTED_OLEACC, folder / "OLEACC.dll");
    }
    fs::copy_file(KODVIK_PROGRAM, beside / "kodvik.exe");

    std::wstring commandLine = L"kodvik.exe";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const BOOL started =
        CreateProcessW((beside / "kodvik.exe").c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                       0, nullptr, working.c_str(), &startup, &process);
    ASSERT_TRUE(started);
    const Started kodvik(process);

    HWND frmAscii = nullptr;
    ASSERT_TRUE(waitFor([&] {
        // Shown once every control is there.
        frmAscii = FindWindowW(L"Kodvik.FrmAscii", nullptr);
        return IsWindowVisible(frmAscii) != FALSE;
    }));
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(GetDlgItem(frmAscii, kodvik::controlId(C::cmdPrint)), BM_CLICK, 0, 0,
                        SMTO_ABORTIFHUNG, 20000, &ignored);
    // Notepad names the file it opened in its title.
    HWND notepad = nullptr;
    EXPECT_TRUE(waitFor([&] {
        notepad = FindWindowW(L"Notepad", nullptr);
        wchar_t title[256]{};
        GetWindowTextW(notepad, title, 256);
        return std::wstring_view(title).find(L"ascii.txt") != std::wstring_view::npos;
    }));
    if (notepad != nullptr) {
        DWORD notepadId = 0;
        GetWindowThreadProcessId(notepad, &notepadId);
        wchar_t system[MAX_PATH]{};
        GetSystemDirectoryW(system, MAX_PATH);
        const std::wstring image = imageOf(notepadId);
        EXPECT_EQ(lstrcmpiW(image.c_str(), (fs::path(system) / "notepad.exe").c_str()), 0)
            << "Notepad ran from " << fs::path(image).string();
        PostMessageW(notepad, WM_CLOSE, 0, 0);
    }
    EXPECT_EQ(hear(GetDlgItem(frmAscii, kodvik::controlId(C::cmdMindre))).name, L"Previous code");
    EXPECT_EQ(hear(GetDlgItem(frmAscii, kodvik::controlId(C::cmdMer))).name, L"Next code");
    for (const fs::path& folder : {beside, working}) {
        for (const char* planted : {"notepad.exe.ran", "OLEACC.dll.ran"}) {
            EXPECT_FALSE(fs::exists(folder / planted)) << (folder / planted).string();
        }
    }
    PostMessageW(frmAscii, WM_CLOSE, 0, 0);
}

} // namespace
