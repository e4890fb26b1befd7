// Byte streams: files with share modes, memory, and read-only resources.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "framework/classes.h"

typedef struct HINSTANCE__* HINSTANCE;

namespace talvik {

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
public:
  TALVIK_CLASS_NAME(TStream)
  // Reads up to Count bytes; returns how many were read.
  virtual int64_t Read(void* Buffer, int64_t Count) = 0;
  virtual int64_t Write(const void* Buffer, int64_t Count) = 0;
  virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;
  virtual void SetSize(int64_t NewSize);

  int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(int64_t Pos) { Seek(Pos, soBeginning); }
  virtual int64_t Size();
  // All or nothing: short transfers fail with "Stream read error" / "Stream write error".
  void ReadBuffer(void* Buffer, int64_t Count);
  void WriteBuffer(const void* Buffer, int64_t Count);
  // Copies Count bytes from Source's position (all of Source from its start when Count is 0).
  int64_t CopyFrom(TStream& Source, int64_t Count);

  template <class T> T ReadValue() { T v{}; ReadBuffer(&v, sizeof v); return v; }
  template <class T> void WriteValue(const T& v) { WriteBuffer(&v, sizeof v); }
};

// Stream over a block of memory that it does not own.
class TCustomMemoryStream : public TStream {
public:
  int64_t Read(void* Buffer, int64_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  int64_t Size() override { return FSize; }
  const uint8_t* Memory() const { return FMemory; }

protected:
  void SetPointer(const uint8_t* Ptr, int64_t Size) { FMemory = Ptr; FSize = Size; }
  const uint8_t* FMemory = nullptr;
  int64_t FSize = 0;
  int64_t FPosition = 0;
};

class TMemoryStream : public TCustomMemoryStream {
public:
  TALVIK_CLASS_NAME(TMemoryStream)
  int64_t Write(const void* Buffer, int64_t Count) override;
  void SetSize(int64_t NewSize) override;
  void Clear() { SetSize(0); }
  uint8_t* Memory() { return FData.data(); }
  void LoadFromStream(TStream& Stream);
  void LoadFromFile(const std::wstring& FileName);
  void SaveToStream(TStream& Stream);
  void SaveToFile(const std::wstring& FileName);

private:
  std::vector<uint8_t> FData;
};

// A resource of the module, read-only. A missing one fails with "Resource %s not found".
class TResourceStream : public TCustomMemoryStream {
public:
  TALVIK_CLASS_NAME(TResourceStream)
  TResourceStream(HINSTANCE Instance, const std::wstring& ResName, const wchar_t* ResType);
  int64_t Write(const void* Buffer, int64_t Count) override;
};

// Open modes and share modes, combined with |.
enum : unsigned {
  fmOpenRead = 0x0000, fmOpenWrite = 0x0001, fmOpenReadWrite = 0x0002,
  fmShareCompat = 0x0000, fmShareExclusive = 0x0010, fmShareDenyWrite = 0x0020,
  fmShareDenyRead = 0x0030, fmShareDenyNone = 0x0040,
  fmCreate = 0xFF00,
};

class THandleStream : public TStream {
public:
  int64_t Read(void* Buffer, int64_t Count) override;
  int64_t Write(const void* Buffer, int64_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  void SetSize(int64_t NewSize) override;

protected:
  void* FHandle = nullptr;
};

// "Cannot create file "%s". %s" / "Cannot open file "%s". %s" with the system's reason.
class TFileStream : public THandleStream {
public:
  TALVIK_CLASS_NAME(TFileStream)
  TFileStream(const std::wstring& FileName, unsigned Mode);
  ~TFileStream() override;
  const std::wstring& FileName() const { return FFileName; }

private:
  std::wstring FFileName;
};

}  // namespace talvik
