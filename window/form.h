#pragma once

// The form of frmAscii as no toolkit sees it: each control's name, kind, caption, place and limit,
// in tab order, and the client area around them. Each window creates its controls by walking
// `form`, so a place or a caption is written here once.

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

inline constexpr std::size_t controlCount = 10;
extern const std::array<FormControl, controlCount> form;

inline constexpr int clientWidth = 2445; // twips
inline constexpr int clientHeight = 2160;

// Twips to pixels at a DPI, rounded to the nearest; at 96 DPI 15 twips make a pixel.
[[nodiscard]] constexpr int pixels(int twips, int dpi = 96)
{
    return (twips * dpi + 720) / 1440;
}

} // namespace kodvik
