#include "export/xml_text.h"

namespace {
// Control characters other than tab, LF and CR are not allowed in XML even as
// references, so they are left out.
bool AllowedInXml(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x20 || c == '\t' || c == '\n' || c == '\r';
}
} // namespace

void AppendXmlEscaped(std::string& out, std::string_view text)
{
    for (char c : text) {
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
            if (AllowedInXml(c))
                out += c;
        }
    }
}

void AppendCdataSafe(std::string& out, std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.substr(i, 3) == "]]>") {
            out += "]]]]><![CDATA[>";
            i += 2;
        } else if (AllowedInXml(text[i])) {
            out += text[i];
        }
    }
}
