// Files of browser profiles: a private copy of a browser's database (with its write-ahead log), read
// instead of the original so that the running browser neither locks the reader
// out nor sees it. Removed with the object.
#pragma once
#include <string>

#include "framework/sysutils.h"

namespace talvik::browsers {

// The browser holds the file open for itself alone.
TALVIK_EXCEPTION(EDatabaseInUse, Exception)

class TDatabaseCopy {
public:
  // Fails with EDatabaseInUse, or Exception with the system's reason.
  explicit TDatabaseCopy(const std::wstring& ADatabase);
  ~TDatabaseCopy();
  TDatabaseCopy(const TDatabaseCopy&) = delete;
  TDatabaseCopy& operator=(const TDatabaseCopy&) = delete;

  const std::wstring& Path() const { return FPath; }

private:
  std::wstring FFolder, FPath;
};

bool FileExists(const std::wstring& APath);
// The whole file's bytes; raises Exception when it cannot be read.
std::string ReadWholeFile(const std::wstring& APath);
bool FolderExists(const std::wstring& APath);

}  // namespace talvik::browsers
