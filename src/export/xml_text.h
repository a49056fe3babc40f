// Cell texts made safe for an XML document, whatever the user typed into the
// grid: always UTF-8, only the characters XML allows.
#pragma once

#include <string>
#include <string_view>

// Element content: &, < and > as entities.
void AppendXmlEscaped(std::string& out, std::string_view text);
// Inside a CDATA section: "]]>" split across two sections.
void AppendCdataSafe(std::string& out, std::string_view text);
