#include "export/xml_tree.h"

#include <expat.h>

namespace {
constexpr char kNamespaceSeparator = '|';

struct TreeBuilder {
    std::unique_ptr<XmlElement> root;
    std::vector<XmlElement*> open;
    bool inCdata = false;

    void start(const std::string& qualified, const XML_Char** attributes)
    {
        auto element = std::make_unique<XmlElement>();
        const auto separator = qualified.rfind(kNamespaceSeparator);
        element->name = separator == std::string::npos ? qualified : qualified.substr(separator + 1);
        if (separator != std::string::npos)
            element->namespaceUri = qualified.substr(0, separator);
        for (int i = 0; attributes[i]; i += 2)
            element->attributes[attributes[i]] = attributes[i + 1];
        XmlElement* raw = element.get();
        if (open.empty())
            root = std::move(element);
        else
            open.back()->children.push_back(std::move(element));
        open.push_back(raw);
    }
};
} // namespace

std::vector<const XmlElement*> XmlElement::all(const std::string& childName) const
{
    std::vector<const XmlElement*> found;
    for (const auto& child : children)
        if (child->name == childName)
            found.push_back(child.get());
    return found;
}

std::vector<std::string> XmlElement::childNames() const
{
    std::vector<std::string> names;
    for (const auto& child : children)
        names.push_back(child->name);
    return names;
}

XmlTree ReadXmlTree(const std::string& document)
{
    TreeBuilder builder;
    const std::unique_ptr<XML_ParserStruct, decltype(&XML_ParserFree)> parser(
        XML_ParserCreateNS(nullptr, kNamespaceSeparator), XML_ParserFree);
    XML_SetUserData(parser.get(), &builder);
    XML_SetElementHandler(
        parser.get(),
        [](void* user, const XML_Char* name, const XML_Char** attributes) {
            static_cast<TreeBuilder*>(user)->start(name, attributes);
        },
        [](void* user, const XML_Char*) { static_cast<TreeBuilder*>(user)->open.pop_back(); });
    XML_SetCharacterDataHandler(parser.get(), [](void* user, const XML_Char* text, int length) {
        auto* builder = static_cast<TreeBuilder*>(user);
        if (builder->open.empty())
            return;
        XmlElement& element = *builder->open.back();
        element.text.append(text, static_cast<std::size_t>(length));
        if (builder->inCdata)
            element.cdata.append(text, static_cast<std::size_t>(length));
    });
    XML_SetCdataSectionHandler(
        parser.get(), [](void* user) { static_cast<TreeBuilder*>(user)->inCdata = true; },
        [](void* user) { static_cast<TreeBuilder*>(user)->inCdata = false; });
    XmlTree tree;
    if (XML_Parse(parser.get(), document.data(), static_cast<int>(document.size()), XML_TRUE) != XML_STATUS_OK) {
        tree.error = "line " + std::to_string(XML_GetCurrentLineNumber(parser.get())) + ": " +
                     XML_ErrorString(XML_GetErrorCode(parser.get()));
        return tree;
    }
    tree.root = std::move(builder.root);
    return tree;
}
