#pragma once

#include <memory>
#include <string>
#include <string_view>

typedef struct _xmlDoc xmlDoc;
typedef struct _xmlNode xmlNode;

namespace ado {

struct XmlDocDeleter {
    void operator()(xmlDoc* doc) const;
};
using XmlDocPtr = std::unique_ptr<xmlDoc, XmlDocDeleter>;

// Parses the bytes of an XML file without touching the network, loading any DTD or expanding
// entities; a document type declaration is refused outright. Text that is not UTF-8 and declares no
// encoding is read as GB18030, the code page such files were written in. Failures raise
// EDatabaseError naming the file.
XmlDocPtr ParseXml(const std::string& bytes, std::string_view fileName);

// A new, empty document with the parser library set up.
XmlDocPtr NewXmlDocument();

// Writes the document as indented UTF-8 through the file adapter.
void SaveXml(xmlDoc* doc, std::string_view fileName);

// Element children only, skipping text and comments.
xmlNode* FirstElement(xmlNode* parent);
xmlNode* NextElement(xmlNode* node);
xmlNode* ChildElement(xmlNode* parent, const char* name);
bool IsElement(const xmlNode* node, const char* name);

// The attribute value, or false when the attribute is absent.
bool GetAttribute(xmlNode* node, const char* name, std::string& value);
// Text that XML 1.0 can carry: valid UTF-8 without control characters other than tab, LF and CR.
bool IsXmlText(std::string_view text);

} // namespace ado
