#pragma once

// DLLs of Windows that are not among its known DLLs (oleacc, uiautomationcore). An import of one
// would be looked for in Kodvik's own folder before the system folder, where a DLL of that name
// saved beside kodvik.exe would run inside it; so each is loaded from the system folder alone, on
// first use, and its functions are looked up by name.

#include <windows.h>

namespace kodvik {

// Null when the system folder has no such DLL.
inline HMODULE systemLibrary(const wchar_t* name)
{
    return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

// Null when the module is null or does not export it.
template <typename Function> Function exported(HMODULE module, const char* name)
{
    if (module == nullptr) {
        return nullptr;
    }
    // Through void (*)(): GetProcAddress's own type is no more the function's than any other.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

} // namespace kodvik
