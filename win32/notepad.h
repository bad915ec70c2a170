#pragma once

#include "codetable.h"

#include <optional>
#include <string>
#include <string_view>

namespace kodvik {

// Starts "notepad.exe <file>" in a normal, focused window and does not wait for it.
[[nodiscard]] ViewerStarter notepadViewer();

// Starts "<program> <file>" the same way: the program is looked for as CreateProcessW looks for
// it, the file name is passed as it is. The system's reason when the process cannot start.
[[nodiscard]] std::optional<std::string> startViewer(std::wstring_view program,
                                                     std::string_view fileName);

} // namespace kodvik
