// What the tests of skintool's drawing commands share: a folder for their files,
// the pictures the tool writes, and the built-in skins to compare with.
#pragma once
#include <memory>
#include <string>

#include "skins/builtin/gen/picture_render.h"
#include "skins/model/skin.h"
#include "skins/tests/skin_fixture.h"

namespace talvik::testing {

// A fresh temporary folder, removed with everything in it.
class TToolFolder {
public:
  TToolFolder();
  ~TToolFolder();
  TToolFolder(const TToolFolder&) = delete;
  TToolFolder& operator=(const TToolFolder&) = delete;
  // The path of a file in the folder, in quotes for a command line.
  std::wstring Arg(const std::wstring& AName) const { return L"\"" + Path(AName) + L"\""; }
  std::wstring Path(const std::wstring& AName) const { return FPath + L"\\" + AName; }
  bool Exists(const std::wstring& AName) const;
  void Write(const std::wstring& AName, const std::string& ABytes) const;
  // A skin source packed with "skintool pack" into NAME.skin; fails the test when packing fails.
  std::wstring Pack(const std::wstring& AName, const std::string& ASource) const;

private:
  std::wstring FPath;
};

// A PNG file as straight red, green, blue, alpha; empty when it cannot be read.
skingen::Pixels ReadPng(const std::wstring& AFile);
// A picture of a skin as straight red, green, blue, alpha.
skingen::Pixels PicturePixels(TdxSkinImage* AImage);
// "DarkSide" or "UserSkin", from the resources the test carries.
std::unique_ptr<TdxSkin> LoadBuiltinSkin(const std::wstring& AName);

}  // namespace talvik::testing
