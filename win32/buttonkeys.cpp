#include "buttonkeys.h"

#include <commctrl.h>

namespace kodvik {

namespace {

bool isRepeatPress(UINT message)
{
    switch (message) {
    // The second press of a double click arrives as a double click.
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_XBUTTONDOWN:
    case WM_XBUTTONDBLCLK:
        return true;
    default:
        return false;
    }
}

bool isRepeatRelease(UINT message)
{
    return message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP ||
           message == WM_XBUTTONUP;
}

bool isPrimary(UINT message)
{
    return message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK || message == WM_LBUTTONUP;
}

} // namespace

void ButtonKeys::watch(HWND button, Control id)
{
    // The subclass's id is the button's place in the form.
    SetWindowSubclass(button, &ButtonKeys::buttonProc, static_cast<UINT_PTR>(id),
                      reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK ButtonKeys::buttonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR id, DWORD_PTR self)
{
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(button, &ButtonKeys::buttonProc, id);
        return DefSubclassProc(button, message, wParam, lParam);
    }
    return reinterpret_cast<ButtonKeys*>(self)->onMessage(button, static_cast<Control>(id), message,
                                                          wParam, lParam);
}

LRESULT ButtonKeys::onMessage(HWND button, Control id, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    // No button is the default one, so Enter in a field presses none. The dialog keys make a
    // button the default as the focus reaches it (and IsDialogMessageW then clicks it on Enter);
    // here it stays an ordinary one.
    case BM_SETSTYLE:
        if ((wParam & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            wParam = (wParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_PUSHBUTTON;
        }
        break;
    case WM_GETDLGCODE: {
        LRESULT code = DefSubclassProc(button, message, wParam, lParam);
        if ((code & DLGC_DEFPUSHBUTTON) != 0) {
            code = (code & ~static_cast<LRESULT>(DLGC_DEFPUSHBUTTON)) | DLGC_UNDEFPUSHBUTTON;
        }
        // Enter on the focused button comes to the button itself, not to the window as IDOK.
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        if (key != nullptr && key->message == WM_KEYDOWN && key->wParam == VK_RETURN) {
            code |= DLGC_WANTMESSAGE;
        }
        return code;
    }
    // Enter, the keypad's too, is Space: the button goes down on the press and clicks once on the
    // release, however long the key is held.
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (wParam == VK_RETURN) {
            wParam = VK_SPACE;
        }
        break;
    default:
        break;
    }
    if (id == Control::cmdMer || id == Control::cmdMindre) {
        onRepeatMessage(button, id, message, lParam);
    }
    const LRESULT result = DefSubclassProc(button, message, wParam, lParam);
    // The button captures the mouse for its primary button only; for the others the capture taken
    // at the press ends here, once no mouse button holds it any more.
    constexpr WPARAM anyButton = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_XBUTTON1 | MK_XBUTTON2;
    if (isRepeatRelease(message) && !isPrimary(message) && GetCapture() == button &&
        (LOWORD(wParam) & anyButton) == 0) {
        ReleaseCapture();
    }
    if (message == WM_XBUTTONDOWN || message == WM_XBUTTONUP || message == WM_XBUTTONDBLCLK) {
        return TRUE;
    }
    return result;
}

// The press and release of any mouse button on "<" or ">" start and stop the repeat; the click
// that the button makes of a primary press follows the release.
void ButtonKeys::onRepeatMessage(HWND button, Control id, UINT message, LPARAM lParam)
{
    if (isRepeatPress(message)) {
        press.pressed(id);
        // So that the release reaches the button wherever the pointer is by then.
        if (!isPrimary(message) && GetCapture() != button) {
            SetCapture(button);
        }
    } else if (isRepeatRelease(message)) {
        press.released();
    } else if (message == WM_CAPTURECHANGED && press.heldButton() == id &&
               reinterpret_cast<HWND>(lParam) != button) {
        // The mouse went elsewhere while held (another window took it, or this one was disabled),
        // so no release will come.
        press.pressLost();
    }
}

} // namespace kodvik
