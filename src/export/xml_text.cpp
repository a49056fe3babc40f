#include "export/xml_text.h"

namespace {
// Characters XML 1.0 allows; the others are not allowed even as references,
// so they are left out.
bool AllowedInXml(char32_t c)
{
    return c == '\t' || c == '\n' || c == '\r' || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

struct CodePoint {
    char32_t value;
    std::size_t length;
};

// Bytes of the UTF-8 sequence a lead byte starts; 0 for a byte that starts none.
std::size_t SequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// The UTF-8 sequence at the position; a byte that does not start a valid one
// stands for itself as Latin-1, as in CSV files saved by older editors, so the
// document stays UTF-8 and keeps the character.
CodePoint NextCodePoint(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    const std::size_t length = SequenceLength(lead);
    if (length <= 1 || at + length > text.size())
        return {lead, 1};
    char32_t value = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return {lead, 1};
        value = value << 6 | (byte(at + i) & 0x3F);
    }
    const char32_t shortest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    if (value < shortest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return {lead, 1};
    return {value, length};
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Walks the text as characters, handing each allowed one to `append`.
template <typename Append>
void ForEachXmlCharacter(std::string_view text, Append append)
{
    for (std::size_t at = 0; at < text.size();) {
        const CodePoint c = NextCodePoint(text, at);
        if (AllowedInXml(c.value))
            append(c.value);
        at += c.length;
    }
}
} // namespace

void AppendXmlEscaped(std::string& out, std::string_view text)
{
    ForEachXmlCharacter(text, [&](char32_t c) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            AppendUtf8(out, c);
        }
    });
}

void AppendCdataSafe(std::string& out, std::string_view text)
{
    ForEachXmlCharacter(text, [&](char32_t c) {
        // Looks at what was written, so a left-out character cannot join a "]]>".
        if (c == '>' && out.ends_with("]]"))
            out += "]]><![CDATA[";
        AppendUtf8(out, c);
    });
}
