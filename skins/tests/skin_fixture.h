// Small skins and hand-made skin streams for the tests.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "skins/model/skin.h"

namespace talvik::testing {

// A 32-bit picture whose pixel (x, y) is Pixel(x, y) as 0xAARRGGBB.
std::unique_ptr<TdxPNGImage> MakePicture(int AWidth, int AHeight, uint32_t (*Pixel)(int x, int y));
// Opaque, with a different colour in every pixel.
uint32_t Gradient(int x, int y);

// Two colours, a skin property of every stored kind, two groups with three elements,
// pictures on two of them, one glyph; every field away from its default somewhere.
std::unique_ptr<TdxSkin> MakeSampleSkin();
std::string SaveToBytes(TdxSkin& ASkin);

// Builds skin streams byte by byte.
class TSkinBytes {
public:
  TSkinBytes& Int32(int32_t V) { return Raw(&V, 4); }
  TSkinBytes& Byte(uint8_t V) { return Raw(&V, 1); }
  TSkinBytes& Word(uint16_t V) { return Raw(&V, 2); }
  TSkinBytes& Double(double V) { return Raw(&V, 8); }
  TSkinBytes& Str(const std::string& S) { return Int32(static_cast<int32_t>(S.size())).Raw(S.data(), S.size()); }
  TSkinBytes& Raw(const void* P, size_t N) {
    FBytes.append(static_cast<const char*>(P), N);
    return *this;
  }
  TSkinBytes& Header(double AVersion, const std::string& AName) {
    return Int32(6).Raw("dxSkin", 6).Double(AVersion).Str(AName);
  }
  // An image record without a picture; gradient fields only from 1.02 on.
  TSkinBytes& EmptyImage(double AVersion, int32_t APictureSize = 0);
  // A whole element record with empty pictures and no properties.
  TSkinBytes& PlainElement(double AVersion);
  const std::string& Bytes() const { return FBytes; }

private:
  std::string FBytes;
};

// A read-only stream over bytes.
class TBytesStream : public TMemoryStream {
public:
  explicit TBytesStream(const std::string& ABytes) {
    WriteBuffer(ABytes.data(), static_cast<int64_t>(ABytes.size()));
    SetPosition(0);
  }
};

struct ToolResult {
  unsigned long ExitCode = 0;
  std::string Output;  // stdout and stderr together
};
// Runs a program with "NAME=value" variables added to the environment.
ToolResult RunProgram(const std::wstring& APath, const std::wstring& AArgs,
                      const std::vector<std::wstring>& AEnvironment = {});
// The full path of a program that lies beside the test executable.
std::wstring BesideTest(const std::wstring& AExe);
// skintool.exe, beside the test, with these arguments.
ToolResult RunSkinTool(const std::wstring& AArgs);
// The output's lines without their line ends.
std::vector<std::string> OutputLines(const std::string& AOutput);
// Copies the program into a new folder beside a "gdiplus.dll" that is no library, so that
// the copy runs without GDI+; returns the copy's path.
std::wstring TempFile(const std::string& ABytes);

// Counts the notifications of a skin.
class TCountingListener : public IdxSkinChangeListener {
public:
  void SkinUpdated(TdxSkin*) override { ++Count; }
  int Count = 0;
};

}  // namespace talvik::testing
