// The Win32 window, driven in-process by window messages on a fresh frmAscii per test.
#include "frmascii.h"
#include "messageboxes.h"
#include "scratchdirectory.h"
#include "wintext.h"

#include <array>
#include <gtest/gtest.h>
#include <imm.h>
#include <optional>
#include <string>
#include <vector>

namespace kodvik {

void PrintTo(const FormControl& control, std::ostream* out)
{
    for (const char16_t unit : control.name) {
        *out << static_cast<char>(unit);
    }
}

} // namespace kodvik

namespace {

using C = FrmAscii::Control;
using kodvik::RepeatDirection;

DWORD styleOf(HWND window)
{
    return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
}

// A control's place in its parent's client area.
RECT placeOf(HWND control)
{
    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

LOGFONTW fontOf(HWND control)
{
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font,
               &font);
    return font;
}

void type(HWND field, std::wstring_view characters)
{
    for (const wchar_t character : characters) {
        SendMessageW(field, WM_CHAR, character, 1);
    }
}

// Keys go through the window's own dialog-key handling, as the message loop would pass them.
// The flags are those of the key message: an extended key, a repeat.
void keyDown(FrmAscii& window, WPARAM key, LPARAM flags = 0)
{
    MSG down{GetFocus(), WM_KEYDOWN, key, 1 | flags, 0, {}};
    if (!window.preTranslate(down)) {
        TranslateMessage(&down);
        DispatchMessageW(&down);
    }
}

void keyUp(FrmAscii& window, WPARAM key, LPARAM flags = 0)
{
    MSG up{GetFocus(), WM_KEYUP, key, static_cast<LPARAM>(0xC0000001) | flags, 0, {}};
    if (!window.preTranslate(up)) {
        DispatchMessageW(&up);
    }
}

void pressKey(FrmAscii& window, WPARAM key)
{
    keyDown(window, key);
    keyUp(window, key);
}

// Holds Shift in this thread's keyboard state, as GetKeyState sees it, and lets go again.
class ShiftHeld {
public:
    ShiftHeld()
    {
        GetKeyboardState(saved);
        BYTE state[256];
        GetKeyboardState(state);
        state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
        SetKeyboardState(state);
    }
    ~ShiftHeld() { SetKeyboardState(saved); }
    ShiftHeld(const ShiftHeld&) = delete;
    ShiftHeld& operator=(const ShiftHeld&) = delete;

private:
    BYTE saved[256]{};
};

void setClipboard(HWND owner, std::wstring_view text)
{
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    auto* units = static_cast<wchar_t*>(GlobalLock(memory));
    text.copy(units, text.size());
    units[text.size()] = L'\0';
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

// Dispatches what this thread's queue holds now.
void dispatchPosted()
{
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// imm32's calls, looked up where they are: the tests link no import library of it.
template <typename Function> Function* inputMethodCall(const char* name)
{
    static const HMODULE imm32 = LoadLibraryW(L"imm32.dll");
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(GetProcAddress(imm32, name)));
}

// Hands the text to the field as an input method does when a composition ends: first as the
// composition, then as its result. The messages this posts are dispatched before it returns.
void commitThroughInputMethod(HWND field, std::wstring text)
{
    SetFocus(field);
    const HIMC context = inputMethodCall<decltype(ImmGetContext)>("ImmGetContext")(field);
    ASSERT_NE(context, nullptr);
    const auto bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    EXPECT_TRUE(inputMethodCall<decltype(ImmSetCompositionStringW)>("ImmSetCompositionStringW")(
        context, SCS_SETSTR, text.data(), bytes, nullptr, 0));
    EXPECT_TRUE(inputMethodCall<decltype(ImmNotifyIME)>("ImmNotifyIME")(context, NI_COMPOSITIONSTR,
                                                                        CPS_COMPLETE, 0));
    inputMethodCall<decltype(ImmReleaseContext)>("ImmReleaseContext")(field, context);
    dispatchPosted();
}

// Dispatches this thread's messages until the condition holds or the time is up.
template <typename Condition> bool pumpUntil(Condition condition, DWORD milliseconds)
{
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (!condition()) {
        if (GetTickCount64() >= end) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return true;
}

constexpr LPARAM inside = MAKELPARAM(5, 5);
constexpr LPARAM outside = MAKELPARAM(static_cast<WORD>(-40), static_cast<WORD>(-40));

class Window : public testing::Test {
protected:
    std::vector<std::string> viewerCalls;
    std::optional<std::string> viewerFailure;
    FrmAscii window{GetModuleHandleW(nullptr),
                    [this](std::string_view name) -> std::optional<std::string> {
                        viewerCalls.emplace_back(name);
                        return viewerFailure;
                    }};

    HWND frmAscii = window.handle();
    HWND txtTecken = window.control(C::txtTecken);
    HWND txtAscii = window.control(C::txtAscii);
    HWND cmdTecken = window.control(C::cmdTecken);
    HWND cmdAscii = window.control(C::cmdAscii);
    HWND lblFinns = window.control(C::lblFinns);
    HWND cmdMindre = window.control(C::cmdMindre);
    HWND cmdMer = window.control(C::cmdMer);
    HWND cmdPrint = window.control(C::cmdPrint);

    void SetUp() override
    {
        window.show(SW_SHOWNORMAL);
        SetForegroundWindow(frmAscii);
    }

    [[nodiscard]] std::wstring code() const { return textOf(txtAscii); }
    [[nodiscard]] std::wstring character() const { return textOf(txtTecken); }
    [[nodiscard]] std::wstring note() const { return textOf(lblFinns); }

    void expectIdle() const
    {
        EXPECT_EQ(window.repeatDirection(), RepeatDirection::None);
        EXPECT_FALSE(window.repeatTimerEnabled());
        EXPECT_FALSE(window.repeatTimerRunning());
    }

    void expectRepeating(RepeatDirection direction) const
    {
        EXPECT_EQ(window.repeatDirection(), direction);
        EXPECT_TRUE(window.repeatTimerEnabled());
        EXPECT_EQ(window.repeatTimerInterval(), 500);
        EXPECT_TRUE(window.repeatTimerRunning());
    }

    void tick() { SendMessageW(frmAscii, WM_TIMER, 1, 0); }
};

TEST_F(Window, StartsEmptyWithTheFocusInTheCharacterField)
{
    EXPECT_EQ(textOf(frmAscii), kodvik::toWide(kodvik::title));
    EXPECT_EQ(GetFocus(), txtTecken);
    EXPECT_EQ(character(), L"");
    EXPECT_EQ(code(), L"");
    EXPECT_EQ(note(), L"");
    expectIdle();
    EXPECT_EQ(window.repeatTimerInterval(), 0);
}

class Controls : public Window, public testing::WithParamInterface<kodvik::FormControl> {};

TEST_P(Controls, AreRealControlsWithTheirTexts)
{
    const auto& entry = GetParam();
    const HWND control = window.control(entry.id);
    ASSERT_NE(control, nullptr);
    constexpr std::array classes{L"Edit", L"Button", L"Static"}; // by kind
    const auto* kind = classes.at(static_cast<std::size_t>(entry.kind));
    EXPECT_EQ(_wcsicmp(classOf(control).c_str(), kind), 0) << classOf(control);
    EXPECT_EQ(textOf(control), kodvik::toWide(entry.caption));
    EXPECT_EQ((styleOf(control) & WS_TABSTOP) != 0, entry.kind != kodvik::ControlKind::Label);
}

INSTANTIATE_TEST_SUITE_P(InTabOrder, Controls, testing::ValuesIn(kodvik::form));

class Layout : public Window, public testing::WithParamInterface<kodvik::FormControl> {};

// Twips to pixels at 15 a pixel; labels size themselves to their text.
TEST_P(Layout, PutsEachControlAtItsPlace)
{
    const auto& [left, top, width, height] = GetParam().place;
    const RECT place = placeOf(window.control(GetParam().id));
    EXPECT_EQ(place.left, kodvik::pixels(left));
    EXPECT_EQ(place.top, kodvik::pixels(top));
    if (GetParam().kind != kodvik::ControlKind::Label) {
        EXPECT_EQ(place.right - place.left, kodvik::pixels(width));
        EXPECT_EQ(place.bottom - place.top, kodvik::pixels(height));
    }
}

INSTANTIATE_TEST_SUITE_P(At96Dpi, Layout, testing::ValuesIn(kodvik::form));

TEST_F(Window, HasAFixedFrameAroundA163By144ClientArea)
{
    RECT client{};
    GetClientRect(frmAscii, &client);
    EXPECT_EQ(client.right, kodvik::pixels(kodvik::clientWidth));
    EXPECT_EQ(client.bottom, kodvik::pixels(kodvik::clientHeight));
    const DWORD style = styleOf(frmAscii);
    EXPECT_NE(style & WS_CAPTION, 0U);
    EXPECT_EQ(style & WS_THICKFRAME, 0U);
    EXPECT_EQ(style & WS_MAXIMIZEBOX, 0U);
}

TEST_F(Window, SizesTheLabelsToTheirText)
{
    const HWND lblVisa0 = window.control(C::lblVisa0);
    const RECT heading = placeOf(lblVisa0);
    EXPECT_EQ(heading.left, 88);
    EXPECT_EQ(heading.top, 8);
    EXPECT_GT(heading.right - heading.left, 0);

    EXPECT_EQ(placeOf(lblFinns).right - placeOf(lblFinns).left, 0);
    window.setNoteText(u"carriage return");
    const LONG longNote = placeOf(lblFinns).right - placeOf(lblFinns).left;
    window.setNoteText(u"tab");
    const LONG shortNote = placeOf(lblFinns).right - placeOf(lblFinns).left;
    EXPECT_GT(shortNote, 0);
    EXPECT_GT(longNote, shortNote);
    EXPECT_EQ(placeOf(lblFinns).left, 8);
    EXPECT_EQ(placeOf(lblFinns).top, 88);
}

TEST_F(Window, GivesTheFieldsTheirFontAndAlignment)
{
    for (HWND field : {txtTecken, txtAscii}) {
        const LOGFONTW font = fontOf(field);
        EXPECT_STREQ(font.lfFaceName, L"MS Sans Serif");
        EXPECT_EQ(font.lfWeight, FW_BOLD);
        EXPECT_EQ(font.lfHeight, -16); // 12 pt at 96 DPI
    }
    EXPECT_EQ(styleOf(txtTecken) & (ES_CENTER | ES_RIGHT), static_cast<DWORD>(ES_CENTER));
    EXPECT_EQ(styleOf(txtAscii) & (ES_CENTER | ES_RIGHT), static_cast<DWORD>(ES_LEFT));
    // Everything else keeps the window's own font.
    EXPECT_NE(SendMessageW(cmdTecken, WM_GETFONT, 0, 0), 0);
    EXPECT_NE(fontOf(cmdTecken).lfWeight, FW_BOLD);
    EXPECT_EQ(SendMessageW(lblFinns, WM_GETFONT, 0, 0), SendMessageW(cmdPrint, WM_GETFONT, 0, 0));
}

// The message is made up, so the frame Windows draws keeps its old size; the window's own
// layout is what follows the new DPI.
TEST_F(Window, LaysItselfOutAgainForANewDpi)
{
    RECT suggested{100, 120, 400, 400};
    SendMessageW(frmAscii, WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    RECT frame{};
    GetWindowRect(frmAscii, &frame);
    EXPECT_EQ(frame.left, 100);
    EXPECT_EQ(frame.top, 120);
    const RECT place = placeOf(txtAscii);
    EXPECT_EQ(place.left, 132); // 1320 twips at 144 DPI
    EXPECT_EQ(place.top, 36);
    EXPECT_EQ(place.right - place.left, 62); // 61.5, rounded
    EXPECT_EQ(placeOf(cmdPrint).bottom, 206);
    EXPECT_EQ(fontOf(txtAscii).lfHeight, -24);
    EXPECT_EQ(placeOf(lblFinns).top, 132);
}

struct Typing {
    C field;
    std::wstring before;
    std::wstring typed;
    std::wstring after;
};

class Limits : public Window, public testing::WithParamInterface<Typing> {
protected:
    [[nodiscard]] HWND field() const { return window.control(GetParam().field); }
    void startWith()
    {
        SetWindowTextW(field(), GetParam().before.c_str());
        const auto end = static_cast<WPARAM>(GetParam().before.size());
        SendMessageW(field(), EM_SETSEL, end, static_cast<LPARAM>(end));
    }
};

TEST_P(Limits, HoldForTyping)
{
    startWith();
    type(field(), GetParam().typed);
    EXPECT_EQ(textOf(field()), GetParam().after);
}

TEST_P(Limits, HoldForPasting)
{
    startWith();
    setClipboard(frmAscii, GetParam().typed);
    SendMessageW(field(), WM_PASTE, 0, 0);
    EXPECT_EQ(textOf(field()), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(ThreeAndOne, Limits,
                         testing::Values(Typing{C::txtAscii, L"", L"65", L"65"},
                                         Typing{C::txtAscii, L"", L"1234", L"123"},
                                         Typing{C::txtAscii, L"12", L"34", L"123"},
                                         Typing{C::txtAscii, L"123", L"4", L"123"},
                                         Typing{C::txtTecken, L"", L"A", L"A"},
                                         Typing{C::txtTecken, L"", L"AB", L"A"},
                                         Typing{C::txtTecken, L"A", L"B", L"A"}));

enum class Way { Typed, TypedByInputMethod, Pasted, CommittedByInputMethod };

struct Entry {
    Way way;
    C field;
    std::wstring before;
    std::wstring entered;
    std::wstring after;
};

void PrintTo(const Entry& entry, std::ostream* out)
{
    constexpr const char* ways[] = {"typed", "typed by an input method", "pasted",
                                    "committed by an input method"};
    const auto units = [](const std::wstring& text) {
        std::string hex;
        for (const wchar_t unit : text) {
            hex += testing::PrintToString(static_cast<unsigned>(unit)) + " ";
        }
        return hex;
    };
    *out << (entry.field == C::txtAscii ? "txtAscii" : "txtTecken") << " [" << units(entry.before)
         << "] + " << ways[static_cast<int>(entry.way)] << " [" << units(entry.entered) << "]";
}

class WholeCharacters : public Window, public testing::WithParamInterface<Entry> {};

// The limits count UTF-16 units; a character beyond the BMP goes in whole or not at all, however it
// comes, and a field never holds half of one.
TEST_P(WholeCharacters, GoInWholeOrNotAtAll)
{
    const auto& [way, id, before, entered, after] = GetParam();
    const HWND field = window.control(id);
    SetWindowTextW(field, before.c_str());
    const auto end = static_cast<WPARAM>(before.size());
    SendMessageW(field, EM_SETSEL, end, static_cast<LPARAM>(end));
    switch (way) {
    case Way::Typed:
        type(field, entered);
        break;
    case Way::TypedByInputMethod:
        // What the control does not take itself comes back to it as WM_CHAR.
        for (const wchar_t unit : entered) {
            SendMessageW(field, WM_IME_CHAR, unit, 1);
        }
        dispatchPosted();
        break;
    case Way::Pasted:
        setClipboard(frmAscii, entered);
        SendMessageW(field, WM_PASTE, 0, 0);
        break;
    case Way::CommittedByInputMethod:
        commitThroughInputMethod(field, entered);
        break;
    }
    EXPECT_EQ(textOf(field), after);
}

std::vector<Entry> entries()
{
    const std::wstring emoji = L"\U0001F600";
    std::vector<Entry> all;
    for (const Way way :
         {Way::Typed, Way::TypedByInputMethod, Way::Pasted, Way::CommittedByInputMethod}) {
        all.push_back({way, C::txtTecken, L"", emoji, L""});
        all.push_back({way, C::txtAscii, L"", emoji, emoji});
        all.push_back({way, C::txtAscii, L"", emoji + L"1", emoji + L"1"});
        all.push_back({way, C::txtAscii, L"1", emoji, L"1" + emoji});
        all.push_back({way, C::txtAscii, L"12", emoji, L"12"});
        all.push_back({way, C::txtAscii, L"", L"1" + emoji + L"2", L"1" + emoji});
    }
    // The control deletes one unit at a time; Backspace takes the whole character.
    all.push_back({Way::Typed, C::txtAscii, L"1" + emoji, L"\b", L"1"});
    return all;
}

INSTANTIATE_TEST_SUITE_P(AnyWay, WholeCharacters, testing::ValuesIn(entries()));

class CodeField : public Window, public testing::WithParamInterface<UINT> {};

// The edit control scrolls its text as soon as the caret would pass its right margin, which hides
// the first digit; any three digits and the caret fit inside the margins.
TEST_P(CodeField, ShowsAnyThreeDigitsWhole)
{
    const UINT dpi = GetParam();
    if (dpi != USER_DEFAULT_SCREEN_DPI) {
        RECT suggested{100, 120, 400, 400};
        SendMessageW(frmAscii, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
    }
    const HDC context = GetDC(txtAscii);
    const HGDIOBJ previous =
        SelectObject(context, reinterpret_cast<HFONT>(SendMessageW(txtAscii, WM_GETFONT, 0, 0)));
    std::wstring widest;
    LONG widestWidth = 0;
    for (wchar_t digit = L'0'; digit <= L'9'; ++digit) {
        const std::wstring digits(3, digit);
        SIZE extent{};
        GetTextExtentPoint32W(context, digits.c_str(), 3, &extent);
        if (extent.cx > widestWidth) {
            widest = digits;
            widestWidth = extent.cx;
        }
    }
    SelectObject(context, previous);
    ReleaseDC(txtAscii, context);
    DWORD caretWidth = 1;
    SystemParametersInfoW(SPI_GETCARETWIDTH, 0, &caretWidth, 0);
    RECT room{};
    SendMessageW(txtAscii, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
    EXPECT_LE(widestWidth + static_cast<LONG>(caretWidth), room.right - room.left) << widest;

    for (const std::wstring& digits : {widest, std::wstring(L"888")}) {
        SetWindowTextW(txtAscii, L"");
        type(txtAscii, digits);
        EXPECT_EQ(code(), digits);
        EXPECT_EQ(SendMessageW(txtAscii, EM_GETFIRSTVISIBLELINE, 0, 0), 0) << "after " << digits;
    }
}

INSTANTIATE_TEST_SUITE_P(Dpi, CodeField, testing::Values(96U, 144U, 192U));

TEST_F(Window, KeepsTheLimitsOutOfTheProgramsOwnTexts)
{
    EXPECT_EQ(SendMessageW(txtAscii, EM_GETLIMITTEXT, 0, 0), 3);
    EXPECT_EQ(SendMessageW(txtTecken, EM_GETLIMITTEXT, 0, 0), 1);
}

TEST_F(Window, MovesTheFocusWithTabAndShiftTab)
{
    const std::vector<HWND> order{txtTecken, txtAscii, cmdTecken, cmdAscii,
                                  cmdMindre, cmdMer,   cmdPrint,  txtTecken};
    SetFocus(txtTecken);
    for (std::size_t at = 1; at < order.size(); ++at) {
        pressKey(window, VK_TAB);
        EXPECT_EQ(GetFocus(), order[at]) << "after " << at << " Tab";
    }
    const ShiftHeld shift;
    for (std::size_t at = order.size() - 1; at > 0; --at) {
        pressKey(window, VK_TAB);
        EXPECT_EQ(GetFocus(), order[at - 1]) << "after " << order.size() - at << " Shift+Tab";
    }
}

TEST_F(Window, IgnoresEnterAndEscapeInAField)
{
    SetWindowTextW(txtAscii, L"65");
    SetFocus(txtAscii);
    pressKey(window, VK_RETURN);
    pressKey(window, VK_ESCAPE);
    EXPECT_EQ(character(), L"");
    EXPECT_EQ(code(), L"65");
    EXPECT_TRUE(IsWindowVisible(frmAscii));
}

struct EnterKey {
    const char* name;
    LPARAM flags;
};

void PrintTo(const EnterKey& key, std::ostream* out)
{
    *out << key.name;
}

class EnterOnAButton : public Window, public testing::WithParamInterface<EnterKey> {};

// Enter is Space on a focused button: down on the press, one click on the release however long
// it is held, and no repeat on "<" or ">". The dialog keys make a button the default as the focus
// reaches it; it must stay an ordinary one.
TEST_P(EnterOnAButton, ClicksItOnceOnTheRelease)
{
    const LPARAM flags = GetParam().flags;
    constexpr LPARAM repeat = 1 << 30;
    SetWindowTextW(txtAscii, L"64");
    SetFocus(txtAscii);
    pressKey(window, VK_TAB);
    ASSERT_EQ(GetFocus(), cmdTecken);
    keyDown(window, VK_RETURN, flags);
    EXPECT_NE(SendMessageW(cmdTecken, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    EXPECT_EQ(character(), L"");
    keyUp(window, VK_RETURN, flags);
    EXPECT_EQ(character(), L"@");
    EXPECT_EQ(styleOf(cmdTecken) & BS_TYPEMASK, static_cast<DWORD>(BS_PUSHBUTTON));

    SetFocus(cmdMer);
    keyDown(window, VK_RETURN, flags);
    for (int held = 0; held < 3; ++held) {
        keyDown(window, VK_RETURN, flags | repeat);
    }
    EXPECT_EQ(code(), L"64");
    expectIdle();
    keyUp(window, VK_RETURN, flags);
    EXPECT_EQ(code(), L"65");
    expectIdle();

    const ScratchDirectory scratch;
    SetFocus(cmdPrint);
    keyDown(window, VK_RETURN, flags);
    keyUp(window, VK_RETURN, flags);
    EXPECT_EQ(viewerCalls, std::vector<std::string>{"ascii.txt"});
}

INSTANTIATE_TEST_SUITE_P(MainAndKeypad, EnterOnAButton,
                         testing::Values(EnterKey{"Enter", 0},
                                         EnterKey{"keypad Enter", KF_EXTENDED << 16}),
                         [](const testing::TestParamInfo<EnterKey>& info) {
                             return info.param.flags == 0 ? "Enter" : "KeypadEnter";
                         });

struct Click {
    C button;
    std::wstring codeBefore;
    std::wstring characterBefore;
    std::wstring codeAfter;
    std::wstring characterAfter;
    std::wstring noteAfter;
};

class Clicks : public Window, public testing::WithParamInterface<Click> {};

TEST_P(Clicks, RunTheButtonsOperation)
{
    SetWindowTextW(txtAscii, GetParam().codeBefore.c_str());
    SetWindowTextW(txtTecken, GetParam().characterBefore.c_str());
    SendMessageW(window.control(GetParam().button), BM_CLICK, 0, 0);
    EXPECT_EQ(code(), GetParam().codeAfter);
    EXPECT_EQ(character(), GetParam().characterAfter);
    EXPECT_EQ(note(), GetParam().noteAfter);
    expectIdle();
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, Clicks,
    testing::Values(Click{C::cmdTecken, L"65", L"", L"65", L"A", L""},
                    Click{C::cmdTecken, L"128", L"", L"128", L"\u20AC", L""},
                    Click{C::cmdTecken, L"32", L"x", L"32", L"", L"Space"},
                    Click{C::cmdTecken, L"256", L"x", L"", L"", L"Finns ej (> 255)"},
                    Click{C::cmdTecken, L"2.5", L"", L"2.5", L"", L"Finns ej"},
                    Click{C::cmdAscii, L"", L"A", L"65", L"A", L""},
                    Click{C::cmdAscii, L"", L"\u20AC", L"128", L"\u20AC", L""},
                    Click{C::cmdAscii, L"7", L"\u0100", L"", L"\u0100", L"Finns ej"},
                    Click{C::cmdMer, L"", L"", L"0", L"", L"Finns ej"},
                    Click{C::cmdMer, L"64", L"", L"65", L"A", L""},
                    Click{C::cmdMindre, L"", L"", L"255", L"\u00FF", L""},
                    Click{C::cmdMindre, L"0", L"", L"255", L"\u00FF", L""}));

struct MouseButton {
    const char* name;
    UINT down;
    UINT up;
    WPARAM held; // the key state while it is down
    bool clicks; // its release over the button makes a click
};

void PrintTo(const MouseButton& button, std::ostream* out)
{
    *out << button.name;
}

class MouseButtons : public Window, public testing::WithParamInterface<MouseButton> {
protected:
    void press(HWND button) const
    {
        SendMessageW(button, GetParam().down, GetParam().held, inside);
    }
    void release(HWND button, LPARAM where = inside) const
    {
        SendMessageW(button, GetParam().up, GetParam().held & ~static_cast<WPARAM>(0xFFFF), where);
    }
};

TEST_P(MouseButtons, RepeatUpwardsWhileHeldOnMore)
{
    press(cmdMer);
    expectRepeating(RepeatDirection::Up);
    EXPECT_EQ(code(), L"");
    release(cmdMer);
    expectIdle();
    EXPECT_EQ(code(), GetParam().clicks ? L"0" : L"");
}

TEST_P(MouseButtons, RepeatDownwardsWhileHeldOnLess)
{
    press(cmdMindre);
    expectRepeating(RepeatDirection::Down);
    release(cmdMindre);
    expectIdle();
    EXPECT_EQ(code(), GetParam().clicks ? L"255" : L"");
}

TEST_P(MouseButtons, StopWithoutAStepWhenReleasedElsewhere)
{
    SetWindowTextW(txtAscii, L"64");
    press(cmdMer);
    release(cmdMer, outside);
    expectIdle();
    EXPECT_EQ(code(), L"64");
}

TEST_P(MouseButtons, HoldTheMouseUntilReleased)
{
    press(cmdMer);
    EXPECT_EQ(GetCapture(), cmdMer);
    release(cmdMer, outside);
    EXPECT_NE(GetCapture(), cmdMer);
}

INSTANTIATE_TEST_SUITE_P(
    Any, MouseButtons,
    testing::Values(
        MouseButton{"left", WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, true},
        MouseButton{"left, double", WM_LBUTTONDBLCLK, WM_LBUTTONUP, MK_LBUTTON, true},
        MouseButton{"right", WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON, false},
        MouseButton{"right, double", WM_RBUTTONDBLCLK, WM_RBUTTONUP, MK_RBUTTON, false},
        MouseButton{"middle", WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON, false},
        MouseButton{"x1", WM_XBUTTONDOWN, WM_XBUTTONUP, MAKEWPARAM(MK_XBUTTON1, XBUTTON1), false},
        MouseButton{"x2", WM_XBUTTONDOWN, WM_XBUTTONUP, MAKEWPARAM(MK_XBUTTON2, XBUTTON2), false}),
    [](const testing::TestParamInfo<MouseButton>& info) {
        std::string name = info.param.name;
        for (char& c : name) {
            c = (c == ' ' || c == ',') ? '_' : c;
        }
        return name;
    });

TEST_F(Window, StepsOnceForSpaceWithoutRepeating)
{
    SetWindowTextW(txtAscii, L"64");
    SetFocus(cmdMer);
    SendMessageW(cmdMer, WM_KEYDOWN, VK_SPACE, 1);
    expectIdle();
    SendMessageW(cmdMer, WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0000001));
    EXPECT_EQ(code(), L"65");
    expectIdle();
}

TEST_F(Window, StepsOnEachTickWhileHeldAndOnceMoreOnRelease)
{
    SetWindowTextW(txtAscii, L"64");
    SendMessageW(cmdMer, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    tick();
    EXPECT_EQ(code(), L"65");
    EXPECT_EQ(character(), L"A");
    tick();
    EXPECT_EQ(code(), L"66");
    expectRepeating(RepeatDirection::Up);
    SendMessageW(cmdMer, WM_LBUTTONUP, 0, inside);
    EXPECT_EQ(code(), L"67");
    expectIdle();

    SendMessageW(cmdMindre, WM_RBUTTONDOWN, MK_RBUTTON, inside);
    tick();
    tick();
    tick();
    SendMessageW(cmdMindre, WM_RBUTTONUP, 0, inside);
    EXPECT_EQ(code(), L"64");
}

// The release kills the system's timer, and a tick that it had already queued steps no more. (A
// tick while the timer is halted with the repeat still set is HaltsTheRepeatAtAMessageBoxCode's.)
TEST_F(Window, KillsTheTimerOnTheReleaseAndIgnoresATickAlreadyQueued)
{
    SetWindowTextW(txtAscii, L"64");
    SendMessageW(cmdMer, WM_RBUTTONDOWN, MK_RBUTTON, inside);
    SendMessageW(cmdMer, WM_RBUTTONUP, 0, inside);
    tick();
    EXPECT_EQ(code(), L"64");
    EXPECT_FALSE(KillTimer(frmAscii, 1)) << "the timer still runs";
}

TEST_F(Window, StopsTheTimerOnATickWithNoDirection)
{
    window.setRepeatTimerEnabled(true);
    window.setRepeatInterval(500);
    ASSERT_TRUE(window.repeatTimerRunning());
    tick();
    expectIdle();
}

TEST_F(Window, NeverRunsTheTimerWithAnIntervalOfZero)
{
    window.setRepeatTimerEnabled(true);
    EXPECT_FALSE(window.repeatTimerRunning());
    window.setRepeatInterval(500);
    EXPECT_TRUE(window.repeatTimerRunning());
    window.setRepeatInterval(0);
    EXPECT_FALSE(window.repeatTimerRunning());
    window.setRepeatDirection(RepeatDirection::Up);
    tick();
    EXPECT_EQ(code(), L"");
}

TEST_F(Window, ShowsTheCharacterOfAMessageBoxCodeInABox)
{
    const MessageBoxes boxes;
    ASSERT_TRUE(boxes.hooked());
    SetWindowTextW(txtAscii, L"130");
    SetWindowTextW(txtTecken, L"x");
    SendMessageW(cmdTecken, BM_CLICK, 0, 0);
    ASSERT_EQ(boxes.seen.size(), 1U);
    const auto& box = boxes.seen.front();
    EXPECT_EQ(box.title, L"ASCII <-> Character");
    EXPECT_EQ(box.text,
              L"Character for ASCII value 130 is \n\n" + std::wstring(20, L' ') + L"\u201A");
    EXPECT_EQ(box.buttons, 1);
    EXPECT_TRUE(box.hasOk);
    EXPECT_FALSE(box.hasIcon);
    EXPECT_EQ(boxes.closedAtLimit, 0);
    EXPECT_EQ(character(), L"");
    EXPECT_EQ(code(), L"130");
}

// Holding ">" from 128: 129 says "Finns ej", 130 opens the box and halts the repeat there.
TEST_F(Window, HaltsTheRepeatAtAMessageBoxCode)
{
    const MessageBoxes boxes;
    SetWindowTextW(txtAscii, L"128");
    SendMessageW(cmdMer, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    tick();
    EXPECT_EQ(code(), L"129");
    EXPECT_EQ(note(), L"Finns ej");
    tick();
    ASSERT_EQ(boxes.seen.size(), 1U);
    EXPECT_EQ(code(), L"130");
    EXPECT_EQ(window.repeatDirection(), RepeatDirection::Up);
    EXPECT_FALSE(window.repeatTimerEnabled());
    EXPECT_FALSE(window.repeatTimerRunning());

    tick();
    EXPECT_EQ(code(), L"130");
    // The box took the mouse from the button: its release is no click any more.
    SendMessageW(cmdMer, WM_LBUTTONUP, 0, inside);
    expectIdle();
    EXPECT_EQ(code(), L"130");
    EXPECT_EQ(boxes.seen.size(), 1U);
}

TEST_F(Window, EndsTheRepeatWhenTheMouseIsTakenAway)
{
    SendMessageW(cmdMindre, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    expectRepeating(RepeatDirection::Down);
    ReleaseCapture();
    expectIdle();
}

TEST_F(Window, RepeatsEveryHalfSecondInRealTime)
{
    SetWindowTextW(txtAscii, L"64");
    SendMessageW(cmdMer, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    const ULONGLONG start = GetTickCount64();
    ASSERT_TRUE(pumpUntil([this] { return code() == L"66"; }, 5000));
    EXPECT_GE(GetTickCount64() - start, 900U); // two ticks of 500 ms, with the clock's slack
    SendMessageW(cmdMer, WM_LBUTTONUP, 0, inside);
    EXPECT_EQ(code(), L"67");
}

TEST_F(Window, PrintsTheTableAndOpensItInTheViewer)
{
    const ScratchDirectory scratch;
    SendMessageW(cmdPrint, BM_CLICK, 0, 0);
    EXPECT_EQ(viewerCalls, std::vector<std::string>{"ascii.txt"});
    const std::string table = readFile("ascii.txt");
    std::size_t lines = 0;
    for (std::size_t at = table.find("\r\n"); at != std::string::npos;
         at = table.find("\r\n", at + 2)) {
        ++lines;
    }
    EXPECT_EQ(lines, 256U);
    EXPECT_EQ(table.substr(0, 8), " 0 non\r\n");
}

TEST_F(Window, ShowsAFailedPrintInABox)
{
    const ScratchDirectory scratch;
    const MessageBoxes boxes;
    viewerFailure = "no viewer here";
    SendMessageW(cmdPrint, BM_CLICK, 0, 0);
    ASSERT_EQ(boxes.seen.size(), 1U);
    EXPECT_EQ(boxes.seen.front().title, kodvik::toWide(kodvik::title));
    EXPECT_EQ(boxes.seen.front().text, L"Could not open ascii.txt in a viewer: no viewer here");
    EXPECT_TRUE(boxes.seen.front().hasOk);
}

TEST_F(Window, DeletesTheTableWhenTheSessionEnds)
{
    const ScratchDirectory scratch;
    writeFile("ascii.txt", "left from before");
    SendMessageW(frmAscii, WM_ENDSESSION, FALSE, 0);
    EXPECT_TRUE(std::filesystem::exists("ascii.txt"));
    SendMessageW(frmAscii, WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(std::filesystem::exists("ascii.txt"));
}

// Windows' notification cannot be heard under Wine, so the window is handed a recorder in its
// place.
TEST(Announcing, EachAnswerOnceAndNothingBesideABox)
{
    std::vector<std::pair<HWND, std::u16string>> said;
    FrmAscii window{GetModuleHandleW(nullptr), [](std::string_view) { return std::nullopt; },
                    [&said](HWND to, std::u16string_view text) { said.emplace_back(to, text); }};
    SetWindowTextW(window.control(C::txtAscii), L"65");
    SendMessageW(window.control(C::cmdTecken), BM_CLICK, 0, 0);
    {
        const MessageBoxes boxes;
        SetWindowTextW(window.control(C::txtAscii), L"130");
        SendMessageW(window.control(C::cmdTecken), BM_CLICK, 0, 0);
        EXPECT_EQ(boxes.seen.size(), 1U);
    }
    // A hold that ends without a click: each step replaces the one before.
    SetWindowTextW(window.control(C::txtAscii), L"70");
    SendMessageW(window.control(C::cmdMer), WM_RBUTTONDOWN, MK_RBUTTON, inside);
    SendMessageW(window.handle(), WM_TIMER, 1, 0);
    SendMessageW(window.control(C::cmdMer), WM_RBUTTONUP, 0, inside);
    dispatchPosted();
    const decltype(said) expected{{window.handle(), u"65 A"}, {window.handle(), u"71 G"}};
    EXPECT_EQ(said, expected);
}

TEST_F(Window, EndsItsLoopWhenClosed)
{
    PostMessageW(frmAscii, WM_CLOSE, 0, 0);
    EXPECT_EQ(window.runUntilClosed(), 0);
    EXPECT_EQ(window.handle(), nullptr);
    EXPECT_FALSE(IsWindow(frmAscii));
}

} // namespace
