#pragma once

#include "codetable.h"

// Opens the table in the desktop's own application for text files (through xdg-open or the
// sandbox portal) and does not wait for it: Linux has no Notepad.
[[nodiscard]] kodvik::ViewerStarter desktopViewer();
