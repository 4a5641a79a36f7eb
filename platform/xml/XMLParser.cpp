#include "platform/xml/XMLParser.h"

#include <libxml/encoding.h>
#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <climits>
#include <cstdarg>
#include <cstdio>
#include <mutex>

namespace xml {

namespace {

thread_local TXMLErrorCapture* activeCapture = nullptr;

std::string Trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    return text;
}

void CollectGeneric(void*, const char* format, ...) {
    if (activeCapture == nullptr || format == nullptr)
        return;
    char buffer[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    activeCapture->Add(buffer);
}

void CollectStructured(void*, xmlErrorPtr error) {
    if (activeCapture != nullptr && error != nullptr && error->message != nullptr)
        activeCapture->Add(error->message);
}

struct ParseState {
    bool hasDocType = false;
};

void RefuseDocType(void* context, const xmlChar*, const xmlChar*, const xmlChar*) {
    auto ctxt = static_cast<xmlParserCtxtPtr>(context);
    static_cast<ParseState*>(ctxt->_private)->hasDocType = true;
    xmlStopParser(ctxt);
}

// The raw bytes as code units of one, two or four bytes, as the document's first bytes show.
class CodeUnits {
public:
    explicit CodeUnits(std::string_view bytes) : m_bytes(bytes) {
        auto starts = [&](std::string_view prefix) { return bytes.substr(0, prefix.size()) == prefix; };
        using namespace std::literals;
        if (starts("\x00\x00\xFE\xFF"sv) || starts("\x00\x00\x00<"sv)) {
            m_width = 4;
            m_bigEndian = true;
        } else if (starts("\xFF\xFE\x00\x00"sv) || starts("<\x00\x00\x00"sv)) {
            m_width = 4;
        } else if (starts("\xFE\xFF"sv) || starts("\x00<"sv)) {
            m_width = 2;
            m_bigEndian = true;
        } else if (starts("\xFF\xFE"sv) || starts("<\x00"sv)) {
            m_width = 2;
        }
    }

    std::size_t Count() const { return m_bytes.size() / m_width; }

    char32_t operator[](std::size_t i) const {
        char32_t unit = 0;
        for (std::size_t k = 0; k < m_width; ++k) {
            const auto byte = static_cast<unsigned char>(m_bytes[i * m_width + (m_bigEndian ? k : m_width - 1 - k)]);
            unit = (unit << 8) | byte;
        }
        return unit;
    }

    bool At(std::size_t i, std::string_view ascii) const {
        if (i + ascii.size() > Count())
            return false;
        for (std::size_t k = 0; k < ascii.size(); ++k)
            if ((*this)[i + k] != static_cast<unsigned char>(ascii[k]))
                return false;
        return true;
    }

private:
    std::string_view m_bytes;
    std::size_t m_width = 1;
    bool m_bigEndian = false;
};

// Skips to just after terminator, from i; answers Count() when it never comes.
std::size_t After(const CodeUnits& units, std::size_t i, std::string_view terminator) {
    for (; i < units.Count(); ++i)
        if (units.At(i, terminator))
            return i + terminator.size();
    return units.Count();
}

} // namespace

void InitXmlLibrary() {
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        // GB2312 proper lacks characters that Chinese names use; documents declared GB2312 are
        // written and read as GBK, its superset.
        xmlAddEncodingAlias("GBK", "GB2312");
        xmlThrDefSetGenericErrorFunc(nullptr, CollectGeneric);
        xmlThrDefSetStructuredErrorFunc(nullptr, CollectStructured);
    });
}

TXMLErrorCapture::TXMLErrorCapture() : m_outer(activeCapture) {
    InitXmlLibrary();
    activeCapture = this;
    // Per thread in libxml2; pointing them here again is harmless.
    xmlSetGenericErrorFunc(nullptr, CollectGeneric);
    xmlSetStructuredErrorFunc(nullptr, CollectStructured);
}

TXMLErrorCapture::~TXMLErrorCapture() {
    activeCapture = m_outer;
}

void TXMLErrorCapture::Add(std::string message) {
    if (m_first.empty())
        m_first = Trimmed(std::move(message));
}

std::string CheckAttributeCounts(std::string_view bytes, std::size_t maxAttributes) {
    const CodeUnits units(bytes);
    const std::size_t count = units.Count();
    std::size_t i = 0;
    while (i < count) {
        if (units[i] != '<') {
            ++i;
        } else if (units.At(i, "<!--")) {
            i = After(units, i + 4, "-->");
        } else if (units.At(i, "<![CDATA[")) {
            i = After(units, i + 9, "]]>");
        } else if (units.At(i, "<?")) {
            i = After(units, i + 2, "?>");
        } else if (units.At(i, "<!")) {
            return ""; // a document type declaration, which the parser refuses
        } else {
            // A start or end tag: each "=" outside quotes joins an attribute's name to its value.
            std::size_t attributes = 0;
            char32_t quote = 0;
            for (++i; i < count; ++i) {
                const char32_t c = units[i];
                if (quote != 0) {
                    quote = c == quote ? 0 : quote;
                } else if (c == '"' || c == '\'') {
                    quote = c;
                } else if (c == '=' && ++attributes > maxAttributes) {
                    return "an element carries more than " + std::to_string(maxAttributes) + " attributes";
                } else if (c == '>') {
                    break;
                }
            }
        }
    }
    return "";
}

xmlDoc* ParseXmlBytes(std::string_view bytes, const char* encoding, int extraOptions, std::size_t maxAttributes,
                      std::string& error) {
    if (bytes.size() > static_cast<std::size_t>(INT_MAX)) {
        error = "the XML document is too large";
        return nullptr;
    }
    if (error = CheckAttributeCounts(bytes, maxAttributes); !error.empty())
        return nullptr;
    TXMLErrorCapture capture;
    xmlParserCtxtPtr ctxt = xmlNewParserCtxt();
    if (ctxt == nullptr) {
        error = "out of memory";
        return nullptr;
    }
    ParseState state;
    ctxt->_private = &state;
    ctxt->sax->internalSubset = RefuseDocType;
    // No XML_PARSE_NOENT or XML_PARSE_DTDLOAD: entities stay unexpanded and no DTD is read.
    const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | extraOptions;
    xmlDocPtr doc =
        xmlCtxtReadMemory(ctxt, bytes.data(), static_cast<int>(bytes.size()), nullptr, encoding, options);
    if (state.hasDocType) {
        error = "document type declarations are not accepted";
    } else if (doc == nullptr || ctxt->wellFormed == 0) {
        const xmlError* last = xmlCtxtGetLastError(ctxt);
        error = "malformed XML document";
        if (last != nullptr && last->line > 0)
            error += " (line " + std::to_string(last->line) + ")";
        if (last != nullptr && last->message != nullptr)
            error += ": " + Trimmed(last->message);
        else if (!capture.FirstError().empty())
            error += ": " + capture.FirstError();
    } else if (xmlDocGetRootElement(doc) == nullptr) {
        error = "the XML document has no document element";
    }
    xmlFreeParserCtxt(ctxt);
    if (!error.empty()) {
        xmlFreeDoc(doc);
        return nullptr;
    }
    return doc;
}

} // namespace xml
