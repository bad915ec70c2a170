#pragma once

// What screen readers are told for a window, whatever has the focus: UI Automation's notification,
// which Narrator, NVDA and JAWS speak on Windows 10 1709 and later.

#include <windows.h>

#include <string_view>

namespace kodvik {

// Raises it for the window, to replace one from it that a screen reader has not spoken yet. False
// where Windows has no such notification (older Windows, Wine): then nothing is said.
bool announce(HWND window, std::u16string_view text);

} // namespace kodvik
