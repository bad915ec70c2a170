#include "tablefile.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <climits>
#include <memory>

namespace kodvik::tablefile {

namespace {

// ERROR_STOPPED_ON_SYMLINK, which MinGW's headers lack: "The create operation stopped after
// reaching a symbolic link."
constexpr DWORD stoppedOnSymlink = 681;

std::string utf8(std::wstring_view text)
{
    if (text.empty() || text.size() > INT_MAX) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int needed =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), length, bytes.data(), needed, nullptr, nullptr);
    return bytes;
}

std::wstring wide(const std::string& text)
{
    if (text.empty() || text.size() > INT_MAX) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int needed = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
    std::wstring units(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), length, units.data(), needed);
    return units;
}

// The system's own words, without the line break FormatMessageW ends them with.
std::string reason(DWORD error)
{
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const std::unique_ptr<wchar_t, decltype(&LocalFree)> owner(buffer, &LocalFree);
    std::wstring_view text(buffer, buffer != nullptr ? length : 0);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
        text.remove_suffix(1);
    }
    if (text.empty()) {
        return "error " + std::to_string(error);
    }
    return utf8(text);
}

HANDLE fileHandle(Handle handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

} // namespace

Failure removeName(const std::string& name)
{
    // DeleteFileW takes a symbolic link itself, never its target, and refuses a directory.
    if (!DeleteFileW(wide(name).c_str())) {
        return reason(GetLastError());
    }
    return std::nullopt;
}

Failure openForAppending(const std::string& name, Handle& handle)
{
    const std::wstring path = wide(name);
    // Append-only access: every write lands at the end. The reparse point flag opens a link as
    // itself, so it can be seen and refused instead of followed.
    const auto open = [&path](DWORD flags) {
        return CreateFileW(path.c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES, FILE_SHARE_READ,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | flags, nullptr);
    };
    HANDLE file = open(FILE_FLAG_OPEN_REPARSE_POINT);
    if (file == INVALID_HANDLE_VALUE) {
        return reason(GetLastError());
    }
    FILE_ATTRIBUTE_TAG_INFO information{};
    if (!GetFileInformationByHandleEx(file, FileAttributeTagInfo, &information,
                                      sizeof information)) {
        const DWORD error = GetLastError();
        CloseHandle(file);
        return reason(error);
    }
    if ((information.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        CloseHandle(file);
        // Symbolic links and junctions name another place; other reparse points (cloud
        // placeholders, deduplicated files) are the file itself and open as usual.
        if (IsReparseTagNameSurrogate(information.ReparseTag)) {
            return reason(stoppedOnSymlink);
        }
        file = open(0);
        if (file == INVALID_HANDLE_VALUE) {
            return reason(GetLastError());
        }
    }
    handle = reinterpret_cast<Handle>(file);
    return std::nullopt;
}

Failure writeAll(Handle handle, std::string_view bytes)
{
    while (!bytes.empty()) {
        // WriteFile counts in DWORDs; a larger piece goes in parts.
        const auto size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1U << 30));
        DWORD written = 0;
        if (!WriteFile(fileHandle(handle), bytes.data(), size, &written, nullptr)) {
            return reason(GetLastError());
        }
        if (written == 0) {
            // Not seen for files on disk, but looping on it would never end.
            return reason(ERROR_WRITE_FAULT);
        }
        bytes.remove_prefix(written);
    }
    return std::nullopt;
}

Failure close(Handle handle)
{
    if (!CloseHandle(fileHandle(handle))) {
        return reason(GetLastError());
    }
    return std::nullopt;
}

} // namespace kodvik::tablefile
