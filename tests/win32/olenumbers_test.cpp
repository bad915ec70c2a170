// Reading the code text with OLE Automation's conversions, under fixed locales.
#include "olenumbers.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <string>

namespace {

using kodvik::Code;

constexpr unsigned long englishUS = 0x0409;
constexpr unsigned long german = 0x0407;
constexpr Code maxCode = 32767;
constexpr Code minCode = -32768;

struct Reading {
    unsigned long locale;
    std::u16string text;
    bool numeric;
    Code code; // only checked when numeric
};

class OleReading : public testing::TestWithParam<Reading> {};

TEST_P(OleReading, FollowsTheSystem)
{
    const auto& [locale, text, numeric, code] = GetParam();
    const kodvik::OleNumbers numbers(locale);
    ASSERT_EQ(numbers.isNumeric(text), numeric);
    if (numeric) {
        EXPECT_EQ(numbers.toCode(text), code);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Plain, OleReading,
    testing::Values(Reading{englishUS, u"65", true, 65}, Reading{englishUS, u" 12 ", true, 12},
                    Reading{englishUS, u"-0", true, 0}, Reading{englishUS, u"+7", true, 7},
                    Reading{englishUS, u"-1", true, -1}, Reading{englishUS, u"255", true, 255},
                    Reading{englishUS, u"007", true, 7}));

INSTANTIATE_TEST_SUITE_P(
    RoundsHalfToEven, OleReading,
    testing::Values(Reading{englishUS, u"1.5", true, 2}, Reading{englishUS, u"2.5", true, 2},
                    Reading{englishUS, u"3.5", true, 4}, Reading{englishUS, u"0.5", true, 0},
                    Reading{englishUS, u"-2.5", true, -2}, Reading{englishUS, u"7.6", true, 8},
                    Reading{englishUS, u".5", true, 0}, Reading{englishUS, u"7.", true, 7},
                    Reading{englishUS, u"25e-1", true, 2}, Reading{german, u"2,5", true, 2},
                    Reading{german, u"3,5", true, 4}));

// DISP_E_OVERFLOW: the value saturates by its sign instead of failing.
INSTANTIATE_TEST_SUITE_P(Saturates, OleReading,
                         testing::Values(Reading{englishUS, u"32767", true, maxCode},
                                         Reading{englishUS, u"32768", true, maxCode},
                                         Reading{englishUS, u"-32768", true, minCode},
                                         Reading{englishUS, u"-32769", true, minCode},
                                         Reading{englishUS, u"9e9", true, maxCode},
                                         Reading{englishUS, u"-9e9", true, minCode},
                                         Reading{englishUS, u"1e999", true, maxCode},
                                         Reading{englishUS, u"-1e999", true, minCode},
                                         Reading{englishUS, u" -1e999", true, minCode},
                                         Reading{englishUS, u"(1e999)", true, minCode},
                                         Reading{englishUS, u"1e999-", true, minCode}));

// What OLE Automation reads beyond plain decimals, which the program takes as it comes.
INSTANTIATE_TEST_SUITE_P(SystemForms, OleReading,
                         testing::Values(Reading{englishUS, u"&H41", true, 65},
                                         Reading{englishUS, u"(5)", true, -5},
                                         Reading{englishUS, u"1,000", true, 1000}));

INSTANTIATE_TEST_SUITE_P(
    NotNumeric, OleReading,
    testing::Values(Reading{englishUS, u"", false, 0}, Reading{englishUS, u" ", false, 0},
                    Reading{englishUS, u"abc", false, 0}, Reading{englishUS, u"1a", false, 0},
                    Reading{englishUS, u"-", false, 0}, Reading{englishUS, u".", false, 0},
                    Reading{englishUS, u"1e", false, 0}, Reading{englishUS, u"e5", false, 0}));

TEST(OleNumbers, ReadsUnderTheUsersLocaleByDefault)
{
    const kodvik::OleNumbers numbers;
    EXPECT_TRUE(numbers.isNumeric(u"65"));
    EXPECT_EQ(numbers.toCode(u"65"), 65);
    EXPECT_FALSE(numbers.isNumeric(u"A"));
}

} // namespace
