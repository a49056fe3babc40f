// Cell texts made safe for a KML document, whatever the user typed into the grid.
#pragma once

#include <string>
#include <string_view>

// Element content: &, < and > as entities.
void AppendXmlEscaped(std::string& out, std::string_view text);
// Inside a CDATA section: "]]>" split across two sections.
void AppendCdataSafe(std::string& out, std::string_view text);
