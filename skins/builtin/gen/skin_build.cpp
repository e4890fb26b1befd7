#include "skins/builtin/gen/skin_build.h"

#include "framework/streams.h"
#include "framework/sysutils.h"
#include "skins/builtin/gen/picture_render.h"
#include "skins/builtin/gen/png_codec.h"

namespace talvik::skingen {

namespace {

std::wstring W(const std::string& s) { return Utf8ToWide(s); }

void AddProperties(TdxSkinPersistent& owner, const std::vector<PropertySpec>& list) {
  for (const PropertySpec& p : list) {
    const std::wstring name = W(p.name);
    switch (p.kind) {
      case PropertyKind::Integer: owner.AddProperty<TdxSkinIntegerProperty>(name)->SetValue(p.values[0]); break;
      case PropertyKind::Boolean: owner.AddProperty<TdxSkinBooleanProperty>(name)->SetValue(p.values[0] != 0); break;
      case PropertyKind::Color: owner.AddProperty<TdxSkinColor>(name)->SetValue(p.values[0]); break;
      case PropertyKind::Rect: {
        auto* r = owner.AddProperty<TdxSkinRectProperty>(name);
        r->SetLeft(p.values[0]); r->SetTop(p.values[1]); r->SetRight(p.values[2]); r->SetBottom(p.values[3]);
        break;
      }
      case PropertyKind::Size: owner.AddProperty<TdxSkinSizeProperty>(name)->SetValue(SIZE{p.values[0], p.values[1]}); break;
      case PropertyKind::String: owner.AddProperty<TdxSkinStringProperty>(name)->SetValue(W(p.text)); break;
    }
  }
}

void SetPicture(const SkinSource& source, const ElementSpec& e, const PictureSpec& p, TdxSkinImage& image) {
  image.SetImageLayout(p.vertical ? ilVertical : ilHorizontal);
  image.SetStates(p.states);
  image.SetStretch(static_cast<TdxSkinStretchMode>(p.stretch));
  image.Margins()->SetRect(RECT{p.margins[0], p.margins[1], p.margins[2], p.margins[3]});
  image.SetGradientBeginColor(p.gradientBegin);
  image.SetGradientEndColor(p.gradientEnd);
  image.SetGradient(static_cast<TdxSkinGradientMode>(p.gradientMode));
  if (!p.hasPicture) return;
  std::vector<uint8_t> png = EncodePng(RenderPicture(source, e, p));
  TMemoryStream stream;
  stream.WriteBuffer(png.data(), static_cast<int64_t>(png.size()));
  stream.SetPosition(0);
  image.Texture()->LoadFromStream(stream);
  if (image.Texture()->Empty())
    throw Exception(L"The picture of " + W(e.name) + L" could not be decoded again");
  image.Invalidate();
}

}  // namespace

std::unique_ptr<TdxSkin> BuildSkin(const SkinSource& source) {
  auto skin = std::make_unique<TdxSkin>(W(source.name), false, nullptr);
  skin->BeginUpdate();
  for (const auto& [name, value] : source.colors) skin->AddColor(W(name), value);
  AddProperties(*skin, source.properties);
  for (const GroupSpec& g : source.groups) {
    TdxSkinControlGroup* group = skin->AddGroup(W(g.name));
    for (const ElementSpec& e : g.elements) {
      TdxSkinElement* element = group->AddElement(W(e.name));
      try {
        element->SetImageCount(e.imageCount);
        element->SetAlpha(e.alpha);
        element->SetColor(e.color);
        element->SetTextColor(e.textColor);
        element->ContentOffset()->SetRect(
            RECT{e.contentOffset[0], e.contentOffset[1], e.contentOffset[2], e.contentOffset[3]});
        element->MinSize()->SetSize(SIZE{e.minSize[0], e.minSize[1]});
        TdxSkinBorder* borders[4] = {element->Borders()->Left(), element->Borders()->Top(),
                                     element->Borders()->Right(), element->Borders()->Bottom()};
        for (int i = 0; i < 4; ++i) {
          borders[i]->SetColor(e.borders[i].color);
          borders[i]->SetThin(e.borders[i].thickness);
        }
        SetPicture(source, e, e.image, *element->Image());
        SetPicture(source, e, e.glyph, *element->Glyph());
        AddProperties(*element, e.properties);
      } catch (const Exception& ex) {
        throw Exception(W(g.name + "/" + e.name + ": ") + ex.Message());
      }
    }
    AddProperties(*group, g.properties);
  }
  skin->CancelUpdate();
  return skin;
}

void PackSkin(const std::wstring& sourceFile, const std::wstring& outFile) {
  std::unique_ptr<TdxSkin> skin = BuildSkin(LoadSkinSource(sourceFile));
  // Write to memory first so that a failure leaves no half-written file.
  TMemoryStream stream;
  skin->SaveToStream(stream);
  stream.SaveToFile(outFile);
}

}  // namespace talvik::skingen
