#pragma once

#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace ado {

class TADOConnection;

// Anything that runs its statements on a connection. The connection tells it when it closes and
// when it goes away, so no client is left with a dangling connection.
class TConnectionClient {
public:
    TConnectionClient() = default;
    TConnectionClient(const TConnectionClient&) = delete;
    TConnectionClient& operator=(const TConnectionClient&) = delete;

    TADOConnection* Connection() const { return m_connection; }
    void SetConnection(TADOConnection* connection);

protected:
    ~TConnectionClient();
    // The connection is closing or being destroyed; a dataset closes itself here.
    virtual void ConnectionClosing() {}
    // The open connection's database, or EDatabaseError when there is no connection.
    sqlite3* ConnectedHandle() const;

private:
    friend class TADOConnection;
    TADOConnection* m_connection = nullptr;
};

// A connection to one database file. The host opens it and hands it to the plug-in, which only
// sets it as its queries' connection; closing and destroying it are the host's affair.
class TADOConnection {
public:
    TADOConnection() = default;
    explicit TADOConnection(std::string databaseFile);
    TADOConnection(const TADOConnection&) = delete;
    TADOConnection& operator=(const TADOConnection&) = delete;
    virtual ~TADOConnection();

    const std::string& DatabaseFile() const { return m_databaseFile; }
    // Raises EDatabaseError while connected.
    void SetDatabaseFile(std::string databaseFile);
    // Off by default: opening a missing file raises instead of creating an empty database.
    bool CreateIfMissing() const { return m_createIfMissing; }
    void SetCreateIfMissing(bool create) { m_createIfMissing = create; }

    bool Connected() const { return m_db != nullptr; }
    void SetConnected(bool connected);
    // A file that is missing or not a database raises EDatabaseError.
    void Open();
    // Closes every dataset of the connection first; an open transaction is rolled back.
    void Close();

    // Runs the statements of the text; answers the rows they changed.
    int Execute(std::string_view sql);

    void BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    bool InTransaction() const;

    // The database handle, null when not connected.
    sqlite3* Handle() const { return m_db; }

private:
    friend class TConnectionClient;
    void CloseClients();

    std::string m_databaseFile;
    bool m_createIfMissing = false;
    sqlite3* m_db = nullptr;
    std::vector<TConnectionClient*> m_clients;
};

} // namespace ado
