#include "framework/streams.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "framework/sysutils.h"

namespace talvik {

void TStream::SetSize(int64_t) { throw EStreamError(L"Stream size cannot be changed"); }

int64_t TStream::Size() {
  int64_t pos = Seek(0, soCurrent);
  int64_t size = Seek(0, soEnd);
  Seek(pos, soBeginning);
  return size;
}

void TStream::ReadBuffer(void* Buffer, int64_t Count) {
  if (Count < 0 || (Count != 0 && Read(Buffer, Count) != Count)) throw EReadError(L"Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, int64_t Count) {
  if (Count < 0 || (Count != 0 && Write(Buffer, Count) != Count)) throw EWriteError(L"Stream write error");
}

int64_t TStream::CopyFrom(TStream& Source, int64_t Count) {
  if (Count == 0) {
    Source.SetPosition(0);
    Count = Source.Size();
  }
  int64_t total = Count;
  std::vector<uint8_t> buffer(static_cast<size_t>(std::min<int64_t>(Count, 1 << 16)));
  while (Count > 0) {
    int64_t n = std::min<int64_t>(Count, buffer.size());
    Source.ReadBuffer(buffer.data(), n);
    WriteBuffer(buffer.data(), n);
    Count -= n;
  }
  return total;
}

int64_t TCustomMemoryStream::Read(void* Buffer, int64_t Count) {
  if (Count <= 0 || FPosition >= FSize) return 0;
  int64_t n = std::min(Count, FSize - FPosition);
  std::memcpy(Buffer, FMemory + FPosition, static_cast<size_t>(n));
  FPosition += n;
  return n;
}

int64_t TCustomMemoryStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  switch (Origin) {
    case soBeginning: FPosition = Offset; break;
    case soCurrent: FPosition += Offset; break;
    case soEnd: FPosition = FSize + Offset; break;
  }
  if (FPosition < 0) FPosition = 0;
  return FPosition;
}

int64_t TMemoryStream::Write(const void* Buffer, int64_t Count) {
  if (Count <= 0) return 0;
  int64_t end = FPosition + Count;
  if (end > static_cast<int64_t>(FData.size())) {
    if (end > static_cast<int64_t>(FData.capacity())) FData.reserve(std::max<size_t>(end, FData.capacity() * 2));
    FData.resize(static_cast<size_t>(end));
  }
  std::memcpy(FData.data() + FPosition, Buffer, static_cast<size_t>(Count));
  FPosition = end;
  SetPointer(FData.data(), static_cast<int64_t>(FData.size()));
  return Count;
}

void TMemoryStream::SetSize(int64_t NewSize) {
  FData.resize(static_cast<size_t>(std::max<int64_t>(NewSize, 0)));
  SetPointer(FData.data(), static_cast<int64_t>(FData.size()));
  if (FPosition > FSize) FPosition = FSize;
}

void TMemoryStream::LoadFromStream(TStream& Stream) {
  Stream.SetPosition(0);
  int64_t n = Stream.Size();
  SetSize(n);
  Stream.ReadBuffer(FData.data(), n);
  FPosition = 0;
}

void TMemoryStream::LoadFromFile(const std::wstring& FileName) {
  TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(f);
}

void TMemoryStream::SaveToStream(TStream& Stream) { Stream.WriteBuffer(FData.data(), static_cast<int64_t>(FData.size())); }

void TMemoryStream::SaveToFile(const std::wstring& FileName) {
  TFileStream f(FileName, fmCreate);
  SaveToStream(f);
}

TResourceStream::TResourceStream(HINSTANCE Instance, const std::wstring& ResName, const wchar_t* ResType) {
  HRSRC info = FindResourceW(Instance, ResName.c_str(), ResType);
  if (!info) throw EResNotFound(Format(L"Resource %s not found", {ResName}));
  HGLOBAL data = LoadResource(Instance, info);
  SetPointer(static_cast<const uint8_t*>(LockResource(data)), SizeofResource(Instance, info));
}

int64_t TResourceStream::Write(const void*, int64_t) { throw EStreamError(L"Can't write to a read-only resource stream"); }

int64_t THandleStream::Read(void* Buffer, int64_t Count) {
  DWORD done = 0;
  if (Count <= 0) return 0;
  if (!ReadFile(FHandle, Buffer, static_cast<DWORD>(std::min<int64_t>(Count, 0x40000000)), &done, nullptr)) return 0;
  return done;
}

int64_t THandleStream::Write(const void* Buffer, int64_t Count) {
  DWORD done = 0;
  if (Count <= 0) return 0;
  if (!WriteFile(FHandle, Buffer, static_cast<DWORD>(std::min<int64_t>(Count, 0x40000000)), &done, nullptr)) return 0;
  return done;
}

int64_t THandleStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  LARGE_INTEGER to, now;
  to.QuadPart = Offset;
  DWORD how = Origin == soBeginning ? FILE_BEGIN : Origin == soCurrent ? FILE_CURRENT : FILE_END;
  if (!SetFilePointerEx(FHandle, to, &now, how)) return -1;
  return now.QuadPart;
}

void THandleStream::SetSize(int64_t NewSize) {
  Seek(NewSize, soBeginning);
  if (!SetEndOfFile(FHandle)) throw EStreamError(SysErrorMessage(GetLastError()));
}

TFileStream::TFileStream(const std::wstring& FileName, unsigned Mode) : FFileName(FileName) {
  static const DWORD share[] = {FILE_SHARE_READ | FILE_SHARE_WRITE, 0, FILE_SHARE_READ, FILE_SHARE_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE};
  DWORD shareMode = share[std::min<unsigned>((Mode & 0xF0) >> 4, 4)];
  if ((Mode & fmCreate) == fmCreate) {
    FHandle = CreateFileW(FileName.c_str(), GENERIC_READ | GENERIC_WRITE, shareMode, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (FHandle == INVALID_HANDLE_VALUE)
      throw EFCreateError(Format(L"Cannot create file \"%s\". %s", {FileName, SysErrorMessage(GetLastError())}));
    return;
  }
  static const DWORD access[] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
  FHandle = CreateFileW(FileName.c_str(), access[std::min<unsigned>(Mode & 3, 2)], shareMode, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
  if (FHandle == INVALID_HANDLE_VALUE)
    throw EFOpenError(Format(L"Cannot open file \"%s\". %s", {FileName, SysErrorMessage(GetLastError())}));
}

TFileStream::~TFileStream() {
  if (FHandle && FHandle != INVALID_HANDLE_VALUE) CloseHandle(FHandle);
}

}  // namespace talvik
