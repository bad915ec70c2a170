// What someone might save beside kodvik.exe, or in the folder it works in, under the name of a
// program or a DLL that it uses: built as notepad.exe and as OLEACC.dll. Each only records that
// it ran, in a file named after itself with ".ran" added.
#include <windows.h>

namespace {

void recordThatItRan(HMODULE module)
{
    wchar_t name[MAX_PATH + 8]{};
    const DWORD length = GetModuleFileNameW(module, name, MAX_PATH);
    lstrcpyW(name + length, L".ran");
    CloseHandle(CreateFileW(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
}

} // namespace

#ifdef KODVIK_PLANTED_DLL
// The accessibility calls a program may import from oleacc.dll, so that the loader takes this DLL
// for the real one.
extern "C" __declspec(dllexport) HRESULT WINAPI
    CreateStdAccessibleObject(HWND, LONG, REFIID, void**)
{
    return E_FAIL;
}
extern "C" __declspec(dllexport) LRESULT WINAPI LresultFromObject(REFIID, WPARAM, IUnknown*)
{
    return E_FAIL;
}

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, void* /*reserved*/)
{
    if (reason == DLL_PROCESS_ATTACH) {
        recordThatItRan(self);
    }
    return TRUE;
}
#else
int main()
{
    recordThatItRan(nullptr);
}
#endif
