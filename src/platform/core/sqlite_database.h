// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A thin owner of one SQLite connection and its prepared statements, so the
// archive reads as queries rather than C calls. Errors come back as SQLite's
// result codes; nothing here throws.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace ventoral {

class SqliteStatement {
public:
    SqliteStatement() = default;
    SqliteStatement(sqlite3_stmt* statement) : m_statement(statement) {}
    SqliteStatement(SqliteStatement&& other) noexcept;
    SqliteStatement& operator=(SqliteStatement&& other) noexcept;
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;
    ~SqliteStatement();

    bool valid() const { return m_statement != nullptr; }

    // Parameters are numbered from 1; nothing binds NULL.
    void bind(int index, std::string_view text);
    void bind(int index, std::int64_t value);
    void bind(int index, std::optional<double> value);
    void bind(int index, std::optional<int> value);

    // SQLITE_ROW, SQLITE_DONE or an error code.
    int step();
    // Back to the start with the parameters cleared, for the next use.
    void reset();

    // Columns are numbered from 0.
    bool isNull(int column) const;
    bool isInteger(int column) const;   // stored as an integer, not a real
    std::int64_t integer(int column) const;
    double real(int column) const;
    std::optional<double> optionalReal(int column) const;
    std::optional<int> optionalInteger(int column) const;
    std::string text(int column) const;

private:
    sqlite3_stmt* m_statement = nullptr;
};

class SqliteDatabase {
public:
    SqliteDatabase() = default;
    SqliteDatabase(SqliteDatabase&& other) noexcept;
    SqliteDatabase& operator=(SqliteDatabase&& other) noexcept;
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;
    ~SqliteDatabase();

    // Opens (creating when create is set) the database file; SQLITE_OK or
    // the error. A connection waits up to busyTimeoutMs for another's lock.
    int open(const std::string& file, bool create, int busyTimeoutMs);
    void close();
    bool isOpen() const { return m_db != nullptr; }

    // Runs statements that return no rows; SQLITE_OK or the error.
    int execute(const char* sql);
    // An invalid statement when sql cannot be prepared (see lastError).
    SqliteStatement prepare(std::string_view sql);
    // The result code of the last failed call on this connection.
    int lastError() const;
    std::string lastMessage() const;
    int changes() const;

private:
    sqlite3* m_db = nullptr;
};

// SQLITE_CORRUPT or SQLITE_NOTADB, with their extended codes: the file is
// no sound database.
bool isDamagedDatabase(int resultCode);
// SQLITE_BUSY or SQLITE_LOCKED: another connection holds the lock.
bool isBusy(int resultCode);

} // namespace ventoral
