#include "platform/ado/ADOQuery.h"
#include "platform/ado/DatabaseError.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Text.h"
#include "tests/platform/ado/TestDatabase.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class DataSetTest : public ::testing::Test {
protected:
    DataSetTest() {
        m_db.Connection().Execute("create table T(ID integer, Name text, Amount real);"
                                  "insert into T values(1, 'one', 1.5);"
                                  "insert into T values(2, 'two', null);"
                                  "insert into T values(3, '3', -2);");
        m_query.SetConnection(&m_db.Connection());
    }

    void OpenAll() {
        m_query.SQL().SetText("select * from T order by ID");
        m_query.Open();
    }
    int Id() const { return m_query.FieldByName("ID").AsInteger(); }

    TestDatabase m_db;
    ado::TADOQuery m_query;
};

TEST_F(DataSetTest, CursorSteps) {
    OpenAll();
    // Each step: the move, then the record it stands on and the two flags.
    const struct {
        const char* move;
        int id;
        bool bof, eof;
    } steps[] = {
        {"open", 1, true, false},   {"next", 2, false, false}, {"next", 3, false, false},
        {"next", 3, false, true},   {"next", 3, false, true},  {"prior", 2, false, false},
        {"prior", 1, false, false}, {"prior", 1, true, false}, {"prior", 1, true, false},
        {"next", 2, false, false},  {"last", 3, false, true},  {"first", 1, true, false},
    };
    for (const auto& s : steps) {
        const std::string move = s.move;
        if (move == "next")
            m_query.Next();
        else if (move == "prior")
            m_query.Prior();
        else if (move == "first")
            m_query.First();
        else if (move == "last")
            m_query.Last();
        SCOPED_TRACE(move + " to " + std::to_string(s.id));
        EXPECT_EQ(Id(), s.id);
        EXPECT_EQ(m_query.Bof(), s.bof);
        EXPECT_EQ(m_query.Eof(), s.eof);
    }
}

TEST_F(DataSetTest, TheUsualLoopVisitsEveryRecordOnce) {
    OpenAll();
    std::string seen;
    while (!m_query.Eof()) {
        seen += m_query.FieldByName("Name").AsString() + ";";
        m_query.Next();
    }
    EXPECT_EQ(seen, "one;two;3;");
    EXPECT_EQ(m_query.RecordCount(), 3);
}

TEST_F(DataSetTest, AnEmptyResultHasBothFlagsAndNullFields) {
    m_query.SQL().SetText("select * from T where ID > 10");
    m_query.Open();
    EXPECT_TRUE(m_query.IsEmpty());
    EXPECT_TRUE(m_query.Eof());
    EXPECT_TRUE(m_query.Bof());
    EXPECT_EQ(m_query.RecordCount(), 0);
    m_query.Next();
    m_query.Prior();
    EXPECT_TRUE(m_query.Eof());
    EXPECT_TRUE(m_query.FieldByName("Name").IsNull());
    EXPECT_EQ(m_query.FieldByName("ID").AsInteger(), 0);
}

TEST_F(DataSetTest, FieldsAreFoundIgnoringCaseAndByPosition) {
    OpenAll();
    for (const char* name : {"ID", "id", "Id", "NAME", "name", "aMoUnT"})
        EXPECT_NE(m_query.FindField(name), nullptr) << name;
    EXPECT_EQ(&m_query.FieldByName("name"), &m_query.Fields()[1]);
    EXPECT_EQ(m_query.Fields()[2].FieldName(), "Amount");
    EXPECT_EQ(m_query.FindField("Nam"), nullptr);
    EXPECT_THROW(m_query.FieldByName("Missing"), ado::EDatabaseError);
    EXPECT_THROW(m_query.Fields()[3], ado::EDatabaseError);
    EXPECT_THROW(m_query.Fields()[-1], ado::EDatabaseError);
}

TEST_F(DataSetTest, FieldConversions) {
    OpenAll();
    const ado::TField& id = m_query.FieldByName("ID");
    const ado::TField& name = m_query.FieldByName("Name");
    const ado::TField& amount = m_query.FieldByName("Amount");
    EXPECT_EQ(id.AsString(), "1");
    EXPECT_EQ(id.AsFloat(), 1.0);
    EXPECT_EQ(amount.AsFloat(), 1.5);
    EXPECT_FALSE(amount.IsNull());
    EXPECT_THROW(name.AsInteger(), rtl::EConvertError);
    m_query.Next();
    EXPECT_TRUE(amount.IsNull());
    EXPECT_EQ(amount.AsString(), "");
    EXPECT_EQ(amount.AsFloat(), 0.0);
    m_query.Next();
    EXPECT_EQ(name.AsInteger(), 3);
    EXPECT_EQ(amount.AsInteger(), -2);
}

TEST_F(DataSetTest, ClosedDatasetsRefuseToMove) {
    EXPECT_FALSE(m_query.Active());
    EXPECT_THROW(m_query.Next(), ado::EDatabaseError);
    EXPECT_THROW(m_query.RecordCount(), ado::EDatabaseError);
    EXPECT_TRUE(m_query.IsEmpty());
    OpenAll();
    m_query.SetActive(false);
    EXPECT_EQ(m_query.FieldCount(), 0);
    EXPECT_THROW(m_query.First(), ado::EDatabaseError);
}

TEST_F(DataSetTest, TheTextIsReadWhenTheQueryOpens) {
    OpenAll();
    m_query.Close();
    m_query.SQL().SetText("select Name from T where ID = 2");
    m_query.Open();
    EXPECT_EQ(m_query.FieldCount(), 1);
    EXPECT_EQ(m_query.FieldByName("Name").AsString(), "two");
}

TEST_F(DataSetTest, FailingTextsRaiseAndLeaveTheQueryClosed) {
    for (const char* sql : {"select * from Missing", "selec * from T", "", "-- nothing",
                            "insert into T values(9, 'x', 0)", "select 1; select 2"}) {
        SCOPED_TRACE(sql);
        m_query.SQL().SetText(sql);
        EXPECT_THROW(m_query.Open(), ado::EDatabaseError);
        EXPECT_FALSE(m_query.Active());
    }
    // A value with a NUL would cut the statement short; the rest must not be dropped silently.
    m_query.SQL().SetText("select ID from T where Name = 'one'" + std::string(1, '\0') + " and ID = 2");
    EXPECT_THROW(m_query.Open(), ado::EDatabaseError);
    m_query.SQL().SetText("select count(*) as N from T");
    m_query.Open();
    EXPECT_EQ(m_query.FieldByName("N").AsInteger(), 3);
}

TEST_F(DataSetTest, QuotedValuesAndParametersCarryQuotes) {
    const std::string caption = "Bob's \"best\" module";
    m_query.SQL().SetText("insert into T(ID, Name) values(10, " + rtl::QuotedStr(caption) + ")");
    EXPECT_EQ(m_query.ExecSQL(), 1);
    m_query.SQL().SetText("select ID from T where Name = " + rtl::QuotedStr(caption));
    m_query.Open();
    ASSERT_EQ(m_query.RecordCount(), 1);
    EXPECT_EQ(Id(), 10);
    m_query.Close();

    m_query.SQL().SetText("select ID from T where Name = :Caption or Name = ':NotAParameter'");
    ASSERT_EQ(m_query.Parameters().Count(), 1);
    m_query.Parameters().ParamByName("caption").SetAsString(caption + "'; drop table T; --");
    m_query.Open();
    EXPECT_TRUE(m_query.IsEmpty());
    m_query.Close();
    m_query.Parameters().ParamByName("Caption").SetAsString(caption);
    m_query.Open();
    EXPECT_EQ(Id(), 10);
}

TEST_F(DataSetTest, DuplicateColumnNamesStayReachable) {
    m_query.SQL().SetText("select a.ID, b.ID from T a join T b on b.ID = a.ID + 1 order by a.ID");
    m_query.Open();
    EXPECT_EQ(m_query.FieldByName("ID").AsInteger(), 1);
    EXPECT_EQ(m_query.FieldByName("ID_1").AsInteger(), 2);
}

} // namespace
