#pragma once

// What a screen reader hears of a control, asked through Windows' accessibility services as a
// client asks: with COM of its own on the asking thread.

#include <windows.h>

#include <oleacc.h>
#include <string>

struct Heard {
    HRESULT found = E_FAIL; // AccessibleObjectFromWindow's result
    std::wstring name;
    long role = -1;
};

inline Heard read(IAccessible& object)
{
    Heard heard{S_OK, {}, -1};
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    if (SUCCEEDED(object.get_accName(self, &name)) && name != nullptr) {
        heard.name.assign(name, SysStringLen(name));
        SysFreeString(name);
    }
    VARIANT role{};
    if (SUCCEEDED(object.get_accRole(self, &role)) && role.vt == VT_I4) {
        heard.role = role.lVal;
    }
    return heard;
}

inline Heard hear(HWND control)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Heard heard;
    IAccessible* object = nullptr;
    heard.found =
        AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                   reinterpret_cast<void**>(&object));
    if (SUCCEEDED(heard.found) && object != nullptr) {
        heard = read(*object);
        object->Release();
    }
    CoUninitialize();
    return heard;
}
