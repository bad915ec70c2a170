#pragma once

// The form of frmAscii as no toolkit sees it: each control's name, kind, caption, place and limit,
// in tab order, the client area around them, the fields' face and the frame. Each window creates
// its controls by walking `form`, so a place or a caption is written here once.

#include "title.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace kodvik {

// The controls, in tab order; the values index `form`.
enum class Control {
    txtTecken, // "character"
    txtAscii,
    cmdTecken,
    cmdAscii,
    lblVisa0,  // "show": heads the code column
    lblVisa1,  // heads the character column
    lblFinns,  // the note: "exists"
    cmdMindre, // "<", "less"
    cmdMer,    // ">", "more"
    cmdPrint,
};

// A field is a single-line text field with the fields' bold face; a label sizes itself to its
// text and takes no focus.
enum class ControlKind { Field, Button, Label };

// Twips from the client area's top-left corner: 1440 to the inch, as the window was first drawn.
struct Twips {
    int left;
    int top;
    int width;
    int height;
};

struct FormControl {
    Control id;
    std::u16string_view name;
    ControlKind kind;
    std::u16string_view caption;
    Twips place;
    int maxLength;                  // in UTF-16 units; 0 for none
    bool centred;                   // a field's text alignment; otherwise left
    std::u16string_view spokenName; // for screen readers, where the caption says too little
};

// One row for each control, the last one included.
inline constexpr std::size_t controlCount = static_cast<std::size_t>(Control::cmdPrint) + 1;

inline constexpr std::array<FormControl, controlCount> form = [] {
    using enum Control;
    using enum ControlKind;
    return std::array<FormControl, controlCount>{{
        {txtTecken, u"txtTecken", Field, u"", {120, 360, 375, 375}, 1, true, u"Character"},
        {txtAscii, u"txtAscii", Field, u"", {1320, 360, 615, 375}, 3, false, u"ASCII"},
        {cmdTecken, u"cmdTecken", Button, u"Character", {120, 840, 975, 375}, 0, false, u""},
        {cmdAscii, u"cmdAscii", Button, u"ASCII", {1320, 840, 975, 375}, 0, false, u""},
        {lblVisa0, u"lblVisa0", Label, u"ASCII", {1320, 120, 405, 195}, 0, false, u""},
        {lblVisa1, u"lblVisa1", Label, u"Character", {120, 120, 690, 195}, 0, false, u""},
        {lblFinns, u"lblFinns", Label, u"", {120, 1320, 45, 195}, 0, false, u""},
        {cmdMindre, u"cmdMindre", Button, u"<", {1320, 1320, 375, 255}, 0, false, u"Previous code"},
        {cmdMer, u"cmdMer", Button, u">", {1920, 1320, 375, 255}, 0, false, u"Next code"},
        {cmdPrint, u"cmdPrint", Button, u"Print", {1320, 1680, 975, 375}, 0, false, u""},
    }};
}();

[[nodiscard]] constexpr const FormControl& formControl(Control id)
{
    return form.at(static_cast<std::size_t>(id));
}

// A row left out would leave a zeroed row at the end, a second txtTecken: each row must stand at
// its control's place.
[[nodiscard]] constexpr bool eachRowStandsAtItsPlace()
{
    for (std::size_t at = 0; at < form.size(); ++at) {
        if (static_cast<std::size_t>(form.at(at).id) != at || form.at(at).name.empty()) {
            return false;
        }
    }
    return true;
}
static_assert(eachRowStandsAtItsPlace(),
              "each row of the form stands at its control's place in Control");

inline constexpr int clientWidth = 2445; // twips
inline constexpr int clientHeight = 2160;

// Twips to pixels at a DPI, rounded to the nearest; at 96 DPI 15 twips make a pixel.
[[nodiscard]] constexpr int pixels(int twips, int dpi = 96)
{
    return (twips * dpi + 720) / 1440;
}

// The two fields' face, bigger and bolder than the window's; each window picks the family.
struct Face {
    int points;
    bool bold;
};
inline constexpr Face fieldFace{.points = 12, .bold = true};

// Points to pixels at a DPI, rounded to the nearest: 72 points to the inch.
[[nodiscard]] constexpr int pointPixels(int points, int dpi = 96)
{
    return (points * dpi + 36) / 72;
}

// The frame: a title bar with the system menu and close, around a fixed border. The layout does not
// grow with the window, so there is nothing to maximise.
struct Frame {
    bool minimiseBox;
    bool maximiseBox;
};
inline constexpr Frame frame{.minimiseBox = true, .maximiseBox = false};

} // namespace kodvik
