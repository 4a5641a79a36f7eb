// A form resource holds an ADO query and an XML document as components, which the form owns.

#include "platform/ado/ADOQuery.h"
#include "platform/framework/FormResources.h"
#include "platform/framework/Forms.h"
#include "platform/framework/TypInfo.h"
#include "platform/xml/XMLDocument.h"
#include "tests/platform/ado/TestDatabase.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace framework;

class TDataForm : public TForm {
public:
    using TForm::TForm;
};

[[maybe_unused]] const auto registerDataForm = RegisterClass<TDataForm, TForm>("TDataForm");

TEST(DataComponents, QueryAndDocumentComeFromTheFormResource) {
    std::unique_ptr<TDataForm> form(CreateForm<TDataForm>());
    auto* query = dynamic_cast<ado::TADOQuery*>(form->FindComponent("qryItem"));
    auto* document = dynamic_cast<xml::TXMLDocument*>(form->FindComponent("XMLDocument1"));
    ASSERT_NE(query, nullptr);
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(query->Owner(), form.get());
    EXPECT_EQ(query->ClassName(), "TADOQuery");
    EXPECT_EQ(query->SQL().Text(), "select * from Vek_PackMod\r\norder by ModIndex\r\n");
    EXPECT_EQ(document->DOMVendor(), "Any DOM");
    // Where the designer put them: Left in the low half, Top in the high half.
    EXPECT_EQ(query->DesignInfo(), 8 << 16 | 24);
    EXPECT_EQ(document->DesignInfo(), static_cast<std::int32_t>(0xFFFC0000u | 56));
    EXPECT_EQ(document->Options(),
              (xml::TXMLDocOptions{xml::doNodeAutoCreate, xml::doAttrNull, xml::doNodeAutoIndent}));

    // They work as the ones made in code do.
    TestDatabase db;
    db.CreatePackMod();
    query->SetConnection(&db.Connection());
    query->Open();
    EXPECT_EQ(query->RecordCount(), 3);
    EXPECT_EQ(query->FieldByName("ModCaption").AsString(), "项目资料");
    document->SetActive(true);
    document->AddChild("VekPackage").AddChild("PackageInfo");
    EXPECT_NE(document->SaveToString().find("\n  <PackageInfo/>"), std::string::npos)
        << document->SaveToString();

    // The writer gives them back as they were read.
    std::string text = WriteComponentText(*form);
    TDataForm copy(nullptr);
    ReadComponentText(copy, text, "DataFormCopy");
    EXPECT_EQ(WriteComponentText(copy), text);
    EXPECT_NE(text.find("object qryItem: TADOQuery"), std::string::npos) << text;
    EXPECT_NE(text.find("DOMVendor = 'Any DOM'"), std::string::npos) << text;
    EXPECT_NE(text.find("Left = 56\n    Top = -4"), std::string::npos) << text;
    EXPECT_NE(text.find("Options = [doNodeAutoCreate, doAttrNull, doNodeAutoIndent]"), std::string::npos)
        << text;
}

TEST(DataComponents, CreatedByNameWithAnOwner) {
    TComponent owner(nullptr);
    for (const char* name : {"TADOQuery", "TXMLDocument"}) {
        const TClassInfo& info = GetClassInfo(name);
        ASSERT_TRUE(info.CanCreate()) << name;
        TComponent* made = info.Create(&owner);
        EXPECT_EQ(made->Owner(), &owner);
        EXPECT_EQ(made->ClassName(), name);
    }
    EXPECT_EQ(owner.ComponentCount(), 2);
    // Made in code without an owner, as before.
    ado::TADOQuery query;
    xml::TXMLDocument document;
    EXPECT_EQ(query.Owner(), nullptr);
    EXPECT_EQ(document.Owner(), nullptr);
}

} // namespace
