#include "host/Database.h"

#include "platform/ado/DatabaseError.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"

namespace host {

namespace {

struct Statement {
    sqlite3_stmt* stmt = nullptr;
    ~Statement() { sqlite3_finalize(stmt); }
};

} // namespace

Database::~Database() {
    Close();
}

void Database::Open(const std::string& path, bool create) {
    Close();
    auto connection = std::make_unique<ado::TADOConnection>(path);
    connection->SetCreateIfMissing(create);
    try {
        connection->Open();
    } catch (const ado::EDatabaseError& e) {
        throw rtl::EInOutError(e.what());
    }
    m_connection = std::move(connection);
    m_path = path;
}

void Database::Close() {
    m_connection.reset();
}

sqlite3* Database::Handle() const {
    if (!m_connection)
        throw rtl::Exception("database not open");
    return m_connection->Handle();
}

void Database::Exec(const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(Handle(), sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::string reason = error ? error : "unknown error";
        sqlite3_free(error);
        throw rtl::Exception(m_path + ": " + reason);
    }
}

void Database::Run(const std::string& sql, const std::vector<std::string>& params) {
    Query(sql, params);
}

std::vector<Database::Row> Database::Query(const std::string& sql, const std::vector<std::string>& params) {
    sqlite3* db = Handle();
    Statement s;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &s.stmt, nullptr) != SQLITE_OK)
        throw rtl::Exception(m_path + ": " + sqlite3_errmsg(db));
    for (std::size_t i = 0; i < params.size(); ++i)
        sqlite3_bind_text(s.stmt, static_cast<int>(i + 1), params[i].c_str(),
                          static_cast<int>(params[i].size()), SQLITE_TRANSIENT);
    std::vector<Row> rows;
    for (;;) {
        int rc = sqlite3_step(s.stmt);
        if (rc == SQLITE_DONE)
            break;
        if (rc != SQLITE_ROW)
            throw rtl::Exception(m_path + ": " + sqlite3_errmsg(db));
        Row row;
        int n = sqlite3_column_count(s.stmt);
        for (int c = 0; c < n; ++c) {
            const unsigned char* text = sqlite3_column_text(s.stmt, c);
            row.emplace_back(text ? reinterpret_cast<const char*>(text) : "");
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

Transaction::Transaction(Database& db) : m_db(db) {
    m_db.Exec("begin immediate");
}

Transaction::~Transaction() {
    if (!m_open)
        return;
    try {
        m_db.Exec("rollback");
    } catch (const rtl::Exception&) {
        // A commit that failed for want of space or a write error has rolled back already.
    }
}

void Transaction::Commit() {
    m_db.Exec("commit");
    m_open = false;
}

} // namespace host
