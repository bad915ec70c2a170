#pragma once

// frmAscii, the program's one window, in plain Win32: real EDIT, BUTTON and STATIC controls on a
// top-level window. It owns every control and so all the state the user sees, and it lends that
// state to the code logic through kodvik::Fields. Everything a button or the repeat timer does is
// decided in core's CodeLogic; this class only turns window messages into its calls and its texts
// into the controls. Numbers and characters go through Windows' own services (OleNumbers,
// AnsiCodePage). The table file comes from table/, with a viewer starter handed in by main (tests
// hand in a recorder). The message loop lets IsDialogMessageW give Tab and Shift+Tab their
// meaning; "<" and ">" are subclassed to see the press and release of every mouse button, every
// button to take Enter as Space, and the fields to keep characters beyond the BMP whole.

#include "ansicodepage.h"
#include "codelogic.h"
#include "codetable.h"
#include "fields.h"
#include "olenumbers.h"

#include <windows.h>

#include <array>
#include <memory>
#include <type_traits>

class FrmAscii final : public kodvik::Fields {
public:
    // The window's title, which also heads the program's own message boxes.
    static constexpr wchar_t title[] = L"Kodvik 1.01";

    // The controls' ids, in tab order. None is IDOK or IDCANCEL (1 and 2), which Enter and Escape
    // send to the window.
    enum class Control : int {
        txtTecken = 100, // "character"
        txtAscii,
        cmdTecken,
        cmdAscii,
        lblVisa0,  // "show": heads the code column
        lblVisa1,  // heads the character column
        lblFinns,  // the note: "exists"
        cmdMindre, // "<", "less"
        cmdMer,    // ">", "more"
        cmdPrint,
    };

    // Creates the window, hidden, with every control in its start state. Throws
    // std::runtime_error when Windows cannot create it.
    FrmAscii(HINSTANCE instance, kodvik::ViewerStarter startViewer);
    ~FrmAscii() override;
    FrmAscii(const FrmAscii&) = delete;
    FrmAscii& operator=(const FrmAscii&) = delete;

    void show(int showCommand);
    // Runs the message loop until the window has been closed; gives the code WM_QUIT carries.
    int runUntilClosed();
    // The dialog keys: true when the message was Tab, Shift+Tab, Enter or Escape for this window
    // and has been handled (so it must not be dispatched again).
    bool preTranslate(MSG& message);

    [[nodiscard]] HWND handle() const { return frmAscii; }
    [[nodiscard]] HWND control(Control id) const;

    [[nodiscard]] std::u16string codeText() const override;
    void setCodeText(std::u16string_view text) override;
    [[nodiscard]] std::u16string characterText() const override;
    void setCharacterText(std::u16string_view text) override;
    void setNoteText(std::u16string_view text) override;
    void setRepeatTimerEnabled(bool enabled) override;
    void setRepeatInterval(int milliseconds) override;
    [[nodiscard]] kodvik::RepeatDirection repeatDirection() const override { return iBladdra; }
    void setRepeatDirection(kodvik::RepeatDirection direction) override { iBladdra = direction; }
    void showMessageBox(std::u16string_view text, std::u16string_view title) override;

    [[nodiscard]] bool repeatTimerEnabled() const { return tmrAsciiEnabled; }
    [[nodiscard]] int repeatTimerInterval() const { return tmrAsciiInterval; }
    // Whether a Windows timer is set for it: only while enabled with an interval above 0.
    [[nodiscard]] bool repeatTimerRunning() const { return tmrAsciiRunning; }
    // What the repeat timer does on each tick.
    void tmrAsciiTick();

private:
    struct FontDeleter {
        void operator()(HFONT font) const { DeleteObject(font); }
    };
    using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    using ControlHandler = LRESULT (FrmAscii::*)(HWND control, UINT message, WPARAM wParam,
                                                 LPARAM lParam);
    // The subclass procedure of a control: hands its messages to the handler.
    template <ControlHandler handler>
    static LRESULT CALLBACK controlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR subclass, DWORD_PTR self);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onButtonMessage(HWND button, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onFieldMessage(HWND field, UINT message, WPARAM wParam, LPARAM lParam);
    void onRepeatButtonMessage(HWND button, UINT message, WPARAM wParam, LPARAM lParam);

    HWND createControl(const wchar_t* kind, const wchar_t* text, DWORD style, DWORD extendedStyle,
                       Control id);
    void applyDpi(UINT newDpi);
    [[nodiscard]] SIZE frameSize() const;
    void click(Control id);
    void print();
    void updateRepeatTimer(bool restart);

    HINSTANCE instance;
    HWND frmAscii = nullptr;
    HWND txtTecken = nullptr;
    HWND txtAscii = nullptr;
    HWND cmdTecken = nullptr;
    HWND cmdAscii = nullptr;
    std::array<HWND, 2> lblVisa{};
    HWND lblFinns = nullptr;
    HWND cmdMindre = nullptr;
    HWND cmdMer = nullptr;
    HWND cmdPrint = nullptr;

    UINT dpi = USER_DEFAULT_SCREEN_DPI;
    Font fieldFont;            // "MS Sans Serif" 12 pt bold, for the two fields
    Font windowFont;           // the system's message font, for everything else
    HWND lastFocus = nullptr;  // given back when the window is activated again
    HWND heldButton = nullptr; // "<" or ">" while a mouse button holds it down
    bool destroying = false;   // by the destructor, not by the user: the loop is not told to end
    // The first half of a surrogate pair typed into a field, until the second one comes.
    HWND halfTypedInto = nullptr;
    WPARAM halfTyped = 0;

    // tmrAscii: Windows' timer has no switch apart from being set, so the switch and the interval
    // are kept here.
    bool tmrAsciiEnabled = false;
    int tmrAsciiInterval = 0;
    bool tmrAsciiRunning = false;
    kodvik::RepeatDirection iBladdra = kodvik::RepeatDirection::None; // "browse"

    kodvik::OleNumbers numbers;
    kodvik::AnsiCodePage codePage;
    kodvik::CodeLogic logic{*this, numbers, codePage};
    kodvik::ViewerStarter startViewer;
};
