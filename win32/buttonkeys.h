#pragma once

// The keys and mouse of the window's buttons. Enter, the keypad's too, is Space on a focused
// button: down on the press, one click on the release however long it is held. No button is ever
// the default one, so Enter in a field presses none. "<" and ">" report the press and release of
// every mouse button to the press and hold, not only the primary one's.

#include "press.h"

#include <windows.h>

namespace kodvik {

class ButtonKeys {
public:
    explicit ButtonKeys(PressAndHold& press) : press(press) {}

    // From now on, for as long as both live, the BUTTON control behaves so; `id` tells "<" and
    // ">" from the others.
    void watch(HWND button, Control id);

private:
    static LRESULT CALLBACK buttonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR self);
    LRESULT onMessage(HWND button, Control id, UINT message, WPARAM wParam, LPARAM lParam);
    void onRepeatMessage(HWND button, Control id, UINT message, LPARAM lParam);

    PressAndHold& press;
};

} // namespace kodvik
