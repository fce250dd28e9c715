// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/sqlite_database.h"

#include <utility>

#include <sqlite3.h>

namespace ventoral {

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : m_statement(std::exchange(other.m_statement, nullptr))
{
}

SqliteStatement& SqliteStatement::operator=(SqliteStatement&& other) noexcept
{
    if (this != &other) {
        sqlite3_finalize(m_statement);
        m_statement = std::exchange(other.m_statement, nullptr);
    }
    return *this;
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_statement);
}

void SqliteStatement::bind(int index, std::string_view text)
{
    sqlite3_bind_text(m_statement, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

void SqliteStatement::bind(int index, std::int64_t value)
{
    sqlite3_bind_int64(m_statement, index, value);
}

void SqliteStatement::bind(int index, std::optional<double> value)
{
    if (value)
        sqlite3_bind_double(m_statement, index, *value);
    else
        sqlite3_bind_null(m_statement, index);
}

void SqliteStatement::bind(int index, std::optional<int> value)
{
    if (value)
        sqlite3_bind_int64(m_statement, index, *value);
    else
        sqlite3_bind_null(m_statement, index);
}

int SqliteStatement::step()
{
    return sqlite3_step(m_statement);
}

void SqliteStatement::reset()
{
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}

bool SqliteStatement::isNull(int column) const
{
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

bool SqliteStatement::isInteger(int column) const
{
    return sqlite3_column_type(m_statement, column) == SQLITE_INTEGER;
}

std::int64_t SqliteStatement::integer(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

double SqliteStatement::real(int column) const
{
    return sqlite3_column_double(m_statement, column);
}

std::optional<double> SqliteStatement::optionalReal(int column) const
{
    return isNull(column) ? std::nullopt : std::optional<double>(real(column));
}

std::optional<int> SqliteStatement::optionalInteger(int column) const
{
    return isNull(column) ? std::nullopt : std::optional<int>(static_cast<int>(integer(column)));
}

std::string SqliteStatement::text(int column) const
{
    const auto* bytes = sqlite3_column_text(m_statement, column);
    if (!bytes)
        return {};
    return std::string(reinterpret_cast<const char*>(bytes),
                       static_cast<std::size_t>(sqlite3_column_bytes(m_statement, column)));
}

SqliteDatabase::SqliteDatabase(SqliteDatabase&& other) noexcept : m_db(std::exchange(other.m_db, nullptr)) {}

SqliteDatabase& SqliteDatabase::operator=(SqliteDatabase&& other) noexcept
{
    if (this != &other) {
        close();
        m_db = std::exchange(other.m_db, nullptr);
    }
    return *this;
}

SqliteDatabase::~SqliteDatabase()
{
    close();
}

int SqliteDatabase::open(const std::string& file, bool create, int busyTimeoutMs)
{
    close();
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    const int result = sqlite3_open_v2(file.c_str(), &m_db, flags, nullptr);
    if (result != SQLITE_OK) {
        close();
        return result;
    }
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, busyTimeoutMs);
    return SQLITE_OK;
}

void SqliteDatabase::close()
{
    // Statements are finalized by their owners first; close_v2 waits for any left.
    sqlite3_close_v2(m_db);
    m_db = nullptr;
}

int SqliteDatabase::execute(const char* sql)
{
    return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr);
}

SqliteStatement SqliteDatabase::prepare(std::string_view sql)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.data(), static_cast<int>(sql.size()), &statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        return {};
    }
    return {statement};
}

int SqliteDatabase::lastError() const
{
    return m_db ? sqlite3_extended_errcode(m_db) : SQLITE_CANTOPEN;
}

std::string SqliteDatabase::lastMessage() const
{
    return m_db ? sqlite3_errmsg(m_db) : "no database";
}

int SqliteDatabase::changes() const
{
    return sqlite3_changes(m_db);
}

bool isDamagedDatabase(int resultCode)
{
    const int primary = resultCode & 0xff;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

bool isBusy(int resultCode)
{
    const int primary = resultCode & 0xff;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

} // namespace ventoral
