#include "accessiblename.h"

#include "systemlibrary.h"

#include <windows.h>

#include <commctrl.h>
#include <new>
#include <objbase.h>
#include <oleacc.h>
#include <string>
#include <utility>

namespace {

// Its own id beside the window's other subclasses of the same control.
constexpr UINT_PTR subclassId = 0x4E414D45; // "NAME"

// Windows' accessibility services, from oleacc.dll, which is not one of Windows' known DLLs.
struct Oleacc {
    decltype(&CreateStdAccessibleObject) createStdAccessibleObject = nullptr;
    decltype(&LresultFromObject) lresultFromObject = nullptr;
};

// Null when the system's oleacc.dll cannot be loaded.
const Oleacc* oleacc()
{
    static const Oleacc loaded = [] {
        const HMODULE module = kodvik::systemLibrary(L"oleacc.dll");
        Oleacc functions;
        functions.createStdAccessibleObject =
            kodvik::exported<decltype(functions.createStdAccessibleObject)>(
                module, "CreateStdAccessibleObject");
        functions.lresultFromObject =
            kodvik::exported<decltype(functions.lresultFromObject)>(module, "LresultFromObject");
        return functions;
    }();
    return loaded.createStdAccessibleObject != nullptr && loaded.lresultFromObject != nullptr
               ? &loaded
               : nullptr;
}

bool isSelf(const VARIANT& child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// The object Windows makes for a control, with another name. Everything but the name is asked of
// Windows' object, so the control reads as the field or button it is. It may outlive the control:
// a client holds it as long as it likes, and Windows' object then answers that the window is gone.
class NamedAccessible final : public IAccessible, public IOleWindow {
public:
    NamedAccessible(HWND control, IAccessible* standard, std::wstring name)
        : control(control), standard(standard), name(std::move(name))
    {}
    NamedAccessible(const NamedAccessible&) = delete;
    NamedAccessible& operator=(const NamedAccessible&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
        } else if (id == __uuidof(IOleWindow)) {
            *object = static_cast<IOleWindow*>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&references);
        if (left == 0) {
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    // IDispatch: accessibility clients call IAccessible directly; a script through IDispatch
    // would bypass the name, so it gets no type information to do so.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (count == nullptr) {
            return E_POINTER;
        }
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override
    {
        return E_NOTIMPL;
    }

    // IAccessible: the name of the control itself is this object's own.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* result) override
    {
        if (!isSelf(child)) {
            return standard->get_accName(child, result);
        }
        if (result == nullptr) {
            return E_POINTER;
        }
        *result = SysAllocStringLen(name.data(), static_cast<UINT>(name.size()));
        return *result != nullptr ? S_OK : E_OUTOFMEMORY;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override
    {
        return standard->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override
    {
        return standard->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** result) override
    {
        return standard->get_accChild(child, result);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        return standard->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override
    {
        return standard->get_accDescription(child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        return standard->get_accRole(child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        return standard->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override
    {
        return standard->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override
    {
        return standard->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
    {
        return standard->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override
    {
        return standard->get_accFocus(focus);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override
    {
        return standard->get_accSelection(selection);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        return standard->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override
    {
        return standard->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override
    {
        return standard->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override
    {
        return standard->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override
    {
        return standard->accHitTest(left, top, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        return standard->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR newName) override
    {
        return standard->put_accName(child, newName);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override
    {
        return standard->put_accValue(child, value);
    }

    // IOleWindow: how a client finds the control from its object.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override
    {
        if (window == nullptr) {
            return E_POINTER;
        }
        *window = control;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

private:
    ~NamedAccessible() { standard->Release(); }

    LONG references = 1;
    HWND control;
    IAccessible* standard;
    std::wstring name;
};

// A new object for every request, as clients release theirs when they are done with it.
LRESULT answer(HWND control, WPARAM flags, const std::wstring& name)
{
    IAccessible* standard = nullptr;
    if (FAILED(oleacc()->createStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                                   reinterpret_cast<void**>(&standard)))) {
        return 0;
    }
    auto* named = new (std::nothrow) NamedAccessible(control, standard, name);
    if (named == nullptr) {
        standard->Release();
        return 0;
    }
    const LRESULT result =
        oleacc()->lresultFromObject(__uuidof(IAccessible), flags, static_cast<IAccessible*>(named));
    named->Release();
    return result;
}

// What a renamed control keeps while it lives.
struct Naming {
    std::wstring name;
    // The object goes to the client through COM, which needs an apartment on the control's
    // thread; the program's thread has none of its own, so each control holds one while it lives.
    bool holdsApartment = false;
};

LRESULT CALLBACK namedControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                  UINT_PTR /*subclass*/, DWORD_PTR data)
{
    auto* naming = reinterpret_cast<Naming*>(data);
    switch (message) {
    case WM_GETOBJECT:
        // The id is a DWORD: compared as an LPARAM, 64-bit Windows' sign extension would spoil it.
        if (static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
            if (const LRESULT result = answer(control, wParam, naming->name); result > 0) {
                return result;
            }
        }
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(control, &namedControlProc, subclassId);
        if (naming->holdsApartment) {
            CoUninitialize();
        }
        delete naming;
        break;
    default:
        break;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

} // namespace

namespace kodvik {

bool setAccessibleName(HWND control, std::wstring_view name)
{
    if (oleacc() == nullptr) {
        return false;
    }
    auto* naming = new Naming{std::wstring(name), false};
    // A thread that already has a multithreaded apartment keeps it; the object goes out as well.
    naming->holdsApartment = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    if (!SetWindowSubclass(control, &namedControlProc, subclassId,
                           reinterpret_cast<DWORD_PTR>(naming))) {
        if (naming->holdsApartment) {
            CoUninitialize();
        }
        delete naming;
        return false;
    }
    return true;
}

} // namespace kodvik
