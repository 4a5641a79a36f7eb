#pragma once

#include "platform/ado/ADOConnection.h"

#include <sqlite3.h>

#include <memory>
#include <string>
#include <vector>

namespace host {

// A SQLite database of the installation. Every value goes in as a bound parameter; every value
// comes out as text (NULL reads as empty). The host's own statements and the plug-in's queries share
// one connection, so each sees what the other wrote.
class Database {
public:
    using Row = std::vector<std::string>;

    Database() = default;
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Raises rtl::EInOutError when the file cannot be opened (or, without create, does not exist).
    void Open(const std::string& path, bool create);
    // Destroys the connection handed out; the datasets on it are closed and let go of it.
    void Close();
    bool IsOpen() const { return m_connection != nullptr; }

    // The connection the host hands to the plug-in, valid until Close; null when closed.
    ado::TADOConnection* Connection() const { return m_connection.get(); }

    void Exec(const std::string& sql);
    void Run(const std::string& sql, const std::vector<std::string>& params);
    std::vector<Row> Query(const std::string& sql, const std::vector<std::string>& params = {});

private:
    sqlite3* Handle() const;

    std::unique_ptr<ado::TADOConnection> m_connection;
    std::string m_path;
};

// One transaction on a database, rolled back unless committed. It takes the write lock when it
// begins, so that what was checked inside it still holds at the commit.
class Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void Commit();

private:
    Database& m_db;
    bool m_open = true;
};

} // namespace host
