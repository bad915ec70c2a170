#include "codetable.h"

#include "codeclass.h"
#include "tablefile.h"
#include "text.h"

#include <utility>

namespace kodvik {

namespace {

// Half a surrogate pair becomes U+FFFD, so the file is valid UTF-8 whatever the code page gives.
void appendUtf8(std::string& bytes, std::u16string_view text)
{
    for (std::size_t at = 0; at < text.size(); ++at) {
        char32_t point = text[at];
        if (isHighSurrogate(point) && at + 1 < text.size() && isLowSurrogate(text[at + 1])) {
            point = 0x10000 + ((point - 0xD800) << 10) + (text[at + 1] - 0xDC00);
            ++at;
        } else if (isHighSurrogate(point) || isLowSurrogate(point)) {
            point = 0xFFFD;
        }
        const auto byte = [](char32_t bits) { return static_cast<char>(bits); };
        if (point < 0x80) {
            bytes += byte(point);
        } else if (point < 0x800) {
            bytes += byte(0xC0 | (point >> 6));
            bytes += byte(0x80 | (point & 0x3F));
        } else if (point < 0x10000) {
            bytes += byte(0xE0 | (point >> 12));
            bytes += byte(0x80 | ((point >> 6) & 0x3F));
            bytes += byte(0x80 | (point & 0x3F));
        } else {
            bytes += byte(0xF0 | (point >> 18));
            bytes += byte(0x80 | ((point >> 12) & 0x3F));
            bytes += byte(0x80 | ((point >> 6) & 0x3F));
            bytes += byte(0x80 | (point & 0x3F));
        }
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

// Everything on a line but the character is ASCII, the same bytes in either encoding.
void appendLine(std::string& bytes, std::uint8_t code, const CodePage& codePage,
                TableEncoding encoding)
{
    appendUtf8(bytes, u" " + decimal(code) + u" ");
    switch (codeClass(code)) {
    case CodeClass::Named:
        appendUtf8(bytes, codeName(code));
        return;
    case CodeClass::NoCharacter:
        appendUtf8(bytes, u"non");
        return;
    case CodeClass::Shown:
    case CodeClass::MessageBox:
        break;
    }
    appendUtf8(bytes, spacing(code));
    if (encoding == TableEncoding::SingleByte) {
        bytes += static_cast<char>(code);
    } else {
        appendUtf8(bytes, trim(codePage.characterOf(code)));
    }
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

std::string tableContent(const CodePage& codePage, TableEncoding encoding)
{
    std::string bytes;
    for (int code = 0; code <= 255; ++code) {
        appendLine(bytes, static_cast<std::uint8_t>(code), codePage, encoding);
        bytes += "\r\n";
    }
    return bytes;
}

std::optional<TableFailure> writeAndShow(const CodePage& codePage, TableEncoding encoding,
                                         const ViewerStarter& startViewer)
{
    const std::string content = tableContent(codePage, encoding);
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
    } catch (...) { // NOLINT(bugprone-empty-catch): nothing at exit may stop the program ending
        // Only building the name can throw.
    }
}

} // namespace kodvik
