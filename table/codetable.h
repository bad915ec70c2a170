#pragma once

#include "platform.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kodvik {

// The table file: a relative name, so it lies in the working directory.
inline constexpr std::string_view tableFileName = "ascii.txt";

// Opens the written table in the platform's viewer and returns at once, without waiting for it.
// Gives the system's reason when the viewer cannot be started, nothing when it started.
using ViewerStarter = std::function<std::optional<std::string>(std::string_view fileName)>;

struct TableFailure {
    enum class Stage { Write, Viewer };
    Stage stage;
    std::string reason; // the system's own words, UTF-8
};

// What the window tells the user about a failure, UTF-8: "Could not write ascii.txt: <reason>"
// or "Could not open ascii.txt in a viewer: <reason>".
[[nodiscard]] std::string describe(const TableFailure& failure);

// The encoding the platform's viewer reads text files in; the front-end knows which.
enum class TableEncoding {
    // One byte per character, read through the system's code page (Notepad). A code's character
    // is the code's own byte, whatever the code page makes of it, so the bytes are the same on
    // every system.
    SingleByte,
    // The code page's characters in UTF-8, as a Linux desktop reads text files.
    Utf8,
};

// The 256 lines of the table, each ending in CR LF.
[[nodiscard]] std::string tableContent(const CodePage& codePage, TableEncoding encoding);

// Deletes the old file (ignoring any failure), appends the table to a new one, closes it and
// starts the viewer on it. The viewer is not started when the file could not be written.
[[nodiscard]] std::optional<TableFailure>
writeAndShow(const CodePage& codePage, TableEncoding encoding, const ViewerStarter& startViewer);

// Deletes the file at exit; every failure, its absence included, is ignored.
void deleteAtExit() noexcept;

} // namespace kodvik
