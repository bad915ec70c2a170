#pragma once

#include "codetable.h"

#include <optional>
#include <string>
#include <string_view>

namespace kodvik {

// Starts "notepad.exe <file>" in a normal, focused window and does not wait for it.
[[nodiscard]] ViewerStarter notepadViewer();

// Starts "<command> <file>" the same way. The command's first word names a program in Windows'
// system folder, and only that one is started; the file name is passed as it is. The system's
// reason when the process cannot start.
[[nodiscard]] std::optional<std::string> startViewer(std::wstring_view command,
                                                     std::string_view fileName);

// Where Windows' system folder is, as GetSystemDirectoryW tells it.
using SystemFolderQuery = unsigned (*)(wchar_t* buffer, unsigned size);

// The full path of a program in the system folder that `query` tells, or nothing, with the
// thread's last error saying why.
[[nodiscard]] std::optional<std::wstring> inSystemFolder(std::wstring_view program,
                                                         SystemFolderQuery query);

} // namespace kodvik
