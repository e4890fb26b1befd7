#include "app/photo_file.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <set>

#include "framework/sysutils.h"

namespace talvik::app {

namespace {

// Why a write failed, in the words Windows uses (Wine's own text for a full disk
// is a bare "Disk full.").
std::wstring WriteFailureReason(DWORD code) {
  if (code == ERROR_DISK_FULL || code == ERROR_HANDLE_DISK_FULL) return L"There is not enough space on the disk.";
  return SysErrorMessage(code ? code : ERROR_WRITE_FAULT);
}

// A viewer, the shell's thumbnailer or a virus scanner holding the photo open.
bool HeldByAnotherProgram(DWORD code) {
  return code == ERROR_SHARING_VIOLATION || code == ERROR_ACCESS_DENIED || code == ERROR_LOCK_VIOLATION;
}

// Tests widen the moment a photo is being written: TALVIK_TEST_SLOW_WRITE_MS
// makes every write go out in small pieces with that pause after each.
int SlowWriteMs() {
  static const int ms = [] {
    wchar_t value[16];
    const DWORD n = GetEnvironmentVariableW(L"TALVIK_TEST_SLOW_WRITE_MS", value, 16);
    return n > 0 && n < 16 ? _wtoi(value) : 0;
  }();
  return ms;
}

// The photos whose scratch files stand on disk, for an interrupt to remove. The
// lock is held around every step that creates, fills, renames or removes one.
std::mutex& UnderWayLock() {
  static std::mutex lock;
  return lock;
}
std::set<TPhotoFile*>& UnderWay() {
  static std::set<TPhotoFile*> photos;
  return photos;
}
}  // namespace

TPhotoFile::TPhotoFile() = default;

TPhotoFile::~TPhotoFile() { Discard(); }

void TPhotoFile::Start(const std::wstring& AFileName) {
  Discard();
  FFileName = AFileName;
  FScratchName = AFileName + L".part";
}

void TPhotoFile::CannotCreate(unsigned long AError) const {
  throw EFCreateError(Format(L"Cannot create file \"%s\". %s", {FFileName, SysErrorMessage(AError)}));
}

void TPhotoFile::CannotWrite(unsigned long AError) const {
  // A full disk says so here; "Stream write error" would hide it.
  throw EWriteError(Format(L"Cannot write file \"%s\". %s", {FFileName, WriteFailureReason(AError)}));
}

void TPhotoFile::WriteOut(const void* AData, size_t ACount) {
  const char* data = static_cast<const char*>(AData);
  const int pause = SlowWriteMs();
  while (ACount > 0) {
    DWORD done = 0;
    const DWORD piece = static_cast<DWORD>(std::min<size_t>(ACount, pause ? 4096 : 1 << 30));
    {
      std::lock_guard<std::mutex> hold(UnderWayLock());
      if (!WriteFile(FScratch, data, piece, &done, nullptr) || done == 0) CannotWrite(GetLastError());
    }
    data += done;
    ACount -= done;
    if (pause) Sleep(static_cast<DWORD>(pause));
  }
}

void TPhotoFile::OpenScratch() {
  {
    std::lock_guard<std::mutex> hold(UnderWayLock());
    HANDLE h = CreateFileW(FScratchName.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) CannotCreate(GetLastError());
    FScratch = h;
    FScratchExists = true;
    UnderWay().insert(this);
  }
  WriteOut(FMemory.data(), FHeld);
  FHeld = 0;
}

int64_t TPhotoFile::Write(const void* Buffer, int64_t Count) {
  if (Count <= 0) return 0;
  const size_t n = static_cast<size_t>(Count);
  if (!FScratch && FHeld + n > kInMemoryLimit) OpenScratch();
  if (FScratch) {
    WriteOut(Buffer, n);
  } else {
    if (FMemory.size() < FHeld + n) FMemory.resize(std::min(std::max(FHeld + n, 2 * FMemory.size()), kInMemoryLimit));
    std::memcpy(FMemory.data() + FHeld, Buffer, n);
    FHeld += n;
  }
  FSize += Count;
  return Count;
}

char* TPhotoFile::BodySpace(size_t AWanted, size_t& ARoom) {
  ARoom = FScratch ? 0 : std::min(AWanted, kInMemoryLimit - FHeld);
  if (ARoom == 0) return nullptr;
  if (FMemory.size() < FHeld + ARoom) FMemory.resize(FHeld + ARoom);
  return FMemory.data() + FHeld;
}

void TPhotoFile::BodySpaceFilled(size_t ACount) {
  FHeld += ACount;
  FSize += static_cast<int64_t>(ACount);
}

int64_t TPhotoFile::Seek(int64_t Offset, TSeekOrigin Origin) {
  const bool toEnd = (Origin == soCurrent || Origin == soEnd) ? Offset == 0 : Offset == FSize;
  return toEnd ? FSize : -1;
}

void TPhotoFile::CloseScratch() {
  if (FScratch) CloseHandle(FScratch);
  FScratch = nullptr;
}

// Renamed through the handle that wrote it: no second open, and under Wine far
// fewer round trips to its server than a rename by name.
bool TPhotoFile::RenameScratch() {
  // The name the system takes here is its own kind: whole, without doubled
  // separators or dots, "\??\C:\..." or "\??\UNC\server\...".
  const DWORD size = GetFullPathNameW(FFileName.c_str(), 0, nullptr, nullptr);
  std::wstring full(size, L'\0');
  full.resize(GetFullPathNameW(FFileName.c_str(), size, full.data(), nullptr));
  std::wstring target;
  if (full.compare(0, 4, L"\\\\?\\") == 0) target = L"\\??\\" + full.substr(4);
  else if (full.compare(0, 2, L"\\\\") == 0) target = L"\\??\\UNC\\" + full.substr(2);
  else target = L"\\??\\" + full;
  std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + target.size() * sizeof(wchar_t));
  auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  info->ReplaceIfExists = TRUE;
  info->RootDirectory = nullptr;
  info->FileNameLength = static_cast<DWORD>(target.size() * sizeof(wchar_t));
  std::memcpy(info->FileName, target.data(), info->FileNameLength);
  return SetFileInformationByHandle(FScratch, FileRenameInfo, info, static_cast<DWORD>(buffer.size()));
}

void TPhotoFile::ReplaceWithScratch() {
  // On disk before it has a name: a power cut must not leave a named photo whose
  // bytes never got there.
  if (!FlushFileBuffers(FScratch)) CannotWrite(GetLastError());
  const ULONGLONG giveUp = GetTickCount64() + kReplaceWaitMs;
  for (;;) {
    DWORD reason = 0;
    {
      std::lock_guard<std::mutex> hold(UnderWayLock());
      if (RenameScratch()) {
        CloseScratch();
        FScratchExists = false;
        UnderWay().erase(this);
        return;
      }
      reason = GetLastError();
    }
    if (!HeldByAnotherProgram(reason) || GetTickCount64() >= giveUp) CannotCreate(reason);
    Sleep(50);
  }
}

void TPhotoFile::Save() {
  if (!FScratch) OpenScratch();
  ReplaceWithScratch();
  FHeld = 0;
}

void TPhotoFile::Discard() {
  if (FScratchExists) {
    std::lock_guard<std::mutex> hold(UnderWayLock());
    CloseScratch();
    DeleteFileW(FScratchName.c_str());
    FScratchExists = false;
    UnderWay().erase(this);
  }
  FHeld = 0;
  FSize = 0;
}

void DropPhotosUnderWay() {
  // Held until the process ends: no photo is written or takes its name after this.
  UnderWayLock().lock();
  for (TPhotoFile* photo : UnderWay()) {
    photo->CloseScratch();
    DeleteFileW(photo->FScratchName.c_str());
  }
}

}  // namespace talvik::app
