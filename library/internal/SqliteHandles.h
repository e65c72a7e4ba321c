// Scope guards for SQLite: a connection closed and a statement finalized when
// their handle goes out of scope, and a write transaction rolled back unless
// it was committed. The study list keeps every change inside one of these.
#ifndef DEXARU_INTERNAL_SQLITEHANDLES_H
#define DEXARU_INTERNAL_SQLITEHANDLES_H

#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <string>

namespace sqlitehandles {

struct ConnectionCloser
{
    void operator()(sqlite3* connection) const { sqlite3_close_v2(connection); }
};
using Connection = std::unique_ptr<sqlite3, ConnectionCloser>;

struct StatementFinalizer
{
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};

// A prepared statement with positional binding from 1 and reading of the
// current row's columns from 0.
class Statement
{
public:
    // Check ok() before use: the SQL may not compile (a foreign schema).
    Statement(sqlite3* connection, const char* sql)
    {
        sqlite3_stmt* prepared = nullptr;
        result = sqlite3_prepare_v2(connection, sql, -1, &prepared, nullptr);
        statement.reset(prepared);
    }

    bool ok() const { return result == SQLITE_OK && statement != nullptr; }
    // The result of the last prepare or step.
    int lastResult() const { return result; }

    Statement& bind(int index, int64_t value)
    {
        sqlite3_bind_int64(statement.get(), index, value);
        return *this;
    }
    Statement& bind(int index, double value)
    {
        sqlite3_bind_double(statement.get(), index, value);
        return *this;
    }
    Statement& bind(int index, const std::string& value)
    {
        sqlite3_bind_text(statement.get(), index, value.data(), static_cast<int>(value.size()),
                          SQLITE_TRANSIENT);
        return *this;
    }

    // True while there is a row; lastResult() tells SQLITE_DONE from a failure.
    bool step()
    {
        result = sqlite3_step(statement.get());
        return result == SQLITE_ROW;
    }
    // Runs a statement that returns no rows; true when it completed.
    bool run() { return !step() && result == SQLITE_DONE; }

    int64_t integer(int column) const { return sqlite3_column_int64(statement.get(), column); }
    double real(int column) const { return sqlite3_column_double(statement.get(), column); }
    std::string text(int column) const
    {
        const unsigned char* value = sqlite3_column_text(statement.get(), column);
        const int size = sqlite3_column_bytes(statement.get(), column);
        return value ? std::string(reinterpret_cast<const char*>(value), size) : std::string();
    }

private:
    std::unique_ptr<sqlite3_stmt, StatementFinalizer> statement;
    int result = SQLITE_OK;
};

// BEGIN IMMEDIATE: the write lock is taken at once (waiting through the busy
// timeout), so that two writers never both read and then fail to write.
class WriteTransaction
{
public:
    explicit WriteTransaction(sqlite3* connection) : connection(connection)
    {
        result = sqlite3_exec(connection, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        open = result == SQLITE_OK;
    }
    ~WriteTransaction()
    {
        if (open) {
            sqlite3_exec(connection, "ROLLBACK", nullptr, nullptr, nullptr);
        }
    }
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;

    bool ok() const { return open; }
    int lastResult() const { return result; }
    // Returns true when the change is on disk.
    bool commit()
    {
        result = sqlite3_exec(connection, "COMMIT", nullptr, nullptr, nullptr);
        open = result != SQLITE_OK && sqlite3_get_autocommit(connection) == 0;
        return result == SQLITE_OK;
    }

private:
    sqlite3* connection;
    int result;
    bool open;
};

}  // namespace sqlitehandles

#endif
