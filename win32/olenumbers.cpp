#include "olenumbers.h"

#include "wintext.h"

#include <windows.h>

#include <limits>
#include <oleauto.h>
#include <string>

namespace kodvik {

namespace {

// Whether the system reads the text as a negative number; for a text too large even for a
// double, whose value is then not to be had. Its own parser, so "(1e999)" and "1e999-" count as
// negative just as "-1e999" does.
bool readsNegative(std::wstring& text, LCID locale)
{
    NUMPARSE parse{};
    BYTE digits[32]{};
    parse.cDig = sizeof digits;
    parse.dwInFlags = NUMPRS_STD;
    if (FAILED(VarParseNumFromStr(text.data(), locale, 0, &parse, digits))) {
        return false;
    }
    return (parse.dwOutFlags & NUMPRS_NEG) != 0;
}

} // namespace

OleNumbers::OleNumbers() : OleNumbers(LOCALE_USER_DEFAULT) {}

OleNumbers::OleNumbers(unsigned long locale) : locale(locale) {}

bool OleNumbers::isNumeric(std::u16string_view text) const
{
    // The conversions want a terminated, writable string: MinGW declares them without const.
    std::wstring wide = toWide(text);
    double value = 0.0;
    const HRESULT result = VarR8FromStr(wide.data(), locale, 0, &value);
    // A number too large for a double is still a number.
    return SUCCEEDED(result) || result == DISP_E_OVERFLOW;
}

Code OleNumbers::toCode(std::u16string_view text) const
{
    std::wstring wide = toWide(text);
    SHORT code = 0;
    const HRESULT result = VarI2FromStr(wide.data(), locale, 0, &code);
    if (SUCCEEDED(result)) {
        return code;
    }
    if (result != DISP_E_OVERFLOW) {
        return 0;
    }
    // The call leaves the value untouched on failure, so it starts at 0 here.
    double value = 0.0;
    const HRESULT asDouble = VarR8FromStr(wide.data(), locale, 0, &value);
    const bool negative = SUCCEEDED(asDouble) ? value < 0 : readsNegative(wide, locale);
    return negative ? std::numeric_limits<Code>::min() : std::numeric_limits<Code>::max();
}

} // namespace kodvik
