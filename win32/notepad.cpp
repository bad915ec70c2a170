#include "notepad.h"

#include "wintext.h"

#include <windows.h>

namespace kodvik {

std::optional<std::wstring> inSystemFolder(std::wstring_view program, SystemFolderQuery query)
{
    std::wstring path(MAX_PATH, L'\0');
    UINT length = query(path.data(), static_cast<UINT>(path.size()));
    if (length >= path.size()) { // too small: length is the size it needs
        path.resize(length);
        length = query(path.data(), static_cast<UINT>(path.size()));
    }
    if (length >= path.size()) {
        // The folder's path grew between the two calls; Windows says nothing of that itself.
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return std::nullopt;
    }
    if (length == 0) {
        return std::nullopt;
    }
    path.resize(length);
    path += L'\\';
    path += program;
    return path;
}

ViewerStarter notepadViewer()
{
    return [](std::string_view fileName) { return startViewer(L"notepad.exe", fileName); };
}

std::optional<std::string> startViewer(std::wstring_view command, std::string_view fileName)
{
    // Named by its full path: given the bare name, CreateProcessW would look in Kodvik's own
    // folder and then in the working folder before the system folder, and run any program of
    // that name that someone saved there.
    const auto program =
        inSystemFolder(command.substr(0, command.find(L' ')), &GetSystemDirectoryW);
    if (!program) {
        return systemReason(GetLastError());
    }
    // CreateProcessW may write into the command line, so it gets a buffer of its own. It starts
    // with the bare name, as the program would see it when started by name.
    std::wstring commandLine(command);
    commandLine += L' ';
    commandLine += wideFromUtf8(fileName);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program->c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return systemReason(GetLastError());
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return std::nullopt;
}

} // namespace kodvik
