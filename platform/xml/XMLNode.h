#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

struct _xmlNode;

namespace xml {

namespace detail {
struct XMLTree;
}

enum TNodeType { ntElement, ntText, ntCData, ntComment, ntProcessingInstr, ntOther };

class TXMLNodeList;

// A handle to one node of an active document. Handles are cheap to copy; a default handle is the
// missing node (what FindNode answers when nothing matches). Every operation on a missing node, or
// on a node whose document has since been closed or reloaded, raises EXMLDocError.
class TXMLNode {
public:
    TXMLNode() = default;

    bool IsNull() const { return m_node == nullptr; }
    explicit operator bool() const { return !IsNull(); }
    bool operator==(const TXMLNode& other) const { return m_node == other.m_node; }

    std::string NodeName() const;
    TNodeType NodeType() const;
    TXMLNode ParentNode() const;
    // The node after this one among its parent's children, or the missing node after the last: a
    // walk over the children that visits each once.
    TXMLNode NextSibling() const;

    bool HasChildNodes() const;
    TXMLNodeList ChildNodes() const;
    // Appends an element; a name that is not a valid XML name raises.
    TXMLNode AddChild(const std::string& tagName) const;

    // Null when the attribute is absent (with doAttrNull; otherwise an empty text).
    std::optional<std::string> Attributes(const std::string& name) const;
    // Null removes the attribute; an empty text is kept as an empty attribute. A new attribute goes
    // after the existing ones, a replaced one keeps its place.
    void SetAttributes(const std::string& name, const std::optional<std::string>& value) const;
    bool HasAttribute(const std::string& name) const;
    std::vector<std::string> AttributeNames() const;

    // The concatenated text of the node; setting it replaces all children by one text node.
    std::string Text() const;
    void SetText(const std::string& text) const;

private:
    friend class TXMLNodeList;
    friend class TXMLDocument;
    TXMLNode(std::weak_ptr<detail::XMLTree> tree, _xmlNode* node) : m_tree(std::move(tree)), m_node(node) {}
    std::shared_ptr<detail::XMLTree> Tree() const;
    _xmlNode* Require() const;
    _xmlNode* RequireElement() const;

    std::weak_ptr<detail::XMLTree> m_tree;
    _xmlNode* m_node = nullptr;
};

// The children of an element or of the document, in document order.
class TXMLNodeList {
public:
    int Count() const;
    // The first child, or the missing node when there is none; NextSibling goes on from it.
    TXMLNode First() const;
    // Raises EListError for an index outside 0..Count()-1.
    TXMLNode Nodes(int index) const;
    TXMLNode operator[](int index) const { return Nodes(index); }
    // The first element of that name; with doNodeAutoCreate a missing one is appended, otherwise
    // a missing one raises.
    TXMLNode Nodes(const std::string& name) const;
    TXMLNode operator[](const std::string& name) const { return Nodes(name); }
    // The first element of that name, or the missing node.
    TXMLNode FindNode(const std::string& name) const;

private:
    friend class TXMLNode;
    friend class TXMLDocument;
    TXMLNodeList(std::weak_ptr<detail::XMLTree> tree, _xmlNode* parent)
        : m_tree(std::move(tree)), m_parent(parent) {}

    std::weak_ptr<detail::XMLTree> m_tree;
    _xmlNode* m_parent;
};

} // namespace xml
