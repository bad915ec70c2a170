// What the code table holds: the lines, their bytes, and the words for a failure.
#include "codetable.h"
#include "scratchdirectory.h"
#include "windows1252.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace {

using kodvik::TableFailure;

std::vector<std::string> linesOf(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(bytes.substr(start, end - start));
    }
    EXPECT_EQ(start, bytes.size()) << "bytes after the last CR LF";
    return lines;
}

TEST(TableContent, EqualsTheGoldenFile)
{
    EXPECT_EQ(kodvik::tableContent(kodvik::Windows1252{}), goldenTable());
}

TEST(TableContent, HasExactly256LinesEachEndingInCrLf)
{
    const std::string content = kodvik::tableContent(kodvik::Windows1252{});
    const auto lines = linesOf(content);
    ASSERT_EQ(lines.size(), 256U);
    for (const auto& line : lines) {
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
    }
}

struct Line {
    int code;
    std::string text;
};

void PrintTo(const Line& line, std::ostream* out)
{
    *out << line.code;
}

std::string lineName(const testing::TestParamInfo<Line>& info)
{
    return "Code" + std::to_string(info.param.code);
}

class TableLine : public testing::TestWithParam<Line> {};

TEST_P(TableLine, Reads)
{
    const auto lines = linesOf(kodvik::tableContent(kodvik::Windows1252{}));
    ASSERT_EQ(lines.size(), 256U);
    EXPECT_EQ(lines.at(GetParam().code), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(NamesWithoutSpacing, TableLine,
                         testing::Values(Line{8, " 8 backspace"}, Line{9, " 9 tab"},
                                         Line{10, " 10 linefeed"}, Line{13, " 13 carriage return"},
                                         Line{32, " 32 Space"}),
                         lineName);

INSTANTIATE_TEST_SUITE_P(NoCharacter, TableLine,
                         testing::Values(Line{0, " 0 non"}, Line{7, " 7 non"}, Line{11, " 11 non"},
                                         Line{31, " 31 non"}, Line{127, " 127 non"},
                                         Line{129, " 129 non"}, Line{141, " 141 non"},
                                         Line{143, " 143 non"}, Line{144, " 144 non"},
                                         Line{157, " 157 non"}),
                         lineName);

// Two spaces up to 99, none from 100 on; the message-box codes are plain characters here.
INSTANTIATE_TEST_SUITE_P(Characters, TableLine,
                         testing::Values(Line{33, " 33   !"}, Line{65, " 65   A"},
                                         Line{99, " 99   c"}, Line{100, " 100 d"},
                                         Line{126, " 126 ~"}, Line{128, " 128 \x80"},
                                         Line{130, " 130 \x82"}, Line{158, " 158 \x9E"},
                                         Line{160, " 160 \xA0"}, Line{170, " 170 \xAA"},
                                         Line{200, " 200 \xC8"}, Line{255, " 255 \xFF"}),
                         lineName);

// Windows-1252 everywhere, except for the characters a test gives.
class EditedCodePage final : public kodvik::CodePage {
public:
    std::map<std::uint8_t, std::u16string> characters;
    std::map<std::u16string, std::uint8_t> codes;

    [[nodiscard]] std::u16string characterOf(std::uint8_t code) const override
    {
        const auto found = characters.find(code);
        return found != characters.end() ? found->second : windows1252.characterOf(code);
    }
    [[nodiscard]] std::optional<std::uint8_t> codeOf(std::u16string_view text) const override
    {
        const auto found = codes.find(std::u16string(text));
        return found != codes.end() ? found->second : windows1252.codeOf(text);
    }

private:
    kodvik::Windows1252 windows1252;
};

std::string lineFor(const EditedCodePage& codePage, int code)
{
    const auto lines = linesOf(kodvik::tableContent(codePage));
    return lines.size() == 256 ? lines.at(code) : "(not 256 lines)";
}

TEST(TableContent, ClassesGoByCodeNumberWhateverTheCodePage)
{
    EditedCodePage codePage;
    codePage.characters = {
        {0, u"\u0416"}, {8, u"\u0416"}, {32, u"\u0416"}, {129, u"\u0416"}, {157, u"\u0416"}};
    EXPECT_EQ(lineFor(codePage, 0), " 0 non");
    EXPECT_EQ(lineFor(codePage, 8), " 8 backspace");
    EXPECT_EQ(lineFor(codePage, 32), " 32 Space");
    EXPECT_EQ(lineFor(codePage, 129), " 129 non");
    EXPECT_EQ(lineFor(codePage, 157), " 157 non");
}

// The byte is the code page's, not the character's number cut to eight bits nor its UTF-8.
TEST(TableContent, EncodesEachCharacterThroughTheCodePage)
{
    EditedCodePage codePage;
    codePage.characters = {{66, u"\u0411"}, {200, u"\u0416"}};
    codePage.codes = {{u"\u0411", 66}, {u"\u0416", 200}};
    EXPECT_EQ(lineFor(codePage, 66), " 66   B");
    EXPECT_EQ(lineFor(codePage, 200), " 200 \xC8");
}

TEST(TableContent, WritesAQuestionMarkForACharacterTheCodePageLacks)
{
    EditedCodePage codePage;
    codePage.characters = {{200, u"\u4E00"}, {201, u"\U0001F600"}};
    EXPECT_EQ(lineFor(codePage, 200), " 200 ?");
    EXPECT_EQ(lineFor(codePage, 201), " 201 ?") << "a surrogate pair is one character";
}

TEST(TableContent, TrimsOnlySpaces)
{
    EditedCodePage codePage;
    codePage.characters = {{65, u"  A "}, {66, u"\u00A0B\u00A0"}, {67, u" "}};
    EXPECT_EQ(lineFor(codePage, 65), " 65   A");
    EXPECT_EQ(lineFor(codePage, 66), " 66   \xA0"
                                     "B\xA0");
    EXPECT_EQ(lineFor(codePage, 67), " 67   ");
}

struct Wording {
    TableFailure failure;
    std::string text;
};

void PrintTo(const Wording& wording, std::ostream* out)
{
    *out << wording.text;
}

class FailureWording : public testing::TestWithParam<Wording> {};

TEST_P(FailureWording, Reads)
{
    EXPECT_EQ(kodvik::describe(GetParam().failure), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(BothStages, FailureWording,
                         testing::Values(Wording{{TableFailure::Stage::Write, "Is a directory"},
                                                 "Could not write ascii.txt: Is a directory"},
                                         Wording{{TableFailure::Stage::Viewer, "no opener"},
                                                 "Could not open ascii.txt in a viewer: no opener"},
                                         Wording{{TableFailure::Stage::Write, ""},
                                                 "Could not write ascii.txt"},
                                         Wording{{TableFailure::Stage::Viewer, ""},
                                                 "Could not open ascii.txt in a viewer"}));

} // namespace
