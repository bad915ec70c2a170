#pragma once

// The form on a Win32 window: real EDIT, BUTTON and STATIC controls made by walking window/'s
// form, with their places and fonts for the window's DPI. A control's id is its place in the form
// past 100, so none is IDOK or IDCANCEL (1 and 2), which Enter and Escape send to the window.

#include "form.h"

#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>

namespace kodvik {

// The form's frame: a title bar and a fixed border, with no sizing frame.
inline constexpr DWORD frameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN |
                                    (frame.minimiseBox ? WS_MINIMIZEBOX : 0) |
                                    (frame.maximiseBox ? WS_MAXIMIZEBOX : 0);
inline constexpr DWORD frameExtendedStyle = 0;

[[nodiscard]] constexpr int controlId(Control id)
{
    return 100 + static_cast<int>(id);
}

[[nodiscard]] constexpr Control controlOf(int id)
{
    return static_cast<Control>(id - 100);
}

[[nodiscard]] std::u16string windowText(HWND window);
// A label sizes itself to its text, in its own font, as it stands.
void sizeToText(HWND label);

class Layout {
public:
    // Creates the form's controls on the window and gives the window its size for its DPI. Throws
    // std::runtime_error when Windows cannot create a control.
    void create(HWND window, HINSTANCE instance);
    // The window has moved to a monitor of another DPI; Windows suggests where it goes.
    void changeDpi(HWND window, UINT newDpi, const RECT& suggested);

private:
    struct FontDeleter {
        void operator()(HFONT font) const { DeleteObject(font); }
    };
    using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

    void applyDpi(HWND window, UINT newDpi);
    [[nodiscard]] SIZE frameSize() const;

    UINT dpi = USER_DEFAULT_SCREEN_DPI;
    Font fieldFont;  // the fields' face in "MS Sans Serif", for the two fields
    Font windowFont; // the system's message font, for everything else
};

} // namespace kodvik
