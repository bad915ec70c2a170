#include "announcement.h"

#include "systemlibrary.h"

#include <oleauto.h>
#include <uiautomationcore.h>

namespace {

// The two functions, as the Windows SDK's uiautomationcoreapi.h declares them. MinGW-w64's copy of
// that header does not compile as C++ (a parameter named "new") and lacks the notification
// (Windows 10 1709), whose two enumerations are passed as the ints they are.
using HostProviderFromHwnd = HRESULT(WINAPI*)(HWND window, IRawElementProviderSimple** provider);
using RaiseNotification = HRESULT(WINAPI*)(IRawElementProviderSimple* provider, int kind,
                                           int processing, BSTR displayString, BSTR activityId);
constexpr int notificationKindActionCompleted = 2;
constexpr int notificationProcessingMostRecent = 3;

// uiautomationcore.dll is not one of Windows' known DLLs.
struct Uia {
    HostProviderFromHwnd hostProviderFromHwnd = nullptr;
    RaiseNotification raiseNotification = nullptr;
};

// Null where either function is missing.
const Uia* uia()
{
    static const Uia loaded = [] {
        const HMODULE module = kodvik::systemLibrary(L"uiautomationcore.dll");
        return Uia{kodvik::exported<HostProviderFromHwnd>(module, "UiaHostProviderFromHwnd"),
                   kodvik::exported<RaiseNotification>(module, "UiaRaiseNotificationEvent")};
    }();
    return loaded.hostProviderFromHwnd != nullptr && loaded.raiseNotification != nullptr ? &loaded
                                                                                         : nullptr;
}

// Frees a BSTR when it goes.
struct Bstr {
    explicit Bstr(std::u16string_view text)
        : value(SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                                  static_cast<UINT>(text.size())))
    {}
    ~Bstr() { SysFreeString(value); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR value;
};

} // namespace

namespace kodvik {

bool announce(HWND window, std::u16string_view text)
{
    const Uia* functions = uia();
    IRawElementProviderSimple* provider = nullptr;
    if (functions == nullptr || FAILED(functions->hostProviderFromHwnd(window, &provider)) ||
        provider == nullptr) {
        return false;
    }
    const Bstr said(text);
    if (said.value == nullptr) {
        provider->Release();
        return false;
    }
    // One activity for all of Kodvik's answers: a newer one replaces an older one not yet spoken.
    const Bstr activity(u"Kodvik.Answer");
    const HRESULT raised =
        functions->raiseNotification(provider, notificationKindActionCompleted,
                                     notificationProcessingMostRecent, said.value, activity.value);
    provider->Release();
    return SUCCEEDED(raised);
}

} // namespace kodvik
