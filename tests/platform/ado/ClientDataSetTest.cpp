#include "platform/ado/ClientDataSet.h"
#include "platform/ado/DatabaseError.h"
#include "platform/rtl/FileSystem.h"
#include "tests/platform/rtl/TempFolder.h"

#include <gtest/gtest.h>

namespace {

constexpr char packet[] = R"(<?xml version="1.0" standalone="yes"?>
<DATAPACKET Version="2.0">
<METADATA><FIELDS>
<FIELD attrname="ResID" fieldtype="string" WIDTH="38"/>
<FIELD attrname="Size" fieldtype="i4"/>
<FIELD attrname="Rate" fieldtype="r8"/>
<FIELD attrname="Done" fieldtype="boolean"/>
</FIELDS><PARAMS/></METADATA>
<ROWDATA>
<ROW ResID="{A}" Size="12" Rate="0.25" Done="TRUE"/>
<ROW ResID="&lt;B&gt;&#13;&#10;C" Done="FALSE"/>
</ROWDATA>
</DATAPACKET>)";

TEST(ClientDataSet, LoadsADataPacket) {
    TempFolder folder;
    rtl::WriteFileBytes(folder.Path() + "p.xml", packet);
    ado::TClientDataSet cds;
    EXPECT_TRUE(cds.IsDataNull());
    cds.LoadFromFile(folder.Path() + "p.xml");
    EXPECT_FALSE(cds.IsDataNull());
    ASSERT_EQ(cds.RecordCount(), 2);
    EXPECT_EQ(cds.FieldByName("resid").AsString(), "{A}");
    EXPECT_EQ(cds.FieldByName("Size").AsInteger(), 12);
    EXPECT_EQ(cds.FieldByName("Rate").AsFloat(), 0.25);
    EXPECT_TRUE(cds.FieldByName("Done").AsBoolean());
    cds.Next();
    EXPECT_EQ(cds.FieldByName("ResID").AsString(), "<B>\r\nC");
    EXPECT_TRUE(cds.FieldByName("Size").IsNull());
    EXPECT_FALSE(cds.FieldByName("Done").AsBoolean());
    cds.Next();
    EXPECT_TRUE(cds.Eof());

    cds.SaveToFile(folder.Path() + "copy.xml");
    ado::TClientDataSet copy;
    copy.LoadFromFile(folder.Path() + "copy.xml");
    ASSERT_EQ(copy.RecordCount(), 2);
    EXPECT_TRUE(copy.FieldByName("Done").AsBoolean());
    EXPECT_EQ(copy.FieldByName("Rate").AsFloat(), 0.25);
    copy.Last();
    EXPECT_EQ(copy.FieldByName("ResID").AsString(), "<B>\r\nC");
}

TEST(ClientDataSet, AnEmptyFileIsNullDataAndAPacketWithoutRowsIsNot) {
    TempFolder folder;
    rtl::WriteFileBytes(folder.Path() + "p.xml", packet);
    rtl::WriteFileBytes(folder.Path() + "empty.xml", "");
    rtl::WriteFileBytes(
        folder.Path() + "norows.xml",
        "<DATAPACKET Version=\"2.0\"><METADATA><FIELDS><FIELD attrname=\"A\" fieldtype=\"i4\"/>"
        "</FIELDS></METADATA><ROWDATA/></DATAPACKET>");
    ado::TClientDataSet cds;
    cds.LoadFromFile(folder.Path() + "p.xml");
    cds.LoadFromFile(folder.Path() + "empty.xml");
    EXPECT_TRUE(cds.IsDataNull());
    EXPECT_FALSE(cds.Active());
    cds.LoadFromFile(folder.Path() + "norows.xml");
    EXPECT_FALSE(cds.IsDataNull());
    EXPECT_TRUE(cds.IsEmpty());
}

TEST(ClientDataSet, FilesThatAreNoPacketRaise) {
    TempFolder folder;
    const struct {
        const char* name;
        const char* content;
    } cases[] = {
        {"text", "ResID=1"},
        {"blank", "  \n"},
        {"other document", "<xml><rs:data xmlns:rs=\"urn:a\"/></xml>"},
        {"no fields", "<DATAPACKET Version=\"2.0\"><ROWDATA/></DATAPACKET>"},
        {"truncated", "<DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"},
        {"entity",
         "<!DOCTYPE DATAPACKET [<!ENTITY e SYSTEM \"file:///etc/passwd\">]><DATAPACKET>&e;</DATAPACKET>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        rtl::WriteFileBytes(folder.Path() + "bad.xml", c.content);
        ado::TClientDataSet cds;
        EXPECT_THROW(cds.LoadFromFile(folder.Path() + "bad.xml"), ado::EDatabaseError);
        EXPECT_TRUE(cds.IsDataNull());
    }
    ado::TClientDataSet cds;
    EXPECT_THROW(cds.LoadFromFile(folder.Path() + "missing.xml"), ado::EDatabaseError);
    EXPECT_THROW(cds.Open(), ado::EDatabaseError);
}

} // namespace
