#include "wholefield.h"

#include "layout.h"
#include "text.h"
#include "wintext.h"

#include <algorithm>
#include <commctrl.h>
#include <imm.h>
#include <string>
#include <utility>

namespace kodvik {

namespace {

// Whether after is before with one run of units taken out.
bool onlyDeletes(std::u16string_view before, std::u16string_view after)
{
    if (after.size() >= before.size()) {
        return false;
    }
    const auto kept = static_cast<std::size_t>(
        std::mismatch(after.begin(), after.end(), before.begin()).first - after.begin());
    return before.substr(kept + before.size() - after.size()) == after.substr(kept);
}

// Runs an edit of a field and keeps its characters whole. An edit that ends between the two halves
// of a character is undone, as the limit would have refused the character whole. A deletion that
// took one half (the control steps over one unit at a time) takes the other half along.
template <typename Edit> LRESULT editWhole(HWND field, Edit edit)
{
    const std::u16string before = windowText(field);
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    const LRESULT result = edit();
    const std::u16string after = windowText(field);
    const std::u16string whole = wholeCharactersOf(after);
    if (whole.size() == after.size()) {
        return result;
    }
    if (wholeCharactersOf(before).size() == before.size() && !onlyDeletes(before, after)) {
        SetWindowTextW(field, toWide(before).c_str());
        SendMessageW(field, EM_SETSEL, start, static_cast<LPARAM>(end));
        return result;
    }
    // A deletion, or the result of an input method whose composition was cut already: the lone
    // halves go, and the caret stays where the edit left it.
    DWORD caret = 0;
    SendMessageW(field, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    caret =
        static_cast<DWORD>(wholeCharactersOf(std::u16string_view(after).substr(0, caret)).size());
    SetWindowTextW(field, toWide(whole).c_str());
    SendMessageW(field, EM_SETSEL, caret, static_cast<LPARAM>(caret));
    return result;
}

} // namespace

void WholeFields::watch(HWND field)
{
    SetWindowSubclass(field, &WholeFields::fieldProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK WholeFields::fieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR /*subclass*/, DWORD_PTR self)
{
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(field, &WholeFields::fieldProc, 0);
        return DefSubclassProc(field, message, wParam, lParam);
    }
    return reinterpret_cast<WholeFields*>(self)->onMessage(field, message, wParam, lParam);
}

// Every way text comes into a field or leaves it goes through editWhole.
LRESULT WholeFields::onMessage(HWND field, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto pass = [&] { return DefSubclassProc(field, message, wParam, lParam); };
    switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR: {
        // A character beyond the BMP comes as two messages, one for each half; the control would
        // take the first alone when there is room for only one unit. The first waits for the
        // second, and the two go in as one edit.
        const HWND firstHalfFor = std::exchange(halfTypedInto, nullptr);
        const auto unit = static_cast<char32_t>(wParam);
        if (isHighSurrogate(unit)) {
            halfTypedInto = field;
            halfTyped = wParam;
            return 0;
        }
        if (isLowSurrogate(unit)) {
            if (firstHalfFor != field) {
                return 0;
            }
            return editWhole(field, [&] {
                DefSubclassProc(field, message, halfTyped, lParam);
                return pass();
            });
        }
        return editWhole(field, pass);
    }
    case WM_IME_COMPOSITION:
        // Only the result is the field's text; the composition shown meanwhile is the input
        // method's, and it replaces it.
        if ((lParam & GCS_RESULTSTR) != 0) {
            return editWhole(field, pass);
        }
        break;
    case WM_UNICHAR:
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
    case EM_REPLACESEL:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        return editWhole(field, pass);
    default:
        break;
    }
    return pass();
}

} // namespace kodvik
