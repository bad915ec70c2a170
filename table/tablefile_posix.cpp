#include "tablefile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace kodvik::tablefile {

namespace {

// strerror_r comes in two shapes: glibc's returns the text (maybe a static one, not the buffer),
// the XSI one fills the buffer and returns a status. Overloads take whichever the library has.
[[maybe_unused]] std::string reasonFrom(const char* text, const char* /*buffer*/, int /*error*/)
{
    return text;
}

[[maybe_unused]] std::string reasonFrom(int status, const char* buffer, int error)
{
    return status == 0 ? std::string(buffer) : "error " + std::to_string(error);
}

// Not strerror: its text may sit in a buffer that any thread can overwrite.
std::string reason(int error)
{
    char buffer[256]{};
    return reasonFrom(strerror_r(error, buffer, sizeof buffer), buffer, error);
}

int descriptor(Handle handle)
{
    return static_cast<int>(handle);
}

} // namespace

Failure removeName(const std::string& name)
{
    // unlink, not remove: remove would take an empty directory of this name with it.
    if (::unlink(name.c_str()) != 0) {
        return reason(errno);
    }
    return std::nullopt;
}

Failure openForAppending(const std::string& name, Handle& handle)
{
    const int fd =
        ::open(name.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        return reason(errno);
    }
    handle = fd;
    return std::nullopt;
}

Failure writeAll(Handle handle, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor(handle), bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return reason(errno);
        }
        if (written == 0) {
            // Not seen for regular files, but looping on it would never end.
            return reason(EIO);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return std::nullopt;
}

Failure close(Handle handle)
{
    // No retry on EINTR: Linux has released the descriptor already, and a second close could
    // hit a descriptor another thread has just been given.
    if (::close(descriptor(handle)) != 0) {
        return reason(errno);
    }
    return std::nullopt;
}

} // namespace kodvik::tablefile
