#include "platform/ado/ADODataSet.h"
#include "platform/ado/ADOQuery.h"
#include "platform/ado/DatabaseError.h"
#include "platform/rtl/FileSystem.h"
#include "tests/platform/ado/TestDatabase.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <utility>
#include <vector>

namespace {

TEST(RecordsetXml, PersonsRoundTripThroughTheFile) {
    TestDatabase db;
    db.Connection().Execute(
        "create table Persons(PerUUID text, PerName text, Age integer, Score real, Photo blob);"
        "insert into Persons values('0001', 'Anna <\"&''>', 31, 2.5, x'00FF10');"
        "insert into Persons values('0002', null, null, -0.1, null);"
        "insert into Persons values('0004', ' two' || char(13, 10) || 'lines' || char(9) || ' ', 0, 0, null);"
        "insert into Persons values('0003', '张三', 9000000000, 1e300, x'');");
    ado::TADOQuery query;
    query.SetConnection(&db.Connection());
    query.SQL().SetText("select * from Persons order by PerUUID");
    query.Open();
    const std::string file = db.Path("persons.xml");
    query.SaveToFile(file);

    ado::TADODataSet loaded;
    loaded.LoadFromFile(file);
    ASSERT_TRUE(loaded.Active());
    ASSERT_EQ(loaded.RecordCount(), 4);
    ASSERT_EQ(loaded.FieldCount(), 5);
    EXPECT_EQ(loaded.Fields()[0].FieldName(), "PerUUID");
    EXPECT_EQ(loaded.FieldByName("peruuid").AsString(), "0001");
    EXPECT_EQ(loaded.FieldByName("PerName").AsString(), "Anna <\"&'>");
    EXPECT_EQ(loaded.FieldByName("Age").AsInteger(), 31);
    EXPECT_EQ(loaded.FieldByName("Score").AsFloat(), 2.5);
    EXPECT_EQ(loaded.FieldByName("Photo").AsString(), std::string("\x00\xFF\x10", 3));
    loaded.Next();
    EXPECT_EQ(loaded.FieldByName("PerUUID").AsString(), "0002");
    EXPECT_TRUE(loaded.FieldByName("PerName").IsNull());
    EXPECT_TRUE(loaded.FieldByName("Age").IsNull());
    EXPECT_EQ(loaded.FieldByName("Score").AsFloat(), -0.1);
    EXPECT_TRUE(loaded.FieldByName("Photo").IsNull());
    loaded.Next();
    EXPECT_EQ(loaded.FieldByName("PerName").AsString(), "张三");
    EXPECT_EQ(loaded.FieldByName("Age").AsLargeInt(), 9000000000);
    EXPECT_EQ(loaded.FieldByName("Score").AsFloat(), 1e300);
    EXPECT_FALSE(loaded.FieldByName("Photo").IsNull());
    EXPECT_EQ(loaded.FieldByName("Photo").AsString(), "");
    loaded.Next();
    EXPECT_EQ(loaded.FieldByName("PerName").AsString(), " two\r\nlines\t ");
    loaded.Next();
    EXPECT_TRUE(loaded.Eof());
}

TEST(RecordsetXml, ColumnsThatAreNoXmlNamesKeepTheirNames) {
    TestDatabase db;
    ado::TADOQuery query;
    query.SetConnection(&db.Connection());
    query.SQL().SetText("select 1 as \"two words\", 2 as \"1st\", 3 as c1, 4 as \"x:y\"");
    query.Open();
    const std::string file = db.Path("names.xml");
    query.SaveToFile(file);

    ado::TADODataSet loaded;
    loaded.LoadFromFile(file);
    ASSERT_EQ(loaded.FieldCount(), 4);
    EXPECT_EQ(loaded.FieldByName("two words").AsInteger(), 1);
    EXPECT_EQ(loaded.FieldByName("1st").AsInteger(), 2);
    EXPECT_EQ(loaded.FieldByName("c1").AsInteger(), 3);
    EXPECT_EQ(loaded.FieldByName("x:y").AsInteger(), 4);
}

TEST(RecordsetXml, ReadsTheFormWithOtherNamespacesAndColumnPositions) {
    TestDatabase db;
    const std::string file = db.Path("other.xml");
    rtl::WriteFileBytes(file, R"(<?xml version="1.0" encoding="UTF-8"?>
<xml xmlns:s="urn:a" xmlns:dt="urn:b" xmlns:rs="urn:c" xmlns:z="#RowsetSchema">
<s:Schema id="RowsetSchema">
 <s:ElementType name="row" content="eltOnly" rs:updatable="true">
  <s:AttributeType name="c2" rs:name="Per Name" rs:number="2" rs:nullable="true">
   <s:datatype dt:type="string" dt:maxLength="50"/>
  </s:AttributeType>
  <s:AttributeType name="PerUUID" rs:number="1">
   <s:datatype dt:type="string" rs:dbtype="str" dt:maxLength="18" rs:maybenull="false"/>
  </s:AttributeType>
  <s:AttributeType name="Active" rs:number="3"><s:datatype dt:type="boolean"/></s:AttributeType>
  <s:extends type="rs:rowbase"/>
 </s:ElementType>
</s:Schema>
<rs:data>
 <z:row PerUUID="100000000000000001" c2="Admin" Active="True"/>
 <z:row PerUUID="200000000000000011" Active="false"/>
</rs:data>
</xml>)");
    ado::TADODataSet persons;
    persons.LoadFromFile(file);
    ASSERT_EQ(persons.FieldCount(), 3);
    EXPECT_EQ(persons.Fields()[0].FieldName(), "PerUUID");
    EXPECT_EQ(persons.Fields()[1].FieldName(), "Per Name");
    ASSERT_EQ(persons.RecordCount(), 2);
    EXPECT_EQ(persons.FieldByName("PerUUID").AsString(), "100000000000000001");
    EXPECT_TRUE(persons.FieldByName("Active").AsBoolean());
    persons.Next();
    EXPECT_EQ(persons.FieldByName("PerUUID").AsString(), "200000000000000011");
    EXPECT_TRUE(persons.FieldByName("Per Name").IsNull());
    EXPECT_FALSE(persons.FieldByName("Active").AsBoolean());
}

TEST(RecordsetXml, AnEmptyRecordsetLoadsAsAnOpenEmptyDataset) {
    TestDatabase db;
    db.Connection().Execute("create table Persons(PerUUID text)");
    ado::TADOQuery query;
    query.SetConnection(&db.Connection());
    query.SQL().SetText("select PerUUID from Persons");
    query.Open();
    const std::string file = db.Path("empty.xml");
    query.SaveToFile(file);

    ado::TADODataSet loaded;
    loaded.LoadFromFile(file);
    EXPECT_TRUE(loaded.Active());
    EXPECT_TRUE(loaded.IsEmpty());
    EXPECT_TRUE(loaded.Eof());
    EXPECT_NE(loaded.FindField("PerUUID"), nullptr);
}

TEST(RecordsetXml, FilesThatHoldNoRecordsetRaise) {
    TestDatabase db;
    const struct {
        const char* name;
        const char* content;
    } cases[] = {
        {"empty", ""},
        {"text", "PerUUID\n0001\n"},
        {"other element", "<DATAPACKET Version=\"2.0\"/>"},
        {"no schema", "<xml><data/></xml>"},
        {"broken", "<xml><s:Schema xmlns:s=\"urn:a\">"},
        {"doctype", "<!DOCTYPE xml [<!ENTITY e \"boom\">]><xml>&e;</xml>"},
        {"external entity", "<!DOCTYPE xml [<!ENTITY e SYSTEM \"file:///etc/passwd\">]><xml>&e;</xml>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = db.Path("bad.xml");
        rtl::WriteFileBytes(file, c.content);
        ado::TADODataSet loaded;
        EXPECT_THROW(loaded.LoadFromFile(file), ado::EDatabaseError);
        EXPECT_FALSE(loaded.Active());
    }
    ado::TADODataSet missing;
    EXPECT_THROW(missing.LoadFromFile(db.Path("missing.xml")), ado::EDatabaseError);
}

TEST(RecordsetXml, SavingAClosedDatasetRaisesAndWritesNothing) {
    TestDatabase db;
    ado::TADODataSet closed;
    EXPECT_THROW(closed.SaveToFile(db.Path("closed.xml")), ado::EDatabaseError);
    EXPECT_FALSE(rtl::FileExists(db.Path("closed.xml")));
}

TEST(RecordsetXml, AFileInTheOldCodePageWithoutADeclarationReads) {
    TestDatabase db;
    const std::string file = db.Path("gbk.xml");
    // "张三" in the two-byte code page.
    rtl::WriteFileBytes(file,
                        "<xml xmlns:s=\"urn:a\" xmlns:rs=\"urn:c\" xmlns:z=\"#RowsetSchema\"><s:Schema>"
                        "<s:ElementType name=\"row\"><s:AttributeType name=\"PerName\"/></s:ElementType>"
                        "</s:Schema><rs:data><z:row PerName=\"\xD5\xC5\xC8\xFD\"/></rs:data></xml>");
    ado::TADODataSet loaded;
    loaded.LoadFromFile(file);
    EXPECT_EQ(loaded.FieldByName("PerName").AsString(), "张三");
}

} // namespace

namespace {

// A persisted recordset of the given width whose rows hold only the values given (row, column).
std::string WideRecordset(int columns, int rows, const std::vector<std::pair<int, int>>& values) {
    std::string xml = "<xml xmlns:s=\"s\" xmlns:dt=\"dt\" xmlns:rs=\"rs\" xmlns:z=\"#RowsetSchema\"><s:Schema "
                      "id=\"RowsetSchema\"><s:ElementType name=\"row\" content=\"eltOnly\">";
    for (int c = 0; c < columns; ++c)
        xml += "<s:AttributeType name=\"c" + std::to_string(c) + "\" rs:number=\"" + std::to_string(c + 1) +
               "\"><s:datatype dt:type=\"string\"/></s:AttributeType>";
    xml += "</s:ElementType></s:Schema><rs:data>";
    for (int r = 0; r < rows; ++r) {
        xml += "<z:row";
        for (const auto& [row, column] : values)
            if (row == r)
                xml += " c" + std::to_string(column) + "=\"v" + std::to_string(column) + "\"";
        xml += "/>";
    }
    return xml + "</rs:data></xml>";
}

} // namespace

TEST(RecordsetXml, WideSparseRecordsetsReadTheirValues) {
    TestDatabase db;
    const std::string file = db.Path("wide.xml");
    // Written in reverse column order: the file's order of attributes does not matter.
    rtl::WriteFileBytes(file, WideRecordset(2000, 2000, {{0, 1999}, {0, 5}, {1999, 0}}));
    ado::TADODataSet loaded;
    loaded.LoadFromFile(file);
    ASSERT_EQ(loaded.FieldCount(), 2000);
    ASSERT_EQ(loaded.RecordCount(), 2000);
    EXPECT_EQ(loaded.FieldByName("c1999").AsString(), "v1999");
    EXPECT_EQ(loaded.FieldByName("c5").AsString(), "v5");
    EXPECT_TRUE(loaded.FieldByName("c0").IsNull());
    loaded.Last();
    EXPECT_EQ(loaded.FieldByName("c0").AsString(), "v0");
    EXPECT_TRUE(loaded.FieldByName("c1999").IsNull());
}

#if !defined(__SANITIZE_ADDRESS__)
TEST(RecordsetXml, ExhaustedMemoryIsADatabaseError) {
    TestDatabase db;
    const std::string file = db.Path("large.xml");
    std::vector<std::pair<int, int>> values;
    for (int r = 0; r < 3000; ++r)
        for (int c = 0; c < 300; ++c)
            values.emplace_back(r, c);
    rtl::WriteFileBytes(file, WideRecordset(300, 3000, values));
    // In a child, so that the limit on its address space spares the test runner.
    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        std::ifstream statm("/proc/self/statm");
        unsigned long pages = 0;
        statm >> pages;
        const rlim_t limit = pages * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) + (rlim_t(24) << 20);
        const rlimit bound{limit, limit};
        ::setrlimit(RLIMIT_AS, &bound);
        int code = 3;
        try {
            ado::TADODataSet loaded;
            loaded.LoadFromFile(file);
            code = 2;
        } catch (const ado::EDatabaseError&) {
            code = 0;
        } catch (...) {
            code = 1;
        }
        ::_exit(code);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: another exception escaped; 2: it loaded within the bound";
}
#endif
