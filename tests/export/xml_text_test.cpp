#include "export/xml_text.h"

#include <gtest/gtest.h>

namespace {
TEST(XmlText, AnyCellTextBecomesUtf8ThatXmlAllows)
{
    const struct {
        std::string text;
        std::string escaped;
        std::string cdata;
    } cases[] = {
        {"a&b<c>", "a&amp;b&lt;c&gt;", "a&b<c>"},
        {"tab\tbell\x07", "tab\tbell", "tab\tbell"},
        {"caf\xC3\xA9 \xE2\x82\xAC", "caf\xC3\xA9 \xE2\x82\xAC", "caf\xC3\xA9 \xE2\x82\xAC"}, // UTF-8 kept
        {"Fran\xE7ois", "Fran\xC3\xA7ois", "Fran\xC3\xA7ois"},                                // Latin-1 converted
        {"\xC0\xAF", "\xC3\x80\xC2\xAF", "\xC3\x80\xC2\xAF"},                                 // overlong form
        {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xC2\x80", "\xC3\xAD\xC2\xA0\xC2\x80"},             // surrogate
        {"\xEF\xBF\xBE!", "!", "!"},                                                          // U+FFFE
        {"x]]>y", "x]]&gt;y", "x]]]]><![CDATA[>y"},
        {"]\x01]>", "]]&gt;", "]]]]><![CDATA[>"},
    };
    for (const auto& c : cases) {
        std::string escaped, cdata;
        AppendXmlEscaped(escaped, c.text);
        AppendCdataSafe(cdata, c.text);
        EXPECT_EQ(escaped, c.escaped) << c.text;
        EXPECT_EQ(cdata, c.cdata) << c.text;
    }
}
} // namespace
