// The form both windows create their controls from.
#include "form.h"

#include <gtest/gtest.h>
#include <iterator>

namespace {

using K = kodvik::ControlKind;

struct Row {
    std::u16string_view name;
    K kind;
    std::u16string_view caption;
    int left, top, width, height;
    int maxLength;
    bool centred;
    std::u16string_view spokenName;
};

TEST(Form, HoldsEachControlInTabOrder)
{
    const Row rows[] = {
        {u"txtTecken", K::Field, u"", 120, 360, 375, 375, 1, true, u"Character"},
        {u"txtAscii", K::Field, u"", 1320, 360, 615, 375, 3, false, u"ASCII"},
        {u"cmdTecken", K::Button, u"Character", 120, 840, 975, 375, 0, false, u""},
        {u"cmdAscii", K::Button, u"ASCII", 1320, 840, 975, 375, 0, false, u""},
        {u"lblVisa0", K::Label, u"ASCII", 1320, 120, 405, 195, 0, false, u""},
        {u"lblVisa1", K::Label, u"Character", 120, 120, 690, 195, 0, false, u""},
        {u"lblFinns", K::Label, u"", 120, 1320, 45, 195, 0, false, u""},
        {u"cmdMindre", K::Button, u"<", 1320, 1320, 375, 255, 0, false, u"Previous code"},
        {u"cmdMer", K::Button, u">", 1920, 1320, 375, 255, 0, false, u"Next code"},
        {u"cmdPrint", K::Button, u"Print", 1320, 1680, 975, 375, 0, false, u""},
    };
    ASSERT_EQ(std::size(rows), kodvik::form.size());
    for (std::size_t at = 0; at < kodvik::form.size(); ++at) {
        const auto& control = kodvik::form.at(at);
        const Row& row = rows[at];
        SCOPED_TRACE(at);
        EXPECT_EQ(static_cast<std::size_t>(control.id), at);
        EXPECT_TRUE(control.name == row.name);
        EXPECT_EQ(control.kind, row.kind);
        EXPECT_TRUE(control.caption == row.caption);
        EXPECT_EQ(control.place.left, row.left);
        EXPECT_EQ(control.place.top, row.top);
        EXPECT_EQ(control.place.width, row.width);
        EXPECT_EQ(control.place.height, row.height);
        EXPECT_EQ(control.maxLength, row.maxLength);
        EXPECT_EQ(control.centred, row.centred);
        EXPECT_TRUE(control.spokenName == row.spokenName);
    }
    // 15 twips to a pixel at 96 DPI.
    EXPECT_EQ(kodvik::pixels(kodvik::clientWidth), 163);
    EXPECT_EQ(kodvik::pixels(kodvik::clientHeight), 144);
    static_assert(kodvik::title == u"Kodvik 1.01");
}

} // namespace
