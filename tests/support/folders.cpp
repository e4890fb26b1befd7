#include "tests/support/folders.h"

#include <windows.h>

namespace talvik::testsupport {

void RemoveFolder(const std::wstring& ADir) {
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((ADir + L"\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = fd.cFileName;
      if (name == L"." || name == L"..") continue;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveFolder(ADir + L"\\" + name);
      else DeleteFileW((ADir + L"\\" + name).c_str());
    } while (FindNextFileW(h, &fd));
    FindClose(h);
  }
  RemoveDirectoryW(ADir.c_str());
}

}  // namespace talvik::testsupport
