// A whole XML document read by a real XML reader into a tree, for tests that
// look at structure: element order, namespaces, attributes and texts.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

struct XmlElement {
    std::string namespaceUri;
    std::string name; // without prefix
    std::map<std::string, std::string> attributes;
    std::string text;  // character data directly inside, whitespace kept
    std::string cdata; // the part of it inside CDATA sections
    std::vector<std::unique_ptr<XmlElement>> children;

    // Children with the local name, in order.
    std::vector<const XmlElement*> all(const std::string& childName) const;
    // Local names of the children, in order.
    std::vector<std::string> childNames() const;
};

struct XmlTree {
    std::unique_ptr<XmlElement> root; // empty when not well formed
    std::string error;
};

XmlTree ReadXmlTree(const std::string& document);
