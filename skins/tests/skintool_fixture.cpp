#include "skins/tests/skintool_fixture.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "framework/streams.h"
#include "framework/sysutils.h"
#include "skins/builtin/gen/png_codec.h"

namespace talvik::testing {

TToolFolder::TToolFolder() {
  FPath = TempFile("");
  DeleteFileW(FPath.c_str());
  CreateDirectoryW(FPath.c_str(), nullptr);
}

TToolFolder::~TToolFolder() {
  WIN32_FIND_DATAW found;
  HANDLE h = FindFirstFileW((FPath + L"\\*").c_str(), &found);
  if (h != INVALID_HANDLE_VALUE) {
    do DeleteFileW(Path(found.cFileName).c_str());
    while (FindNextFileW(h, &found));
    FindClose(h);
  }
  RemoveDirectoryW(FPath.c_str());
}

bool TToolFolder::Exists(const std::wstring& AName) const {
  return GetFileAttributesW(Path(AName).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void TToolFolder::Write(const std::wstring& AName, const std::string& ABytes) const {
  TFileStream f(Path(AName), fmCreate);
  f.WriteBuffer(ABytes.data(), static_cast<int64_t>(ABytes.size()));
}

std::wstring TToolFolder::Pack(const std::wstring& AName, const std::string& ASource) const {
  Write(AName + L".skinsrc", ASource);
  ToolResult r = RunSkinTool(L"pack " + Arg(AName + L".skinsrc") + L" " + Arg(AName + L".skin"));
  EXPECT_EQ(r.ExitCode, 0u) << r.Output;
  return Path(AName + L".skin");
}

skingen::Pixels ReadPng(const std::wstring& AFile) {
  try {
    TMemoryStream bytes;
    bytes.LoadFromFile(AFile);
    return skingen::DecodePng(static_cast<const uint8_t*>(bytes.Memory()), static_cast<size_t>(bytes.Size()));
  } catch (const Exception&) {
    return {};
  }
}

skingen::Pixels PicturePixels(TdxSkinImage* AImage) {
  TMemoryStream png;
  AImage->Texture()->SaveToStream(png);
  return skingen::DecodePng(static_cast<const uint8_t*>(png.Memory()), static_cast<size_t>(png.Size()));
}

std::unique_ptr<TdxSkin> LoadBuiltinSkin(const std::wstring& AName) {
  TResourceStream stream(GetModuleHandleW(nullptr), AName == L"UserSkin" ? L"DefaultUserSkinData" : AName.c_str(),
                         L"DXSKINS");
  auto skin = std::make_unique<TdxSkin>(L"", false, nullptr);
  skin->LoadFromStream(stream);
  return skin;
}

}  // namespace talvik::testing
