// The body of one photo on its way into its file. It arrives under a scratch
// name beside the photo (up to a few MB held in memory first, a larger one
// streamed there) and takes the photo's name by one rename once whole and
// flushed. So only a whole photo ever stands under the photo's name, whatever
// ends the program meanwhile, and a photo saved earlier under that name is
// replaced only by a whole new one.
#pragma once
#include <string>
#include <vector>

#include "framework/streams.h"
#include "net/idhttp.h"

namespace talvik::app {

class TPhotoFile : public TStream, public net::IBodySpace {
public:
  TALVIK_CLASS_NAME(TPhotoFile)
  TPhotoFile();
  TPhotoFile(const TPhotoFile&) = delete;
  TPhotoFile& operator=(const TPhotoFile&) = delete;
  ~TPhotoFile() override;

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

  // Puts the whole body under the photo's name, replacing a file of that name
  // (another program that holds it open is waited for a short while). Raises
  // "Cannot create file" or "Cannot write file" with the system's reason.
  void Save();
  // Drops the body and its scratch file.
  void Discard();

  // Bodies up to this size are written to disk in one piece once complete.
  static constexpr size_t kInMemoryLimit = 4 << 20;
  // How long a replace waits for another program to let go of the photo's name.
  static constexpr int kReplaceWaitMs = 3000;

private:
  void OpenScratch();
  void WriteOut(const void* AData, size_t ACount);
  void CloseScratch();
  bool RenameScratch();
  void ReplaceWithScratch();
  [[noreturn]] void CannotCreate(unsigned long AError) const;
  [[noreturn]] void CannotWrite(unsigned long AError) const;
  friend void DropPhotosUnderWay();

  std::wstring FFileName, FScratchName;
  std::vector<char> FMemory;  // keeps its capacity from photo to photo
  size_t FHeld = 0;           // bytes of FMemory in use
  int64_t FSize = 0;
  void* FScratch = nullptr;
  bool FScratchExists = false;  // the scratch file stands on disk, open or not
};

// For an interrupt of the whole program: deletes every photo's scratch file
// and lets no photo be written or take its name from then on. Called once,
// just before the process ends.
void DropPhotosUnderWay();

}  // namespace talvik::app
