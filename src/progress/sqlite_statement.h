// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>
#include <stdexcept>

struct sqlite3;
struct sqlite3_stmt;

namespace progress {

// A failure of the database, with SQLite's result code (primary and extended).
class DatabaseError : public std::runtime_error {
 public:
  DatabaseError(int code, const QString& what);
  int code() const { return code_; }
  // The database file is no database or is damaged.
  bool corrupt() const;
  // The disk is full, read-only or refuses the file.
  bool unwritable() const;

 private:
  int code_;
};

// One prepared statement; values are bound by position, from 1.
class Statement {
 public:
  Statement(sqlite3* db, const char* sql);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  Statement& bind(int at, qint64 value);
  Statement& bind(int at, double value);
  Statement& bind(int at, const QString& value);
  Statement& bindNull(int at);
  template <typename T>
  Statement& bind(int at, const std::optional<T>& value) {
    return value ? bind(at, *value) : bindNull(at);
  }

  // Steps once: true while a row is there to read.
  bool next();
  // Runs a statement that gives no rows.
  void run();
  // Makes the statement ready to run again with new values.
  void reset();

  qint64 integer(int column) const;
  double real(int column) const;
  QString text(int column) const;
  bool isNull(int column) const;

 private:
  sqlite3* db_;
  sqlite3_stmt* statement_ = nullptr;
};

// Throws DatabaseError for a result code that is no success.
void check(sqlite3* db, int code, const char* doing);
// Runs SQL of one or more statements that give no rows.
void execute(sqlite3* db, const char* sql);

}  // namespace progress
