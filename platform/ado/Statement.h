#pragma once

#include "platform/ado/Parameters.h"
#include "platform/ado/RowSet.h"

#include <string_view>

struct sqlite3;

namespace ado {

// Runs one statement that yields rows and fetches all of them. A text with no statement, more than
// one statement, or a statement without a result set raises EDatabaseError before anything runs.
TRowSet QueryRows(sqlite3* db, std::string_view sql, const TParameters& parameters);

// Runs every statement of the text in order; answers the number of rows they inserted, changed or
// deleted. A failing statement raises, and the statements after it do not run.
int ExecuteStatements(sqlite3* db, std::string_view sql, const TParameters& parameters);

} // namespace ado
