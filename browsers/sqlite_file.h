// A SQLite database opened for reading rows, with errors as exceptions.
#pragma once
#include <functional>
#include <string>

#include "framework/sysutils.h"

struct sqlite3;
struct sqlite3_stmt;

namespace talvik::browsers {

// What SQLite said, without the file's name.
TALVIK_EXCEPTION(ESqliteError, Exception)

class TSqliteRow {
public:
  explicit TSqliteRow(sqlite3_stmt* AStatement) : FStatement(AStatement) {}
  std::string Text(int AColumn) const;
  std::string Blob(int AColumn) const;
  long long Int(int AColumn) const;

private:
  sqlite3_stmt* FStatement;
};

class TSqliteFile {
public:
  explicit TSqliteFile(const std::wstring& APath);
  ~TSqliteFile();
  TSqliteFile(const TSqliteFile&) = delete;
  TSqliteFile& operator=(const TSqliteFile&) = delete;

  void ForEachRow(const std::string& ASql, const std::function<void(const TSqliteRow&)>& ARow);
  bool HasTable(const std::string& AName);
  bool HasColumn(const std::string& ATable, const std::string& AColumn);

private:
  sqlite3* FDb = nullptr;
};

}  // namespace talvik::browsers
