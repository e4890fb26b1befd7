// The skin info: what it resolves from the built-in skins and from skins that lack parts.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>

#include "framework/sysutils.h"
#include "skins/info/skininfo.h"
#include "skins/tests/draw_surface.h"
#include "skins/tests/skin_fixture.h"

using namespace talvik;
using namespace talvik::testing;

namespace {

std::unique_ptr<TdxSkin> Builtin(const wchar_t* AResource) {
  return std::make_unique<TdxSkin>(AResource, true, GetModuleHandleW(nullptr));
}

std::wstring PathOf(TdxSkinElement* AElement) {
  return AElement ? AElement->Group()->Name() + L"/" + AElement->Name() : L"none";
}

// Every field by its full name, as text; values of references are where they point.
class TFieldText : public TdxSkinInfoVisitor {
public:
  std::map<std::wstring, std::wstring> Text;
  std::set<std::wstring> Parts;       // group, element and scroll-info fields
  std::set<std::wstring> Properties;  // colour, integer and Boolean property fields
  void Group(const TdxSkinInfoField& F, TdxSkinControlGroup* A) override { Ref(Parts, F, A ? A->Name() : L""); }
  void Element(const TdxSkinInfoField& F, TdxSkinElement* A) override { Ref(Parts, F, A ? PathOf(A) : L""); }
  void ScrollInfo(const TdxSkinInfoField& F, TdxSkinScrollInfo* A) override {
    Ref(Parts, F, A ? PathOf(A->Element()) + L" " + std::to_wstring(A->ImageIndex()) : L"");
  }
  void ColorProperty(const TdxSkinInfoField& F, TdxSkinColor* A) override { Ref(Properties, F, A ? A->Name() : L""); }
  void IntegerProperty(const TdxSkinInfoField& F, TdxSkinIntegerProperty* A) override {
    Ref(Properties, F, A ? A->Name() : L"");
  }
  void BooleanProperty(const TdxSkinInfoField& F, TdxSkinBooleanProperty* A) override {
    Ref(Properties, F, A ? A->Name() : L"");
  }
  std::set<std::wstring> Values;  // colour values, integers and rectangles
  void ColorValue(const TdxSkinInfoField& F, TColor A) override {
    Ref(Values, F, A == clDefault ? L"default" : std::to_wstring(A));
  }
  void Integer(const TdxSkinInfoField& F, int A) override { Ref(Values, F, std::to_wstring(A)); }
  void Rect(const TdxSkinInfoField& F, const RECT& A) override {
    Ref(Values, F, std::to_wstring(A.left) + L"," + std::to_wstring(A.top) + L"," + std::to_wstring(A.right) + L"," +
                       std::to_wstring(A.bottom));
  }

private:
  void Ref(std::set<std::wstring>& AKind, const TdxSkinInfoField& F, const std::wstring& AValue) {
    EXPECT_TRUE(Text.emplace(F.FullName(), AValue).second) << "twice: " << WideToUtf8(F.FullName());
    AKind.insert(F.FullName());
  }
};

TFieldText FieldsOf(const TdxSkinInfo& AInfo) {
  TFieldText fields;
  AInfo.EnumFields(fields);
  return fields;
}

std::vector<TdxSkinElement*> ElementsOf(TdxSkin* ASkin) {
  std::vector<TdxSkinElement*> result;
  for (int g = 0; g < ASkin->GroupCount(); ++g)
    for (int e = 0; e < ASkin->Groups(g)->Count(); ++e) result.push_back(ASkin->Groups(g)->Elements(e));
  return result;
}

TEST(SkinInfo, DarkSideValues) {
  TdxSkinInfo info(Builtin(L"DarkSide"));
  EXPECT_EQ(info.FormBorderWidths[true].left, 3);
  EXPECT_EQ(info.FormBorderWidths[true].top, 0);
  EXPECT_EQ(info.FormBorderWidths[true].right, 3);
  EXPECT_EQ(info.FormBorderWidths[true].bottom, 3);
  EXPECT_EQ(info.FormCaptionDelta, 1);
  ASSERT_NE(info.ButtonElements, nullptr);
  EXPECT_EQ(info.ButtonElements->Tag(), 1);
  EXPECT_EQ(info.ButtonDisabled, info.ButtonElements->GetPropertyByName(L"DisabledText"));
  ASSERT_NE(info.ButtonDisabled, nullptr);
  EXPECT_EQ(info.ButtonDisabled->Tag(), 1);
  EXPECT_EQ(info.GroupBoxCaptionElements[cxgpCenter], nullptr);
  EXPECT_EQ(info.ContainerBorderColor->Value(), 0x6C6C6C);

  // Where named fields point: the names come from the enumeration, the targets from resolution.
  TFieldText fields = FieldsOf(info);
  const std::pair<const wchar_t*, const wchar_t*> expected[] = {
      {L"Group_Tabs", L"PageControl"},
      {L"Group_VGrid", L"VerticalGrid"},
      {L"FormFrames[false][bTop]", L"Form/SmallFormCaption"},
      {L"FormFrames[true][bTop]", L"Form/FormCaption"},
      {L"FormIcons[true][sfiMenu]", L""},
      {L"FormIcons[false][sfiClose]", L"Form/SmallFormButtonClose"},
      {L"ScrollBar_Elements[false][sbpLineDown]", L"Common/ScrollButton 1"},
      {L"ScrollBar_Elements[true][sbpLineUp]", L"Common/ScrollButton 2"},
      {L"ScrollBar_Elements[true][sbpPageDown]", L"Common/ScrollContentHorz 0"},
      {L"ScrollBar_Elements[true][sbpNone]", L""},
      {L"EditButtonGlyphs[cxbkEllipsisBtn]", L"Editors/EditorButton"},
      {L"CalcEditButtonTextColors[cbDecimal]", L"CalcEditDigitTextColor"},
      {L"EditorTextColors[esckReadOnly]", L"TextReadOnlyColor"},
      {L"GroupBoxElements[cxgpCenter]", L"Common/GroupPanel"},
      {L"TrackBarThumb[5]", L"Editors/TrackBarThumbBoth"},
      {L"RibbonSmallButton", L"Ribbon/Button"},
      {L"FormBorderWidths[true]", L"3,0,3,3"},
      {L"SchedulerTimeGridCurrentTimeIndicator", L""},
  };
  for (const auto& [field, target] : expected) EXPECT_EQ(fields.Text[field], target) << WideToUtf8(field);
}

TEST(SkinInfo, BuiltinSkinsNeedNoPlaceholders) {
  // The only references a built-in skin leaves empty.
  const std::set<std::wstring> none = {
      L"SchedulerTimeGridCurrentTimeIndicator", L"GroupBoxCaptionElements[cxgpCenter]",
      L"FormIcons[false][sfiMenu]",  L"FormIcons[false][sfiHelp]",    L"FormIcons[false][sfiMinimize]",
      L"FormIcons[false][sfiMaximize]", L"FormIcons[false][sfiRestore]", L"FormIcons[true][sfiMenu]",
      L"ScrollBar_Elements[false][sbpNone]", L"ScrollBar_Elements[true][sbpNone]"};
  for (const wchar_t* resource : {L"DarkSide", L"DefaultUserSkinData"}) {
    SCOPED_TRACE(WideToUtf8(resource));
    TdxSkinInfo info(Builtin(resource));
    TdxSkin* skin = info.Skin();
    EXPECT_EQ(skin->GroupCount(), 13);
    std::vector<TdxSkinElement*> elements = ElementsOf(skin);
    EXPECT_EQ(elements.size(), 217u);
    for (TdxSkinElement* e : elements) EXPECT_NE(e->Tag(), 2) << WideToUtf8(PathOf(e));
    for (int g = 0; g < skin->GroupCount(); ++g) EXPECT_EQ(skin->Groups(g)->Tag(), 1);

    TFieldText fields = FieldsOf(info);
    // Groups and elements only: a skin may well lack colours and properties.
    for (const std::wstring& name : fields.Parts)
      EXPECT_EQ(fields.Text[name].empty(), none.count(name) == 1) << WideToUtf8(name);
  }
}

// A skin of one group with one element, for the cases that need a skin lacking parts.
std::unique_ptr<TdxSkin> SkinWith(const wchar_t* AGroup, const wchar_t* AElement) {
  auto skin = std::make_unique<TdxSkin>(L"Small", false, nullptr);
  skin->AddGroup(AGroup)->AddElement(AElement);
  return skin;
}

TdxSkinElement* ElementOf(TdxSkin* ASkin, const wchar_t* AGroup, const wchar_t* AElement) {
  return ASkin->GetGroupByName(AGroup)->GetElementByName(AElement);
}

TEST(SkinInfo, SkinWithoutFormGainsOnePlaceholderPerFormElement) {
  TdxSkinInfo info(SkinWith(L"Common", L"Button"));
  TdxSkin* skin = info.Skin();
  ASSERT_NE(info.Group_Form, nullptr);
  EXPECT_EQ(info.Group_Form, skin->GetGroupByName(L"Form"));
  EXPECT_EQ(info.Group_Form->Tag(), 2);
  EXPECT_EQ(info.Group_Common->Tag(), 1);
  EXPECT_EQ(info.ButtonElements->Tag(), 1);

  // The nested resolutions that the placeholders start add nothing twice.
  std::set<std::wstring> names;
  for (int i = 0; i < info.Group_Form->Count(); ++i) names.insert(info.Group_Form->Elements(i)->Name());
  EXPECT_EQ(info.Group_Form->Count(), 12);
  EXPECT_EQ(names.size(), 12u);

  std::vector<TdxSkinElement*> form = {info.FormContent};
  for (auto& row : info.FormFrames) form.insert(form.end(), std::begin(row), std::end(row));
  for (auto& row : info.FormIcons)
    for (TdxSkinElement* icon : row)
      if (icon) form.push_back(icon);
  EXPECT_EQ(form.size(), 15u);  // FormFrames names four elements twice
  for (TdxSkinElement* e : form) {
    SCOPED_TRACE(WideToUtf8(PathOf(e)));
    EXPECT_EQ(e->Group(), info.Group_Form);
    EXPECT_EQ(e->Tag(), 2);
    EXPECT_EQ(e->Image()->States(), dxSkinStateBit(esNormal));
    EXPECT_EQ(e->Image()->Stretch(), smStretch);
    EXPECT_EQ(e->Size().cx, 32);
    EXPECT_EQ(e->Size().cy, 32);
  }
  EXPECT_EQ(FieldsOf(info).Text[L"FormBorderWidths[false]"], L"32,0,32,32");

  // Placeholders made by the nested resolutions stay marked as placeholders too.
  for (TdxSkinElement* e : ElementsOf(skin))
    EXPECT_EQ(e->Tag(), e == info.ButtonElements ? 1 : 2) << WideToUtf8(PathOf(e));
  for (int g = 0; g < skin->GroupCount(); ++g)
    EXPECT_EQ(skin->Groups(g)->Tag(), skin->Groups(g) == info.Group_Common ? 1 : 2);
}

void ExpectNothingResolved(const TdxSkinInfo& AInfo) {
  TFieldText fields = FieldsOf(AInfo);
  for (const std::wstring& name : fields.Parts) EXPECT_EQ(fields.Text[name], L"") << WideToUtf8(name);
  for (const std::wstring& name : fields.Properties) EXPECT_EQ(fields.Text[name], L"") << WideToUtf8(name);
  for (const std::wstring& name : fields.Values) {
    std::wstring expected = L"default";
    if (name == L"FormCaptionDelta") expected = L"1";
    else if (name.starts_with(L"FormBorderWidths")) expected = L"0,0,0,0";
    else if (name.find(L"Indents") != std::wstring::npos) expected = L"0";
    EXPECT_EQ(fields.Text[name], expected) << WideToUtf8(name);
  }
}

TEST(SkinInfo, WithoutSkinEveryFieldIsNoneOrDefault) {
  TdxSkinInfo info(Builtin(L"DarkSide"));
  TdxSkin* darkSide = info.Skin();
  std::map<std::wstring, std::wstring> resolved = FieldsOf(info).Text;

  std::unique_ptr<TdxSkin> previous = info.SetSkin(nullptr);
  EXPECT_EQ(previous.get(), darkSide);
  EXPECT_EQ(info.Skin(), nullptr);
  ExpectNothingResolved(info);

  // Given back, the same skin resolves to the same fields.
  info.SetSkin(std::move(previous));
  EXPECT_EQ(info.Skin(), darkSide);
  EXPECT_EQ(FieldsOf(info).Text, resolved);

  // A skin that fails half-way through leaves no field pointing into it or into the one before.
  auto failing = SkinWith(L"Editors", L"Any");
  failing->GetGroupByName(L"Editors")->AddProperty<TdxSkinStringProperty>(L"TextColor");
  EXPECT_THROW(info.SetSkin(std::move(failing)), EInvalidCast);
  EXPECT_EQ(info.Skin(), nullptr);
  ExpectNothingResolved(info);
}

TEST(SkinInfo, ResolvesAgainWhenTheSkinChanges) {
  auto skin = SkinWith(L"Form", L"FormCaption");
  TdxSkinIntegerProperty* delta =
      ElementOf(skin.get(), L"Form", L"FormCaption")->AddProperty<TdxSkinIntegerProperty>(L"FontDelta");
  TdxSkinInfo info(std::move(skin));
  TCountingListener counter;
  info.Skin()->AddListener(&counter);
  EXPECT_EQ(info.FormCaptionDelta, 1);
  EXPECT_EQ(delta->Tag(), 1);

  delta->SetValue(4);
  EXPECT_EQ(info.FormCaptionDelta, 4);
  // The colour adjustments of that resolution run under the skin's lock: nobody hears of them.
  EXPECT_EQ(counter.Count, 1);
  EXPECT_EQ(FieldsOf(info).Text[L"ScrollBar_Elements[false][sbpLineDown]"], L"Common/ScrollButton 1");

  TdxSkinColor* disabled = info.ButtonElements->AddProperty<TdxSkinColor>(L"DisabledText");
  EXPECT_EQ(info.ButtonDisabled, disabled);
  info.Skin()->RemoveListener(&counter);
}

TEST(SkinInfo, FormCaptionDeltaIsAtLeastOne) {
  struct Case {
    bool HasFontDelta;
    int FontDelta;
    int Expected;
  } cases[] = {{false, 0, 1}, {true, 0, 1}, {true, -3, 1}, {true, 1, 1}, {true, 4, 4}};
  for (const Case& c : cases) {
    auto skin = SkinWith(L"Form", L"FormCaption");
    if (c.HasFontDelta)
      ElementOf(skin.get(), L"Form", L"FormCaption")->AddProperty<TdxSkinIntegerProperty>(L"FontDelta")->SetValue(c.FontDelta);
    TdxSkinInfo info(std::move(skin));
    EXPECT_EQ(info.FormCaptionDelta, c.Expected) << c.HasFontDelta << " " << c.FontDelta;
  }
}

TEST(SkinInfo, PropertyOfAnotherClassUnderAnExpectedNameIsAnInvalidCast) {
  struct Case {
    const wchar_t* Group;
    const wchar_t* Element;  // nullptr: a property of the group
    const wchar_t* Property;
    TdxSkinPropertyClass Right;
    const wchar_t* Expected;
    TdxSkinProperty* (*Field)(TdxSkinInfo&);
  } cases[] = {
      {L"Common", L"Button", L"DisabledText", &PropertyClassOf<TdxSkinColor>, L"Color",
       [](TdxSkinInfo& I) -> TdxSkinProperty* { return I.ButtonDisabled; }},
      {L"Form", L"FormCaption", L"FontDelta", &PropertyClassOf<TdxSkinIntegerProperty>, L"Integer",
       [](TdxSkinInfo& I) -> TdxSkinProperty* { return I.FormFrames[true][bTop]->GetPropertyByName(L"FontDelta"); }},
      {L"NavPane", nullptr, L"OverlapGroupBorders", &PropertyClassOf<TdxSkinBooleanProperty>, L"Boolean",
       [](TdxSkinInfo& I) -> TdxSkinProperty* { return I.NavPaneOffsetGroupBorders; }},
      {L"Editors", nullptr, L"TextReadOnlyColor", &PropertyClassOf<TdxSkinColor>, L"Color",
       [](TdxSkinInfo& I) -> TdxSkinProperty* { return I.EditorTextColors[esckReadOnly]; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(WideToUtf8(c.Property));
    for (bool right : {true, false}) {
      auto skin = SkinWith(c.Group, c.Element ? c.Element : L"Any");
      TdxSkinPersistent* owner = skin->GetGroupByName(c.Group);
      if (c.Element) owner = ElementOf(skin.get(), c.Group, c.Element);
      TdxSkinProperty* property = owner->AddProperty(c.Property, right ? c.Right : &PropertyClassOf<TdxSkinStringProperty>);
      if (right) {
        TdxSkinInfo info(std::move(skin));
        EXPECT_EQ(c.Field(info), property);
      } else {
        try {
          TdxSkinInfo info(std::move(skin));
          ADD_FAILURE() << "resolved";
        } catch (const EInvalidCast& e) {
          // Where the skin's author must look.
          std::wstring path = c.Element ? std::wstring(c.Group) + L"/" + c.Element : std::wstring(c.Group);
          EXPECT_EQ(e.Message(), L"Invalid class typecast: property " + std::wstring(c.Property) + L" of " + path +
                                     L" is String, not " + c.Expected);
        }
      }
    }
  }
}

TEST(SkinInfo, ElementColoursFollowTheFormContent) {
  for (bool pictured : {false, true}) {
    SCOPED_TRACE(pictured);
    auto skin = SkinWith(L"Form", L"FormContent");
    ElementOf(skin.get(), L"Form", L"FormContent")->SetColor(0x112233);
    TdxSkinControlGroup* grid = skin->AddGroup(L"Grid");
    TdxSkinElement* groupBy = grid->AddElement(L"GridGroupPanel");
    groupBy->SetColor(0x445566);
    if (pictured) groupBy->Image()->Texture()->Assign(MakePicture(4, 4, Gradient).get());
    skin->AddGroup(L"PageControl")->AddElement(L"TabButtonHorz")->SetColor(0x998877);

    TdxSkinInfo info(std::move(skin));
    EXPECT_EQ(info.PageControlButtonHorz->Color(), 0x112233);
    EXPECT_EQ(info.PageControlButtonVert->Color(), 0x112233);  // a placeholder, adjusted all the same
    EXPECT_EQ(info.ScrollBar_Elements[true][sbpLineUp]->Element()->Color(), 0x112233);
    // A pictured group-by box shows its picture alone.
    EXPECT_EQ(info.GridGroupByBox->Color(), pictured ? clNone : 0x445566);
  }
}

// Stretching blends the cross's edges a little.
bool IsRed(COLORREF C) { return GetRValue(C) > 200 && GetGValue(C) < 100 && GetBValue(C) < 100; }
bool IsWhite(COLORREF C) { return GetRValue(C) > 200 && GetGValue(C) > 200 && GetBValue(C) > 200; }

TEST(SkinInfo, PlaceholdersDrawAsRedCrosses) {
  TdxSkinInfo info(SkinWith(L"Common", L"Button"));
  // A form draws its frame active, a state the placeholder stands in for with its only one.
  for (TdxSkinElement* e : {info.FormFrames[true][bTop], info.FormIcons[false][sfiClose], info.FormContent}) {
    for (int size : {32, 64}) {
      SCOPED_TRACE(WideToUtf8(PathOf(e)) + " at " + std::to_string(size));
      TDrawSurface surface(size, size);  // green: any pixel left transparent shows
      e->Draw(surface.DC(), RECT{0, 0, size, size}, 0, esActive);
      int last = size - 1, mid = size / 2;
      for (POINT p : {POINT{0, 0}, POINT{last, last}, POINT{last, 0}, POINT{0, last}, POINT{mid, mid}, POINT{mid, last - mid}})
        EXPECT_TRUE(IsRed(surface.At(p.x, p.y))) << p.x << "," << p.y << " " << std::hex << surface.At(p.x, p.y);
      for (POINT p : {POINT{mid, 3}, POINT{3, mid}, POINT{mid, last - 3}, POINT{last - 3, mid}})
        EXPECT_TRUE(IsWhite(surface.At(p.x, p.y))) << p.x << "," << p.y << " " << std::hex << surface.At(p.x, p.y);
    }
  }
}

TEST(SkinInfo, ScrollInfoDrawsItsElementWithItsImage) {
  TdxSkinInfo info(Builtin(L"DarkSide"));
  TdxSkinScrollInfo* lineDown = info.ScrollBar_Elements[false][sbpLineDown].get();
  ASSERT_NE(lineDown, nullptr);
  SIZE size = lineDown->Element()->Size();
  RECT r{0, 0, size.cx, size.cy};
  auto pixels = [&](auto draw) {
    TDrawSurface surface(size.cx, size.cy);
    draw(surface.DC());
    std::vector<COLORREF> result;
    for (int y = 0; y < size.cy; ++y)
      for (int x = 0; x < size.cx; ++x) result.push_back(surface.At(x, y));
    return result;
  };
  auto byInfo = pixels([&](HDC DC) { EXPECT_TRUE(lineDown->Draw(DC, r, esHot)); });
  EXPECT_EQ(byInfo, pixels([&](HDC DC) { lineDown->Element()->Draw(DC, r, 1, esHot); }));
  EXPECT_NE(byInfo, pixels([&](HDC DC) { lineDown->Element()->Draw(DC, r, 0, esHot); }));

  TdxSkinScrollInfo none(nullptr, 1, sbpLineDown);
  auto untouched = pixels([](HDC) {});
  EXPECT_EQ(pixels([&](HDC DC) { EXPECT_FALSE(none.Draw(DC, r, esNormal)); }), untouched);
}

}  // namespace
