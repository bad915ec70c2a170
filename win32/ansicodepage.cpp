#include "ansicodepage.h"

#include "text.h"

#include <windows.h>

namespace kodvik {

namespace {

constexpr UINT fallbackCodePage = 1252;

UINT singleByte(UINT codePage)
{
    CPINFO info{};
    if (GetCPInfo(codePage, &info) && info.MaxCharSize == 1) {
        return codePage;
    }
    return fallbackCodePage;
}

} // namespace

AnsiCodePage::AnsiCodePage() : AnsiCodePage(GetACP()) {}

AnsiCodePage::AnsiCodePage(unsigned int codePage) : codePage(singleByte(codePage)) {}

std::u16string AnsiCodePage::characterOf(std::uint8_t code) const
{
    const char byte = static_cast<char>(code);
    wchar_t wide[2]{};
    const int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, &byte, 1, wide, 2);
    if (length <= 0) {
        return u"\uFFFD";
    }
    return {wide, wide + length};
}

std::optional<std::uint8_t> AnsiCodePage::codeOf(std::u16string_view text) const
{
    if (text.empty()) {
        return std::nullopt;
    }
    // The first character may be a surrogate pair; no single-byte code page has one, but the
    // pair must be refused whole rather than as its first half.
    const int length =
        text.size() >= 2 && isHighSurrogate(text[0]) && isLowSurrogate(text[1]) ? 2 : 1;
    char byte = 0;
    BOOL usedDefault = FALSE;
    const int written =
        WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, reinterpret_cast<LPCWCH>(text.data()),
                            length, &byte, 1, nullptr, &usedDefault);
    if (written != 1 || usedDefault) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(byte);
}

} // namespace kodvik
