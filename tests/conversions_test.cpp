// The conversions between texts, numbers and characters that the lookups build on.
#include "portablenumbers.h"
#include "printing.h"
#include "text.h"
#include "windows1252.h"

#include <gtest/gtest.h>
#include <string>

using kodvik::Code;
using namespace std::string_literals;

namespace {

struct Reading {
    std::u16string text;
    char16_t separator;
    bool numeric;
    Code code; // only checked when numeric
};

void PrintTo(const Reading& reading, std::ostream* out)
{
    printText(reading.text, out);
    *out << " with '" << static_cast<char>(reading.separator) << "'";
}

class NumberReading : public testing::TestWithParam<Reading> {};

TEST_P(NumberReading, FollowsTheGrammar)
{
    const auto& [text, separator, numeric, code] = GetParam();
    const kodvik::PortableNumbers numbers(separator);
    ASSERT_EQ(numbers.isNumeric(text), numeric);
    if (numeric) {
        EXPECT_EQ(numbers.toCode(text), code);
    }
}

constexpr Code maxCode = 32767;
constexpr Code minCode = -32768;

INSTANTIATE_TEST_SUITE_P(
    Plain, NumberReading,
    testing::Values(Reading{u"65", u'.', true, 65}, Reading{u" 12 ", u'.', true, 12},
                    Reading{u"   7", u'.', true, 7}, Reading{u"-0", u'.', true, 0},
                    Reading{u"+7", u'.', true, 7}, Reading{u"-1", u'.', true, -1},
                    Reading{u"007", u'.', true, 7}, Reading{u"255", u'.', true, 255}));

INSTANTIATE_TEST_SUITE_P(
    RoundsHalfToEven, NumberReading,
    testing::Values(Reading{u"1.5", u'.', true, 2}, Reading{u"2.5", u'.', true, 2},
                    Reading{u"3.5", u'.', true, 4}, Reading{u"0.5", u'.', true, 0},
                    Reading{u"-0.5", u'.', true, 0}, Reading{u"-1.5", u'.', true, -2},
                    Reading{u"7.6", u'.', true, 8}, Reading{u"2.51", u'.', true, 3},
                    Reading{u"7.", u'.', true, 7}, Reading{u".5", u'.', true, 0},
                    Reading{u"2,5", u',', true, 2}, Reading{u",6", u',', true, 1}));

INSTANTIATE_TEST_SUITE_P(
    Exponents, NumberReading,
    testing::Values(Reading{u"1e2", u'.', true, 100}, Reading{u"1E2", u'.', true, 100},
                    Reading{u"25e-1", u'.', true, 2}, Reading{u"1e+2", u'.', true, 100},
                    Reading{u"5e-1", u'.', true, 0}, Reading{u"1.5e1", u'.', true, 15}));

// A text a hair away from a half is no half: read through a double it would collapse onto one
// and round the wrong way.
INSTANTIATE_TEST_SUITE_P(
    RoundsTheExactValue, NumberReading,
    testing::Values(Reading{u".5000000000000000000000000001", u'.', true, 1},
                    Reading{u"0.50000000000000001", u'.', true, 1},
                    Reading{u"2.5000000000000001", u'.', true, 3},
                    Reading{u"3.4999999999999999999", u'.', true, 3},
                    Reading{u"-2.5000000000000001", u'.', true, -3},
                    Reading{u"32766.50000000000000001", u'.', true, maxCode},
                    Reading{u"2.500000000000000000000", u'.', true, 2},
                    Reading{u"25000000000000000000001e-22", u'.', true, 3},
                    Reading{u"0.0000000000000000000000000000000000000006e40", u'.', true, 6},
                    Reading{u"1234500e-3", u'.', true, 1234}, Reading{u"0.00e5", u'.', true, 0},
                    Reading{u"000120e-1", u'.', true, 12}));

// Beyond 16 bits the code saturates instead of failing, so the lookup and the steps treat it
// as any other code out of range.
INSTANTIATE_TEST_SUITE_P(
    Saturates, NumberReading,
    testing::Values(
        Reading{u"9e9", u'.', true, maxCode}, Reading{u"-9e9", u'.', true, minCode},
        Reading{u"32767", u'.', true, maxCode}, Reading{u"32768", u'.', true, maxCode},
        Reading{u"-32768", u'.', true, minCode}, Reading{u"-32769", u'.', true, minCode},
        Reading{u"32767.5", u'.', true, maxCode}, Reading{u"1e999", u'.', true, maxCode},
        Reading{u"-1e99999999999999999999", u'.', true, minCode},
        Reading{u"0.001e999", u'.', true, maxCode}, Reading{u"1e-999", u'.', true, 0},
        Reading{u"-1e-999", u'.', true, 0}, Reading{u"1000e-99999999999999999999", u'.', true, 0},
        Reading{u"0e99999", u'.', true, 0}));

INSTANTIATE_TEST_SUITE_P(
    NotNumeric, NumberReading,
    testing::Values(Reading{u"", u'.', false, 0}, Reading{u" ", u'.', false, 0},
                    Reading{u"abc", u'.', false, 0}, Reading{u"1a", u'.', false, 0},
                    Reading{u"-", u'.', false, 0}, Reading{u"+", u'.', false, 0},
                    Reading{u".", u'.', false, 0}, Reading{u"1e", u'.', false, 0},
                    Reading{u"e5", u'.', false, 0}, Reading{u"1e+", u'.', false, 0},
                    Reading{u"1 2", u'.', false, 0}, Reading{u"+-1", u'.', false, 0},
                    Reading{u"1-", u'.', false, 0}, Reading{u"(1)", u'.', false, 0},
                    Reading{u"0x41", u'.', false, 0}, Reading{u"inf", u'.', false, 0},
                    Reading{u"nan", u'.', false, 0}, Reading{u"1.2.3", u'.', false, 0},
                    Reading{u"1,5", u'.', false, 0}, Reading{u"1.5", u',', false, 0},
                    Reading{u"1,000", u'.', false, 0}, Reading{u"$5", u'.', false, 0},
                    Reading{u"\u00A012", u'.', false, 0}, Reading{u"\t12", u'.', false, 0},
                    Reading{u"\u0661", u'.', false, 0}, Reading{u"\uFF11", u'.', false, 0},
                    Reading{u"1e2.5", u'.', false, 0}, Reading{u"1\0"s, u'.', false, 0}));

TEST(Decimal, IsTheShortestForm)
{
    EXPECT_EQ(kodvik::decimal(0), u"0");
    EXPECT_EQ(kodvik::decimal(255), u"255");
    EXPECT_EQ(kodvik::decimal(-1), u"-1");
    EXPECT_EQ(kodvik::decimal(-32768), u"-32768");
}

TEST(Trim, RemovesOnlyPlainSpaces)
{
    EXPECT_EQ(kodvik::trim(u" "), u"");
    EXPECT_EQ(kodvik::trim(u""), u"");
    EXPECT_EQ(kodvik::trim(u"  a b  "), u"a b");
    EXPECT_EQ(kodvik::trim(u"\u00A0"), u"\u00A0");
    EXPECT_EQ(kodvik::trim(u"\t x\t"), u"\t x\t");
}

TEST(Windows1252, EveryByteRoundTrips)
{
    const kodvik::Windows1252 codePage;
    for (int code = 0; code <= 255; ++code) {
        const auto byte = static_cast<std::uint8_t>(code);
        const std::u16string character = codePage.characterOf(byte);
        ASSERT_EQ(character.size(), 1U) << code;
        EXPECT_EQ(codePage.codeOf(character), byte) << code;
    }
}

TEST(Windows1252, MapsTheHighBytesToTheirCharacters)
{
    const kodvik::Windows1252 codePage;
    const struct {
        std::uint8_t code;
        char16_t character;
    } rows[] = {{65, u'A'},       {128, u'\u20AC'}, {129, u'\u0081'}, {130, u'\u201A'},
                {141, u'\u008D'}, {143, u'\u008F'}, {144, u'\u0090'}, {145, u'\u2018'},
                {146, u'\u2019'}, {157, u'\u009D'}, {159, u'\u0178'}, {160, u'\u00A0'},
                {255, u'\u00FF'}, {0, u'\0'}};
    for (const auto& row : rows) {
        EXPECT_EQ(codePage.characterOf(row.code), std::u16string(1, row.character)) << +row.code;
    }
}

TEST(Windows1252, HasNoCodeForForeignCharacters)
{
    const kodvik::Windows1252 codePage;
    for (const std::u16string_view text :
         {u"\u0101", u"\u0080", u"\u0085", u"\u009F", u"\u0100", u"\u20AD", u"\uFFFF",
          u"\U0001F600", u"\xD800", u"\xDC00", u""}) {
        EXPECT_FALSE(codePage.codeOf(text).has_value());
    }
    EXPECT_EQ(codePage.codeOf(u"Ab"), 65) << "only the first character counts";
}

} // namespace
