// What a screen reader hears for each control, asked as one asks: through Windows' accessibility
// services, from a thread of its own with COM, while the window's thread, which like the
// program's never sets COM up itself, answers WM_GETOBJECT in its message loop.
#include "frmascii.h"
#include "heard.h"
#include "messageboxes.h"

#include <gtest/gtest.h>
#include <oleacc.h>
#include <optional>
#include <string>
#include <thread>

namespace {

using C = FrmAscii::Control;

// The role Windows itself gives the control, which the renamed object keeps.
long standardRole(HWND control)
{
    IAccessible* object = nullptr;
    if (FAILED(CreateStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&object)))) {
        return -2;
    }
    const long role = read(*object).role;
    object->Release();
    return role;
}

// Asks on another thread; this one dispatches the messages that the asking sends it.
Heard hearFromAnotherThread(HWND control)
{
    std::optional<Heard> heard;
    const HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread client([&] {
        heard = hear(control);
        SetEvent(done);
    });
    const ULONGLONG end = GetTickCount64() + 10000;
    while (MsgWaitForMultipleObjects(1, &done, FALSE, 50, QS_ALLINPUT) != WAIT_OBJECT_0 &&
           GetTickCount64() < end) {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
    }
    client.join();
    CloseHandle(done);
    return heard.value_or(Heard{});
}

TEST(AccessibleNames, EachControlIsAnnouncedByWhatItDoes)
{
    FrmAscii window(GetModuleHandleW(nullptr), [](std::string_view) { return std::nullopt; });
    const struct {
        C id;
        const wchar_t* text; // what the control shows, unchanged
        const wchar_t* name; // what a screen reader says
    } rows[] = {
        {C::txtTecken, L"", L"Character"},          {C::txtAscii, L"", L"ASCII"},
        {C::cmdTecken, L"Character", L"Character"}, {C::cmdAscii, L"ASCII", L"ASCII"},
        {C::cmdMindre, L"<", L"Previous code"},     {C::cmdMer, L">", L"Next code"},
        {C::cmdPrint, L"Print", L"Print"},
    };
    for (const auto& row : rows) {
        const HWND control = window.control(row.id);
        const Heard heard = hearFromAnotherThread(control);
        EXPECT_EQ(heard.found, S_OK) << static_cast<int>(row.id);
        EXPECT_EQ(heard.name, row.name) << static_cast<int>(row.id);
        EXPECT_EQ(heard.role, standardRole(control)) << static_cast<int>(row.id);
        EXPECT_EQ(textOf(control), row.text) << static_cast<int>(row.id);
    }
}

} // namespace
