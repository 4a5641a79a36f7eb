#include "platform/ado/XmlFile.h"

#include "platform/ado/DatabaseError.h"
#include "platform/rtl/FileSystem.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <climits>

namespace ado {

namespace {

struct ParserCtxtDeleter {
    void operator()(xmlParserCtxt* ctxt) const { xmlFreeParserCtxt(ctxt); }
};

struct ParseState {
    bool doctype = false;
};

void RefuseDoctype(void* userData, const xmlChar*, const xmlChar*, const xmlChar*) {
    auto* ctxt = static_cast<xmlParserCtxtPtr>(userData);
    static_cast<ParseState*>(ctxt->_private)->doctype = true;
    xmlStopParser(ctxt);
}

XmlDocPtr ParseWith(const std::string& bytes, std::string_view fileName, const char* encoding) {
    std::unique_ptr<xmlParserCtxt, ParserCtxtDeleter> ctxt(xmlNewParserCtxt());
    if (!ctxt)
        throw EDatabaseError("Out of memory reading \"" + std::string(fileName) + "\"");
    ParseState state;
    ctxt->_private = &state;
    ctxt->sax->internalSubset = RefuseDoctype;
    const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
    XmlDocPtr doc(xmlCtxtReadMemory(ctxt.get(), bytes.data(), static_cast<int>(bytes.size()), nullptr,
                                    encoding, options));
    if (state.doctype)
        throw EDatabaseError("\"" + std::string(fileName) +
                             "\" holds a document type declaration, which is not accepted");
    if (!doc || !ctxt->wellFormed) {
        const xmlError* error = xmlCtxtGetLastError(ctxt.get());
        std::string message = error && error->message ? error->message : "not well-formed";
        while (!message.empty() && (message.back() == '\n' || message.back() == ' '))
            message.pop_back();
        throw EDatabaseError("\"" + std::string(fileName) + "\" is not an XML document: " + message);
    }
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
    if (bytes.size() > static_cast<std::size_t>(INT_MAX))
        throw EDatabaseError("\"" + std::string(fileName) + "\" is too large");
    xmlInitParser();
    if (!IsXmlText(bytes) && !DeclaresEncoding(bytes) && !bytes.starts_with("\xEF\xBB\xBF"))
        return ParseWith(bytes, fileName, "GB18030");
    return ParseWith(bytes, fileName, nullptr);
}

XmlDocPtr NewXmlDocument() {
    xmlInitParser();
    XmlDocPtr doc(xmlNewDoc(BAD_CAST "1.0"));
    if (!doc)
        throw EDatabaseError("Out of memory creating an XML document");
    return doc;
}

void SaveXml(xmlDoc* doc, std::string_view fileName) {
    xmlChar* memory = nullptr;
    int size = 0;
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
