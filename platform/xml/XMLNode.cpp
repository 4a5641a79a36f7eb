#include "platform/xml/XMLNode.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Utf8.h"
#include "platform/xml/XMLDocError.h"
#include "platform/xml/XMLTree.h"

#include <libxml/chvalid.h>
#include <libxml/xmlstring.h>

#include <cstdio>

namespace xml {

namespace detail {

namespace {

const xmlChar* Xml(const std::string& text) {
    return reinterpret_cast<const xmlChar*>(text.c_str());
}

bool IsElementName(xmlNodePtr node, const std::string& name) {
    return node->type == XML_ELEMENT_NODE && xmlStrEqual(node->name, Xml(name));
}

} // namespace

void CheckName(const std::string& name, const char* what) {
    if (name.empty() || name.find('\0') != std::string::npos || !rtl::IsValidUtf8(name) ||
        xmlValidateName(Xml(name), 0) != 0)
        throw EXMLDocError("\"" + name + "\" is not a valid XML " + what + " name");
}

void CheckText(const std::string& text, const char* what) {
    if (text.find('\0') != std::string::npos || !rtl::IsValidUtf8(text))
        throw EXMLDocError(std::string("The ") + what + " is not valid UTF-8 text");
    for (std::size_t pos = 0; pos < text.size();) {
        char32_t cp = rtl::DecodeCodePoint(text, pos);
        if (!xmlIsCharQ(static_cast<unsigned int>(cp))) {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned int>(cp));
            throw EXMLDocError(std::string("The ") + what + " holds the character " + code +
                               ", which XML cannot hold");
        }
    }
}

xmlNodePtr AppendElement(xmlDocPtr doc, xmlNodePtr parent, const std::string& tagName) {
    CheckName(tagName, "element");
    bool toDocument = parent == reinterpret_cast<xmlNodePtr>(doc);
    if (toDocument && xmlDocGetRootElement(doc) != nullptr)
        throw EXMLDocError("The document has a document element already; \"" + tagName +
                           "\" cannot be added");
    xmlNodePtr node = xmlNewDocNode(doc, nullptr, Xml(tagName), nullptr);
    if (node == nullptr)
        throw EXMLDocError("Out of memory creating the element \"" + tagName + "\"");
    if (toDocument)
        xmlDocSetRootElement(doc, node);
    else
        xmlAddChild(parent, node);
    return node;
}

} // namespace detail

using detail::XMLTree;

namespace {

const xmlChar* Xml(const std::string& text) {
    return reinterpret_cast<const xmlChar*>(text.c_str());
}

std::string ToString(const xmlChar* text) {
    return text == nullptr ? std::string() : reinterpret_cast<const char*>(text);
}

std::string TakeString(xmlChar* owned) {
    std::string result = ToString(owned);
    xmlFree(owned);
    return result;
}

std::shared_ptr<XMLTree> LockTree(const std::weak_ptr<XMLTree>& tree) {
    auto locked = tree.lock();
    if (!locked)
        throw EXMLDocError("The XML node belongs to a document that is no longer active");
    return locked;
}

} // namespace

std::shared_ptr<XMLTree> TXMLNode::Tree() const {
    return LockTree(m_tree);
}

xmlNodePtr TXMLNode::Require() const {
    if (m_node == nullptr)
        throw EXMLDocError("Access to a missing XML node");
    Tree();
    return m_node;
}

xmlNodePtr TXMLNode::RequireElement() const {
    xmlNodePtr node = Require();
    if (node->type != XML_ELEMENT_NODE)
        throw EXMLDocError("The XML node \"" + NodeName() + "\" is not an element");
    return node;
}

std::string TXMLNode::NodeName() const {
    xmlNodePtr node = Require();
    switch (node->type) {
    case XML_ELEMENT_NODE:
    case XML_PI_NODE:
        return ToString(node->name);
    case XML_TEXT_NODE:
        return "#text";
    case XML_CDATA_SECTION_NODE:
        return "#cdata-section";
    case XML_COMMENT_NODE:
        return "#comment";
    default:
        return ToString(node->name);
    }
}

TNodeType TXMLNode::NodeType() const {
    switch (Require()->type) {
    case XML_ELEMENT_NODE:
        return ntElement;
    case XML_TEXT_NODE:
        return ntText;
    case XML_CDATA_SECTION_NODE:
        return ntCData;
    case XML_COMMENT_NODE:
        return ntComment;
    case XML_PI_NODE:
        return ntProcessingInstr;
    default:
        return ntOther;
    }
}

TXMLNode TXMLNode::ParentNode() const {
    xmlNodePtr parent = Require()->parent;
    if (parent == nullptr || parent->type != XML_ELEMENT_NODE)
        return {};
    return TXMLNode(m_tree, parent);
}

TXMLNode TXMLNode::NextSibling() const {
    xmlNodePtr next = Require()->next;
    return next == nullptr ? TXMLNode() : TXMLNode(m_tree, next);
}

bool TXMLNode::HasChildNodes() const {
    return Require()->children != nullptr;
}

TXMLNodeList TXMLNode::ChildNodes() const {
    return TXMLNodeList(m_tree, Require());
}

TXMLNode TXMLNode::AddChild(const std::string& tagName) const {
    xmlNodePtr node = RequireElement();
    return TXMLNode(m_tree, detail::AppendElement(Tree()->doc, node, tagName));
}

std::optional<std::string> TXMLNode::Attributes(const std::string& name) const {
    xmlNodePtr node = RequireElement();
    xmlAttrPtr attr = xmlHasProp(node, Xml(name));
    if (attr == nullptr) {
        if (Tree()->options.Contains(doAttrNull))
            return std::nullopt;
        return std::string();
    }
    return TakeString(xmlNodeGetContent(reinterpret_cast<xmlNodePtr>(attr)));
}

void TXMLNode::SetAttributes(const std::string& name, const std::optional<std::string>& value) const {
    xmlNodePtr node = RequireElement();
    detail::CheckName(name, "attribute");
    if (!value) {
        if (xmlAttrPtr attr = xmlHasProp(node, Xml(name)))
            xmlRemoveProp(attr);
        return;
    }
    detail::CheckText(*value, ("value of the attribute \"" + name + "\"").c_str());
    if (xmlSetProp(node, Xml(name), Xml(*value)) == nullptr)
        throw EXMLDocError("The attribute \"" + name + "\" could not be set");
}

bool TXMLNode::HasAttribute(const std::string& name) const {
    return xmlHasProp(RequireElement(), Xml(name)) != nullptr;
}

std::vector<std::string> TXMLNode::AttributeNames() const {
    std::vector<std::string> names;
    for (xmlAttrPtr attr = RequireElement()->properties; attr != nullptr; attr = attr->next)
        names.push_back(ToString(attr->name));
    return names;
}

std::string TXMLNode::Text() const {
    return TakeString(xmlNodeGetContent(Require()));
}

void TXMLNode::SetText(const std::string& text) const {
    xmlNodePtr node = RequireElement();
    detail::CheckText(text, "element text");
    xmlNodePtr textNode = xmlNewDocTextLen(Tree()->doc, Xml(text), static_cast<int>(text.size()));
    if (textNode == nullptr)
        throw EXMLDocError("Out of memory setting the text of \"" + NodeName() + "\"");
    while (xmlNodePtr child = node->children) {
        xmlUnlinkNode(child);
        xmlFreeNode(child);
    }
    xmlAddChild(node, textNode);
}

int TXMLNodeList::Count() const {
    LockTree(m_tree);
    int count = 0;
    for (xmlNodePtr child = m_parent->children; child != nullptr; child = child->next)
        ++count;
    return count;
}

TXMLNode TXMLNodeList::First() const {
    LockTree(m_tree);
    return m_parent->children == nullptr ? TXMLNode() : TXMLNode(m_tree, m_parent->children);
}

TXMLNode TXMLNodeList::Nodes(int index) const {
    LockTree(m_tree);
    int i = 0;
    if (index >= 0) {
        for (xmlNodePtr child = m_parent->children; child != nullptr; child = child->next, ++i)
            if (i == index)
                return TXMLNode(m_tree, child);
    }
    throw rtl::EListError("List index out of bounds (" + std::to_string(index) + ")");
}

TXMLNode TXMLNodeList::FindNode(const std::string& name) const {
    LockTree(m_tree);
    for (xmlNodePtr child = m_parent->children; child != nullptr; child = child->next)
        if (detail::IsElementName(child, name))
            return TXMLNode(m_tree, child);
    return {};
}

TXMLNode TXMLNodeList::Nodes(const std::string& name) const {
    TXMLNode found = FindNode(name);
    if (found)
        return found;
    auto tree = LockTree(m_tree);
    if (!tree->options.Contains(doNodeAutoCreate))
        throw EXMLDocError("Node \"" + name + "\" not found");
    return TXMLNode(m_tree, detail::AppendElement(tree->doc, m_parent, name));
}

} // namespace xml
