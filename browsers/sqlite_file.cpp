#include "browsers/sqlite_file.h"

#include <sqlite3.h>

namespace talvik::browsers {

namespace {

[[noreturn]] void Fail(sqlite3* db, int code) {
  throw ESqliteError(Utf8ToWide(db ? sqlite3_errmsg(db) : sqlite3_errstr(code)));
}

struct TStatement {
  sqlite3_stmt* S = nullptr;
  ~TStatement() { sqlite3_finalize(S); }
};

}  // namespace

std::string TSqliteRow::Text(int AColumn) const {
  const auto* text = sqlite3_column_text(FStatement, AColumn);
  return text ? std::string(reinterpret_cast<const char*>(text), sqlite3_column_bytes(FStatement, AColumn)) : "";
}

std::string TSqliteRow::Blob(int AColumn) const {
  const void* blob = sqlite3_column_blob(FStatement, AColumn);
  return blob ? std::string(static_cast<const char*>(blob), sqlite3_column_bytes(FStatement, AColumn)) : "";
}

long long TSqliteRow::Int(int AColumn) const { return sqlite3_column_int64(FStatement, AColumn); }

TSqliteFile::TSqliteFile(const std::wstring& APath) {
  // Read-write: the file is the reader's own copy, and a write-ahead log beside
  // it is only taken in by a connection that may write.
  const int code = sqlite3_open_v2(WideToUtf8(APath).c_str(), &FDb, SQLITE_OPEN_READWRITE, nullptr);
  if (code != SQLITE_OK) {
    std::wstring message = Utf8ToWide(FDb ? sqlite3_errmsg(FDb) : sqlite3_errstr(code));
    sqlite3_close(FDb);
    FDb = nullptr;
    throw ESqliteError(message);
  }
}

TSqliteFile::~TSqliteFile() { sqlite3_close(FDb); }

void TSqliteFile::ForEachRow(const std::string& ASql, const std::function<void(const TSqliteRow&)>& ARow) {
  TStatement statement;
  if (sqlite3_prepare_v2(FDb, ASql.c_str(), -1, &statement.S, nullptr) != SQLITE_OK) Fail(FDb, 0);
  for (;;) {
    const int step = sqlite3_step(statement.S);
    if (step == SQLITE_DONE) return;
    if (step != SQLITE_ROW) Fail(FDb, step);
    ARow(TSqliteRow(statement.S));
  }
}

bool TSqliteFile::HasTable(const std::string& AName) {
  bool found = false;
  ForEachRow("SELECT name FROM sqlite_master WHERE type='table'", [&](const TSqliteRow& row) {
    if (row.Text(0) == AName) found = true;
  });
  return found;
}

bool TSqliteFile::HasColumn(const std::string& ATable, const std::string& AColumn) {
  bool found = false;
  ForEachRow("PRAGMA table_info(" + ATable + ")", [&](const TSqliteRow& row) {
    if (row.Text(1) == AColumn) found = true;
  });
  return found;
}

}  // namespace talvik::browsers
