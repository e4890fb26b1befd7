#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>

#include "app/tests/run_fixture.h"

using namespace talvik::apptest;

namespace {

std::wstring BesideThisTest(const std::wstring& name) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path = self;
  return path.substr(0, path.find_last_of(L"\\/") + 1) + name;
}

// The DLL names of a PE file's import table, upper-cased, read from the file's bytes.
std::set<std::string> ImportedDlls(const std::string& image) {
  std::set<std::string> names;
  auto at = [&](size_t offset, size_t size) -> const char* {
    return offset + size <= image.size() ? image.data() + offset : nullptr;
  };
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(at(0, sizeof(IMAGE_DOS_HEADER)));
  if (!dos || dos->e_magic != IMAGE_DOS_SIGNATURE) return names;
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(at(dos->e_lfanew, sizeof(IMAGE_NT_HEADERS64)));
  if (!nt || nt->Signature != IMAGE_NT_SIGNATURE) return names;
  const IMAGE_SECTION_HEADER* sections = IMAGE_FIRST_SECTION(nt);
  auto fileOffset = [&](DWORD rva) -> size_t {
    for (int i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
      const IMAGE_SECTION_HEADER& s = sections[i];
      if (rva >= s.VirtualAddress && rva < s.VirtualAddress + std::max(s.Misc.VirtualSize, s.SizeOfRawData))
        return rva - s.VirtualAddress + s.PointerToRawData;
    }
    return image.size();
  };
  const DWORD importRva = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
  for (size_t d = fileOffset(importRva);; d += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
    const auto* desc = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(at(d, sizeof(IMAGE_IMPORT_DESCRIPTOR)));
    if (!desc || desc->Name == 0) break;
    const char* name = at(fileOffset(desc->Name), 1);
    if (!name) break;
    std::string upper(name, strnlen(name, image.data() + image.size() - name));
    for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    names.insert(upper);
  }
  return names;
}

// Every DLL a program imports is loaded at its start, before the first line of its
// own code: the console downloader takes only what a walk needs.
TEST(ConsoleImports, OnlyKernelRuntimeAndWinsock) {
  const std::string image = ReadFileBytes(BesideThisTest(L"talvik-dl.exe"));
  const std::set<std::string> imports = ImportedDlls(image);
  ASSERT_TRUE(imports.count("KERNEL32.DLL")) << "no import table read from talvik-dl.exe";
  const std::set<std::string> allowed = {"KERNEL32.DLL", "MSVCRT.DLL", "WS2_32.DLL"};
  for (const std::string& dll : imports) EXPECT_TRUE(allowed.count(dll)) << "talvik-dl.exe imports " << dll;
}

// The window program's imports are loaded the same way, and a DLL of the same
// name beside the program would be taken first, before any of its code could
// stop it: only DLLs the system protects by name (its known DLLs) may be imported
// at start; the others are loaded on first use, from the system folder.
TEST(WindowImports, OnlyDllsTheSystemProtectsByName) {
  const std::string image = ReadFileBytes(BesideThisTest(L"window\\talvik-album.exe"));
  const std::set<std::string> imports = ImportedDlls(image);
  ASSERT_TRUE(imports.count("KERNEL32.DLL")) << "no import table read from talvik-album.exe";
  const std::set<std::string> known = {"KERNEL32.DLL", "MSVCRT.DLL", "USER32.DLL", "GDI32.DLL", "OLE32.DLL",
                                       "OLEAUT32.DLL", "SHELL32.DLL", "ADVAPI32.DLL", "COMDLG32.DLL", "SHLWAPI.DLL",
                                       "WS2_32.DLL"};
  for (const std::string& dll : imports) EXPECT_TRUE(known.count(dll)) << "talvik-album.exe imports " << dll;
}

}  // namespace
