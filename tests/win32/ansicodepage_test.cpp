// The ANSI code page through Windows' own conversions.
#include "ansicodepage.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace {

using kodvik::AnsiCodePage;

TEST(AnsiCodePage, TakesEveryByteOfWindows1252ThereAndBack)
{
    const AnsiCodePage codePage(1252);
    for (int code = 0; code <= 255; ++code) {
        const auto byte = static_cast<std::uint8_t>(code);
        const std::u16string character = codePage.characterOf(byte);
        ASSERT_EQ(character.size(), 1U) << code;
        EXPECT_EQ(codePage.codeOf(character), byte) << code;
    }
}

struct Character {
    unsigned int codePage;
    std::uint8_t code;
    std::u16string character;
};

class Characters : public testing::TestWithParam<Character> {};

TEST_P(Characters, AreThoseOfTheCodePage)
{
    const AnsiCodePage codePage(GetParam().codePage);
    EXPECT_EQ(codePage.characterOf(GetParam().code), GetParam().character);
    EXPECT_EQ(codePage.codeOf(GetParam().character), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(
    SingleByte, Characters,
    testing::Values(Character{1252, 65, u"A"}, Character{1252, 128, u"\u20AC"},
                    Character{1252, 130, u"\u201A"}, Character{1252, 159, u"\u0178"},
                    Character{1252, 160, u"\u00A0"}, Character{1252, 255, u"\u00FF"},
                    Character{1251, 192, u"\u0410"}, Character{1253, 193, u"\u0391"},
                    Character{1250, 138, u"\u0160"}));

struct Refusal {
    unsigned int codePage;
    std::u16string text;
};

class Refusals : public testing::TestWithParam<Refusal> {};

// The system would take most of these for a look-alike ("best fit"): "Ā" for "A", "∞" for "8".
TEST_P(Refusals, FindNoCodeForACharacterTheCodePageLacks)
{
    EXPECT_EQ(AnsiCodePage(GetParam().codePage).codeOf(GetParam().text), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(NoBestFit, Refusals,
                         testing::Values(Refusal{1252, u"\u0100"}, Refusal{1252, u"\u221E"},
                                         Refusal{1252, u"\u65E5"}, Refusal{1252, u"\u0410"},
                                         Refusal{1251, u"\u00E9"}, Refusal{1252, u"\U0001F600"},
                                         Refusal{1252, u"\xD800"}, Refusal{1252, u""}));

TEST(AnsiCodePage, ReadsOnlyTheFirstCharacter)
{
    const AnsiCodePage codePage(1252);
    EXPECT_EQ(codePage.codeOf(u"AB"), 65);
    // The default character is a character too, when it is really there.
    EXPECT_EQ(codePage.codeOf(u"?"), 63);
}

struct Fallback {
    unsigned int asked;
    unsigned int used;
};

class Fallbacks : public testing::TestWithParam<Fallback> {};

TEST_P(Fallbacks, UseWindows1252WhereTheCodePageIsNotSingleByte)
{
    EXPECT_EQ(AnsiCodePage(GetParam().asked).number(), GetParam().used);
}

INSTANTIATE_TEST_SUITE_P(ByCodePage, Fallbacks,
                         testing::Values(Fallback{1252, 1252}, Fallback{1251, 1251},
                                         Fallback{874, 874}, Fallback{932, 1252},
                                         Fallback{936, 1252}, Fallback{65001, 1252},
                                         Fallback{54936, 1252}, Fallback{4711, 1252}));

TEST(AnsiCodePage, IsTheSystemsOwnByDefault)
{
    CPINFO information{};
    ASSERT_TRUE(GetCPInfo(GetACP(), &information));
    const unsigned int expected = information.MaxCharSize == 1 ? GetACP() : 1252;
    EXPECT_EQ(AnsiCodePage().number(), expected);
}

} // namespace
