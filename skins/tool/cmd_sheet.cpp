// skintool sheet FILE|--builtin NAME OUT.png: a contact sheet of a skin for
// review. FILE is a skin file or a skin source.
#include <windows.h>

#include <cstdio>
#include <memory>

#include "framework/streams.h"
#include "framework/sysutils.h"
#include "skins/builtin/gen/png_codec.h"
#include "skins/skin.h"
#include "skins/tool/command.h"
#include "skins/tool/sheet_render.h"

namespace talvik {

namespace {

std::string ColorText(TColor c) {
  if (c == clNone) return "none";
  if (c == clDefault) return "default";
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02X%02X%02X", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
  return buffer;
}

skingen::SheetPicture PictureOf(TdxSkinElement* AElement, TdxSkinImage* AImage, const char* AKind) {
  skingen::SheetPicture p;
  p.kind = AKind;
  TMemoryStream png;
  AImage->Texture()->SaveToStream(png);
  p.pixels = skingen::DecodePng(png.Memory(), static_cast<size_t>(png.Size()));
  p.vertical = AImage->ImageLayout() == ilVertical;
  p.states = AImage->States();
  p.imageCount = AElement->ImageCount();
  RECT m = AImage->Margins()->Rect();
  p.margins[0] = m.left; p.margins[1] = m.top; p.margins[2] = m.right; p.margins[3] = m.bottom;
  p.stretch = AImage->Stretch();
  p.gradientBegin = AImage->GradientBeginColor();
  return p;
}

std::vector<skingen::SheetElement> SheetFromSkin(TdxSkin& ASkin) {
  std::vector<skingen::SheetElement> out;
  for (int g = 0; g < ASkin.GroupCount(); ++g) {
    TdxSkinControlGroup* group = ASkin.Groups(g);
    for (int e = 0; e < group->Count(); ++e) {
      TdxSkinElement* element = group->Elements(e);
      skingen::SheetElement se;
      se.group = WideToUtf8(group->Name());
      se.name = WideToUtf8(element->Name());
      se.color = element->Color();
      se.textColor = element->TextColor();
      RECT offset = element->ContentOffset()->Rect();
      se.contentOffset[0] = offset.left; se.contentOffset[1] = offset.top;
      se.contentOffset[2] = offset.right; se.contentOffset[3] = offset.bottom;
      if (element->IsColorAssigned() || element->TextColor() != clDefault)
        se.note = "colour " + ColorText(element->Color()) + ", text " + ColorText(element->TextColor());
      if (!element->Image()->Texture()->Empty()) se.pictures.push_back(PictureOf(element, element->Image(), "image"));
      if (!element->Glyph()->Texture()->Empty()) se.pictures.push_back(PictureOf(element, element->Glyph(), "glyph"));
      out.push_back(std::move(se));
    }
  }
  return out;
}

bool IsSkinStream(TStream& AStream) {
  char head[10] = {};
  int64_t n = AStream.Read(head, sizeof head);
  AStream.SetPosition(0);
  return n == sizeof head && std::string(head + 4, 6) == "dxSkin";
}

int Sheet(const std::vector<std::wstring>& AArgs) {
  std::unique_ptr<TStream> stream;
  std::wstring out;
  if (AArgs.size() == 3 && AArgs[0] == L"--builtin") {
    stream = OpenBuiltinSkin(AArgs[1]);
    out = AArgs[2];
  } else if (AArgs.size() == 2) {
    stream = std::make_unique<TFileStream>(AArgs[0], fmOpenRead | fmShareDenyNone);
    out = AArgs[1];
  } else {
    throw Exception(L"usage: skintool sheet FILE|--builtin DarkSide|UserSkin OUT.png");
  }
  std::vector<skingen::SheetElement> elements;
  skingen::SheetColors colors;
  std::string title;
  if (IsSkinStream(*stream)) {
    TdxSkin skin(L"", false, nullptr);
    skin.LoadFromStream(*stream);
    if (skin.GroupCount() == 0) throw Exception(L"The skin could not be read (is GDI+ available?)");
    title = WideToUtf8(skin.Name());
    elements = SheetFromSkin(skin);
    for (int i = 0; i < skin.ColorCount(); ++i)
      colors.emplace_back(WideToUtf8(skin.Colors(i)->Name()), skin.Colors(i)->Value());
  } else {
    stream.reset();
    skingen::SkinSource source = skingen::LoadSkinSource(AArgs[0]);
    title = source.name + " (source)";
    elements = skingen::SheetFromSource(source);
    colors = source.colors;
  }
  std::vector<uint8_t> png = skingen::EncodePng(skingen::RenderSheet(title, colors, elements));
  TMemoryStream file;
  file.WriteBuffer(png.data(), static_cast<int64_t>(png.size()));
  file.SaveToFile(out);
  return 0;
}

const TSkinToolCommand registration(L"sheet", L"FILE|--builtin DarkSide|UserSkin OUT.png", Sheet);

}  // namespace

}  // namespace talvik
