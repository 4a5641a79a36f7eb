#pragma once

#include <cstddef>
#include <string>
#include <string_view>

typedef struct _xmlDoc xmlDoc;

// The one way this system hands text to libxml2, shared by the XML document and the data layer's
// XML files.
namespace xml {

// Far above any document of this system (the package document carries a few dozen attributes on an
// element), far below where libxml2's pairwise check of an element's attributes takes seconds.
inline constexpr std::size_t kMaxAttributesPerElement = 1024;

// Sets the library up once: the GBK alias of GB2312, and silence on standard error for threads
// that never capture.
void InitXmlLibrary();

// While it lives, what libxml2 reports on this thread is collected here instead of being written to
// standard error; the handlers before it come back afterwards.
class TXMLErrorCapture {
public:
    TXMLErrorCapture();
    ~TXMLErrorCapture();
    TXMLErrorCapture(const TXMLErrorCapture&) = delete;
    TXMLErrorCapture& operator=(const TXMLErrorCapture&) = delete;

    // The first report, trimmed, or "".
    const std::string& FirstError() const { return m_first; }
    void Add(std::string message);

private:
    TXMLErrorCapture* m_outer;
    std::string m_first;
};

// Parses without the network, without loading a DTD and without expanding entities; a document type
// declaration and an element with more than maxAttributes attributes are refused. encoding may be
// null (declared or detected). Answers the document, or null with the reason in error (without the
// source's name).
xmlDoc* ParseXmlBytes(std::string_view bytes, const char* encoding, int extraOptions, std::size_t maxAttributes,
                      std::string& error);

// The reason an element carries more than maxAttributes attributes, or "". Reads the raw bytes, in
// any encoding whose markup characters are ASCII, in units of one, two or four bytes.
std::string CheckAttributeCounts(std::string_view bytes, std::size_t maxAttributes);

} // namespace xml
