#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "framework/icon.h"
#include "framework/streams.h"
#include "framework/sysutils.h"

using namespace talvik;

namespace {

// The program's own icon, from the source tree (a Unix path under Wine's Z: drive).
std::wstring IconFile() {
  const char* root = std::getenv("TALVIK_SOURCE_DIR");
  std::wstring path = L"Z:" + Utf8ToWide(root ? root : "") + L"/resources/talvik-album.ico";
  for (wchar_t& c : path)
    if (c == L'/') c = L'\\';
  return path;
}

TColor PixelAfterDrawing(TIcon& icon, int x, int y) {
  TBitmap bitmap(32, 32, pf32bit);
  bitmap.Canvas().Brush().SetColor(static_cast<TColor>(0xFFFFFF));
  bitmap.Canvas().FillRect({0, 0, 32, 32});
  icon.Draw(bitmap.Canvas(), {0, 0, 32, 32});
  return bitmap.Canvas().Pixel(x, y);
}

}  // namespace

TEST(Icon, LoadsTheImageOfTheSystemSizeAndDrawsIt) {
  TIcon icon;
  icon.LoadFromFile(IconFile());
  EXPECT_EQ(icon.Width(), GetSystemMetrics(SM_CXICON));
  EXPECT_EQ(icon.Height(), GetSystemMetrics(SM_CYICON));
  EXPECT_EQ(PixelAfterDrawing(icon, 1, 16), static_cast<TColor>(0x282C30));  // the dark tile
  EXPECT_EQ(PixelAfterDrawing(icon, 22, 20), static_cast<TColor>(0x2878F0));  // the orange arrow
  EXPECT_EQ(PixelAfterDrawing(icon, 0, 0), static_cast<TColor>(0xFFFFFF));    // a transparent corner

  TIcon copy;
  copy.Assign(&icon);
  EXPECT_NE(copy.Handle(), icon.Handle());
  EXPECT_EQ(PixelAfterDrawing(copy, 22, 20), static_cast<TColor>(0x2878F0));
  TMemoryStream saved, original;
  copy.SaveToStream(saved);
  original.LoadFromFile(IconFile());
  ASSERT_EQ(saved.Size(), original.Size());
  EXPECT_EQ(std::memcmp(saved.Memory(), original.Memory(), static_cast<size_t>(saved.Size())), 0);
  EXPECT_THROW(icon.SetWidth(16), EInvalidGraphic);
}

TEST(Icon, DamagedDataIsRefused) {
  TMemoryStream good;
  good.LoadFromFile(IconFile());
  std::string bytes(reinterpret_cast<const char*>(good.Memory()), static_cast<size_t>(good.Size()));
  auto withBytes = [&](std::initializer_list<size_t> at, char value) {
    std::string b = bytes;
    for (size_t i : at) b[i] = value;
    return b;
  };
  const std::string cases[] = {
      "",
      bytes.substr(0, 5),
      withBytes({2}, 2),                          // a cursor file, not an icon
      withBytes({4}, 0),                          // no images
      bytes.substr(0, 6 + 16 * 3 - 1),            // directory cut short
      withBytes({6 + 15, 22 + 15, 38 + 15}, 0x7F),  // every image far beyond the end
      bytes.substr(0, 6 + 16 * 3 + 10),           // images cut off
  };
  for (const std::string& data : cases) {
    TMemoryStream stream;
    if (!data.empty()) stream.WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
    stream.SetPosition(0);
    TIcon icon;
    EXPECT_THROW(icon.LoadFromStream(stream), EInvalidGraphic) << data.size();
    EXPECT_TRUE(icon.Empty());
  }
}

TEST(Icon, MissingResourceAndUnsavedHandleFailClearly) {
  TIcon icon;
  try {
    icon.LoadFromResourceName(GetModuleHandleW(nullptr), L"NOSUCHICON");
    ADD_FAILURE() << "loaded";
  } catch (const EResNotFound& e) {
    EXPECT_EQ(e.Message(), L"Resource NOSUCHICON not found");
  }
  icon.SetHandle(CopyIcon(LoadIconW(nullptr, IDI_APPLICATION)));
  EXPECT_FALSE(icon.Empty());
  TMemoryStream out;
  EXPECT_THROW(icon.SaveToStream(out), EInvalidGraphic);
  HICON h = icon.ReleaseHandle();
  EXPECT_TRUE(icon.Empty());
  DestroyIcon(h);
}
