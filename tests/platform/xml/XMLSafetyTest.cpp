#include "platform/xml/XMLDocument.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"
#include "platform/xml/XMLDocError.h"
#include "platform/xml/XMLListLength.h"
#include "platform/xml/XMLParser.h"
#include "tests/platform/rtl/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include <unistd.h>

using namespace xml;

namespace {

// Loads the bytes from a file called Package.XML; answers the error message, or "" when it loaded.
std::string LoadError(const TempFolder& folder, const std::string& bytes) {
    std::string path = folder.Path() + "Package.XML";
    rtl::WriteFileBytes(path, bytes);
    TXMLDocument doc;
    try {
        doc.LoadFromFile(path);
    } catch (const EXMLDocError& e) {
        EXPECT_FALSE(doc.Active());
        EXPECT_NE(e.Message().find(path), std::string::npos) << "the error names the file: " << e.Message();
        return e.Message();
    }
    return "";
}

} // namespace

TEST(XMLSafety, MalformedDocumentsRaiseNamingTheFile) {
    TempFolder folder;
    const char* documents[] = {
        "",
        "   ",
        "<VekPackage><PackageInfo></VekPackage>",
        "<VekPackage>",
        "<a/><b/>",
        "<a x=\"1\" x=\"2\"/>",
        "<a>&undefined;</a>",
        "<?xml version=\"1.0\" encoding=\"GBK\"?><a b=\"\x81\"/>",
        "<?xml version=\"1.0\"?><a>\xFF</a>",
        "not xml at all",
    };
    for (const char* bytes : documents)
        EXPECT_NE(LoadError(folder, bytes), "") << "loaded: " << bytes;
}

TEST(XMLSafety, DocumentTypeDeclarationsAreRefusedAndNothingIsExpanded) {
    TempFolder folder;
    std::string secret = folder.Path() + "secret.txt";
    rtl::WriteFileBytes(secret, "TOP-SECRET");
    const std::string documents[] = {
        "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY x SYSTEM \"file://" + secret +
            "\">]><r a=\"1\">&x;</r>",
        "<!DOCTYPE r [<!ENTITY x SYSTEM \"" + secret + "\">]><r>&x;</r>",
        "<!DOCTYPE r SYSTEM \"file://" + secret + "\"><r/>",
        "<!DOCTYPE r SYSTEM \"http://127.0.0.1:9/r.dtd\"><r/>",
        "<!DOCTYPE r [<!ENTITY % p SYSTEM \"file://" + secret + "\"> %p;]><r/>",
        "<!DOCTYPE r [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
        "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">]><r v=\"&c;\">&c;</r>",
    };
    for (const std::string& bytes : documents) {
        std::string error = LoadError(folder, bytes);
        EXPECT_NE(error.find("document type declarations are not accepted"), std::string::npos) << bytes;
        EXPECT_EQ(error.find("TOP-SECRET"), std::string::npos);
    }
}

TEST(XMLSafety, PredefinedAndCharacterReferencesStillWork) {
    TXMLDocument doc;
    doc.LoadFromString("<r a=\"&lt;&amp;&gt;&quot;&apos;&#x9555;&#128512;\">&#38;amp;</r>");
    EXPECT_EQ(doc.DocumentElement().Attributes("a"), "<&>\"'镕\xF0\x9F\x98\x80");
    EXPECT_EQ(doc.DocumentElement().Text(), "&amp;");
}

TEST(XMLSafety, MissingFileRaises) {
    TempFolder folder;
    TXMLDocument doc;
    EXPECT_THROW(doc.LoadFromFile(folder.Path() + "Package.XML"), rtl::Exception);
    EXPECT_FALSE(doc.Active());
    EXPECT_THROW(doc.LoadFromFile(), EXMLDocError) << "no file name at all";
}

namespace {

// Everything written to standard error while run runs.
std::string StandardErrorOf(const std::function<void()>& run) {
    std::fflush(stderr);
    FILE* capture = std::tmpfile();
    const int saved = ::dup(STDERR_FILENO);
    ::dup2(::fileno(capture), STDERR_FILENO);
    run();
    std::fflush(stderr);
    ::dup2(saved, STDERR_FILENO);
    ::close(saved);
    std::string text;
    std::rewind(capture);
    for (int c; (c = std::fgetc(capture)) != EOF;)
        text += static_cast<char>(c);
    std::fclose(capture);
    return text;
}

std::string ElementWithAttributes(std::size_t count) {
    std::string text = "<r";
    for (std::size_t i = 0; i < count; ++i)
        text += " a" + std::to_string(i) + "=\"v\"";
    return text + "/>";
}

} // namespace

TEST(XMLSafety, LibraryErrorsReachTheExceptionNotStandardError) {
    TempFolder folder;
    std::string encodingError;
    const std::string output = StandardErrorOf([&] {
        encodingError = LoadError(folder, "<?xml version=\"1.0\" encoding=\"GBK\"?><a b=\"\x81\"/>");
        LoadError(folder, "<?xml version=\"1.0\" encoding=\"no-such-encoding\"?><a/>");
        LoadError(folder, "\xFF\xFE<\x00");
        TXMLDocument doc;
        doc.LoadFromString("<a/>");
        doc.SetEncoding("no-such-encoding");
        EXPECT_THROW(doc.SaveToString(), EXMLDocError);
    });
    EXPECT_EQ(output, "");
    EXPECT_NE(encodingError.find("line 1"), std::string::npos) << encodingError;
}

TEST(XMLSafety, ElementsWithAbsurdNumbersOfAttributesAreRefused) {
    TXMLDocument doc;
    doc.LoadFromString(ElementWithAttributes(kMaxAttributesPerElement));
    EXPECT_EQ(doc.DocumentElement().Attributes("a1023"), "v");

    std::string huge = ElementWithAttributes(100000);
    std::string utf16;
    for (char c : "<?xml version=\"1.0\" encoding=\"UTF-16\"?>" + huge)
        utf16 += std::string{c, '\0'};
    for (const std::string& text : {ElementWithAttributes(kMaxAttributesPerElement + 1), huge,
                                    "<r><!-- a=1 --><x " + huge.substr(3), "\xFF\xFE" + utf16}) {
        try {
            doc.LoadFromString(text);
            ADD_FAILURE() << "loaded " << text.substr(0, 40);
        } catch (const EXMLDocError& e) {
            EXPECT_NE(e.Message().find("attributes"), std::string::npos) << e.Message();
        }
    }
    // Equals signs in text, comments, quoted values and processing instructions are no attributes.
    std::string equals(5000, '=');
    doc.LoadFromString("<r a=\"" + equals + "\"><?p " + equals + "?><!--" + equals + "--><![CDATA[" + equals +
                       "]]>" + equals + "</r>");
    EXPECT_EQ(doc.DocumentElement().Attributes("a"), equals);
}

TEST(XMLSafety, ListLengthsAreToldByStreamingTheDocument) {
    TempFolder folder;
    const struct {
        const char* what;
        std::string bytes;
        std::size_t maxChildren;
        bool longer;
    } cases[] = {
        {"a list at its bound", "<a><b/><b/><b/></a>", 3, false},
        {"a list beyond it", "<a><b/><b/><b/></a>", 2, true},
        {"a nested list beyond it", "<a><b><c/><c/><c/></b><b/></a>", 2, true},
        {"siblings' children are counted apart", "<a><b><c/><c/></b><b><c/><c/></b></a>", 2, false},
        {"text and comments are no entries", "<a>x<!--c--><b/>y<b/><![CDATA[z]]></a>", 2, false},
        {"a declared GB2312 document", "<?xml version=\"1.0\" encoding=\"GB2312\"?><a><b/><b/></a>", 1, true},
        {"a list beyond the bound before the document breaks", "<a><b/><b/><b/>", 2, true},
        {"a broken document", "<a><b></a>", 5, false},
        {"a document type declaration", "<!DOCTYPE a [<!ENTITY e 'x'>]><a><b/><b/><b/></a>", 2, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = folder.Path() + "PrjInfo.xml";
        rtl::WriteFileBytes(path, c.bytes);
        EXPECT_EQ(HoldsListLongerThan(path, c.maxChildren), c.longer);
    }
    EXPECT_FALSE(HoldsListLongerThan(folder.Path() + "missing.xml", 0));
}
