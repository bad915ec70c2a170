#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A window's text and its class name, as the tests read them.
inline std::wstring textOf(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

inline std::wstring classOf(HWND window)
{
    wchar_t name[32]{};
    GetClassNameW(window, name, 32);
    return name;
}

// Watches the message boxes this thread opens while it lives. Each is read as it is activated and
// then closed with OK, as a user would, so the code that opened it goes on; one that is still open
// after the time limit is closed all the same and counted, so a test cannot hang on a box it did
// not see coming.
class MessageBoxes {
public:
    struct Seen {
        std::wstring title;
        std::wstring text;
        int buttons = 0;      // push buttons in the box
        bool hasOk = false;   // one of them is IDOK
        bool hasIcon = false; // an icon is drawn beside the text
    };

    explicit MessageBoxes(UINT limitMilliseconds = 10000)
    {
        current = this;
        hook = SetWindowsHookExW(WH_CBT, &onCbt, nullptr, GetCurrentThreadId());
        timer = SetTimer(nullptr, 0, limitMilliseconds, &onLimit);
    }
    ~MessageBoxes()
    {
        KillTimer(nullptr, timer);
        UnhookWindowsHookEx(hook);
        current = nullptr;
    }
    MessageBoxes(const MessageBoxes&) = delete;
    MessageBoxes& operator=(const MessageBoxes&) = delete;

    [[nodiscard]] bool hooked() const { return hook != nullptr; }

    std::vector<Seen> seen;
    int closedAtLimit = 0;

private:
    static bool isBox(HWND window) { return classOf(window) == L"#32770"; }

    static Seen read(HWND box)
    {
        Seen seen{textOf(box), {}, 0, false, false};
        // The text is the static control with id 0xFFFF, on Windows and on Wine alike.
        seen.text = textOf(GetDlgItem(box, 0xFFFF));
        for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t name[16]{};
            GetClassNameW(child, name, 16);
            const auto style = static_cast<DWORD>(GetWindowLongPtrW(child, GWL_STYLE));
            if (_wcsicmp(name, L"Button") == 0) {
                ++seen.buttons;
                seen.hasOk = seen.hasOk || GetDlgCtrlID(child) == IDOK;
            } else if (_wcsicmp(name, L"Static") == 0 && (style & SS_TYPEMASK) == SS_ICON &&
                       SendMessageW(child, STM_GETICON, 0, 0) != 0) {
                seen.hasIcon = true;
            }
        }
        return seen;
    }

    static LRESULT CALLBACK onCbt(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto box = reinterpret_cast<HWND>(wParam);
        if (code == HCBT_ACTIVATE && current != nullptr && isBox(box) && box != current->last) {
            current->last = box;
            current->seen.push_back(read(box));
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static BOOL CALLBACK closeBox(HWND window, LPARAM /*unused*/)
    {
        if (isBox(window)) {
            ++current->closedAtLimit;
            PostMessageW(window, WM_COMMAND, IDOK, 0);
        }
        return TRUE;
    }

    static void CALLBACK onLimit(HWND, UINT, UINT_PTR, DWORD)
    {
        if (current != nullptr) {
            EnumThreadWindows(GetCurrentThreadId(), &closeBox, 0);
        }
    }

    static inline MessageBoxes* current = nullptr;
    HHOOK hook = nullptr;
    UINT_PTR timer = 0;
    HWND last = nullptr;
};
