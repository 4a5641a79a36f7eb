#include "host/Database.h"

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
    if (!create && !rtl::FileExists(path))
        throw rtl::EInOutError("database not found: " + path);
    int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_NOFOLLOW;
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(rtl::ToNativePath(path).c_str(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        std::string reason = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        sqlite3_close(db);
        throw rtl::EInOutError("cannot open database " + path + ": " + reason);
    }
    m_db = db;
    m_path = path;
}

void Database::Close() {
    if (m_db)
        sqlite3_close(m_db);
    m_db = nullptr;
}

void Database::Exec(const std::string& sql) {
    if (!m_db)
        throw rtl::Exception("database not open");
    char* error = nullptr;
    if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::string reason = error ? error : "unknown error";
        sqlite3_free(error);
        throw rtl::Exception(m_path + ": " + reason);
    }
}

void Database::Run(const std::string& sql, const std::vector<std::string>& params) {
    Query(sql, params);
}

std::vector<Database::Row> Database::Query(const std::string& sql, const std::vector<std::string>& params) {
    if (!m_db)
        throw rtl::Exception("database not open");
    Statement s;
    if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &s.stmt, nullptr) != SQLITE_OK)
        throw rtl::Exception(m_path + ": " + sqlite3_errmsg(m_db));
    for (std::size_t i = 0; i < params.size(); ++i)
        sqlite3_bind_text(s.stmt, static_cast<int>(i + 1), params[i].c_str(),
                          static_cast<int>(params[i].size()), SQLITE_TRANSIENT);
    std::vector<Row> rows;
    for (;;) {
        int rc = sqlite3_step(s.stmt);
        if (rc == SQLITE_DONE)
            break;
        if (rc != SQLITE_ROW)
            throw rtl::Exception(m_path + ": " + sqlite3_errmsg(m_db));
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

} // namespace host
