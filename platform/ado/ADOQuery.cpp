#include "platform/ado/ADOQuery.h"

#include "platform/ado/DatabaseError.h"
#include "platform/ado/Statement.h"

namespace ado {

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

} // namespace ado
