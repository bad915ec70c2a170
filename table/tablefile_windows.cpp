#include "tablefile.h"
#include "wintext.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>

namespace kodvik::tablefile {

namespace {

// ERROR_STOPPED_ON_SYMLINK, which MinGW's headers lack: "The create operation stopped after
// reaching a symbolic link."
constexpr DWORD stoppedOnSymlink = 681;

HANDLE fileHandle(Handle handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

} // namespace

Failure removeName(const std::string& name)
{
    // DeleteFileW takes a symbolic link itself, never its target, and refuses a directory.
    if (!DeleteFileW(wideFromUtf8(name).c_str())) {
        return systemReason(GetLastError());
    }
    return std::nullopt;
}

Failure openForAppending(const std::string& name, Handle& handle)
{
    const std::wstring path = wideFromUtf8(name);
    // Append-only access: every write lands at the end. The reparse point flag opens a link as
    // itself, so it can be seen and refused instead of followed.
    const auto open = [&path](DWORD flags) {
        return CreateFileW(path.c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES, FILE_SHARE_READ,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | flags, nullptr);
    };
    HANDLE file = open(FILE_FLAG_OPEN_REPARSE_POINT);
    if (file == INVALID_HANDLE_VALUE) {
        return systemReason(GetLastError());
    }
    FILE_ATTRIBUTE_TAG_INFO information{};
    if (!GetFileInformationByHandleEx(file, FileAttributeTagInfo, &information,
                                      sizeof information)) {
        const DWORD error = GetLastError();
        CloseHandle(file);
        return systemReason(error);
    }
    if ((information.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        CloseHandle(file);
        // Symbolic links and junctions name another place; other reparse points (cloud
        // placeholders, deduplicated files) are the file itself and open as usual.
        if (IsReparseTagNameSurrogate(information.ReparseTag)) {
            return systemReason(stoppedOnSymlink);
        }
        file = open(0);
        if (file == INVALID_HANDLE_VALUE) {
            return systemReason(GetLastError());
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
            return systemReason(GetLastError());
        }
        if (written == 0) {
            // Not seen for files on disk, but looping on it would never end.
            return systemReason(ERROR_WRITE_FAULT);
        }
        bytes.remove_prefix(written);
    }
    return std::nullopt;
}

Failure close(Handle handle)
{
    if (!CloseHandle(fileHandle(handle))) {
        return systemReason(GetLastError());
    }
    return std::nullopt;
}

} // namespace kodvik::tablefile
