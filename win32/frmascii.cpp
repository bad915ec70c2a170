#include "frmascii.h"

#include "accessiblename.h"
#include "resource.h"
#include "text.h"
#include "wintext.h"

#include <algorithm>
#include <commctrl.h>
#include <imm.h>
#include <stdexcept>
#include <string>
#include <utility>

namespace {

constexpr wchar_t windowClass[] = L"Kodvik.FrmAscii";
// A title bar and a fixed border: no sizing frame, no maximise box.
constexpr DWORD frameStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD frameExtendedStyle = 0;
constexpr UINT_PTR repeatTimerId = 1;

// Places are in twips from the client area's top-left corner, as the window was first drawn:
// 1440 to the inch, so 15 to a pixel at 96 DPI.
constexpr int clientWidth = 2445;
constexpr int clientHeight = 2160;

struct Placement {
    FrmAscii::Control id;
    int left;
    int top;
    int width;
    int height;
};

using C = FrmAscii::Control;
constexpr std::array placements{
    Placement{C::txtTecken, 120, 360, 375, 375}, Placement{C::txtAscii, 1320, 360, 615, 375},
    Placement{C::cmdTecken, 120, 840, 975, 375}, Placement{C::cmdAscii, 1320, 840, 975, 375},
    Placement{C::lblVisa0, 1320, 120, 405, 195}, Placement{C::lblVisa1, 120, 120, 690, 195},
    Placement{C::lblFinns, 120, 1320, 45, 195},  Placement{C::cmdMindre, 1320, 1320, 375, 255},
    Placement{C::cmdMer, 1920, 1320, 375, 255},  Placement{C::cmdPrint, 1320, 1680, 975, 375},
};

// The code field's margins, left and right, so that any three digits and the caret fit in it.
// The edit control's own, half a character each of a TrueType face (the fields get Liberation
// Sans under Wine, which lacks MS Sans Serif), leave room for two digits and a part of the third.
constexpr int codeFieldMargin = 30;

int scaled(int twips, UINT dpi)
{
    return MulDiv(twips, static_cast<int>(dpi), 1440);
}

std::u16string textOf(HWND control)
{
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), length + 1)));
    return kodvik::toU16(text);
}

// The labels size themselves to their text, in their own font, as they stand.
void sizeToText(HWND label)
{
    const std::u16string text = textOf(label);
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

void registerWindowClass(HINSTANCE instance, WNDPROC windowProc)
{
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, windowClass, &existing)) {
        return;
    }
    WNDCLASSEXW windowClassInfo{};
    windowClassInfo.cbSize = sizeof windowClassInfo;
    windowClassInfo.lpfnWndProc = windowProc;
    windowClassInfo.hInstance = instance;
    windowClassInfo.hIcon = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDI_KODVIK), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                   GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
    windowClassInfo.hIconSm = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDI_KODVIK), IMAGE_ICON,
                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    windowClassInfo.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClassInfo.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClassInfo.lpszClassName = windowClass;
    if (!RegisterClassExW(&windowClassInfo)) {
        throw std::runtime_error("Cannot register the window class: " +
                                 kodvik::systemReason(GetLastError()));
    }
}

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

// Runs an edit of a field and keeps its characters whole. The limits count UTF-16 units, so an
// edit may end between the two halves of a character beyond the BMP: such an edit is undone, as
// the limit would have refused the character whole. A deletion that took one half (the control
// steps over one unit at a time) takes the other half along.
template <typename Edit> LRESULT editWhole(HWND field, Edit edit)
{
    const std::u16string before = textOf(field);
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    const LRESULT result = edit();
    const std::u16string after = textOf(field);
    const std::u16string whole = kodvik::wholeCharactersOf(after);
    if (whole.size() == after.size()) {
        return result;
    }
    if (kodvik::wholeCharactersOf(before).size() == before.size() && !onlyDeletes(before, after)) {
        SetWindowTextW(field, kodvik::toWide(before).c_str());
        SendMessageW(field, EM_SETSEL, start, static_cast<LPARAM>(end));
        return result;
    }
    // A deletion, or the result of an input method whose composition was cut already: the lone
    // halves go, and the caret stays where the edit left it.
    DWORD caret = 0;
    SendMessageW(field, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    caret = static_cast<DWORD>(
        kodvik::wholeCharactersOf(std::u16string_view(after).substr(0, caret)).size());
    SetWindowTextW(field, kodvik::toWide(whole).c_str());
    SendMessageW(field, EM_SETSEL, caret, static_cast<LPARAM>(caret));
    return result;
}

} // namespace

FrmAscii::FrmAscii(HINSTANCE instance, kodvik::ViewerStarter startViewer)
    : instance(instance), startViewer(std::move(startViewer))
{
    registerWindowClass(instance, &FrmAscii::windowProc);
    // The size follows once the window knows its monitor's DPI.
    CreateWindowExW(frameExtendedStyle, windowClass, FrmAscii::title, frameStyle, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
    if (frmAscii == nullptr) {
        throw std::runtime_error("Cannot create the window: " +
                                 kodvik::systemReason(GetLastError()));
    }

    // Created in tab order: IsDialogMessageW moves the focus in the order of creation.
    txtTecken = createControl(L"EDIT", L"", WS_TABSTOP | ES_CENTER | ES_AUTOHSCROLL,
                              WS_EX_CLIENTEDGE, Control::txtTecken);
    txtAscii = createControl(L"EDIT", L"", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                             Control::txtAscii);
    cmdTecken =
        createControl(L"BUTTON", L"Character", WS_TABSTOP | BS_PUSHBUTTON, 0, Control::cmdTecken);
    cmdAscii = createControl(L"BUTTON", L"ASCII", WS_TABSTOP | BS_PUSHBUTTON, 0, Control::cmdAscii);
    // The labels show data, not mnemonics, and never wrap: they are as wide as their text.
    constexpr DWORD labelStyle = SS_LEFTNOWORDWRAP | SS_NOPREFIX;
    lblVisa[0] = createControl(L"STATIC", L"ASCII", labelStyle, 0, Control::lblVisa0);
    lblVisa[1] = createControl(L"STATIC", L"Character", labelStyle, 0, Control::lblVisa1);
    lblFinns = createControl(L"STATIC", L"", labelStyle | WS_CLIPSIBLINGS, 0, Control::lblFinns);
    cmdMindre = createControl(L"BUTTON", L"<", WS_TABSTOP | BS_PUSHBUTTON, 0, Control::cmdMindre);
    cmdMer = createControl(L"BUTTON", L">", WS_TABSTOP | BS_PUSHBUTTON, 0, Control::cmdMer);
    cmdPrint = createControl(L"BUTTON", L"Print", WS_TABSTOP | BS_PUSHBUTTON, 0, Control::cmdPrint);

    // The limits hold for typing and pasting; the program's own texts always fit them.
    SendMessageW(txtTecken, EM_SETLIMITTEXT, 1, 0);
    SendMessageW(txtAscii, EM_SETLIMITTEXT, 3, 0);
    // A long note runs under "<" rather than over it. Labels take no focus, so the tab order
    // stays as created.
    SetWindowPos(lblFinns, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    applyDpi(GetDpiForWindow(frmAscii));
    const SIZE frame = frameSize();
    SetWindowPos(frmAscii, nullptr, 0, 0, frame.cx, frame.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    for (HWND button : {cmdTecken, cmdAscii, cmdMindre, cmdMer, cmdPrint}) {
        SetWindowSubclass(button, &FrmAscii::controlProc<&FrmAscii::onButtonMessage>, 0,
                          reinterpret_cast<DWORD_PTR>(this));
    }
    for (HWND field : {txtTecken, txtAscii}) {
        SetWindowSubclass(field, &FrmAscii::controlProc<&FrmAscii::onFieldMessage>, 0,
                          reinterpret_cast<DWORD_PTR>(this));
    }
    lastFocus = txtTecken;
    // Screen readers announce the step buttons by what they do and the fields by their headings.
    kodvik::setAccessibleName(cmdMindre, L"Previous code");
    kodvik::setAccessibleName(cmdMer, L"Next code");
    kodvik::setAccessibleName(txtTecken, L"Character");
    kodvik::setAccessibleName(txtAscii, L"ASCII");
}

FrmAscii::~FrmAscii()
{
    if (frmAscii != nullptr) {
        destroying = true;
        DestroyWindow(frmAscii);
    }
}

HWND FrmAscii::createControl(const wchar_t* kind, const wchar_t* text, DWORD style,
                             DWORD extendedStyle, Control id)
{
    const HWND control = CreateWindowExW(
        extendedStyle, kind, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, frmAscii,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (control == nullptr) {
        throw std::runtime_error("Cannot create a control: " +
                                 kodvik::systemReason(GetLastError()));
    }
    return control;
}

HWND FrmAscii::control(Control id) const
{
    return GetDlgItem(frmAscii, static_cast<int>(id));
}

void FrmAscii::show(int showCommand)
{
    ShowWindow(frmAscii, showCommand);
    UpdateWindow(frmAscii);
}

int FrmAscii::runUntilClosed()
{
    MSG message{};
    BOOL received = FALSE;
    while ((received = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        if (!preTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return received == 0 ? static_cast<int>(message.wParam) : 1;
}

bool FrmAscii::preTranslate(MSG& message)
{
    return frmAscii != nullptr && IsDialogMessageW(frmAscii, &message) != FALSE;
}

// Fonts, places and sizes for a DPI: at creation, and again when the window moves to a monitor
// with another one.
void FrmAscii::applyDpi(UINT newDpi)
{
    dpi = newDpi;
    // The fields' face is a bitmap font on Windows, which maps it to the nearest size it has.
    Font newFieldFont(CreateFontW(-MulDiv(12, static_cast<int>(dpi), 72), 0, 0, 0, FW_BOLD, FALSE,
                                  FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS,
                                  L"MS Sans Serif"));
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    Font newWindowFont;
    if (SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
        newWindowFont.reset(CreateFontIndirectW(&metrics.lfMessageFont));
    }
    // The controls let go of the old fonts before they are deleted.
    for (const auto& placement : placements) {
        const bool isField =
            placement.id == Control::txtTecken || placement.id == Control::txtAscii;
        const HFONT font = isField ? newFieldFont.get() : newWindowFont.get();
        SendMessageW(control(placement.id), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    // A new font resets the margins to the face's, so the code field's follow it. (The character
    // field is too narrow for the face's margins; it has none.)
    const auto margin = static_cast<WORD>(scaled(codeFieldMargin, dpi));
    SendMessageW(txtAscii, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                 MAKELPARAM(margin, margin));
    fieldFont = std::move(newFieldFont);
    windowFont = std::move(newWindowFont);

    for (const auto& placement : placements) {
        SetWindowPos(control(placement.id), nullptr, scaled(placement.left, dpi),
                     scaled(placement.top, dpi), scaled(placement.width, dpi),
                     scaled(placement.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    for (HWND label : {lblVisa[0], lblVisa[1], lblFinns}) {
        sizeToText(label);
    }
    InvalidateRect(frmAscii, nullptr, TRUE);
}

SIZE FrmAscii::frameSize() const
{
    RECT frame{0, 0, scaled(clientWidth, dpi), scaled(clientHeight, dpi)};
    AdjustWindowRectExForDpi(&frame, frameStyle, FALSE, frameExtendedStyle, dpi);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

LRESULT CALLBACK FrmAscii::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<FrmAscii*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->frmAscii = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<FrmAscii*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->onMessage(message, wParam, lParam);
}

LRESULT FrmAscii::onMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        // Enter and Escape arrive as IDOK and IDCANCEL, which name no control: nothing happens.
        if (HIWORD(wParam) == BN_CLICKED && lParam != 0) {
            const auto id = static_cast<Control>(LOWORD(wParam));
            if (reinterpret_cast<HWND>(lParam) == control(id)) {
                click(id);
            }
        }
        return 0;
    case WM_TIMER:
        if (wParam == repeatTimerId) {
            // A tick already queued when the timer was stopped is not a tick any more.
            if (tmrAsciiRunning) {
                tmrAsciiTick();
            }
            return 0;
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus != nullptr && IsChild(frmAscii, focus)) {
                lastFocus = focus;
            }
            return 0;
        }
        if (HIWORD(wParam) == 0 && lastFocus != nullptr && IsWindow(lastFocus)) {
            SetFocus(lastFocus);
            return 0;
        }
        break;
    case WM_DPICHANGED: {
        applyDpi(HIWORD(wParam));
        // Windows suggests where the window goes; its size is worked out here, so the client
        // area keeps its size in twips exactly.
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        const SIZE frame = frameSize();
        SetWindowPos(frmAscii, nullptr, suggested->left, suggested->top, frame.cx, frame.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_ENDSESSION:
        // The process may end without the message loop ever returning.
        if (wParam != FALSE) {
            kodvik::deleteAtExit();
        }
        return 0;
    case WM_DESTROY:
        if (!destroying) {
            PostQuitMessage(0);
        }
        return 0;
    case WM_NCDESTROY: {
        const LRESULT result = DefWindowProcW(frmAscii, message, wParam, lParam);
        SetWindowLongPtrW(frmAscii, GWLP_USERDATA, 0);
        frmAscii = nullptr;
        return result;
    }
    default:
        break;
    }
    return DefWindowProcW(frmAscii, message, wParam, lParam);
}

template <FrmAscii::ControlHandler handler>
LRESULT CALLBACK FrmAscii::controlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR /*subclass*/, DWORD_PTR self)
{
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(control, &FrmAscii::controlProc<handler>, 0);
        return DefSubclassProc(control, message, wParam, lParam);
    }
    return (reinterpret_cast<FrmAscii*>(self)->*handler)(control, message, wParam, lParam);
}

LRESULT FrmAscii::onButtonMessage(HWND button, UINT message, WPARAM wParam, LPARAM lParam)
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
    if (button == cmdMer || button == cmdMindre) {
        onRepeatButtonMessage(button, message, wParam, lParam);
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

// Every way text comes into a field or leaves it goes through editWhole.
LRESULT FrmAscii::onFieldMessage(HWND field, UINT message, WPARAM wParam, LPARAM lParam)
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
        if (kodvik::isHighSurrogate(unit)) {
            halfTypedInto = field;
            halfTyped = wParam;
            return 0;
        }
        if (kodvik::isLowSurrogate(unit)) {
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

// The press and release of any mouse button on "<" or ">" start and stop the repeat; the click
// that the button makes of a primary press follows the release.
void FrmAscii::onRepeatButtonMessage(HWND button, UINT message, WPARAM /*wParam*/, LPARAM lParam)
{
    if (isRepeatPress(message)) {
        heldButton = button;
        logic.startRepeat(button == cmdMer ? kodvik::RepeatDirection::Up
                                           : kodvik::RepeatDirection::Down);
        // So that the release reaches the button wherever the pointer is by then.
        if (!isPrimary(message) && GetCapture() != button) {
            SetCapture(button);
        }
    } else if (isRepeatRelease(message)) {
        heldButton = nullptr;
        logic.stopRepeat();
    } else if (message == WM_CAPTURECHANGED && heldButton == button &&
               reinterpret_cast<HWND>(lParam) != button) {
        // The mouse went elsewhere while held (another window took it, or this one was disabled),
        // so no release will come. A repeat still running ends as on a release; one a message box
        // has already halted keeps its direction until the next press.
        heldButton = nullptr;
        if (tmrAsciiEnabled) {
            logic.stopRepeat();
        }
    }
}

void FrmAscii::click(Control id)
{
    switch (id) {
    case Control::cmdTecken:
        logic.tecken();
        break;
    case Control::cmdAscii:
        logic.reverseLookup();
        break;
    case Control::cmdMer:
        logic.bladdrahoger();
        break;
    case Control::cmdMindre:
        logic.bladdravanster();
        break;
    case Control::cmdPrint:
        print();
        break;
    default:
        break;
    }
}

void FrmAscii::print()
{
    // Notepad reads the system's code page.
    if (const auto failure =
            kodvik::writeAndShow(codePage, kodvik::TableEncoding::SingleByte, startViewer)) {
        MessageBoxW(frmAscii, kodvik::wideFromUtf8(kodvik::describe(*failure)).c_str(),
                    FrmAscii::title, MB_OK | MB_ICONWARNING);
    }
}

void FrmAscii::tmrAsciiTick()
{
    logic.repeatTick();
}

std::u16string FrmAscii::codeText() const
{
    return textOf(txtAscii);
}

void FrmAscii::setCodeText(std::u16string_view text)
{
    SetWindowTextW(txtAscii, kodvik::toWide(text).c_str());
}

std::u16string FrmAscii::characterText() const
{
    return textOf(txtTecken);
}

void FrmAscii::setCharacterText(std::u16string_view text)
{
    SetWindowTextW(txtTecken, kodvik::toWide(text).c_str());
}

void FrmAscii::setNoteText(std::u16string_view text)
{
    SetWindowTextW(lblFinns, kodvik::toWide(text).c_str());
    sizeToText(lblFinns);
}

void FrmAscii::setRepeatTimerEnabled(bool enabled)
{
    tmrAsciiEnabled = enabled;
    updateRepeatTimer(false);
}

void FrmAscii::setRepeatInterval(int milliseconds)
{
    const bool changed = milliseconds != tmrAsciiInterval;
    tmrAsciiInterval = milliseconds;
    updateRepeatTimer(changed);
}

void FrmAscii::updateRepeatTimer(bool restart)
{
    // SetTimer would take an interval of 0 for its shortest one; here 0 means no ticks at all.
    const bool wanted = tmrAsciiEnabled && tmrAsciiInterval > 0;
    if (wanted && (!tmrAsciiRunning || restart)) {
        // Setting it again starts the count afresh, as a new interval does.
        tmrAsciiRunning =
            SetTimer(frmAscii, repeatTimerId, static_cast<UINT>(tmrAsciiInterval), nullptr) != 0;
    } else if (!wanted && tmrAsciiRunning) {
        KillTimer(frmAscii, repeatTimerId);
        tmrAsciiRunning = false;
    }
}

void FrmAscii::showMessageBox(std::u16string_view text, std::u16string_view title)
{
    MessageBoxW(frmAscii, kodvik::toWide(text).c_str(), kodvik::toWide(title).c_str(), MB_OK);
}
