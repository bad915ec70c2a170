// What screen readers hear after each operation and hold, on fields in memory, with the toolkit's
// events (the click after a release over the button, the call back) in the windows' order.
#include "click.h"
#include "memoryfields.h"
#include "portablenumbers.h"
#include "press.h"
#include "spoken.h"
#include "windows1252.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

using kodvik::Control;

enum class How { Click, HeldReleasedOver, HeldReleasedElsewhere }; // held for two ticks
enum class Platform { Queues, Replaces };

struct Row {
    std::u16string code, character, note; // before
    Control button;
    How how;
    Platform platform;
    std::vector<std::u16string> heard;
};

void PrintTo(const Row& row, std::ostream* out)
{
    *out << std::string(row.code.begin(), row.code.end()) << " " << static_cast<int>(row.button)
         << " " << static_cast<int>(row.how) << " " << static_cast<int>(row.platform);
}

class Heard : public testing::TestWithParam<Row>, kodvik::Voice, kodvik::PressToolkit {
protected:
    void say(std::u16string_view utterance) override { heard.emplace_back(utterance); }
    void hush() override {}
    bool startRepeatTimer(int /*milliseconds*/) override { return true; }
    void stopRepeatTimer() override {}
    void bringUp(Control /*button*/) override {}

    // The window's repeat timer is the press and hold's.
    void tick()
    {
        press.setTimerEnabled(fields.timerEnabled);
        press.setInterval(fields.interval);
        press.tick();
    }
    void click(Control button)
    {
        kodvik::click(button, logic, spoken, [] {});
    }

    MemoryFields fields;
    kodvik::PortableNumbers numbers{u'.'};
    kodvik::Windows1252 codePage;
    kodvik::Spoken::RunLater later = [this](auto call) { afterEvent = std::move(call); };
    kodvik::Spoken spoken{fields, *this, GetParam().platform == Platform::Queues ? later : nullptr};
    kodvik::CodeLogic logic{spoken, numbers, codePage};
    kodvik::PressAndHold press{logic, spoken, *this};
    std::vector<std::u16string> heard;
    std::function<void()> afterEvent = [] {}; // what the toolkit runs once the event is done
};

TEST_P(Heard, EachAnswerOnce)
{
    const Row& row = GetParam();
    spoken.setCodeText(row.code);
    spoken.setCharacterText(row.character);
    spoken.setNoteText(row.note);
    if (row.how == How::Click) {
        click(row.button);
    } else {
        press.pressed(row.button);
        tick();
        tick();
        press.released();
        if (row.how == How::HeldReleasedOver) {
            click(row.button);
        }
    }
    std::exchange(afterEvent, [] {})();
    // A press let go elsewhere before a tick steps nothing, and says nothing of before.
    press.pressed(Control::cmdMer);
    press.released();
    std::exchange(afterEvent, [] {})();
    EXPECT_EQ(heard, row.heard);
}

using enum Control;
using enum How;
using enum Platform;

INSTANTIATE_TEST_SUITE_P(
    Operations, Heard,
    testing::Values(
        Row{u"65", u"", u"", cmdTecken, Click, Queues, {u"65 A"}},
        Row{u"32", u"x", u"", cmdTecken, Click, Queues, {u"32 Space"}},
        Row{u"0", u"", u"", cmdTecken, Click, Queues, {u"0 Finns ej"}},
        Row{u"256", u"x", u"", cmdTecken, Click, Queues, {u"Finns ej (> 255)"}},
        // The same note as before is the answer all the same.
        Row{u"5", u"", u"Finns ej", cmdTecken, Click, Queues, {u"5 Finns ej"}},
        Row{u"", u"A", u"", cmdAscii, Click, Queues, {u"65 A"}},
        // Nothing to look up, or no number: the field read is named.
        Row{u"ab", u"x", u"", cmdTecken, Click, Queues, {u"ASCII empty"}},
        Row{u"ab", u"x", u"Space", cmdMer, Click, Queues, {u"ASCII empty"}},
        Row{u"", u"", u"Space", cmdAscii, Click, Queues, {u"Character empty"}},
        // The box is spoken already; Print shows nothing in the window.
        Row{u"129", u"", u"", cmdMer, Click, Queues, {}},
        Row{u"65", u"", u"", cmdPrint, Click, Queues, {}},
        // A hold: the answer it reached, once; step by step where a newer one replaces an older.
        Row{u"64", u"", u"", cmdMer, HeldReleasedOver, Queues, {u"67 C"}},
        Row{u"64", u"", u"", cmdMer, HeldReleasedElsewhere, Queues, {u"66 B"}},
        Row{u"64", u"", u"", cmdMindre, HeldReleasedOver, Replaces, {u"63 ?", u"62 >", u"61 ="}},
        Row{u"64", u"", u"", cmdMer, HeldReleasedElsewhere, Replaces, {u"65 A", u"66 B"}},
        Row{u"128", u"", u"", cmdMer, HeldReleasedElsewhere, Queues, {}},
        Row{u"128", u"", u"", cmdMer, HeldReleasedElsewhere, Replaces, {u"129 Finns ej"}}));

} // namespace
