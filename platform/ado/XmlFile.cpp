#include "platform/ado/XmlFile.h"

#include "platform/ado/DatabaseError.h"
#include "platform/rtl/FileSystem.h"
#include "platform/xml/XMLParser.h"

#include <libxml/parser.h>
#include <libxml/tree.h>


namespace ado {

namespace {

// Far beyond the widest table, and the bound on an element's attributes.
constexpr std::size_t kMaxColumns = 4096;

XmlDocPtr ParseWith(const std::string& bytes, std::string_view fileName, const char* encoding) {
    std::string error;
    // A recordset row carries one attribute per column with a value.
    XmlDocPtr doc(xml::ParseXmlBytes(bytes, encoding, 0, kMaxColumns, error));
    if (!doc)
        throw EDatabaseError("\"" + std::string(fileName) + "\" is not an XML document: " + error);
    return doc;
}

bool DeclaresEncoding(const std::string& bytes) {
    const std::size_t end = bytes.find("?>");
    return bytes.starts_with("<?xml") && end != std::string::npos &&
           bytes.substr(0, end).find("encoding") != std::string::npos;
}

} // namespace

void XmlDocDeleter::operator()(xmlDoc* doc) const {
    xmlFreeDoc(doc);
}

XmlDocPtr ParseXml(const std::string& bytes, std::string_view fileName) {
    xml::InitXmlLibrary();
    if (!IsXmlText(bytes) && !DeclaresEncoding(bytes) && !bytes.starts_with("\xEF\xBB\xBF"))
        return ParseWith(bytes, fileName, "GB18030");
    return ParseWith(bytes, fileName, nullptr);
}

XmlDocPtr NewXmlDocument() {
    xml::InitXmlLibrary();
    XmlDocPtr doc(xmlNewDoc(BAD_CAST "1.0"));
    if (!doc)
        throw EDatabaseError("Out of memory creating an XML document");
    return doc;
}

void SaveXml(xmlDoc* doc, std::string_view fileName) {
    xmlChar* memory = nullptr;
    int size = 0;
    xml::TXMLErrorCapture capture;
    xmlDocDumpFormatMemoryEnc(doc, &memory, &size, "UTF-8", 1);
    if (!memory)
        throw EDatabaseError("Cannot write \"" + std::string(fileName) + "\": out of memory");
    std::string bytes(reinterpret_cast<const char*>(memory), static_cast<std::size_t>(size));
    xmlFree(memory);
    rtl::WriteFileBytes(fileName, bytes);
}

xmlNode* FirstElement(xmlNode* parent) {
    xmlNode* node = parent ? parent->children : nullptr;
    while (node && node->type != XML_ELEMENT_NODE)
        node = node->next;
    return node;
}

xmlNode* NextElement(xmlNode* node) {
    node = node ? node->next : nullptr;
    while (node && node->type != XML_ELEMENT_NODE)
        node = node->next;
    return node;
}

bool IsElement(const xmlNode* node, const char* name) {
    return node && node->type == XML_ELEMENT_NODE && xmlStrEqual(node->name, BAD_CAST name);
}

xmlNode* ChildElement(xmlNode* parent, const char* name) {
    for (xmlNode* node = FirstElement(parent); node; node = NextElement(node))
        if (IsElement(node, name))
            return node;
    return nullptr;
}

bool GetAttribute(xmlNode* node, const char* name, std::string& value) {
    xmlChar* text = xmlGetNoNsProp(node, BAD_CAST name);
    if (!text)
        return false;
    value = reinterpret_cast<const char*>(text);
    xmlFree(text);
    return true;
}

bool IsXmlText(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            if (c < 0x20 && c != '\t' && c != '\n' && c != '\r')
                return false;
            ++i;
            continue;
        }
        std::size_t length;
        char32_t cp;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto cc = static_cast<unsigned char>(text[i + k]);
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        const char32_t minimum = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF) || cp == 0xFFFE || cp == 0xFFFF)
            return false;
        i += length;
    }
    return true;
}

} // namespace ado
