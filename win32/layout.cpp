#include "layout.h"

#include "wintext.h"

#include <stdexcept>

namespace kodvik {

namespace {

// The code field's margins, left and right, so that any three digits and the caret fit in it.
// The edit control's own, half a character each of a TrueType face (the fields get Liberation
// Sans under Wine, which lacks MS Sans Serif), leave room for two digits and a part of the third.
constexpr int codeFieldMargin = 30;

// The window class and style of each kind of control.
struct Kind {
    const wchar_t* windowClass;
    DWORD style;
    DWORD extendedStyle;
};

Kind kindOf(const FormControl& control)
{
    switch (control.kind) {
    case ControlKind::Field:
        return {L"EDIT",
                static_cast<DWORD>(WS_TABSTOP | ES_AUTOHSCROLL |
                                   (control.centred ? ES_CENTER : ES_LEFT)),
                WS_EX_CLIENTEDGE};
    case ControlKind::Button:
        return {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0};
    case ControlKind::Label:
        break;
    }
    // The labels show data, not mnemonics, and never wrap: they are as wide as their text. A long
    // note runs under "<" rather than over it.
    return {L"STATIC",
            SS_LEFTNOWORDWRAP | SS_NOPREFIX |
                (control.id == Control::lblFinns ? WS_CLIPSIBLINGS : 0U),
            0};
}

} // namespace

std::u16string windowText(HWND window)
{
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return toU16(text);
}

void sizeToText(HWND label)
{
    const std::u16string text = windowText(label);
    const HDC context = GetDC(label);
    const HGDIOBJ previous =
        SelectObject(context, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32W(context, reinterpret_cast<const wchar_t*>(text.c_str()),
                          static_cast<int>(text.size()), &extent);
    TEXTMETRICW metrics{};
    GetTextMetricsW(context, &metrics);
    SelectObject(context, previous);
    ReleaseDC(label, context);
    SetWindowPos(label, nullptr, 0, 0, extent.cx, metrics.tmHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Layout::create(HWND window, HINSTANCE instance)
{
    // In tab order: IsDialogMessageW moves the focus in the order of creation. Labels take no
    // focus.
    for (const auto& control : form) {
        const Kind kind = kindOf(control);
        const HWND created =
            CreateWindowExW(kind.extendedStyle, kind.windowClass, toWide(control.caption).c_str(),
                            WS_CHILD | WS_VISIBLE | kind.style, 0, 0, 0, 0, window,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(control.id))),
                            instance, nullptr);
        if (created == nullptr) {
            throw std::runtime_error("Cannot create a control: " + systemReason(GetLastError()));
        }
        // The limits hold for typing and pasting; the program's own texts always fit them.
        if (control.maxLength > 0) {
            SendMessageW(created, EM_SETLIMITTEXT, static_cast<WPARAM>(control.maxLength), 0);
        }
    }
    SetWindowPos(GetDlgItem(window, controlId(Control::lblFinns)), HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    applyDpi(window, GetDpiForWindow(window));
    const SIZE frame = frameSize();
    SetWindowPos(window, nullptr, 0, 0, frame.cx, frame.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Layout::changeDpi(HWND window, UINT newDpi, const RECT& suggested)
{
    applyDpi(window, newDpi);
    // The size is worked out here, so the client area keeps its size in twips exactly.
    const SIZE frame = frameSize();
    SetWindowPos(window, nullptr, suggested.left, suggested.top, frame.cx, frame.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// Fonts, places and sizes for a DPI.
void Layout::applyDpi(HWND window, UINT newDpi)
{
    dpi = newDpi;
    const auto scaled = [this](int twips) { return pixels(twips, static_cast<int>(dpi)); };
    // The fields' face is a bitmap font on Windows, which maps it to the nearest size it has.
    Font newFieldFont(CreateFontW(-pointPixels(fieldFace.points, static_cast<int>(dpi)), 0, 0, 0,
                                  fieldFace.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                  DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, L"MS Sans Serif"));
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    Font newWindowFont;
    if (SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
        newWindowFont.reset(CreateFontIndirectW(&metrics.lfMessageFont));
    }
    // The controls let go of the old fonts before they are deleted.
    for (const auto& control : form) {
        const HFONT font =
            control.kind == ControlKind::Field ? newFieldFont.get() : newWindowFont.get();
        SendMessageW(GetDlgItem(window, controlId(control.id)), WM_SETFONT,
                     reinterpret_cast<WPARAM>(font), FALSE);
    }
    // A new font resets the margins to the face's, so the code field's follow it. (The character
    // field is too narrow for the face's margins; it has none.)
    const auto margin = static_cast<WORD>(scaled(codeFieldMargin));
    SendMessageW(GetDlgItem(window, controlId(Control::txtAscii)), EM_SETMARGINS,
                 EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(margin, margin));
    fieldFont = std::move(newFieldFont);
    windowFont = std::move(newWindowFont);

    for (const auto& control : form) {
        const HWND placed = GetDlgItem(window, controlId(control.id));
        const Twips& place = control.place;
        SetWindowPos(placed, nullptr, scaled(place.left), scaled(place.top), scaled(place.width),
                     scaled(place.height), SWP_NOZORDER | SWP_NOACTIVATE);
        if (control.kind == ControlKind::Label) {
            sizeToText(placed);
        }
    }
    InvalidateRect(window, nullptr, TRUE);
}

SIZE Layout::frameSize() const
{
    const auto scaled = [this](int twips) { return pixels(twips, static_cast<int>(dpi)); };
    RECT frame{0, 0, scaled(clientWidth), scaled(clientHeight)};
    AdjustWindowRectExForDpi(&frame, frameStyle, FALSE, frameExtendedStyle, dpi);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

} // namespace kodvik
