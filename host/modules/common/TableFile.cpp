#include "host/modules/common/TableFile.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"

#include <sqlite3.h>

#include <algorithm>

namespace host::modules {

namespace {

class Connection {
public:
    enum Mode { ReadOnly, ReadWrite, Create };
    Connection(const std::string& path, bool create) : Connection(path, create ? Create : ReadWrite) {}
    Connection(const std::string& path, Mode mode) {
        const int flags = mode == ReadOnly
                              ? SQLITE_OPEN_READONLY
                              : SQLITE_OPEN_READWRITE | (mode == Create ? SQLITE_OPEN_CREATE : 0);
        if (sqlite3_open_v2(rtl::ToNativePath(path).c_str(), &m_db, flags, nullptr) != SQLITE_OK) {
            std::string why = m_db ? sqlite3_errmsg(m_db) : "out of memory";
            sqlite3_close(m_db);
            throw rtl::EInOutError("cannot open " + path + ": " + why);
        }
        sqlite3_busy_timeout(m_db, 5000);
        // Files come from packages: nothing in them may run functions or reach outside.
        sqlite3_db_config(m_db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
        sqlite3_db_config(m_db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    }
    ~Connection() { sqlite3_close(m_db); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Runs sql with text parameters; answers the rows as text.
    std::vector<std::vector<std::string>> Query(const std::string& sql,
                                                const std::vector<std::string>& params = {}) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
            throw rtl::Exception(std::string("SQL error: ") + sqlite3_errmsg(m_db) + " in " + sql);
        for (std::size_t i = 0; i < params.size(); ++i)
            sqlite3_bind_text(stmt, static_cast<int>(i + 1), params[i].c_str(),
                              static_cast<int>(params[i].size()), SQLITE_TRANSIENT);
        std::vector<std::vector<std::string>> rows;
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            std::vector<std::string> row;
            for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
                const unsigned char* text = sqlite3_column_text(stmt, c);
                row.emplace_back(text ? reinterpret_cast<const char*>(text) : "");
            }
            rows.push_back(std::move(row));
        }
        std::string why = sqlite3_errmsg(m_db);
        sqlite3_finalize(stmt);
        if (rc != SQLITE_DONE)
            throw rtl::Exception("SQL error: " + why + " in " + sql);
        return rows;
    }
    void Exec(const std::string& sql, const std::vector<std::string>& params = {}) { Query(sql, params); }
    int Changes() const { return sqlite3_changes(m_db); }

private:
    sqlite3* m_db = nullptr;
};

std::string Quoted(const std::string& name) {
    std::string q = "\"";
    for (char c : name)
        q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + "\"";
}

struct Column {
    std::string name;
    bool key = false;
};

std::vector<Column> Columns(Connection& db, const std::string& schema, const std::string& table) {
    std::vector<Column> columns;
    for (const auto& row :
         db.Query("select name, pk from " + Quoted(schema) + ".pragma_table_info(?)", {table}))
        columns.push_back({row.at(0), row.at(1) != "0"});
    return columns;
}

bool HasTable(Connection& db, const std::string& schema, const std::string& table) {
    return !db.Query("select name from " + Quoted(schema) +
                         ".sqlite_master where type = 'table' and name = ?",
                     {table})
                .empty();
}

} // namespace

int ExportRows(const std::string& database, const std::string& table, const std::string& where,
               const std::vector<std::string>& params, const std::string& file) {
    Connection db(database, false);
    auto create = db.Query("select sql from sqlite_master where type = 'table' and name = ?", {table});
    if (create.empty())
        throw rtl::Exception("no table " + table + " in " + database);
    rtl::DeleteFile(file);
    {
        Connection out(file, true);
        out.Exec(create.front().at(0));
    }
    db.Exec("attach database ? as rowfile", {rtl::ToNativePath(file)});
    try {
        db.Exec("insert into rowfile." + Quoted(table) + " select * from main." + Quoted(table) +
                    (where.empty() ? "" : " where " + where),
                params);
    } catch (...) {
        db.Exec("detach database rowfile");
        throw;
    }
    const int rows = db.Changes();
    db.Exec("detach database rowfile");
    return rows;
}

int MergeRows(const std::string& database, const std::string& table, const std::string& file,
              KnownRows known) {
    if (!rtl::FileExists(file))
        throw rtl::EInOutError("no row file " + file);
    Connection db(database, false);
    db.Exec("attach database ? as rowfile", {rtl::ToNativePath(file)});
    struct Detach {
        Connection& db;
        ~Detach() {
            try {
                db.Exec("detach database rowfile");
            } catch (...) {
            }
        }
    } detach{db};
    if (!HasTable(db, "rowfile", table))
        throw rtl::Exception("the row file holds no table " + table);
    const std::vector<Column> target = Columns(db, "main", table);
    const std::vector<Column> source = Columns(db, "rowfile", table);
    auto it = std::find_if(target.begin(), target.end(), [](const Column& c) { return c.key; });
    if (it == target.end())
        throw rtl::Exception("table " + table + " has no key");
    const std::string key = it->name;
    auto inSource = [&](const std::string& name) {
        return std::any_of(source.begin(), source.end(), [&](const Column& c) { return c.name == name; });
    };
    if (!inSource(key))
        throw rtl::Exception("the row file lacks the key column " + key);
    std::string names, updates;
    for (const Column& c : target) {
        if (!inSource(c.name))
            continue;
        names += (names.empty() ? "" : ", ") + Quoted(c.name);
        if (c.name != key && known == KnownRows::TakeFileValues)
            updates += (updates.empty() ? "" : ", ") + Quoted(c.name) + " = excluded." + Quoted(c.name);
    }
    const int merged = std::stoi(
        db.Query("select count(*) from rowfile." + Quoted(table) + " where " + Quoted(key) + " is not null")
            .at(0)
            .at(0));
    db.Exec("begin");
    try {
        db.Exec("insert into main." + Quoted(table) + " (" + names + ") select " + names + " from rowfile." +
                Quoted(table) + " where " + Quoted(key) + " is not null on conflict(" + Quoted(key) +
                ") do " + (updates.empty() ? "nothing" : "update set " + updates));
        db.Exec("commit");
    } catch (...) {
        db.Exec("rollback");
        throw;
    }
    return merged;
}

std::vector<std::vector<std::string>> ReadRows(const std::string& database, const std::string& sql,
                                               const std::vector<std::string>& params) {
    if (!rtl::FileExists(database))
        throw rtl::EInOutError("no database " + database);
    Connection db(database, Connection::ReadOnly);
    return db.Query(sql, params);
}

} // namespace host::modules
