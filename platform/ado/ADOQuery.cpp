#include "platform/ado/ADOQuery.h"

#include "platform/ado/DatabaseError.h"
#include "platform/ado/Statement.h"
#include "platform/framework/TypInfo.h"

namespace ado {

std::vector<std::string> TADOQuery::SQLLines() const {
    std::vector<std::string> lines;
    for (int i = 0; i < m_sql.Count(); ++i)
        lines.push_back(m_sql.Strings(i));
    return lines;
}

void TADOQuery::SetSQLLines(const std::vector<std::string>& lines) {
    m_sql.Clear();
    for (const std::string& line : lines)
        m_sql.Add(line);
}

TParameters& TADOQuery::Parameters() {
    m_parameters.Refresh(m_sql.Text());
    return m_parameters;
}

int TADOQuery::ExecSQL() {
    try {
        sqlite3* db = ConnectedHandle();
        const std::string text = m_sql.Text();
        return ExecuteStatements(db, text, Parameters());
    } catch (const EDatabaseError& e) {
        RaiseError(e.what());
    }
}

TRowSet TADOQuery::InternalOpen() {
    try {
        sqlite3* db = ConnectedHandle();
        const std::string text = m_sql.Text();
        return QueryRows(db, text, Parameters());
    } catch (const EDatabaseError& e) {
        RaiseError(e.what());
    }
}

namespace {

[[maybe_unused]] const auto registerDataSet =
    framework::RegisterClass<TDataSet, framework::TComponent>("TDataSet");
[[maybe_unused]] const auto registerCustomADODataSet =
    framework::RegisterClass<TCustomADODataSet, TDataSet>("TCustomADODataSet");
[[maybe_unused]] const auto registerADOQuery =
    framework::RegisterClass<TADOQuery, TCustomADODataSet>("TADOQuery")
        .Strings("SQL", &TADOQuery::SQLLines, &TADOQuery::SetSQLLines);

} // namespace

} // namespace ado
