#include "platform/ado/Statement.h"

#include "platform/ado/DatabaseError.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/Text.h"

#include <sqlite3.h>

#include <memory>
#include <string>

namespace ado {

namespace {

struct StatementDeleter {
    void operator()(sqlite3_stmt* stmt) const { sqlite3_finalize(stmt); }
};
using StatementPtr = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

[[noreturn]] void RaiseSqlError(sqlite3* db, std::string_view sql) {
    throw EDatabaseError(std::string(sqlite3_errmsg(db)) + " in \"" + std::string(sql) + "\"");
}

void CheckText(sqlite3* db, std::string_view sql) {
    if (!db)
        throw EDatabaseError("The connection is not open");
    // The database reads a text only up to its first NUL, so the rest would silently be dropped.
    if (sql.find('\0') != std::string_view::npos)
        throw EDatabaseError("The SQL text holds a NUL character");
}

// Prepares the first statement of sql; null when only blanks and comments remain. rest gets the tail.
StatementPtr Prepare(sqlite3* db, std::string_view sql, std::string_view& rest) {
    if (sql.empty()) {
        rest = {};
        return nullptr;
    }
    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    if (sql.size() > static_cast<std::size_t>(INT32_MAX))
        throw EDatabaseError("SQL text too long");
    if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &raw, &tail) != SQLITE_OK)
        RaiseSqlError(db, sql);
    rest = tail ? sql.substr(static_cast<std::size_t>(tail - sql.data())) : std::string_view{};
    return StatementPtr(raw);
}

void Bind(sqlite3* db, sqlite3_stmt* stmt, std::string_view sql, const TParameters& parameters) {
    const int count = sqlite3_bind_parameter_count(stmt);
    for (int i = 1; i <= count; ++i) {
        const char* marker = sqlite3_bind_parameter_name(stmt, i);
        const TParameter* parameter = nullptr;
        if (marker) {
            parameter = parameters.FindParam(marker + 1);
            if (!parameter)
                throw EDatabaseError("Parameter '" + std::string(marker + 1) + "' has no value in \"" +
                                     std::string(sql) + "\"");
        } else {
            if (i > parameters.Count())
                throw EDatabaseError("Parameter " + rtl::IntToStr(i) + " has no value in \"" +
                                     std::string(sql) + "\"");
            parameter = &parameters[i - 1];
        }
        const TFieldValue& v = parameter->Value();
        int rc = SQLITE_OK;
        if (const auto* n = std::get_if<std::int64_t>(&v))
            rc = sqlite3_bind_int64(stmt, i, *n);
        else if (const auto* d = std::get_if<double>(&v))
            rc = sqlite3_bind_double(stmt, i, *d);
        else if (const auto* s = std::get_if<std::string>(&v))
            rc = sqlite3_bind_text64(stmt, i, s->data(), s->size(), SQLITE_TRANSIENT, SQLITE_UTF8);
        else
            rc = sqlite3_bind_null(stmt, i);
        if (rc != SQLITE_OK)
            RaiseSqlError(db, sql);
    }
}

// The declared type decides, by the same affinity rules the database applies to it.
TFieldType TypeFromDeclaration(const char* declared) {
    if (!declared || !*declared)
        return TFieldType::ftUnknown;
    const std::string t = rtl::UpperCase(declared);
    auto has = [&t](const char* part) { return t.find(part) != std::string::npos; };
    if (has("BOOL"))
        return TFieldType::ftBoolean;
    if (has("INT"))
        return has("BIG") || has("INT8") ? TFieldType::ftLargeint : TFieldType::ftInteger;
    if (has("CHAR") || has("CLOB") || has("TEXT"))
        return TFieldType::ftString;
    if (has("BLOB"))
        return TFieldType::ftBlob;
    if (has("DATE") || has("TIME"))
        return TFieldType::ftDateTime;
    return TFieldType::ftFloat;
}

TFieldValue ColumnValue(sqlite3_stmt* stmt, int i) {
    switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_INTEGER:
        return std::int64_t{sqlite3_column_int64(stmt, i)};
    case SQLITE_FLOAT:
        return sqlite3_column_double(stmt, i);
    case SQLITE_TEXT: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
        return std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(stmt, i)));
    }
    case SQLITE_BLOB: {
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(stmt, i));
        return bytes ? std::string(bytes, static_cast<std::size_t>(sqlite3_column_bytes(stmt, i)))
                     : std::string();
    }
    default:
        return std::monostate{};
    }
}

TFieldType TypeFromValue(const TFieldValue& v, bool blob) {
    if (std::holds_alternative<std::int64_t>(v))
        return TFieldType::ftLargeint;
    if (std::holds_alternative<double>(v))
        return TFieldType::ftFloat;
    if (blob)
        return TFieldType::ftBlob;
    return TFieldType::ftString;
}

} // namespace

TRowSet QueryRows(sqlite3* db, std::string_view sql, const TParameters& parameters) {
    CheckText(db, sql);
    std::string_view rest;
    StatementPtr stmt = Prepare(db, sql, rest);
    if (!stmt)
        throw EDatabaseError("The SQL text holds no statement");
    std::string_view more;
    if (Prepare(db, rest, more))
        throw EDatabaseError("Only one statement can be opened as a dataset: \"" + std::string(sql) + "\"");
    const int columns = sqlite3_column_count(stmt.get());
    if (columns == 0)
        throw EDatabaseError("The statement returns no result set: \"" + std::string(sql) + "\"");
    Bind(db, stmt.get(), sql, parameters);

    TRowSet rows;
    for (int i = 0; i < columns; ++i)
        rows.columns.push_back({sqlite3_column_name(stmt.get(), i),
                                TypeFromDeclaration(sqlite3_column_decltype(stmt.get(), i))});
    int rc;
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
        TRecord record;
        for (int i = 0; i < columns; ++i) {
            TFieldValue value = ColumnValue(stmt.get(), i);
            TColumn& column = rows.columns[static_cast<std::size_t>(i)];
            if (column.type == TFieldType::ftUnknown && !std::holds_alternative<std::monostate>(value))
                column.type = TypeFromValue(value, sqlite3_column_type(stmt.get(), i) == SQLITE_BLOB);
            record.Set(static_cast<std::size_t>(i), std::move(value));
        }
        rows.records.push_back(std::move(record));
    }
    if (rc != SQLITE_DONE)
        RaiseSqlError(db, sql);
    for (TColumn& column : rows.columns)
        if (column.type == TFieldType::ftUnknown)
            column.type = TFieldType::ftString;
    return rows;
}

int ExecuteStatements(sqlite3* db, std::string_view sql, const TParameters& parameters) {
    CheckText(db, sql);
    int changed = 0;
    std::string_view rest = sql;
    bool any = false;
    while (!rest.empty()) {
        std::string_view statementText = rest;
        StatementPtr stmt = Prepare(db, statementText, rest);
        if (!stmt)
            break;
        any = true;
        Bind(db, stmt.get(), sql, parameters);
        const int before = sqlite3_total_changes(db);
        int rc;
        while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE)
            RaiseSqlError(db, sql);
        changed += sqlite3_total_changes(db) - before;
    }
    if (!any)
        throw EDatabaseError("The SQL text holds no statement");
    return changed;
}

} // namespace ado
