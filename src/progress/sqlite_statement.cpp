// SPDX-License-Identifier: GPL-3.0-or-later
#include "sqlite_statement.h"

#include <sqlite3.h>

namespace progress {

DatabaseError::DatabaseError(int code, const QString& what)
    : std::runtime_error(what.toStdString()), code_(code) {}

bool DatabaseError::corrupt() const {
  const int primary = code_ & 0xff;
  return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

bool DatabaseError::unwritable() const {
  const int primary = code_ & 0xff;
  return primary == SQLITE_FULL || primary == SQLITE_READONLY || primary == SQLITE_CANTOPEN ||
         primary == SQLITE_IOERR || primary == SQLITE_PERM || primary == SQLITE_AUTH;
}

void check(sqlite3* db, int code, const char* doing) {
  if (code == SQLITE_OK || code == SQLITE_ROW || code == SQLITE_DONE) return;
  const int extended = db ? sqlite3_extended_errcode(db) : code;
  const QString message =
      db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(code));
  throw DatabaseError(extended ? extended : code,
                      QStringLiteral("%1: %2").arg(QString::fromUtf8(doing), message));
}

void execute(sqlite3* db, const char* sql) {
  check(db, sqlite3_exec(db, sql, nullptr, nullptr, nullptr), sql);
}

Statement::Statement(sqlite3* db, const char* sql) : db_(db) {
  check(db_, sqlite3_prepare_v2(db_, sql, -1, &statement_, nullptr), sql);
}

Statement::~Statement() {
  sqlite3_finalize(statement_);
}

Statement& Statement::bind(int at, qint64 value) {
  check(db_, sqlite3_bind_int64(statement_, at, value), "bind");
  return *this;
}

Statement& Statement::bind(int at, double value) {
  check(db_, sqlite3_bind_double(statement_, at, value), "bind");
  return *this;
}

Statement& Statement::bind(int at, const QString& value) {
  const QByteArray utf8 = value.toUtf8();
  check(db_,
        sqlite3_bind_text(statement_, at, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT),
        "bind");
  return *this;
}

Statement& Statement::bindNull(int at) {
  check(db_, sqlite3_bind_null(statement_, at), "bind");
  return *this;
}

bool Statement::next() {
  const int code = sqlite3_step(statement_);
  check(db_, code, sqlite3_sql(statement_));
  return code == SQLITE_ROW;
}

void Statement::run() {
  while (next()) {
  }
}

void Statement::reset() {
  sqlite3_reset(statement_);
  sqlite3_clear_bindings(statement_);
}

qint64 Statement::integer(int column) const {
  return sqlite3_column_int64(statement_, column);
}

double Statement::real(int column) const {
  return sqlite3_column_double(statement_, column);
}

QString Statement::text(int column) const {
  const auto* utf8 = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
  return QString::fromUtf8(utf8, sqlite3_column_bytes(statement_, column));
}

bool Statement::isNull(int column) const {
  return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

}  // namespace progress
