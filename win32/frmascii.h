#pragma once

// frmAscii, the program's one window, in plain Win32. It owns every control and so all the state
// the user sees, and it lends that state to the code logic through kodvik::Fields. Layout makes
// the controls from window/'s form and follows the DPI; ButtonKeys gives the buttons their keys
// and every mouse button, WholeFields keeps the fields' characters whole; the press and hold of
// "<" and ">" is window/'s PressAndHold, and what a button or a tick does is core's CodeLogic;
// what screen readers hear of it is window/'s Spoken, raised as UI Automation's notification.
// This class turns window messages into their calls and their texts into the controls, and its
// message loop lets IsDialogMessageW give Tab and Shift+Tab their meaning. Numbers and characters
// go through Windows' own services (OleNumbers, AnsiCodePage); the table file comes from table/,
// with a viewer starter handed in by main (tests hand in a recorder).

#include "announcement.h"
#include "ansicodepage.h"
#include "buttonkeys.h"
#include "codelogic.h"
#include "codetable.h"
#include "fields.h"
#include "form.h"
#include "layout.h"
#include "olenumbers.h"
#include "press.h"
#include "spoken.h"
#include "wholefield.h"

#include <windows.h>

#include <functional>
#include <string_view>

class FrmAscii final : public kodvik::Fields, private kodvik::PressToolkit, private kodvik::Voice {
public:
    using Control = kodvik::Control;
    // Tells screen readers an utterance for the window; tests hand in a recorder.
    using Announce = std::function<void(HWND window, std::u16string_view text)>;

    // Creates the window, hidden, with every control in its start state. Throws
    // std::runtime_error when Windows cannot create it.
    FrmAscii(HINSTANCE instance, kodvik::ViewerStarter startViewer,
             Announce announce = kodvik::announce);
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
    void setRepeatTimerEnabled(bool enabled) override { press.setTimerEnabled(enabled); }
    void setRepeatInterval(int milliseconds) override { press.setInterval(milliseconds); }
    [[nodiscard]] kodvik::RepeatDirection repeatDirection() const override { return iBladdra; }
    void setRepeatDirection(kodvik::RepeatDirection direction) override { iBladdra = direction; }
    void showMessageBox(std::u16string_view text, std::u16string_view title) override;

    [[nodiscard]] bool repeatTimerEnabled() const { return press.timerEnabled(); }
    [[nodiscard]] int repeatTimerInterval() const { return press.interval(); }
    // Whether a Windows timer is set for it: only while enabled with an interval above 0.
    [[nodiscard]] bool repeatTimerRunning() const { return press.timerRunning(); }

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool startRepeatTimer(int milliseconds) override;
    void stopRepeatTimer() override;
    void bringUp(Control button) override;
    void say(std::u16string_view utterance) override { announce(frmAscii, utterance); }
    // Nothing waits: each utterance is raised at once.
    void hush() override {}
    void print();

    HWND frmAscii = nullptr;
    kodvik::Layout layout;
    HWND lastFocus = nullptr; // given back when the window is activated again
    bool destroying = false;  // by the destructor, not by the user: the loop is not told to end
    kodvik::RepeatDirection iBladdra = kodvik::RepeatDirection::None; // "browse"

    kodvik::OleNumbers numbers;
    kodvik::AnsiCodePage codePage;
    Announce announce;
    // UI Automation's notifications replace one another, so each step of a hold is said.
    kodvik::Spoken spoken{*this, *this};
    kodvik::CodeLogic logic{spoken, numbers, codePage};
    kodvik::PressAndHold press{logic, spoken, *this};
    kodvik::ButtonKeys buttonKeys{press};
    kodvik::WholeFields wholeFields;
    kodvik::ViewerStarter startViewer;
};
