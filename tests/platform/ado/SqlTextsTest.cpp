#include "platform/ado/ADOCommand.h"
#include "platform/ado/ADOQuery.h"
#include "platform/rtl/Text.h"
#include "tests/platform/ado/TestDatabase.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The statements the plug-in runs, built exactly as it builds them.
class SqlTextsTest : public ::testing::Test {
protected:
    SqlTextsTest() {
        m_db.CreatePackMod();
        m_db.Connection().Execute(
            "create table Vek_PrjOption(UserID text, Optype text, OpMemo text, OpTime text);"
            "create table Vek_ResTrv(ResID text, ResTypeName text, ResCaption text);"
            "insert into Vek_ResTrv values('R1', 'DGGL_SJSX', 'audit item');"
            "insert into Vek_ResTrv values('R2', 'OTHER', 'other');");
        m_query.SetConnection(&m_db.Connection());
    }

    std::string Column(const std::string& sql, const std::string& column) {
        m_query.Close();
        m_query.SQL().SetText(sql);
        m_query.Open();
        std::string values;
        for (; !m_query.Eof(); m_query.Next())
            values += m_query.FieldByName(column).AsString() + ";";
        return values;
    }

    TestDatabase m_db;
    ado::TADOQuery m_query;
};

TEST_F(SqlTextsTest, ModuleLists) {
    EXPECT_EQ(Column("select * from Vek_PackMod where ModCheck = -1 order by ModIndex", "modguid"),
              "{A1};{C3};");
    EXPECT_EQ(Column("select * from Vek_PackMod order by ModIndex", "ModGUID"), "{B2};{A1};{C3};");
    EXPECT_EQ(m_query.FieldByName("EntryID").AsInteger(), 13); // Eof stays on the last record
    m_query.First();
    EXPECT_EQ(m_query.FieldByName("EntryID").AsInteger(), 12);
    EXPECT_EQ(m_query.FieldByName("ModInPrj").AsInteger(), 1);
}

TEST_F(SqlTextsTest, AuditItemsOfTheProject) {
    EXPECT_EQ(Column("select ResID from Vek_ResTrv where ResTypeName = 'DGGL_SJSX'", "ResID"), "R1;");
    EXPECT_FALSE(m_query.IsEmpty());
}

TEST_F(SqlTextsTest, ModuleRowByCaptionWithAQuote) {
    const std::string caption = rtl::Trim("  Bob's module ");
    m_query.SQL().SetText(
        "select ModGuid, ModCaption, ModDllFile, EntryID, ModMemo from Vek_PackMod where ModCaption = " +
        rtl::QuotedStr(caption));
    m_query.Open();
    ASSERT_EQ(m_query.RecordCount(), 1);
    std::string row;
    for (int i = 0; i < m_query.FieldCount(); ++i)
        row += m_query.Fields()[i].AsString() + "|";
    EXPECT_EQ(row, "{C3}|Bob's module|Mod\\Bob.dll|13||");
    EXPECT_TRUE(m_query.FieldByName("modmemo").IsNull());
}

TEST_F(SqlTextsTest, OneColumnByCaptionWithoutABlankAfterTheEqualsSign) {
    for (const char* caption : {"项目资料", "Bob's module", "missing '; drop table Vek_PackMod; --"}) {
        SCOPED_TRACE(caption);
        const std::string sql = std::string("select ") + "ModInPrj" +
                                " from Vek_PackMod where ModCaption =" + rtl::QuotedStr(rtl::Trim(caption));
        const std::string expected = std::string(caption) == "项目资料" ? "1;"
                                     : std::string(caption)[0] == 'B'   ? "2;"
                                                                        : "";
        EXPECT_EQ(Column(sql, "ModInPrj"), expected);
    }
    EXPECT_EQ(Column("select count(*) as N from Vek_PackMod", "N"), "3;");
}

TEST_F(SqlTextsTest, OperationRecordWithQuotesInEveryValue) {
    auto q = [](const std::string& s) { return rtl::QuotedStr(s); };
    const std::string sql = "Insert into Vek_PrjOption(UserID,Optype,OpMemo,OpTime) values(" +
                            q("100000000000000001") + "," + q("导入'项目'") + "," + q("it's \"done\"") + "," +
                            q("2026-12-10 14:05:00") + ")";
    ado::TADOCommand command;
    command.SetConnection(&m_db.Connection());
    command.SetCommandText(sql);
    EXPECT_EQ(command.Execute(), 1);
    m_query.SQL().SetText(sql);
    EXPECT_EQ(m_query.ExecSQL(), 1);
    EXPECT_EQ(Column("select OpMemo from Vek_PrjOption", "OpMemo"), "it's \"done\";it's \"done\";");
    EXPECT_EQ(Column("select Optype from Vek_PrjOption", "optype"), "导入'项目';导入'项目';");
}

} // namespace
