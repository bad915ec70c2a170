// What the code table holds: the lines, their bytes, and the words for a failure.
#include "codetable.h"
#include "scratchdirectory.h"
#include "windows1252.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <iconv.h>
#include <map>
#include <string>
#include <vector>

namespace {

using kodvik::TableEncoding;
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

// The system's own converter, so the check does not share the table's encoder.
std::string converted(const std::string& bytes, const char* from, const char* to)
{
    const iconv_t converter = iconv_open(to, from);
    // NOLINTNEXTLINE(performance-no-int-to-ptr): (iconv_t)-1 is how iconv_open fails.
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        ADD_FAILURE() << "no converter from " << from << " to " << to;
        return {};
    }
    std::string input = bytes;
    std::string output(bytes.size() * 4, '\0');
    char* in = input.data();
    char* out = output.data();
    std::size_t inLeft = input.size();
    std::size_t outLeft = output.size();
    if (iconv(converter, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1)) {
        ADD_FAILURE() << "not " << from << " at byte " << input.size() - inLeft << ", errno "
                      << errno;
    }
    iconv_close(converter);
    output.resize(output.size() - outLeft);
    return output;
}

TEST(TableContent, EqualsTheGoldenFile)
{
    EXPECT_EQ(kodvik::tableContent(kodvik::Windows1252{}, TableEncoding::SingleByte),
              goldenTable());
}

// A Linux viewer reads UTF-8: the same text as the single-byte table read as Windows-1252.
TEST(TableContent, InUtf8ReadsAsTheGoldenFileReadsInWindows1252)
{
    const std::string utf8 = kodvik::tableContent(kodvik::Windows1252{}, TableEncoding::Utf8);
    EXPECT_EQ(utf8, converted(goldenTable(), "WINDOWS-1252", "UTF-8"));
    EXPECT_EQ(converted(utf8, "UTF-8", "WINDOWS-1252"), goldenTable());
}

TEST(TableContent, HasExactly256LinesEachEndingInCrLf)
{
    for (const auto encoding : {TableEncoding::SingleByte, TableEncoding::Utf8}) {
        const std::string content = kodvik::tableContent(kodvik::Windows1252{}, encoding);
        const auto lines = linesOf(content);
        ASSERT_EQ(lines.size(), 256U);
        for (const auto& line : lines) {
            EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
        }
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
    const auto lines =
        linesOf(kodvik::tableContent(kodvik::Windows1252{}, TableEncoding::SingleByte));
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

std::string lineFor(const EditedCodePage& codePage, int code, TableEncoding encoding)
{
    const auto lines = linesOf(kodvik::tableContent(codePage, encoding));
    return lines.size() == 256 ? lines.at(code) : "(not 256 lines)";
}

TEST(TableContent, ClassesGoByCodeNumberWhateverTheCodePage)
{
    EditedCodePage codePage;
    codePage.characters = {
        {0, u"\u0416"}, {8, u"\u0416"}, {32, u"\u0416"}, {129, u"\u0416"}, {157, u"\u0416"}};
    for (const auto encoding : {TableEncoding::SingleByte, TableEncoding::Utf8}) {
        EXPECT_EQ(lineFor(codePage, 0, encoding), " 0 non");
        EXPECT_EQ(lineFor(codePage, 8, encoding), " 8 backspace");
        EXPECT_EQ(lineFor(codePage, 32, encoding), " 32 Space");
        EXPECT_EQ(lineFor(codePage, 129, encoding), " 129 non");
        EXPECT_EQ(lineFor(codePage, 157, encoding), " 157 non");
    }
}

// Single bytes are the code's own, whatever character the code page gives it or lacks; UTF-8
// carries the code page's character, beyond the BMP too, and never half a surrogate pair.
TEST(TableContent, SingleByteHoldsTheCodeItselfAndUtf8TheCharacter)
{
    EditedCodePage codePage;
    codePage.characters = {
        {66, u"\u0411"}, {200, u"\u4E00"}, {201, u"\U0001F600"}, {202, u"\xD800"}};
    codePage.codes = {{u"\u0411", 66}};
    EXPECT_EQ(lineFor(codePage, 66, TableEncoding::SingleByte), " 66   B");
    EXPECT_EQ(lineFor(codePage, 200, TableEncoding::SingleByte), " 200 \xC8");
    EXPECT_EQ(lineFor(codePage, 201, TableEncoding::SingleByte), " 201 \xC9");
    EXPECT_EQ(lineFor(codePage, 66, TableEncoding::Utf8), " 66   \xD0\x91");
    EXPECT_EQ(lineFor(codePage, 200, TableEncoding::Utf8), " 200 \xE4\xB8\x80");
    EXPECT_EQ(lineFor(codePage, 201, TableEncoding::Utf8), " 201 \xF0\x9F\x98\x80");
    EXPECT_EQ(lineFor(codePage, 202, TableEncoding::Utf8), " 202 \xEF\xBF\xBD");
}

TEST(TableContent, TrimsOnlySpaces)
{
    EditedCodePage codePage;
    codePage.characters = {{65, u"  A "}, {66, u"\u00A0B\u00A0"}, {67, u" "}};
    EXPECT_EQ(lineFor(codePage, 65, TableEncoding::Utf8), " 65   A");
    EXPECT_EQ(lineFor(codePage, 66, TableEncoding::Utf8), " 66   \xC2\xA0"
                                                          "B\xC2\xA0");
    EXPECT_EQ(lineFor(codePage, 67, TableEncoding::Utf8), " 67   ");
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
