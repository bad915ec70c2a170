// The lookup of a code's character (`tecken`) and of a character's code, on fields in memory.
#include "codelogic.h"
#include "memoryfields.h"
#include "portablenumbers.h"
#include "printing.h"
#include "text.h"
#include "windows1252.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

class Lookup : public testing::Test {
protected:
    MemoryFields fields;
    kodvik::PortableNumbers numbers{u'.'};
    kodvik::Windows1252 codePage;
    kodvik::CodeLogic logic{fields, numbers, codePage};

    // Fields as the user left them, with a log that starts empty.
    void typed(std::u16string code, std::u16string character = {})
    {
        fields.code = std::move(code);
        fields.character = std::move(character);
        fields.note = u"old note";
        fields.log.clear();
    }
};

// What the lookup shows for each code 0 to 255, written out range by range as the window's
// table has it, independently of how the program classifies.
enum class Shows { Character, Note, MessageBox };
struct Expected {
    Shows shows;
    std::u16string note;
};

Expected expectedFor(int code)
{
    switch (code) {
    case 8:
        return {Shows::Note, u"backspace"};
    case 9:
        return {Shows::Note, u"tab"};
    case 10:
        return {Shows::Note, u"linefeed"};
    case 13:
        return {Shows::Note, u"carriage return"};
    case 32:
        return {Shows::Note, u"Space"};
    case 127:
    case 129:
    case 141:
    case 143:
    case 144:
    case 157:
        return {Shows::Note, u"Finns ej"};
    default:
        break;
    }
    if (code < 32) {
        return {Shows::Note, u"Finns ej"};
    }
    const bool messageBox = (code >= 130 && code <= 140) || code == 142 ||
                            (code >= 147 && code <= 156) || code == 158 || code == 159 ||
                            code == 170;
    return {messageBox ? Shows::MessageBox : Shows::Character, {}};
}

class EveryCode : public Lookup, public testing::WithParamInterface<int> {};

TEST_P(EveryCode, ShowsItsClass)
{
    const int code = GetParam();
    const auto [shows, note] = expectedFor(code);
    const std::u16string codeText = kodvik::decimal(code);
    typed(codeText, u"x");
    fields.timerEnabled = true;

    logic.tecken();

    EXPECT_EQ(fields.code, codeText) << "a successful lookup never rewrites the code";
    EXPECT_EQ(fields.note, note);
    EXPECT_EQ(fields.character, shows == Shows::Character
                                    ? codePage.characterOf(static_cast<std::uint8_t>(code))
                                    : u"");
    EXPECT_EQ(fields.timerEnabled, shows != Shows::MessageBox);
    ASSERT_EQ(fields.messageBoxes.size(), shows == Shows::MessageBox ? 1U : 0U);
    if (shows == Shows::MessageBox) {
        const auto& box = fields.messageBoxes.front();
        EXPECT_EQ(box.title, u"ASCII <-> Character");
        EXPECT_EQ(box.text, u"Character for ASCII value " + codeText + u" is \n\n" +
                                std::u16string(20, u' ') +
                                codePage.characterOf(static_cast<std::uint8_t>(code)));
        EXPECT_FALSE(box.timerEnabledWhenShown);
        EXPECT_EQ(box.characterWhenShown, u"");
    }
}

std::string codeName(const testing::TestParamInfo<int>& info)
{
    // "65 -> A" in the characters a test name allows: Code65_A, Code10_linefeed.
    const int code = info.param;
    const auto [shows, note] = expectedFor(code);
    std::string name = "Code" + std::to_string(code) + "_";
    if (shows == Shows::MessageBox) {
        return name + "MessageBox";
    }
    if (shows == Shows::Note) {
        for (const char16_t c : note) {
            name += std::isalnum(c) != 0 ? static_cast<char>(c) : '_';
        }
        return name;
    }
    if (code < 128 && std::isalnum(code) != 0) {
        return name + static_cast<char>(code);
    }
    return name + "Shown";
}

INSTANTIATE_TEST_SUITE_P(Tecken, EveryCode, testing::Range(0, 256), codeName);

struct OutOfRange {
    std::u16string code;
    std::u16string note;
};

void PrintTo(const OutOfRange& row, std::ostream* out)
{
    printText(row.code, out);
}

class OutOfRangeCode : public Lookup, public testing::WithParamInterface<OutOfRange> {};

TEST_P(OutOfRangeCode, EmptiesBothFieldsAndSaysWhy)
{
    typed(GetParam().code, u"A");
    logic.tecken();
    const std::vector<std::u16string> order{u"note=", u"code=", u"character=",
                                            u"note=" + GetParam().note};
    EXPECT_EQ(fields.log, order);
}

INSTANTIATE_TEST_SUITE_P(Tecken, OutOfRangeCode,
                         testing::Values(OutOfRange{u"256", u"Finns ej (> 255)"},
                                         OutOfRange{u"999", u"Finns ej (> 255)"},
                                         OutOfRange{u"9e9", u"Finns ej (> 255)"},
                                         OutOfRange{u"-1", u"Finns ej (< 0)"},
                                         OutOfRange{u"-99", u"Finns ej (< 0)"},
                                         OutOfRange{u"-9e9", u"Finns ej (< 0)"},
                                         OutOfRange{u"255.5", u"Finns ej (> 255)"}));

TEST_F(Lookup, EmptyCodeOnlyEmptiesTheNote)
{
    typed(u"", u"A");
    logic.tecken();
    EXPECT_EQ(fields.log, std::vector<std::u16string>{u"note="});
    EXPECT_EQ(fields.character, u"A");
}

TEST_F(Lookup, TextThatIsNoNumberIsEmptied)
{
    for (const auto* text : {u"abc", u"1a", u"-", u"0x4"}) {
        typed(text, u"A");
        logic.tecken();
        EXPECT_EQ(fields.log, (std::vector<std::u16string>{u"note=", u"code="}));
        EXPECT_EQ(fields.character, u"A");
    }
}

TEST_F(Lookup, KeepsTheCodeAsTyped)
{
    for (const auto* text : {u" 65", u"+65", u"065", u"65."}) {
        typed(text);
        logic.tecken();
        EXPECT_EQ(fields.code, text);
        EXPECT_EQ(fields.character, u"A");
        EXPECT_EQ(fields.note, u"");
    }
}

TEST_F(Lookup, RoundsAFractionHalfToEven)
{
    typed(u"2.5", u"A");
    logic.tecken();
    EXPECT_EQ(fields.note, u"Finns ej");
    EXPECT_EQ(fields.character, u"");

    typed(u"65.5");
    logic.tecken();
    EXPECT_EQ(fields.character, u"B");
}

TEST_F(Lookup, ReadsTheUsersDecimalSeparator)
{
    const kodvik::PortableNumbers commaNumbers{u','};
    kodvik::CodeLogic commaLogic{fields, commaNumbers, codePage};
    typed(u"9,6");
    commaLogic.tecken();
    EXPECT_EQ(fields.note, u"linefeed");
    typed(u"9.6");
    commaLogic.tecken();
    EXPECT_EQ(fields.code, u"");
}

TEST_F(Lookup, NamedCodeWritesTheCharacterFirstThenTheNoteThenEmptiesIt)
{
    typed(u"13");
    logic.tecken();
    EXPECT_EQ(fields.log, (std::vector<std::u16string>{u"note=", u"character=\r",
                                                       u"note=carriage return", u"character="}));
}

TEST_F(Lookup, MessageBoxCodeStopsTheTimerBeforeTheBoxAndKeepsTheDirection)
{
    typed(u"130");
    fields.timerEnabled = true;
    fields.interval = 500;
    fields.direction = kodvik::RepeatDirection::Up;
    logic.tecken();
    EXPECT_EQ(fields.log,
              (std::vector<std::u16string>{u"note=", u"character=\u201A", u"character=",
                                           u"timer=off", u"messagebox=ASCII <-> Character"}));
    EXPECT_EQ(fields.direction, kodvik::RepeatDirection::Up);
    EXPECT_EQ(fields.interval, 500);
}

struct Reverse {
    std::u16string character;
    std::u16string code;
    std::u16string characterAfter;
    std::u16string note;
};

void PrintTo(const Reverse& row, std::ostream* out)
{
    printText(row.character, out);
    *out << " -> ";
    printText(row.code, out);
}

class ReverseLookup : public Lookup, public testing::WithParamInterface<Reverse> {};

TEST_P(ReverseLookup, WritesTheCode)
{
    const auto& row = GetParam();
    typed(u"old", row.character);
    logic.reverseLookup();
    EXPECT_EQ(fields.code, row.code);
    EXPECT_EQ(fields.character, row.characterAfter);
    EXPECT_EQ(fields.note, row.note);
    EXPECT_EQ(fields.log.front(), u"note=") << "the note is emptied before anything else";
    EXPECT_TRUE(fields.messageBoxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Ascii, ReverseLookup,
    testing::Values(
        Reverse{u"A", u"65", u"A", u""}, Reverse{u" ", u"32", u"", u"Space"},
        Reverse{u"\u00A0", u"160", u"\u00A0", u""}, Reverse{u"\u20AC", u"128", u"\u20AC", u""},
        // Only the space is named: a tab, a control or a message-box character stays put.
        Reverse{u"\t", u"9", u"\t", u""}, Reverse{u"\u201A", u"130", u"\u201A", u""},
        Reverse{u"\u0081", u"129", u"\u0081", u""}, Reverse{u"\0"s, u"0", u"\0"s, u""},
        Reverse{u"\u00FF", u"255", u"\u00FF", u""},
        // Characters the code page lacks have no code.
        Reverse{u"\u0101", u"", u"\u0101", u"Finns ej"},
        Reverse{u"\U0001F600", u"", u"\U0001F600", u"Finns ej"},
        Reverse{u"\xD800", u"", u"\xD800", u"Finns ej"}));

TEST_F(Lookup, ReverseLookupOfAnEmptyCharacterOnlyEmptiesTheNote)
{
    typed(u"65", u"");
    logic.reverseLookup();
    EXPECT_EQ(fields.log, std::vector<std::u16string>{u"note="});
    EXPECT_EQ(fields.code, u"65");
}

} // namespace
