// The number of live GDI objects of the process, for tests that look for leaks.
#pragma once
#include <windows.h>

#include <cstdint>

namespace talvik::test {

// Live GDI objects of the process. GetGuiResources answers 0 under Wine; then
// the process's GDI handle table (its address in the process environment
// block, where Windows keeps it as well) is read instead; -1 when unknown.
inline int CountGdiObjects() {
  if (const DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return static_cast<int>(n);
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
  if (!query || query(GetCurrentProcess(), 0, &basic, sizeof basic, nullptr) != 0) return -1;
  const uint8_t* peb = basic.PebBaseAddress;
  const auto* table = *reinterpret_cast<const Entry* const*>(peb + 0xF8);
  if (!table) return -1;
  const auto process = static_cast<uint16_t>(GetCurrentProcessId());
  int count = 0;
  for (int i = 0; i < 0x10000; ++i)
    if (table[i].Type && (table[i].ProcessId == 0 || table[i].ProcessId == process)) ++count;
  return count;
}

}  // namespace talvik::test
