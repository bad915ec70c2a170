// The form both windows create their controls from: what must hold whatever the places are.
#include "form.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using kodvik::Control;
using kodvik::FormControl;

std::string nameOf(const FormControl& control)
{
    return {control.name.begin(), control.name.end()};
}

// Labels size themselves to their text; these are the places every control starts from.
TEST(Form, PlacesEveryControlInsideTheClientArea)
{
    for (const FormControl& control : kodvik::form) {
        const auto& [left, top, width, height] = control.place;
        EXPECT_TRUE(left >= 0 && top >= 0 && width > 0 && height > 0) << nameOf(control);
        EXPECT_LE(left + width, kodvik::clientWidth) << nameOf(control);
        EXPECT_LE(top + height, kodvik::clientHeight) << nameOf(control);
    }
}

TEST(Form, OverlapsNoTwoControls)
{
    for (const FormControl& one : kodvik::form) {
        for (const FormControl& other : kodvik::form) {
            const kodvik::Twips& a = one.place;
            const kodvik::Twips& b = other.place;
            const bool apart = a.left + a.width <= b.left || b.left + b.width <= a.left ||
                               a.top + a.height <= b.top || b.top + b.height <= a.top;
            EXPECT_TRUE(one.id == other.id || apart) << nameOf(one) << " and " << nameOf(other);
        }
    }
}

// The windows and their tests find each control by its name.
TEST(Form, NamesEachControlOnce)
{
    for (const FormControl& one : kodvik::form) {
        for (const FormControl& other : kodvik::form) {
            EXPECT_TRUE(one.id == other.id || one.name != other.name) << nameOf(one);
        }
    }
}

TEST(Form, TakesOneCharacterAndThreeDigits)
{
    EXPECT_EQ(kodvik::formControl(Control::txtTecken).maxLength, 1);
    EXPECT_EQ(kodvik::formControl(Control::txtAscii).maxLength, 3);
}

// The window as it was first drawn: 15 twips to a pixel at 96 DPI. Checked as the tests are built.
static_assert(kodvik::clientWidth == 2445 && kodvik::clientHeight == 2160);
static_assert(kodvik::pixels(kodvik::clientWidth) == 163);
static_assert(kodvik::pixels(kodvik::clientHeight) == 144);
static_assert(kodvik::title == u"Kodvik 1.01");

} // namespace
