#pragma once

#include <sqlite3.h>

#include <string>
#include <vector>

namespace host {

// A SQLite database of the installation. Every value goes in as a bound parameter; every value
// comes out as text (NULL reads as empty).
class Database {
public:
    using Row = std::vector<std::string>;

    Database() = default;
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Raises rtl::EInOutError when the file cannot be opened (or, without create, does not exist).
    void Open(const std::string& path, bool create);
    void Close();
    bool IsOpen() const { return m_db != nullptr; }

    void Exec(const std::string& sql);
    void Run(const std::string& sql, const std::vector<std::string>& params);
    std::vector<Row> Query(const std::string& sql, const std::vector<std::string>& params = {});

private:
    sqlite3* m_db = nullptr;
    std::string m_path;
};

} // namespace host
