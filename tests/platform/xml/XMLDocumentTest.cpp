#include "platform/xml/XMLDocument.h"

#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Gbk.h"
#include "platform/xml/XMLDocError.h"
#include "tests/platform/rtl/TempFolder.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace xml;

namespace {

// The set-up every package writer uses.
void PreparePackageDocument(TXMLDocument& doc) {
    doc.SetActive(false);
    doc.SetOptions({doNodeAutoCreate, doAttrNull, doAutoPrefix, doNamespaceDecl});
    doc.SetActive(true);
    doc.SetVersion("1.0");
    doc.SetEncoding("GB2312");
}

const std::string kMarkup = "a & b < c > d \" e ' f";
const std::string kChinese = "审计项目资料（二〇二四）";
const std::string kGbkOnly = "朱镕基";                                     // 镕 is in GBK but not in GB2312
const std::string kOutsideGbk = "emoji \xF0\x9F\x98\x80 and \xE2\x82\xA9"; // U+1F600, U+20A9

} // namespace

TEST(XMLDocument, PackageDocumentRoundTripsThroughGbk) {
    TempFolder folder;
    std::string path = folder.Path() + "Package.XML";
    {
        TXMLDocument doc;
        PreparePackageDocument(doc);
        TXMLNode root = doc.AddChild("VekPackage");
        TXMLNode info = root.AddChild("PackageInfo");
        info.SetAttributes("PackageTypeName", "XMGL_PACKAGE_READER");
        info.SetAttributes("PackageCaption", kChinese);
        info.SetAttributes("PackageMemo", "");
        info.SetAttributes("Markup", kMarkup);
        info.SetAttributes("GbkOnly", kGbkOnly);
        info.SetAttributes("Outside", kOutsideGbk);
        info.SetAttributes("Lines", "one\ntwo\r\nthree\tfour");
        TXMLNode items = root.AddChild("ExportItemInfo");
        items.AddChild("项目资料").SetAttributes("AppFileName", "资料\\");
        items.AddChild("项目信息");
        doc.SaveToFile(path);
    }

    std::string bytes = rtl::ReadFileBytes(path);
    const std::string declaration = "<?xml version=\"1.0\" encoding=\"GB2312\"?>";
    ASSERT_EQ(bytes.substr(0, declaration.size()), declaration);
    std::string body = bytes.substr(declaration.size() + 1);
    EXPECT_NE(body.find(rtl::Utf8ToGbk("<VekPackage><PackageInfo PackageTypeName=")), std::string::npos);
    EXPECT_NE(body.find(rtl::Utf8ToGbk(kGbkOnly)), std::string::npos) << "GBK bytes, not a reference";
    EXPECT_NE(body.find("&#128512;"), std::string::npos);
    EXPECT_EQ(body.find("\n"), body.size() - 1) << "no whitespace between elements";

    TXMLDocument loaded;
    loaded.LoadFromFile(path);
    EXPECT_TRUE(loaded.Active());
    EXPECT_EQ(loaded.Version(), "1.0");
    EXPECT_EQ(loaded.Encoding(), "GB2312");
    TXMLNode root = loaded.DocumentElement();
    ASSERT_TRUE(root);
    EXPECT_EQ(root.NodeName(), "VekPackage");
    TXMLNode info = root.ChildNodes().FindNode("PackageInfo");
    ASSERT_TRUE(info);
    EXPECT_EQ(info.AttributeNames(),
              (std::vector<std::string>{"PackageTypeName", "PackageCaption", "PackageMemo", "Markup",
                                        "GbkOnly", "Outside", "Lines"}));
    EXPECT_EQ(info.Attributes("PackageCaption"), kChinese);
    EXPECT_EQ(info.Attributes("PackageMemo"), std::string()) << "an empty value stays an empty attribute";
    EXPECT_EQ(info.Attributes("Markup"), kMarkup);
    EXPECT_EQ(info.Attributes("GbkOnly"), kGbkOnly);
    EXPECT_EQ(info.Attributes("Outside"), kOutsideGbk);
    EXPECT_EQ(info.Attributes("Lines"), "one\ntwo\r\nthree\tfour");
    EXPECT_EQ(info.Attributes("Missing"), std::nullopt);

    TXMLNodeList items = root.ChildNodes().FindNode("ExportItemInfo").ChildNodes();
    ASSERT_EQ(items.Count(), 2);
    EXPECT_EQ(items[0].NodeName(), "项目资料");
    EXPECT_EQ(items[0].Attributes("AppFileName"), "资料\\");
    EXPECT_EQ(items[1].NodeName(), "项目信息");
    EXPECT_FALSE(items[1].HasChildNodes());
}

TEST(XMLDocument, TextContentRoundTrips) {
    TXMLDocument doc;
    doc.SetActive(true);
    doc.SetEncoding("GB2312");
    doc.AddChild("r").SetText(kChinese + kMarkup + kGbkOnly + kOutsideGbk);
    TXMLDocument loaded;
    loaded.LoadFromString(doc.SaveToString());
    EXPECT_EQ(loaded.DocumentElement().Text(), kChinese + kMarkup + kGbkOnly + kOutsideGbk);
}

TEST(XMLDocument, LoadsGb2312GbkAndUtf8Documents) {
    const std::string value = "镕审计";
    struct Case {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"GB2312 declared",
         "<?xml version=\"1.0\" encoding=\"GB2312\"?><r a=\"" + rtl::Utf8ToGbk(value) + "\"/>"},
        {"gb2312 lower case",
         "<?xml version=\"1.0\" encoding=\"gb2312\"?><r a=\"" + rtl::Utf8ToGbk(value) + "\"/>"},
        {"GBK declared", "<?xml version=\"1.0\" encoding=\"GBK\"?><r a=\"" + rtl::Utf8ToGbk(value) + "\"/>"},
        {"UTF-8 declared", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><r a=\"" + value + "\"/>"},
        {"no declaration", "<r a=\"" + value + "\"/>"},
        {"UTF-8 with BOM", "\xEF\xBB\xBF<r a=\"" + value + "\"/>"},
    };
    for (const Case& c : cases) {
        TXMLDocument doc;
        doc.LoadFromString(c.bytes);
        EXPECT_EQ(doc.DocumentElement().Attributes("a"), value) << c.name;
    }
}

TEST(XMLDocument, DocumentFoundUnderEitherSpelling) {
    TempFolder folder;
    TXMLDocument doc;
    doc.SetActive(true);
    doc.AddChild("VekPackage");
    doc.SaveToFile(folder.Path() + "Package.xml");

    TXMLDocument loaded;
    loaded.LoadFromFile(folder.Path() + "Package.XML");
    EXPECT_EQ(loaded.DocumentElement().NodeName(), "VekPackage");
}

TEST(XMLDocument, InvalidNamesRaise) {
    const char* names[] = {"",          "1item", "two words", "a<b",      "a&b",
                           "项目 资料", "-x",    "\xFF\xFE",  "a\xC1\x81"};
    TXMLDocument doc;
    doc.SetActive(true);
    TXMLNode root = doc.AddChild("root");
    for (const char* name : names) {
        EXPECT_THROW(root.AddChild(name), EXMLDocError) << name;
        EXPECT_THROW(root.ChildNodes()[std::string(name)], EXMLDocError) << name;
        EXPECT_THROW(root.SetAttributes(name, "v"), EXMLDocError) << name;
    }
    EXPECT_EQ(root.ChildNodes().Count(), 0) << "a refused name adds nothing";
    try {
        root.AddChild("审计 项目");
        FAIL();
    } catch (const rtl::Exception& e) {
        EXPECT_NE(e.Message().find("审计 项目"), std::string::npos);
    }

    TXMLDocument other;
    other.SetActive(true);
    EXPECT_THROW(other.AddChild("1root"), EXMLDocError);
    EXPECT_FALSE(other.DocumentElement());
}

TEST(XMLDocument, ValuesXmlCannotHoldRaise) {
    TXMLDocument doc;
    doc.SetActive(true);
    TXMLNode root = doc.AddChild("root");
    for (std::string bad :
         {std::string("a\x01"), std::string("\xC3"), std::string("x\0y", 3), std::string("\xEF\xBF\xBE"),
          std::string("\xC1\x81"), std::string("\xED\xA0\x80"), std::string("\xF4\x90\x80\x80")}) {
        EXPECT_THROW(root.SetAttributes("a", bad), EXMLDocError);
        EXPECT_THROW(root.SetText(bad), EXMLDocError);
    }
    EXPECT_FALSE(root.HasAttribute("a"));
}

TEST(XMLDocument, NameOutsideTheEncodingRefusesToSave) {
    TXMLDocument doc;
    doc.SetActive(true);
    doc.SetEncoding("GB2312");
    doc.AddChild("r").AddChild("한국"); // Hangul is a letter, but GBK has no Hangul syllables
    EXPECT_THROW(doc.SaveToString(), EXMLDocError);
    doc.SetEncoding("UTF-8");
    EXPECT_NE(doc.SaveToString().find("<한국/>"), std::string::npos);
}

TEST(XMLDocument, ChildNodesByNameAndIndex) {
    TXMLDocument doc;
    doc.SetActive(true);
    TXMLNode root = doc.ChildNodes()["VekPackage"];
    EXPECT_EQ(doc.DocumentElement(), root) << "auto-created document element";
    EXPECT_FALSE(root.ChildNodes().FindNode("PrjInfo"));
    TXMLNode created = root.ChildNodes()["PrjInfo"];
    EXPECT_EQ(root.ChildNodes()["PrjInfo"], created);
    EXPECT_EQ(root.ChildNodes().FindNode("PrjInfo"), created);
    EXPECT_EQ(created.ParentNode(), root);
    EXPECT_TRUE(root.HasChildNodes());
    EXPECT_EQ(root.ChildNodes().Count(), 1);
    EXPECT_THROW(root.ChildNodes()[1], rtl::EListError);
    EXPECT_THROW(root.ChildNodes()[-1], rtl::EListError);
    EXPECT_THROW(doc.AddChild("Second"), EXMLDocError) << "one document element only";

    doc.SetOptions({doAttrNull});
    EXPECT_THROW(root.ChildNodes()["Missing"], EXMLDocError);
    EXPECT_EQ(root.ChildNodes().Count(), 1);

    TXMLNode missing = root.ChildNodes().FindNode("Missing");
    EXPECT_THROW(missing.Attributes("x"), EXMLDocError);
    EXPECT_THROW(missing.ChildNodes(), EXMLDocError);
}

TEST(XMLDocument, ASiblingWalkVisitsEveryChildOnceInOrder) {
    TXMLDocument doc;
    doc.LoadFromString("<r><a/>text<!--note--><b/><c><d/></c></r>");
    std::vector<std::string> names;
    for (TXMLNode child = doc.DocumentElement().ChildNodes().First(); child; child = child.NextSibling())
        names.push_back(child.NodeName());
    EXPECT_EQ(names, (std::vector<std::string>{"a", "#text", "#comment", "b", "c"}));
    EXPECT_TRUE(doc.DocumentElement().ChildNodes()["a"].ChildNodes().First().IsNull());
    EXPECT_TRUE(doc.DocumentElement().NextSibling().IsNull());
    TXMLNode first = doc.DocumentElement().ChildNodes().First();
    doc.SetActive(false);
    EXPECT_THROW(first.NextSibling(), EXMLDocError) << "a handle of a closed document";
}

TEST(XMLDocument, AttributesNullEmptyAndOrder) {
    TXMLDocument doc;
    doc.SetActive(true);
    TXMLNode node = doc.AddChild("n");
    node.SetAttributes("b", "1");
    node.SetAttributes("a", "");
    node.SetAttributes("c", "3");
    node.SetAttributes("b", "2");
    EXPECT_EQ(node.AttributeNames(), (std::vector<std::string>{"b", "a", "c"}))
        << "replacing keeps the place";
    EXPECT_EQ(doc.SaveToString(), "<n b=\"2\" a=\"\" c=\"3\"/>\n");

    node.SetAttributes("b", std::nullopt);
    EXPECT_FALSE(node.HasAttribute("b"));
    EXPECT_EQ(node.Attributes("b"), std::nullopt);
    node.SetAttributes("b", std::nullopt); // removing an absent attribute is harmless

    doc.SetOptions({});
    EXPECT_EQ(node.Attributes("b"), std::string()) << "without doAttrNull an absent attribute reads empty";
}

TEST(XMLDocument, ActivationAndHandles) {
    TXMLDocument doc;
    EXPECT_FALSE(doc.Active());
    EXPECT_EQ(doc.Options(), (TXMLDocOptions{doNodeAutoCreate, doAttrNull, doAutoPrefix, doNamespaceDecl}));
    EXPECT_THROW(doc.AddChild("x"), EXMLDocError);
    EXPECT_THROW(doc.SaveToString(), EXMLDocError);
    EXPECT_THROW(doc.SetEncoding("GB2312"), EXMLDocError);

    doc.SetActive(true);
    EXPECT_EQ(doc.Version(), "");
    EXPECT_EQ(doc.Encoding(), "");
    TXMLNode root = doc.AddChild("r");
    root.SetText("ü");
    EXPECT_EQ(doc.SaveToString(), "<r>ü</r>\n") << "no declaration, UTF-8 bytes";
    doc.SetVersion("1.0");
    EXPECT_EQ(doc.SaveToString(), "<?xml version=\"1.0\"?>\n<r>ü</r>\n");
    EXPECT_THROW(doc.SetVersion("1.1"), EXMLDocError);

    doc.SetActive(false);
    EXPECT_THROW(root.NodeName(), EXMLDocError) << "a handle of a closed document";
    doc.SetActive(true);
    EXPECT_FALSE(doc.DocumentElement()) << "activating again starts empty";
}

TEST(XMLDocument, IndentAndAutoSaveOptions) {
    TempFolder folder;
    TXMLDocument doc;
    doc.SetOptions({doNodeAutoCreate, doAttrNull, doNodeAutoIndent, doAutoSave});
    doc.SetActive(true);
    doc.AddChild("a").AddChild("b");
    EXPECT_EQ(doc.SaveToString(), "<a>\n  <b/>\n</a>\n");

    doc.SetFileName(folder.Path() + "auto.xml");
    doc.SetActive(false);
    EXPECT_EQ(rtl::ReadFileBytes(folder.Path() + "auto.xml"), "<a>\n  <b/>\n</a>\n");
    doc.SetActive(true);
    EXPECT_EQ(doc.DocumentElement().ChildNodes().Count(), 1) << "activating with a file name loads it";
}

TEST(XMLDocument, UnsupportedEncodingRaises) {
    TXMLDocument doc;
    doc.SetActive(true);
    doc.AddChild("r");
    doc.SetEncoding("NO-SUCH-ENCODING");
    EXPECT_THROW(doc.SaveToString(), EXMLDocError);
    EXPECT_THROW(doc.SetEncoding("a\"b"), EXMLDocError);
}
