#include "platform/xml/XMLListLength.h"

#include "platform/rtl/FileSystem.h"
#include "platform/xml/XMLParser.h"

#include <libxml/xmlreader.h>

#include <memory>
#include <vector>

namespace xml {

namespace {

struct ReaderCloser {
    void operator()(xmlTextReader* reader) const { xmlFreeTextReader(reader); }
};

} // namespace

bool HoldsListLongerThan(const std::string& fileName, std::size_t maxChildren) {
    TXMLErrorCapture capture;
    // No XML_PARSE_NOENT or XML_PARSE_DTDLOAD: entities stay unexpanded and no DTD is read.
    const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
    const std::unique_ptr<xmlTextReader, ReaderCloser> reader(
        xmlReaderForFile(rtl::ToNativePath(fileName).c_str(), nullptr, options));
    if (!reader)
        return false;
    // The child elements seen so far of each element on the path to the current one.
    std::vector<std::size_t> children;
    while (xmlTextReaderRead(reader.get()) == 1) {
        const int type = xmlTextReaderNodeType(reader.get());
        if (type == XML_READER_TYPE_DOCUMENT_TYPE)
            return false;
        if (type != XML_READER_TYPE_ELEMENT)
            continue;
        const int depth = xmlTextReaderDepth(reader.get());
        if (depth < 0)
            return false;
        children.resize(static_cast<std::size_t>(depth));
        if (!children.empty() && ++children.back() > maxChildren)
            return true;
        children.push_back(0);
    }
    return false;
}

} // namespace xml
