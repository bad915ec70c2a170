#pragma once

// The few file-system calls the table file needs, one implementation per platform
// (tablefile_posix.cpp, tablefile_windows.cpp). Names are UTF-8 and relative to the working
// directory. A failure comes back as the system's own reason, UTF-8; nothing means success.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kodvik::tablefile {

// An open file as the platform holds it: a descriptor on POSIX, a HANDLE on Windows.
using Handle = std::intptr_t;

using Failure = std::optional<std::string>;

// Removes the name: a link goes, never what it points to; a directory is never removed.
[[nodiscard]] Failure removeName(const std::string& name);

// Opens the file for appending, creating it when absent. A link at the name is refused rather
// than followed, so a link planted after the removal cannot redirect the write.
[[nodiscard]] Failure openForAppending(const std::string& name, Handle& handle);

// Writes every byte, however many calls the system takes for it.
[[nodiscard]] Failure writeAll(Handle handle, std::string_view bytes);

// Closes the file. The handle is gone afterwards, whatever the result, and must not be closed
// again: a failure here can mean data the system accepted never reached the disk.
[[nodiscard]] Failure close(Handle handle);

} // namespace kodvik::tablefile
