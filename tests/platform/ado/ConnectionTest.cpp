#include "platform/ado/ADOCommand.h"
#include "platform/ado/ADOConnection.h"
#include "platform/ado/ADOQuery.h"
#include "platform/ado/DatabaseError.h"
#include "platform/rtl/FileSystem.h"
#include "tests/platform/ado/TestDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace {

TEST(Connection, OpeningRefusesWhatIsNoDatabase) {
    TempFolder folder;
    ado::TADOConnection missing(folder.Path() + "missing.db");
    EXPECT_THROW(missing.Open(), ado::EDatabaseError);
    EXPECT_FALSE(missing.Connected());
    EXPECT_FALSE(rtl::FileExists(folder.Path() + "missing.db"));

    rtl::WriteFileBytes(folder.Path() + "text.db",
                        "this is not a database file, only some text to fill a page");
    ado::TADOConnection text(folder.Path() + "text.db");
    EXPECT_THROW(text.Open(), ado::EDatabaseError);
    EXPECT_FALSE(text.Connected());

    ado::TADOConnection dir(folder.Path());
    EXPECT_THROW(dir.Open(), ado::EDatabaseError);
    ado::TADOConnection none;
    EXPECT_THROW(none.Open(), ado::EDatabaseError);
}

// A database in a folder reached through a link opens; a database file that is itself a link does not.
TEST(Connection, LinksHigherUpInThePathAreFollowedButTheFileIsNoLink) {
    TempFolder folder;
    std::filesystem::create_directories(folder.Path() + "real/inner");
    std::filesystem::create_directory_symlink(folder.Path() + "real", folder.Path() + "linked");
    {
        ado::TADOConnection created(folder.Path() + "linked/inner/base.db");
        created.SetCreateIfMissing(true);
        ASSERT_NO_THROW(created.Open());
        created.Execute("create table T (A integer); insert into T values (7)");
    }
    ado::TADOConnection reopened(folder.Path() + "linked\\INNER\\base.db");
    ASSERT_NO_THROW(reopened.Open());
    ado::TADOQuery query;
    query.SetConnection(&reopened);
    query.SQL().SetText("select A from T");
    query.Open();
    EXPECT_EQ(query.FieldByName("A").AsInteger(), 7);
    EXPECT_TRUE(std::filesystem::is_regular_file(folder.Path() + "real/inner/base.db"));

    std::filesystem::create_symlink(folder.Path() + "real/inner/base.db", folder.Path() + "real/link.db");
    std::filesystem::create_symlink(folder.Path() + "real/none.db", folder.Path() + "real/dangling.db");
    for (const std::string name : {"real/link.db", "linked/link.db", "linked/dangling.db"}) {
        SCOPED_TRACE(name);
        ado::TADOConnection link(folder.Path() + name);
        link.SetCreateIfMissing(true);
        EXPECT_THROW(link.Open(), ado::EDatabaseError);
        EXPECT_FALSE(link.Connected());
    }
    EXPECT_FALSE(std::filesystem::exists(folder.Path() + "real/none.db")) << "nothing is made through a link";
}

TEST(Connection, QueriesWithoutAnOpenConnectionRaise) {
    ado::TADOQuery query;
    query.SQL().SetText("select 1");
    EXPECT_THROW(query.Open(), ado::EDatabaseError);
    EXPECT_THROW(query.ExecSQL(), ado::EDatabaseError);

    TestDatabase db;
    db.Connection().Close();
    query.SetConnection(&db.Connection());
    EXPECT_THROW(query.Open(), ado::EDatabaseError);
}

TEST(Connection, ClosingTheConnectionClosesItsDatasets) {
    TestDatabase db;
    ado::TADOQuery query;
    query.SetConnection(&db.Connection());
    query.SQL().SetText("select 1 as One");
    query.Open();
    db.Connection().Close();
    EXPECT_FALSE(query.Active());
    db.Connection().Open();
    query.Open();
    EXPECT_EQ(query.FieldByName("one").AsInteger(), 1);
}

TEST(Connection, DatasetsSurviveTheirConnectionAndTheOtherWayRound) {
    TempFolder folder;
    auto query = std::make_unique<ado::TADOQuery>();
    {
        ado::TADOConnection connection(folder.Path() + "a.db");
        connection.SetCreateIfMissing(true);
        connection.Open();
        query->SetConnection(&connection);
        query->SQL().SetText("select 1");
        query->Open();
    }
    EXPECT_FALSE(query->Active());
    EXPECT_EQ(query->Connection(), nullptr);
    EXPECT_THROW(query->Open(), ado::EDatabaseError);

    ado::TADOConnection connection(folder.Path() + "a.db");
    connection.Open();
    query->SetConnection(&connection);
    query.reset();
    connection.Close();
}

TEST(Connection, CommandsRunStatementsAndTransactionsRollBack) {
    TestDatabase db;
    ado::TADOCommand command;
    command.SetConnection(&db.Connection());
    command.SetCommandText("create table T(ID integer, Name text); insert into T values(1, 'a');"
                           "insert into T values(2, 'b')");
    EXPECT_EQ(command.Execute(), 2);
    command.SetCommandText("update T set Name = :Name where ID = :ID");
    command.Parameters().ParamByName("Name").SetAsString("it's");
    command.Parameters().ParamByName("id").SetAsInteger(2);
    EXPECT_EQ(command.Execute(), 1);

    db.Connection().BeginTrans();
    EXPECT_TRUE(db.Connection().InTransaction());
    db.Connection().Execute("delete from T");
    db.Connection().RollbackTrans();
    EXPECT_FALSE(db.Connection().InTransaction());

    ado::TADOQuery query;
    query.SetConnection(&db.Connection());
    query.SQL().SetText("select Name from T order by ID");
    query.Open();
    EXPECT_EQ(query.RecordCount(), 2);
    query.Last();
    EXPECT_EQ(query.FieldByName("Name").AsString(), "it's");

    command.SetCommandText("insert into T values(3, 'c'); insert into Nowhere values(1)");
    EXPECT_THROW(command.Execute(), ado::EDatabaseError);
}

} // namespace
