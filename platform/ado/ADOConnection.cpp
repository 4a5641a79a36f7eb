#include "platform/ado/ADOConnection.h"

#include "platform/ado/DatabaseError.h"
#include "platform/ado/Statement.h"
#include "platform/rtl/FileSystem.h"

#include <sqlite3.h>

#include <algorithm>
#include <filesystem>

namespace ado {

namespace {

// SQLITE_OPEN_NOFOLLOW refuses a link anywhere in the path. Only a database file that is itself a
// link is refused here; links higher up are the user's own layout, so SQLite is given the path
// with the folder's links resolved.
std::string PathForSqlite(const std::string& databaseFile) {
    const std::filesystem::path native(rtl::ToNativePath(databaseFile));
    if (!native.has_parent_path())
        return native.string();
    const std::string folder = rtl::ResolvedPath(native.parent_path().string());
    return folder.empty() ? native.string() : (std::filesystem::path(folder) / native.filename()).string();
}

} // namespace

void TConnectionClient::SetConnection(TADOConnection* connection) {
    if (m_connection == connection)
        return;
    ConnectionClosing();
    if (m_connection)
        std::erase(m_connection->m_clients, this);
    m_connection = connection;
    if (m_connection)
        m_connection->m_clients.push_back(this);
}

TConnectionClient::~TConnectionClient() {
    if (m_connection)
        std::erase(m_connection->m_clients, this);
}

sqlite3* TConnectionClient::ConnectedHandle() const {
    if (!m_connection)
        throw EDatabaseError("Missing Connection");
    if (!m_connection->Connected())
        throw EDatabaseError("The connection to \"" + m_connection->DatabaseFile() + "\" is not open");
    return m_connection->Handle();
}

TADOConnection::TADOConnection(std::string databaseFile) : m_databaseFile(std::move(databaseFile)) {}

TADOConnection::~TADOConnection() {
    Close();
    for (TConnectionClient* client : m_clients)
        client->m_connection = nullptr;
}

void TADOConnection::SetDatabaseFile(std::string databaseFile) {
    if (Connected())
        throw EDatabaseError("Cannot change the database file of an open connection");
    m_databaseFile = std::move(databaseFile);
}

void TADOConnection::SetConnected(bool connected) {
    if (connected)
        Open();
    else
        Close();
}

void TADOConnection::Open() {
    if (m_db)
        return;
    if (m_databaseFile.empty())
        throw EDatabaseError("No database file given");
    if (rtl::DirectoryExists(m_databaseFile))
        throw EDatabaseError("\"" + m_databaseFile + "\" is a folder, not a database file");
    if (!m_createIfMissing && !rtl::FileExists(m_databaseFile))
        throw EDatabaseError("Database file \"" + m_databaseFile + "\" not found");
    const std::string path = PathForSqlite(m_databaseFile);
    sqlite3* db = nullptr;
    const int flags =
        SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOFOLLOW | (m_createIfMissing ? SQLITE_OPEN_CREATE : 0);
    if (sqlite3_open_v2(path.c_str(), &db, flags, nullptr) != SQLITE_OK) {
        const std::string message = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close_v2(db);
        throw EDatabaseError("Cannot open database \"" + m_databaseFile + "\": " + message);
    }
    sqlite3_busy_timeout(db, 5000);
    // Opening reads nothing; this read finds a file that is not a database now rather than later.
    if (sqlite3_exec(db, "select count(*) from sqlite_schema", nullptr, nullptr, nullptr) != SQLITE_OK) {
        const std::string message = sqlite3_errmsg(db);
        sqlite3_close_v2(db);
        throw EDatabaseError("Cannot open database \"" + m_databaseFile + "\": " + message);
    }
    m_db = db;
}

void TADOConnection::CloseClients() {
    const std::vector<TConnectionClient*> clients = m_clients;
    for (TConnectionClient* client : clients)
        client->ConnectionClosing();
}

void TADOConnection::Close() {
    if (!m_db)
        return;
    CloseClients();
    sqlite3_close_v2(m_db);
    m_db = nullptr;
}

int TADOConnection::Execute(std::string_view sql) {
    if (!m_db)
        throw EDatabaseError("The connection to \"" + m_databaseFile + "\" is not open");
    return ExecuteStatements(m_db, sql, TParameters());
}

void TADOConnection::BeginTrans() {
    Execute("begin");
}
void TADOConnection::CommitTrans() {
    Execute("commit");
}
void TADOConnection::RollbackTrans() {
    Execute("rollback");
}

bool TADOConnection::InTransaction() const {
    return m_db && sqlite3_get_autocommit(m_db) == 0;
}

} // namespace ado
