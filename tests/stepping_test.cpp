// Stepping the code with "<" and ">", and the press-and-hold repeat that drives it.
#include "codelogic.h"
#include "memoryfields.h"
#include "portablenumbers.h"
#include "printing.h"
#include "windows1252.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using kodvik::RepeatDirection;

class Stepping : public testing::Test {
protected:
    MemoryFields fields;
    kodvik::PortableNumbers numbers{u'.'};
    kodvik::Windows1252 codePage;
    kodvik::CodeLogic logic{fields, numbers, codePage};
};

struct Step {
    std::u16string from;
    std::u16string to;
};

void PrintTo(const Step& step, std::ostream* out)
{
    printText(step.from, out);
    *out << " -> ";
    printText(step.to, out);
}

class StepUp : public Stepping, public testing::WithParamInterface<Step> {};
class StepDown : public Stepping, public testing::WithParamInterface<Step> {};

TEST_P(StepUp, GivesTheNextCode)
{
    fields.code = GetParam().from;
    logic.bladdrahoger();
    EXPECT_EQ(fields.code, GetParam().to);
}

TEST_P(StepDown, GivesThePreviousCode)
{
    fields.code = GetParam().from;
    logic.bladdravanster();
    EXPECT_EQ(fields.code, GetParam().to);
}

INSTANTIATE_TEST_SUITE_P(Wraps, StepUp,
                         testing::Values(Step{u"", u"0"}, Step{u"0", u"1"}, Step{u"64", u"65"},
                                         Step{u"254", u"255"}, Step{u"255", u"0"},
                                         Step{u"256", u"0"}, Step{u"300", u"0"}, Step{u"-1", u"0"},
                                         Step{u"-7", u"0"}, Step{u"9e9", u"0"},
                                         Step{u"-9e9", u"0"}));

INSTANTIATE_TEST_SUITE_P(RoundsFirst, StepUp,
                         testing::Values(Step{u" 7", u"8"}, Step{u"7.6", u"9"}, Step{u"+7", u"8"},
                                         Step{u"2.5", u"3"}, Step{u"254.4", u"255"},
                                         Step{u"254.5", u"255"}, Step{u"254.6", u"0"},
                                         Step{u"-0.4", u"1"}));

INSTANTIATE_TEST_SUITE_P(Wraps, StepDown,
                         testing::Values(Step{u"", u"255"}, Step{u"1", u"0"}, Step{u"0", u"255"},
                                         Step{u"66", u"65"}, Step{u"255", u"254"},
                                         Step{u"256", u"255"}, Step{u"257", u"255"},
                                         Step{u"-3", u"255"}, Step{u"9e9", u"255"},
                                         Step{u"-9e9", u"255"}));

INSTANTIATE_TEST_SUITE_P(RoundsFirst, StepDown,
                         testing::Values(Step{u" 7", u"6"}, Step{u"7.6", u"7"},
                                         Step{u"0.5", u"255"}, Step{u"1.5", u"1"},
                                         Step{u"256.5", u"255"}, Step{u"256.6", u"255"}));

TEST_F(Stepping, EndsInTheLookup)
{
    logic.bladdrahoger();
    EXPECT_EQ(fields.code, u"0");
    EXPECT_EQ(fields.note, u"Finns ej");

    fields.code.clear();
    logic.bladdravanster();
    EXPECT_EQ(fields.code, u"255");
    EXPECT_EQ(fields.character, u"\u00FF");
    EXPECT_EQ(fields.note, u"");
}

TEST_F(Stepping, TextThatIsNoNumberIsEmptiedWithoutALookup)
{
    for (const bool up : {true, false}) {
        fields.code = u"A";
        fields.character = u"x";
        fields.note = u"tab";
        fields.log.clear();
        up ? logic.bladdrahoger() : logic.bladdravanster();
        EXPECT_EQ(fields.log, std::vector<std::u16string>{u"code="});
        EXPECT_EQ(fields.character, u"x");
        EXPECT_EQ(fields.note, u"tab");
    }
}

TEST_F(Stepping, IntoAMessageBoxCodeStopsTheTimer)
{
    fields.code = u"129";
    fields.timerEnabled = true;
    logic.bladdrahoger();
    EXPECT_EQ(fields.code, u"130");
    EXPECT_EQ(fields.character, u"");
    EXPECT_FALSE(fields.timerEnabled);
    ASSERT_EQ(fields.messageBoxes.size(), 1U);
    EXPECT_EQ(fields.messageBoxes.front().text.substr(0, 33), u"Character for ASCII value 130 is ");
}

TEST_F(Stepping, PressStartsTheTimerBeforeSettingItsInterval)
{
    logic.startRepeat(RepeatDirection::Up);
    EXPECT_EQ(fields.log,
              (std::vector<std::u16string>{u"direction=up", u"timer=on", u"interval=500"}));
    fields.log.clear();
    logic.stopRepeat();
    EXPECT_EQ(fields.log, (std::vector<std::u16string>{u"direction=none", u"timer=off"}));
}

TEST_F(Stepping, TickStepsTheHeldWay)
{
    fields.code = u"64";
    logic.startRepeat(RepeatDirection::Up);
    logic.repeatTick();
    logic.repeatTick();
    EXPECT_EQ(fields.code, u"66");
    EXPECT_EQ(fields.character, u"B");

    logic.startRepeat(RepeatDirection::Down);
    logic.repeatTick();
    EXPECT_EQ(fields.code, u"65");
    EXPECT_TRUE(fields.timerEnabled);
}

TEST_F(Stepping, TickWithoutDirectionOnlyStopsTheTimer)
{
    fields.code = u"64";
    fields.timerEnabled = true;
    logic.repeatTick();
    EXPECT_EQ(fields.log, std::vector<std::u16string>{u"timer=off"});
    EXPECT_EQ(fields.code, u"64");
}

// Holding ">" from 128: 129 says "Finns ej", 130 halts on the message box with the direction
// kept, and a stray tick afterwards would step again, so only the disabled timer keeps it still.
TEST_F(Stepping, HoldingIntoAMessageBoxHalts)
{
    fields.code = u"128";
    logic.startRepeat(RepeatDirection::Up);
    logic.repeatTick();
    EXPECT_EQ(fields.code, u"129");
    EXPECT_EQ(fields.note, u"Finns ej");
    EXPECT_TRUE(fields.timerEnabled);
    logic.repeatTick();
    EXPECT_EQ(fields.code, u"130");
    EXPECT_FALSE(fields.timerEnabled);
    EXPECT_EQ(fields.direction, RepeatDirection::Up);
    EXPECT_EQ(fields.messageBoxes.size(), 1U);

    logic.stopRepeat();
    EXPECT_EQ(fields.direction, RepeatDirection::None);
    EXPECT_FALSE(fields.timerEnabled);
}

} // namespace
