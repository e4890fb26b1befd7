// The body of one photo on its way into its file. Up to a few MB it is held in
// memory and written once whole; a larger one streams into a scratch file beside
// the photo and is renamed into place once complete. Either way only a whole
// photo ever stands under the photo's name, and a photo saved earlier under that
// name is replaced only by a whole new one.
#pragma once
#include <string>
#include <vector>

#include "framework/streams.h"
#include "net/idhttp.h"

namespace talvik::app {

class TPhotoFile : public TStream, public net::IBodySpace {
public:
  TALVIK_CLASS_NAME(TPhotoFile)
  TPhotoFile() = default;
  TPhotoFile(const TPhotoFile&) = delete;
  TPhotoFile& operator=(const TPhotoFile&) = delete;
  ~TPhotoFile() override { Discard(); }

  // Begins a photo for AFileName, dropping what an earlier one left.
  void Start(const std::wstring& AFileName);
  // Appends; a scratch file that cannot take the bytes raises "Cannot write file".
  int64_t Write(const void* Buffer, int64_t Count) override;
  int64_t Read(void*, int64_t) override { return 0; }
  // Only the end can be reached: the body is written once, front to back.
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  // A body held in memory is received straight into it.
  char* BodySpace(size_t AWanted, size_t& ARoom) override;
  void BodySpaceFilled(size_t ACount) override;

  // Puts the whole body under the photo's name, replacing a file of that name.
  // Raises "Cannot create file" or "Cannot write file" with the system's reason.
  void Save();
  // Drops the body and its scratch file.
  void Discard();

  // Bodies up to this size never touch the disk before they are complete.
  static constexpr size_t kInMemoryLimit = 4 << 20;

private:
  void OpenScratch();
  void WriteOut(void* AHandle, const void* AData, size_t ACount);
  void ReplaceWithScratch();
  [[noreturn]] void CannotCreate(unsigned long AError) const;

  std::wstring FFileName, FScratchName;
  std::vector<char> FMemory;  // keeps its capacity from photo to photo
  size_t FHeld = 0;           // bytes of FMemory in use
  int64_t FSize = 0;
  void* FScratch = nullptr;
};

}  // namespace talvik::app
