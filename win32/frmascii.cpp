#include "frmascii.h"

#include "accessiblename.h"
#include "click.h"
#include "resource.h"
#include "wintext.h"

#include <stdexcept>
#include <string>
#include <utility>

namespace {

constexpr wchar_t windowClass[] = L"Kodvik.FrmAscii";
constexpr UINT_PTR repeatTimerId = 1;

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

} // namespace

FrmAscii::FrmAscii(HINSTANCE instance, kodvik::ViewerStarter startViewer, Announce announce)
    : announce(std::move(announce)), startViewer(std::move(startViewer))
{
    registerWindowClass(instance, &FrmAscii::windowProc);
    // The size follows once the window knows its monitor's DPI.
    if (CreateWindowExW(kodvik::frameExtendedStyle, windowClass,
                        kodvik::toWide(kodvik::title).c_str(), kodvik::frameStyle, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance,
                        this) == nullptr) {
        throw std::runtime_error("Cannot create the window: " +
                                 kodvik::systemReason(GetLastError()));
    }
    layout.create(frmAscii, instance);
    for (const auto& entry : kodvik::form) {
        const HWND created = control(entry.id);
        if (entry.kind == kodvik::ControlKind::Button) {
            buttonKeys.watch(created, entry.id);
        } else if (entry.kind == kodvik::ControlKind::Field) {
            wholeFields.watch(created);
        }
        if (!entry.spokenName.empty()) {
            kodvik::setAccessibleName(created, kodvik::toWide(entry.spokenName));
        }
    }
    lastFocus = control(Control::txtTecken);
}

FrmAscii::~FrmAscii()
{
    if (frmAscii != nullptr) {
        destroying = true;
        DestroyWindow(frmAscii);
    }
}

HWND FrmAscii::control(Control id) const
{
    return GetDlgItem(frmAscii, kodvik::controlId(id));
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
            const Control id = kodvik::controlOf(LOWORD(wParam));
            if (reinterpret_cast<HWND>(lParam) == control(id)) {
                kodvik::click(id, logic, spoken, [this] { print(); });
            }
        }
        return 0;
    case WM_TIMER:
        if (wParam == repeatTimerId) {
            press.tick();
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
    case WM_DPICHANGED:
        layout.changeDpi(frmAscii, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
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

void FrmAscii::print()
{
    // Notepad reads the system's code page.
    if (const auto failure =
            kodvik::writeAndShow(codePage, kodvik::TableEncoding::SingleByte, startViewer)) {
        MessageBoxW(frmAscii, kodvik::wideFromUtf8(kodvik::describe(*failure)).c_str(),
                    kodvik::toWide(kodvik::title).c_str(), MB_OK | MB_ICONWARNING);
    }
}

std::u16string FrmAscii::codeText() const
{
    return kodvik::windowText(control(Control::txtAscii));
}

void FrmAscii::setCodeText(std::u16string_view text)
{
    SetWindowTextW(control(Control::txtAscii), kodvik::toWide(text).c_str());
}

std::u16string FrmAscii::characterText() const
{
    return kodvik::windowText(control(Control::txtTecken));
}

void FrmAscii::setCharacterText(std::u16string_view text)
{
    SetWindowTextW(control(Control::txtTecken), kodvik::toWide(text).c_str());
}

void FrmAscii::setNoteText(std::u16string_view text)
{
    const HWND lblFinns = control(Control::lblFinns);
    SetWindowTextW(lblFinns, kodvik::toWide(text).c_str());
    kodvik::sizeToText(lblFinns);
}

bool FrmAscii::startRepeatTimer(int milliseconds)
{
    // Setting it again starts the count afresh.
    return SetTimer(frmAscii, repeatTimerId, static_cast<UINT>(milliseconds), nullptr) != 0;
}

void FrmAscii::stopRepeatTimer()
{
    KillTimer(frmAscii, repeatTimerId);
}

void FrmAscii::bringUp(Control button)
{
    SendMessageW(control(button), BM_SETSTATE, FALSE, 0);
}

void FrmAscii::showMessageBox(std::u16string_view text, std::u16string_view title)
{
    MessageBoxW(frmAscii, kodvik::toWide(text).c_str(), kodvik::toWide(title).c_str(), MB_OK);
}
