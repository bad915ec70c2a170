#include "notepad.h"

#include "wintext.h"

#include <windows.h>

namespace kodvik {

ViewerStarter notepadViewer()
{
    return [](std::string_view fileName) { return startViewer(L"notepad.exe", fileName); };
}

std::optional<std::string> startViewer(std::wstring_view program, std::string_view fileName)
{
    // CreateProcessW may write into the command line, so it gets a buffer of its own.
    std::wstring commandLine(program);
    commandLine += L' ';
    commandLine += wideFromUtf8(fileName);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return systemReason(GetLastError());
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return std::nullopt;
}

} // namespace kodvik
