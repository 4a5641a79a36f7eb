#include "platform/xml/XMLDocument.h"

#include "platform/framework/TypInfo.h"
#include "platform/rtl/FileSystem.h"
#include "platform/xml/XMLDocError.h"
#include "platform/xml/XMLParser.h"
#include "platform/xml/XMLTree.h"

#include <libxml/encoding.h>
#include <libxml/parser.h>
#include <libxml/xmlsave.h>


namespace xml {

using detail::XMLTree;

namespace {

const xmlChar* Xml(const std::string& text) {
    return reinterpret_cast<const xmlChar*>(text.c_str());
}

std::string Text(const xmlChar* text) {
    return text == nullptr ? std::string() : reinterpret_cast<const char*>(text);
}

void SetDocString(const xmlChar*& field, const std::string& value) {
    if (field != nullptr)
        xmlFree(const_cast<xmlChar*>(field));
    field = value.empty() ? nullptr : xmlStrdup(Xml(value));
}

bool IsUtf8Name(const std::string& encoding) {
    std::string upper;
    for (char c : encoding)
        upper += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return upper == "UTF-8" || upper == "UTF8";
}

// Names cannot be written as character references, so a name the encoding cannot hold would
// corrupt the document; refuse to save instead.
class NameEncodingCheck {
public:
    explicit NameEncodingCheck(const std::string& encoding)
        : m_encoding(encoding), m_handler(xmlFindCharEncodingHandler(encoding.c_str())) {
        if (m_handler == nullptr)
            throw EXMLDocError("The encoding \"" + encoding + "\" is not supported");
    }
    ~NameEncodingCheck() { xmlCharEncCloseFunc(m_handler); }
    NameEncodingCheck(const NameEncodingCheck&) = delete;
    NameEncodingCheck& operator=(const NameEncodingCheck&) = delete;

    void CheckTree(xmlNodePtr node) {
        for (; node != nullptr; node = node->next) {
            if (node->type != XML_ELEMENT_NODE)
                continue;
            CheckName(node->name);
            for (xmlAttrPtr attr = node->properties; attr != nullptr; attr = attr->next)
                CheckName(attr->name);
            CheckTree(node->children);
        }
    }

private:
    void CheckName(const xmlChar* name) {
        bool ascii = true;
        for (const xmlChar* p = name; *p != 0; ++p)
            ascii = ascii && *p < 0x80;
        if (ascii)
            return;
        xmlBufferPtr in = xmlBufferCreate();
        xmlBufferPtr out = xmlBufferCreate();
        xmlBufferCat(in, name);
        int converted = xmlCharEncOutFunc(m_handler, out, in);
        // The converter replaces what it cannot hold by a character reference.
        bool lost = converted < 0 || xmlStrstr(xmlBufferContent(out), BAD_CAST "&#") != nullptr;
        xmlBufferFree(in);
        xmlBufferFree(out);
        if (lost)
            throw EXMLDocError("The name \"" + Text(name) + "\" cannot be written in the encoding \"" +
                               m_encoding + "\"");
    }

    std::string m_encoding;
    xmlCharEncodingHandlerPtr m_handler;
};

std::string Serialize(xmlDocPtr doc, const std::string& encoding, bool indent) {
    TXMLErrorCapture capture;
    int options = XML_SAVE_AS_XML | (indent ? XML_SAVE_FORMAT : 0);
    std::string declaration;
    const char* saveEncoding = encoding.c_str();
    if (encoding.empty()) {
        // Without an encoding the library would write every non-ASCII character as a reference.
        saveEncoding = "UTF-8";
        options |= XML_SAVE_NO_DECL;
        if (doc->version != nullptr)
            declaration = "<?xml version=\"" + Text(doc->version) + "\"?>\n";
    } else if (!IsUtf8Name(encoding)) {
        NameEncodingCheck(encoding).CheckTree(doc->children);
    }

    xmlBufferPtr buffer = xmlBufferCreate();
    xmlSaveCtxtPtr save = xmlSaveToBuffer(buffer, saveEncoding, options);
    if (save == nullptr) {
        xmlBufferFree(buffer);
        throw EXMLDocError("The encoding \"" + encoding + "\" is not supported");
    }
    long written = xmlSaveDoc(save, doc);
    xmlSaveClose(save);
    std::string result = declaration;
    if (written >= 0)
        result.append(reinterpret_cast<const char*>(xmlBufferContent(buffer)), xmlBufferLength(buffer));
    xmlBufferFree(buffer);
    if (written < 0)
        throw EXMLDocError("The XML document could not be written in the encoding \"" + encoding + "\"" +
                           (capture.FirstError().empty() ? "" : ": " + capture.FirstError()));
    return result;
}

xmlDocPtr Parse(std::string_view bytes, const std::string& sourceName) {
    std::string error;
    xmlDocPtr doc = ParseXmlBytes(bytes, nullptr, XML_PARSE_NOBLANKS, kMaxAttributesPerElement, error);
    if (doc == nullptr)
        throw EXMLDocError(sourceName + ": " + error);
    return doc;
}

} // namespace

TXMLDocument::TXMLDocument(framework::TComponent* owner)
    : TComponent(owner), m_options(DefaultXMLDocOptions) {
    InitXmlLibrary();
}

TXMLDocument::~TXMLDocument() = default;

void TXMLDocument::SetOptions(TXMLDocOptions options) {
    m_options = options;
    if (m_tree)
        m_tree->options = options;
}

void TXMLDocument::SetActive(bool active) {
    if (active == Active())
        return;
    if (!active) {
        if (m_options.Contains(doAutoSave) && !m_fileName.empty())
            SaveToFile(m_fileName);
        Close();
        return;
    }
    if (!m_fileName.empty()) {
        LoadFromFile(m_fileName);
        return;
    }
    xmlDocPtr doc = xmlNewDoc(nullptr);
    if (doc == nullptr)
        throw EXMLDocError("Out of memory creating an XML document");
    SetDocString(doc->version, "");
    m_tree = std::make_shared<XMLTree>(doc, m_options);
}

void TXMLDocument::SetFileName(const std::string& fileName) {
    m_fileName = fileName;
}

void TXMLDocument::CheckActive() const {
    if (!m_tree)
        throw EXMLDocError("The XML document is not active");
}

void TXMLDocument::Close() {
    m_tree.reset();
}

std::string TXMLDocument::Version() const {
    CheckActive();
    return Text(m_tree->doc->version);
}

void TXMLDocument::SetVersion(const std::string& version) {
    CheckActive();
    if (version != "1.0" && !version.empty())
        throw EXMLDocError("The XML version \"" + version + "\" is not supported");
    SetDocString(m_tree->doc->version, version);
}

std::string TXMLDocument::Encoding() const {
    CheckActive();
    return Text(m_tree->doc->encoding);
}

void TXMLDocument::SetEncoding(const std::string& encoding) {
    CheckActive();
    if (encoding.find_first_of("\"'<>& ") != std::string::npos)
        throw EXMLDocError("\"" + encoding + "\" is not an encoding name");
    SetDocString(m_tree->doc->encoding, encoding);
}

TXMLNode TXMLDocument::DocumentElement() const {
    CheckActive();
    xmlNodePtr root = xmlDocGetRootElement(m_tree->doc);
    return root == nullptr ? TXMLNode() : TXMLNode(m_tree, root);
}

TXMLNode TXMLDocument::AddChild(const std::string& tagName) {
    CheckActive();
    xmlDocPtr doc = m_tree->doc;
    return TXMLNode(m_tree, detail::AppendElement(doc, reinterpret_cast<xmlNodePtr>(doc), tagName));
}

TXMLNodeList TXMLDocument::ChildNodes() const {
    CheckActive();
    return TXMLNodeList(m_tree, reinterpret_cast<xmlNodePtr>(m_tree->doc));
}

void TXMLDocument::Load(std::string_view bytes, const std::string& sourceName) {
    InitXmlLibrary();
    Close();
    m_tree = std::make_shared<XMLTree>(Parse(bytes, sourceName), m_options);
}

void TXMLDocument::LoadFromFile(const std::string& fileName) {
    std::string path = fileName.empty() ? m_fileName : fileName;
    if (path.empty())
        throw EXMLDocError("No file name given to load the XML document from");
    Close();
    std::string bytes = rtl::ReadFileBytes(path);
    Load(bytes, path);
    m_fileName = path;
}

void TXMLDocument::SaveToFile(const std::string& fileName) {
    std::string path = fileName.empty() ? m_fileName : fileName;
    if (path.empty())
        throw EXMLDocError("No file name given to save the XML document to");
    rtl::WriteFileBytes(path, SaveToString());
}

void TXMLDocument::LoadFromString(std::string_view text) {
    Load(text, "XML text");
}

std::string TXMLDocument::SaveToString() const {
    CheckActive();
    return Serialize(m_tree->doc, Encoding(), m_options.Contains(doNodeAutoIndent));
}

namespace {

const framework::TEnumInfo XMLDocOptionInfo{
    "TXMLDocOption",
    {"doNodeAutoCreate", "doAttrNull", "doAutoPrefix", "doNamespaceDecl", "doNodeAutoIndent", "doAutoSave"}};

[[maybe_unused]] const auto registerXMLDocument =
    framework::RegisterClass<TXMLDocument, framework::TComponent>("TXMLDocument")
        .String("DOMVendor", &TXMLDocument::DOMVendor, &TXMLDocument::SetDOMVendor)
        .String("FileName", &TXMLDocument::FileName, &TXMLDocument::SetFileName)
        .Set("Options", &TXMLDocument::Options, &TXMLDocument::SetOptions, XMLDocOptionInfo,
             std::optional<std::int64_t>(DefaultXMLDocOptions.Bits()));

} // namespace

} // namespace xml
