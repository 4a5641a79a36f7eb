#include "host/HostControl.h"
#include "tests/support/SampleInstallationTest.h"

#include "platform/ado/ADOCommand.h"
#include "platform/ado/ADODataSet.h"
#include "platform/ado/ADOQuery.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Text.h"

#include <gtest/gtest.h>

#include <filesystem>

using sharemem::CountedText;

namespace {

class ConnectionsTest : public SampleInstallationTest {
protected:
    ConnectionsTest() : SampleInstallationTest("host_connections_test") {}

    static std::string Column(ado::TADOConnection* connection, const std::string& sql,
                              const std::string& column) {
        ado::TADOQuery query;
        query.SetConnection(connection);
        query.SQL().SetText(sql);
        query.Open();
        std::string values;
        for (; !query.Eof(); query.Next())
            values += query.FieldByName(column).AsString() + ";";
        query.SetConnection(nullptr);
        return values;
    }
};

TEST_F(ConnectionsTest, ThePlugInsStatementsRunOnTheHostsDatabases) {
    ado::TADOConnection* base = GetBaseDBConnection();
    ASSERT_NE(base, nullptr);
    EXPECT_TRUE(base->Connected());
    EXPECT_EQ(GetCurPrjDBConnection(), nullptr) << "no project open";

    EXPECT_EQ(Column(base, "select * from Vek_PackMod where ModCheck = -1 order by ModIndex", "ModCaption"),
              "项目信息;项目资料;审计事项;审计分析;");
    EXPECT_EQ(Column(base, "select * from Vek_PackMod order by ModIndex", "modindex"), "1;2;3;4;5;");
    const std::string caption = rtl::Trim(" 项目资料 ");
    EXPECT_EQ(
        Column(
            base,
            "select ModGuid, ModCaption, ModDllFile, EntryID, ModMemo from Vek_PackMod where ModCaption = " +
                rtl::QuotedStr(caption),
            "EntryID"),
        "2;");
    EXPECT_EQ(Column(base, "select ModInPrj from Vek_PackMod where ModCaption =" + rtl::QuotedStr("系统人员"),
                     "ModInPrj"),
              "0;");
    EXPECT_EQ(Column(base,
                     "select ModInPrj from Vek_PackMod where ModCaption =" + rtl::QuotedStr("it's none"),
                     "ModInPrj"),
              "");

    ado::TADOQuery insert;
    insert.SetConnection(base);
    insert.SQL().SetText("Insert into Vek_PrjOption(UserID,Optype,OpMemo,OpTime) values(" +
                         rtl::QuotedStr(tarnwick::AdministratorUserId) + "," + rtl::QuotedStr("导入") + "," +
                         rtl::QuotedStr("project 'X' imported") + "," +
                         rtl::QuotedStr("2026-12-10 14:05:00") + ")");
    EXPECT_EQ(insert.ExecSQL(), 1);
    const auto rows = host::PrjOptionRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].OpMemo, "project 'X' imported");

    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
    ado::TADOConnection* project = GetCurPrjDBConnection();
    ASSERT_NE(project, nullptr);
    EXPECT_EQ(Column(project, "select ResID from Vek_ResTrv where ResTypeName = 'DGGL_SJSX'", "ResID"),
              "R001;");
}

TEST_F(ConnectionsTest, ConnectionsStayValidUntilTheProjectChanges) {
    ado::TADOConnection* base = GetBaseDBConnection();
    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
    ado::TADOConnection* project = GetCurPrjDBConnection();
    ado::TADOQuery query;
    query.SetConnection(project);
    query.SQL().SetText("select ResID from Vek_ResTrv");
    query.Open();

    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
    EXPECT_EQ(GetCurPrjDBConnection(), project) << "the same project stays open";
    EXPECT_TRUE(query.Active());

    ASSERT_TRUE(host::OpenProject(host::SecondProjectId));
    EXPECT_FALSE(query.Active()) << "the old project's connection is gone";
    EXPECT_EQ(query.Connection(), nullptr);
    EXPECT_NE(GetCurPrjDBConnection(), nullptr);
    EXPECT_EQ(GetBaseDBConnection(), base);

    host::CloseProject();
    EXPECT_EQ(GetCurPrjDBConnection(), nullptr);
    host::CloseInstallation();
    EXPECT_EQ(GetBaseDBConnection(), nullptr);
}

TEST_F(ConnectionsTest, ThePersonsFileLoadsAsARecordset) {
    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
    CountedText file;
    GetUserListByPrj(file.Var());
    ASSERT_TRUE(rtl::FileExists(file.Str()));
    ado::TADODataSet persons;
    persons.LoadFromFile(file.Str());
    std::string ids;
    for (; !persons.Eof(); persons.Next())
        ids += persons.FieldByName("PerUUID").AsString() + ";";
    EXPECT_EQ(ids, Column(GetBaseDBConnection(),
                          "select PerUUID from Vek_PrjPerson where PrjID = " +
                              rtl::QuotedStr(host::SampleProjectId) + " order by rowid",
                          "PerUUID"));
    EXPECT_EQ(persons.RecordCount(), 3);
}

} // namespace
