#include "app/photo_file.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "framework/sysutils.h"

namespace talvik::app {

namespace {

// Why a write failed, in the words Windows uses (Wine's own text for a full disk
// is a bare "Disk full.").
std::wstring WriteFailureReason(DWORD code) {
  if (code == ERROR_DISK_FULL || code == ERROR_HANDLE_DISK_FULL) return L"There is not enough space on the disk.";
  return SysErrorMessage(code ? code : ERROR_WRITE_FAULT);
}

}  // namespace

void TPhotoFile::Start(const std::wstring& AFileName) {
  Discard();
  FFileName = AFileName;
  FScratchName = AFileName + L".part";
}

void TPhotoFile::CannotCreate(unsigned long AError) const {
  throw EFCreateError(Format(L"Cannot create file \"%s\". %s", {FFileName, SysErrorMessage(AError)}));
}

void TPhotoFile::WriteOut(void* AHandle, const void* AData, size_t ACount) {
  const char* data = static_cast<const char*>(AData);
  while (ACount > 0) {
    DWORD done = 0;
    const DWORD piece = static_cast<DWORD>(std::min<size_t>(ACount, 1 << 30));
    if (!WriteFile(AHandle, data, piece, &done, nullptr) || done == 0) {
      // A full disk says so here; "Stream write error" would hide it.
      throw EWriteError(Format(L"Cannot write file \"%s\". %s", {FFileName, WriteFailureReason(GetLastError())}));
    }
    data += done;
    ACount -= done;
  }
}

void TPhotoFile::OpenScratch() {
  HANDLE h = CreateFileW(FScratchName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) CannotCreate(GetLastError());
  FScratch = h;
  WriteOut(FScratch, FMemory.data(), FHeld);
  FHeld = 0;
}

int64_t TPhotoFile::Write(const void* Buffer, int64_t Count) {
  if (Count <= 0) return 0;
  const size_t n = static_cast<size_t>(Count);
  if (!FScratch && FHeld + n > kInMemoryLimit) OpenScratch();
  if (FScratch) {
    WriteOut(FScratch, Buffer, n);
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

void TPhotoFile::ReplaceWithScratch() {
  CloseHandle(FScratch);
  FScratch = nullptr;
  if (!MoveFileExW(FScratchName.c_str(), FFileName.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    const DWORD reason = GetLastError();
    DeleteFileW(FScratchName.c_str());
    CannotCreate(reason);
  }
}

void TPhotoFile::Save() {
  if (!FScratch) {
    // A new name needs one look-up only: the name's existence is learnt from the
    // create itself (under Wine every look-up scans the folder).
    HANDLE h = CreateFileW(FFileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      try {
        WriteOut(h, FMemory.data(), FHeld);
      } catch (...) {
        CloseHandle(h);
        DeleteFileW(FFileName.c_str());
        throw;
      }
      CloseHandle(h);
      FHeld = 0;
      return;
    }
    const DWORD reason = GetLastError();
    if (reason != ERROR_FILE_EXISTS && reason != ERROR_ALREADY_EXISTS) CannotCreate(reason);
    // The photo saved earlier goes only once the new one is whole: a full disk
    // must not cost it.
    OpenScratch();
  }
  ReplaceWithScratch();
  FHeld = 0;
}

void TPhotoFile::Discard() {
  if (FScratch) {
    CloseHandle(FScratch);
    FScratch = nullptr;
    DeleteFileW(FScratchName.c_str());
  }
  FHeld = 0;
  FSize = 0;
}

}  // namespace talvik::app
