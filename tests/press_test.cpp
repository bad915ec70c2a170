// The press and hold of "<" and ">", as both windows forward it, on fields held in memory.
#include "portablenumbers.h"
#include "press.h"
#include "windows1252.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace {

using kodvik::Control;
using kodvik::RepeatDirection;

// A window with no toolkit: the code text, the direction, and what its timer and buttons were
// told, in order.
class HeldWindow final : public kodvik::Fields, public kodvik::PressToolkit {
public:
    std::u16string code;
    RepeatDirection direction = RepeatDirection::None;
    std::vector<std::string> told;
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
        told.emplace_back("box");
    }
    bool startRepeatTimer(int milliseconds) override
    {
        told.push_back("start " + std::to_string(milliseconds));
        return true;
    }
    void stopRepeatTimer() override { told.emplace_back("stop"); }
    void bringUp(Control button) override
    {
        told.emplace_back(button == Control::cmdMer ? "up >" : "up <");
    }
};

enum class Event { PressMer, PressMindre, Release, Lose, Tick, Enable, Interval500, Interval0 };

struct Hold {
    const char* name;
    std::u16string codeBefore;
    std::vector<Event> events;
    std::vector<std::string> told;
    std::optional<Control> held;
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
    for (const Event event : row.events) {
        switch (event) {
        case Event::PressMer:
            press.pressed(Control::cmdMer);
            break;
        case Event::PressMindre:
            press.pressed(Control::cmdMindre);
            break;
        case Event::Release:
            press.released();
            break;
        case Event::Lose:
            press.pressLost();
            break;
        case Event::Tick:
            press.tick();
            break;
        case Event::Enable:
            press.setTimerEnabled(true);
            break;
        case Event::Interval500:
        case Event::Interval0:
            press.setInterval(event == Event::Interval500 ? 500 : 0);
            break;
        }
    }
    EXPECT_EQ(window.told, row.told);
    EXPECT_EQ(press.heldButton(), row.held);
    EXPECT_EQ(row.held && press.pressEnded(*row.held), row.ended);
    EXPECT_EQ(window.direction, row.direction);
    EXPECT_EQ(press.timerRunning(), row.running);
    EXPECT_TRUE(window.code == row.codeAfter);
}

using E = Event;
constexpr auto up = RepeatDirection::Up;
constexpr auto none = RepeatDirection::None;

INSTANTIATE_TEST_SUITE_P(
    Press, Holding,
    testing::Values(
        Hold{"PressStartsTheTimer",
             u"",
             {E::PressMer},
             {"start 500"},
             Control::cmdMer,
             false,
             up,
             true,
             u""},
        Hold{"TicksStepTheHeldWay",
             u"64",
             {E::PressMindre, E::Tick, E::Tick},
             {"start 500"},
             Control::cmdMindre,
             false,
             RepeatDirection::Down,
             true,
             u"62"},
        Hold{"ASecondPressKeepsTheCount",
             u"",
             {E::PressMer, E::PressMer},
             {"start 500"},
             Control::cmdMer,
             false,
             up,
             true,
             u""},
        Hold{"ReleaseStopsIt",
             u"",
             {E::PressMer, E::Release},
             {"start 500", "stop"},
             std::nullopt,
             false,
             none,
             false,
             u""},
        Hold{"ATickAfterTheStopIsNone",
             u"64",
             {E::PressMer, E::Release, E::Tick},
             {"start 500", "stop"},
             std::nullopt,
             false,
             none,
             false,
             u"64"},
        Hold{"ALostPressBringsTheButtonUpAndStops",
             u"",
             {E::PressMer, E::Lose, E::Lose},
             {"start 500", "up >", "stop"},
             Control::cmdMer,
             true,
             none,
             false,
             u""},
        Hold{"TheReleaseAfterALostPressEndsIt",
             u"",
             {E::PressMindre, E::Lose, E::Release},
             {"start 500", "up <", "stop"},
             std::nullopt,
             false,
             none,
             false,
             u""},
        Hold{"NothingHeldNothingLost", u"", {E::Lose}, {}, std::nullopt, false, none, false, u""},
        Hold{"AHaltLostKeepsTheDirection",
             u"129",
             {E::PressMer, E::Tick, E::Lose},
             {"start 500", "stop", "box", "up >"},
             Control::cmdMer,
             true,
             up,
             false,
             u"130"},
        Hold{"NoIntervalNoTimer", u"", {E::Enable}, {}, std::nullopt, false, none, false, u""},
        Hold{"IntervalZeroStopsIt",
             u"",
             {E::Enable, E::Interval500, E::Interval0},
             {"start 500", "stop"},
             std::nullopt,
             false,
             none,
             false,
             u""},
        Hold{"ATickWithoutDirectionOnlyStops",
             u"64",
             {E::Enable, E::Interval500, E::Tick},
             {"start 500", "stop"},
             std::nullopt,
             false,
             none,
             false,
             u"64"}),
    [](const testing::TestParamInfo<Hold>& info) { return std::string(info.param.name); });

} // namespace
