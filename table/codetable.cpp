#include "codetable.h"

#include "codeclass.h"
#include "tablefile.h"
#include "text.h"

#include <utility>

namespace kodvik {

namespace {

// What a character the code page lacks becomes in the file, as the system's own conversion to
// a single-byte code page does it.
constexpr char missingCharacter = '?';

bool isHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// One byte for each character, whatever the code page makes of it.
void appendEncoded(std::string& bytes, std::u16string_view text, const CodePage& codePage)
{
    while (!text.empty()) {
        const std::size_t length =
            text.size() >= 2 && isHighSurrogate(text[0]) && isLowSurrogate(text[1]) ? 2 : 1;
        const auto code = codePage.codeOf(text.substr(0, length));
        bytes.push_back(code ? static_cast<char>(*code) : missingCharacter);
        text.remove_prefix(length);
    }
}

// Pads the codes below 100 only, so from 100 on the characters stand one column further left.
// The shift is intended and kept.
std::u16string_view spacing(int code)
{
    if (code < 10) {
        return u"   ";
    }
    if (code < 100) {
        return u"  ";
    }
    return u"";
}

std::u16string entry(std::uint8_t code, const CodePage& codePage)
{
    switch (codeClass(code)) {
    case CodeClass::Named:
        return std::u16string(codeName(code));
    case CodeClass::NoCharacter:
        return u"non";
    case CodeClass::Shown:
    case CodeClass::MessageBox:
        break;
    }
    const std::u16string character = codePage.characterOf(code);
    return std::u16string(spacing(code)) + std::u16string(trim(character));
}

TableFailure writeFailure(std::string reason)
{
    return {TableFailure::Stage::Write, std::move(reason)};
}

} // namespace

std::string describe(const TableFailure& failure)
{
    const std::string name(tableFileName);
    std::string text = failure.stage == TableFailure::Stage::Write
                           ? "Could not write " + name
                           : "Could not open " + name + " in a viewer";
    if (!failure.reason.empty()) {
        text += ": " + failure.reason;
    }
    return text;
}

std::string tableContent(const CodePage& codePage)
{
    std::string bytes;
    for (int code = 0; code <= 255; ++code) {
        const std::u16string line =
            u" " + decimal(code) + u" " + entry(static_cast<std::uint8_t>(code), codePage);
        appendEncoded(bytes, line, codePage);
        bytes += "\r\n";
    }
    return bytes;
}

std::optional<TableFailure> writeAndShow(const CodePage& codePage, const ViewerStarter& startViewer)
{
    const std::string content = tableContent(codePage);
    const std::string name(tableFileName);

    // When the old file cannot go, the table lands after its content; the open says whether
    // writing is possible at all.
    static_cast<void>(tablefile::removeName(name));

    tablefile::Handle handle{};
    if (auto failure = tablefile::openForAppending(name, handle)) {
        return writeFailure(std::move(*failure));
    }
    if (auto failure = tablefile::writeAll(handle, content)) {
        // The write's reason is the one to tell; a close failing after it adds nothing.
        static_cast<void>(tablefile::close(handle));
        return writeFailure(std::move(*failure));
    }
    if (auto failure = tablefile::close(handle)) {
        return writeFailure(std::move(*failure));
    }

    if (auto failure = startViewer(tableFileName)) {
        return TableFailure{TableFailure::Stage::Viewer, std::move(*failure)};
    }
    return std::nullopt;
}

void deleteAtExit() noexcept
{
    try {
        static_cast<void>(tablefile::removeName(std::string(tableFileName)));
    } catch (...) {
        // Only building the name can throw, and nothing at exit may stop the program ending.
    }
}

} // namespace kodvik
