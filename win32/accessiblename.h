#pragma once

// What a screen reader calls a control, where its visible text says too little ("<") or it has
// none (a field, whose heading is a label of its own).

#include <windows.h>

#include <string_view>

namespace kodvik {

// From now on the control answers Windows' accessibility services (WM_GETOBJECT for its client
// area) with the object Windows itself would make for it, renamed: role, state, value, place and
// actions stay Windows' own. Once for each control, on the control's own thread; the name lasts
// as long as the control. False when Windows could not attach it or has no accessibility
// services to load, and the control keeps the name Windows gives it.
bool setAccessibleName(HWND control, std::wstring_view name);

} // namespace kodvik
