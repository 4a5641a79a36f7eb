#pragma once

#include "platform/xml/XMLDocOptions.h"

#include <libxml/tree.h>

#include <string>

// Shared by the document and the node handles; not part of the layer's interface.
namespace xml::detail {

struct XMLTree {
    explicit XMLTree(xmlDocPtr document, TXMLDocOptions documentOptions)
        : doc(document), options(documentOptions) {}
    ~XMLTree() { xmlFreeDoc(doc); }
    XMLTree(const XMLTree&) = delete;
    XMLTree& operator=(const XMLTree&) = delete;

    xmlDocPtr doc;
    TXMLDocOptions options;
};

// Raises EXMLDocError unless name is a valid XML name.
void CheckName(const std::string& name, const char* what);
// Raises EXMLDocError unless text is UTF-8 made only of characters XML can hold.
void CheckText(const std::string& text, const char* what);
xmlNodePtr AppendElement(xmlDocPtr doc, xmlNodePtr parent, const std::string& tagName);

} // namespace xml::detail
