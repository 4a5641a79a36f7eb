#pragma once

#include <string>
#include <vector>

// Rows of a database table moved through a file of their own: a small SQLite database holding the
// table with its declared columns, so every value keeps its type.
namespace host::modules {

// Writes the rows of table in database that match where (an SQL condition over the table's
// columns, "" for all rows; params bound in order) to file, replacing it. Answers the number of rows.
int ExportRows(const std::string& database, const std::string& table, const std::string& where,
               const std::vector<std::string>& params, const std::string& file);

// What a merge does with a row whose key the table knows already.
enum class KnownRows { TakeFileValues, StayAsTheyAre };

// Merges the rows of table in file into table in database by its primary key: rows with a new key are
// added, rows with a known key take the file's values or stay as they are. Only columns both tables
// have are moved; a file without the table or without the key column raises. Answers the number of
// the file's rows with a key; the rows are never all held in memory, as a file may carry a whole
// project's table.
int MergeRows(const std::string& database, const std::string& table, const std::string& file,
              KnownRows known = KnownRows::TakeFileValues);

// Runs a query on a database file opened for reading; every value as text (NULL as empty).
std::vector<std::vector<std::string>> ReadRows(const std::string& database, const std::string& sql,
                                               const std::vector<std::string>& params = {});

} // namespace host::modules
