#pragma once

// A field holds whole characters only. Its limit counts UTF-16 units, so an edit may end between
// the two halves of a character beyond the BMP; an emoji then goes in whole or not at all,
// however it comes (typed, pasted, from an input method), and a deletion takes both halves.

#include <windows.h>

namespace kodvik {

class WholeFields {
public:
    // From now on, for as long as both live, every way text comes into the EDIT control or
    // leaves it keeps its characters whole.
    void watch(HWND field);

private:
    static LRESULT CALLBACK fieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR subclass, DWORD_PTR self);
    LRESULT onMessage(HWND field, UINT message, WPARAM wParam, LPARAM lParam);

    // The first half of a surrogate pair typed into a field, until the second one comes.
    HWND halfTypedInto = nullptr;
    WPARAM halfTyped = 0;
};

} // namespace kodvik
