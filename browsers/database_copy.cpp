#include "browsers/database_copy.h"

#include <windows.h>

#include "framework/streams.h"

namespace talvik::browsers {

namespace {

void CopyOrFail(const std::wstring& from, const std::wstring& to) {
  if (CopyFileW(from.c_str(), to.c_str(), FALSE)) return;
  const DWORD error = GetLastError();
  if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) throw EDatabaseInUse(L"in use");
  throw Exception(SysErrorMessage(error));
}

}  // namespace

bool FileExists(const std::wstring& APath) {
  const DWORD a = GetFileAttributesW(APath.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::wstring& APath) {
  const DWORD a = GetFileAttributesW(APath.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadWholeFile(const std::wstring& APath) {
  TMemoryStream data;
  data.LoadFromFile(APath);
  return std::string(reinterpret_cast<const char*>(data.Memory()), static_cast<size_t>(data.Size()));
}

TDatabaseCopy::TDatabaseCopy(const std::wstring& ADatabase) {
  wchar_t temp[MAX_PATH + 1];
  const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
  static unsigned counter = 0;
  FFolder = std::wstring(temp, n) + L"talvik-cookies-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(++counter);
  if (!CreateDirectoryW(FFolder.c_str(), nullptr)) throw Exception(SysErrorMessage(GetLastError()));
  FPath = FFolder + L"\\cookies.db";
  try {
    CopyOrFail(ADatabase, FPath);
    // The log holds the latest changes until the browser folds them into the file.
    if (FileExists(ADatabase + L"-wal")) CopyOrFail(ADatabase + L"-wal", FPath + L"-wal");
  } catch (...) {
    DeleteFileW(FPath.c_str());
    RemoveDirectoryW(FFolder.c_str());
    throw;
  }
}

TDatabaseCopy::~TDatabaseCopy() {
  for (const wchar_t* suffix : {L"", L"-wal", L"-shm", L"-journal"}) DeleteFileW((FPath + suffix).c_str());
  RemoveDirectoryW(FFolder.c_str());
}

}  // namespace talvik::browsers
