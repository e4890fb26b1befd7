// The number of live GDI objects of a process, for tests that look for leaks.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

namespace talvik::test {

// Live GDI objects of the process (this one by default). GetGuiResources
// answers 0 under Wine; then the process's GDI handle table (its address in
// the process environment block, where Windows keeps it as well) is read
// instead; -1 when unknown.
inline int CountGdiObjects(HANDLE AProcess = GetCurrentProcess(), DWORD AProcessId = GetCurrentProcessId()) {
  if (const DWORD n = GetGuiResources(AProcess, GR_GDIOBJECTS)) return static_cast<int>(n);
  struct Entry {
    uint64_t Object;
    uint16_t ProcessId;
    uint16_t Count;
    uint16_t Unique;
    uint8_t Type;
    uint8_t Flags;
    uint64_t User;
  };
  static_assert(sizeof(Entry) == 24);
  struct BasicInformation {
    LONG ExitStatus;
    const uint8_t* PebBaseAddress;
    ULONG_PTR Rest[4];
  } basic{};
  using TQuery = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
  const auto query = reinterpret_cast<TQuery>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
  if (!query || query(AProcess, 0, &basic, sizeof basic, nullptr) != 0) return -1;
  const Entry* table = nullptr;
  if (!ReadProcessMemory(AProcess, basic.PebBaseAddress + 0xF8, &table, sizeof table, nullptr) || !table) return -1;
  std::vector<Entry> entries(0x10000);
  if (!ReadProcessMemory(AProcess, table, entries.data(), entries.size() * sizeof(Entry), nullptr)) return -1;
  const auto process = static_cast<uint16_t>(AProcessId);
  int count = 0;
  for (const Entry& e : entries)
    if (e.Type && (e.ProcessId == 0 || e.ProcessId == process)) ++count;
  return count;
}

}  // namespace talvik::test
