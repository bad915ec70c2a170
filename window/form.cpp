#include "form.h"

namespace kodvik {

namespace {
using enum Control;
using enum ControlKind;
} // namespace

const std::array<FormControl, controlCount> form{{
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

} // namespace kodvik
