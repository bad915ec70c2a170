#include "codeclass.h"

namespace kodvik {

CodeClass codeClass(std::uint8_t code)
{
    if (!codeName(code).empty()) {
        return CodeClass::Named;
    }
    switch (code) {
    case 127:
    case 129:
    case 141:
    case 143:
    case 144:
    case 157:
        return CodeClass::NoCharacter;
    case 142:
    case 158:
    case 159:
    case 170:
        return CodeClass::MessageBox;
    default:
        break;
    }
    if (code < 32) {
        return CodeClass::NoCharacter;
    }
    if ((code >= 130 && code <= 140) || (code >= 147 && code <= 156)) {
        return CodeClass::MessageBox;
    }
    return CodeClass::Shown;
}

std::u16string_view codeName(std::uint8_t code)
{
    switch (code) {
    case 8:
        return u"backspace";
    case 9:
        return u"tab";
    case 10:
        return u"linefeed";
    case 13:
        return u"carriage return";
    case 32:
        return u"Space";
    default:
        return {};
    }
}

} // namespace kodvik
