#include "platform/xml/XMLDocument.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"
#include "platform/xml/XMLDocError.h"
#include "tests/platform/rtl/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

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
