// The press and hold of "<" and ">", as both windows forward it, on fields held in memory.
#include "portablenumbers.h"
#include "press.h"
#include "windows1252.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <string_view>

namespace {

using kodvik::Control;
using kodvik::RepeatDirection;

// A window with no toolkit: the code text, the direction, and what its timer, buttons and boxes
// were told, in order.
class HeldWindow final : public kodvik::Fields, public kodvik::PressToolkit {
public:
    std::u16string code;
    RepeatDirection direction = RepeatDirection::None;
    std::string told;
    kodvik::PortableNumbers numbers{u'.'};
    kodvik::Windows1252 codePage;
    kodvik::CodeLogic logic{*this, numbers, codePage};
    kodvik::PressAndHold press{logic, *this};

    [[nodiscard]] std::u16string codeText() const override { return code; }
    void setCodeText(std::u16string_view text) override { code = text; }
    [[nodiscard]] std::u16string characterText() const override { return {}; }
    void setCharacterText(std::u16string_view /*text*/) override {}
    void setNoteText(std::u16string_view /*text*/) override {}
    void setRepeatTimerEnabled(bool enabled) override { press.setTimerEnabled(enabled); }
    void setRepeatInterval(int milliseconds) override { press.setInterval(milliseconds); }
    [[nodiscard]] RepeatDirection repeatDirection() const override { return direction; }
    void setRepeatDirection(RepeatDirection value) override { direction = value; }
    void showMessageBox(std::u16string_view /*text*/, std::u16string_view /*title*/) override
    {
        tell("box");
    }
    bool startRepeatTimer(int milliseconds) override
    {
        tell("start " + std::to_string(milliseconds));
        return true;
    }
    void stopRepeatTimer() override { tell("stop"); }
    void bringUp(Control button) override { tell(button == Control::cmdMer ? "up >" : "up <"); }

private:
    void tell(const std::string& what) { told += (told.empty() ? "" : ", ") + what; }
};

struct Hold {
    const char* name;
    std::u16string codeBefore;
    // ">" and "<" pressed, "r" released, "l" press lost, "t" tick; "e" timer enabled, "5" and "0"
    // its interval set to 500 or 0.
    const char* events;
    const char* told;
    char held; // ">", "<" or " " for none
    bool ended;
    RepeatDirection direction;
    bool running;
    std::u16string codeAfter;
};

void PrintTo(const Hold& hold, std::ostream* out)
{
    *out << hold.name;
}

class Holding : public testing::TestWithParam<Hold> {};

TEST_P(Holding, EndsInItsState)
{
    const Hold& row = GetParam();
    HeldWindow window;
    window.code = row.codeBefore;
    auto& press = window.press;
    const auto button = [](char held) {
        return held == '>' ? Control::cmdMer : Control::cmdMindre;
    };
    for (const char event : std::string_view(row.events)) {
        switch (event) {
        case 'r':
            press.released();
            break;
        case 'l':
            press.pressLost();
            break;
        case 't':
            press.tick();
            break;
        case 'e':
            press.setTimerEnabled(true);
            break;
        case '5':
        case '0':
            press.setInterval(event == '5' ? 500 : 0);
            break;
        default:
            press.pressed(button(event));
            break;
        }
    }
    EXPECT_EQ(window.told, row.told);
    EXPECT_EQ(press.heldButton(), row.held == ' ' ? std::nullopt : std::optional(button(row.held)));
    EXPECT_EQ(press.pressEnded(button(row.held)), row.ended);
    EXPECT_EQ(window.direction, row.direction);
    EXPECT_EQ(press.timerRunning(), row.running);
    EXPECT_TRUE(window.code == row.codeAfter);
}

constexpr auto up = RepeatDirection::Up;
constexpr auto none = RepeatDirection::None;

INSTANTIATE_TEST_SUITE_P(
    Press, Holding,
    testing::Values(
        Hold{"PressStartsTheTimer", u"", ">", "start 500", '>', false, up, true, u""},
        Hold{"TicksStepTheHeldWay", u"64", "<tt", "start 500", '<', false, RepeatDirection::Down,
             true, u"62"},
        Hold{"ASecondPressKeepsTheCount", u"", ">>", "start 500", '>', false, up, true, u""},
        Hold{"ReleaseStopsIt", u"", ">r", "start 500, stop", ' ', false, none, false, u""},
        Hold{"ATickAfterTheStopIsNone", u"64", ">rt", "start 500, stop", ' ', false, none, false,
             u"64"},
        Hold{"ALostPressBringsTheButtonUpAndStops", u"", ">ll", "start 500, up >, stop", '>', true,
             none, false, u""},
        Hold{"TheReleaseAfterALostPressEndsIt", u"", "<lr", "start 500, up <, stop", ' ', false,
             none, false, u""},
        Hold{"NothingHeldNothingLost", u"", "l", "", ' ', false, none, false, u""},
        Hold{"AHaltLostKeepsTheDirection", u"129", ">tl", "start 500, stop, box, up >", '>', true,
             up, false, u"130"},
        Hold{"NoIntervalNoTimer", u"", "e", "", ' ', false, none, false, u""},
        Hold{"IntervalZeroStopsIt", u"", "e50", "start 500, stop", ' ', false, none, false, u""},
        Hold{"ATickWithoutDirectionOnlyStops", u"64", "e5t", "start 500, stop", ' ', false, none,
             false, u"64"}),
    [](const testing::TestParamInfo<Hold>& info) { return std::string(info.param.name); });

} // namespace
