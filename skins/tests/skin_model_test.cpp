#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "framework/sysutils.h"
#include "skins/model/skin.h"
#include "skins/tests/skin_fixture.h"

using namespace talvik;
using namespace talvik::testing;

namespace {

TEST(SkinLookup, IsExactAndCaseSensitive) {
  auto skin = MakeSampleSkin();
  TdxSkinControlGroup* form = skin->GetGroupByName(L"Form");
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->GetElementByName(L"FormCaption")->Name(), L"FormCaption");
  EXPECT_EQ(form->GetElementByName(L"formcaption"), nullptr);
  EXPECT_EQ(form->GetElementByName(L"FormCaptio"), nullptr);
  EXPECT_EQ(form->GetElementByName(L""), nullptr);
  EXPECT_EQ(skin->GetGroupByName(L"form"), nullptr);
  EXPECT_EQ(skin->GetColorByName(L"SelectionColor")->Value(), 0x3CCDFE);
  EXPECT_EQ(skin->GetPropertyByName(L"Grip")->ClassName(), std::wstring(L"TdxSkinSizeProperty"));
  EXPECT_EQ(skin->GetPropertyByName(L"ContentColor"), nullptr);  // colours are not properties
}

TEST(SkinLookup, FindsWhatIsAddedAfterALookup) {
  TdxSkin skin(L"S", false, nullptr);
  const wchar_t* names[] = {L"Mid", L"Alpha", L"Zulu", L"Beta", L"alpha", L"Mike"};
  for (const wchar_t* n : names) {
    skin.AddColor(n, static_cast<TColor>(wcslen(n)));
    // Every name added so far stays reachable, whatever the order of adding.
    for (const wchar_t* m : names) {
      if (wcscmp(m, n) == 0) break;
      ASSERT_NE(skin.GetColorByName(m), nullptr) << "after adding " << WideToUtf8(n);
    }
    ASSERT_NE(skin.GetColorByName(n), nullptr);
  }
  EXPECT_EQ(skin.GetColorByName(L"alpha")->Name(), L"alpha");
  EXPECT_EQ(skin.GetColorByName(L"Alpha")->Name(), L"Alpha");
  // After a lookup the list is in name order, which is also the order written.
  for (int i = 1; i < skin.ColorCount(); ++i) EXPECT_LT(skin.Colors(i - 1)->Name(), skin.Colors(i)->Name());
}

TEST(SkinNotifications, ReachListenersOncePerChangeOrUpdate) {
  struct Case {
    const char* Name;
    void (*Change)(TdxSkin& skin, TdxSkinElement& e);
    int Expected;
  } cases[] = {
      {"element colour", [](TdxSkin&, TdxSkinElement& e) { e.SetColor(0x123456); }, 1},
      {"same colour again still notifies", [](TdxSkin&, TdxSkinElement& e) { e.SetColor(e.Color()); }, 1},
      {"element colour inside an update",
       [](TdxSkin& s, TdxSkinElement& e) {
         s.BeginUpdate();
         e.SetColor(0x123456);
         e.SetAlpha(10);
         e.Image()->SetStretch(smTile);
         s.EndUpdate();
       },
       1},
      {"cancelled update", [](TdxSkin& s, TdxSkinElement& e) {
         s.BeginUpdate();
         e.SetColor(0x123456);
         s.CancelUpdate();
       }, 0},
      {"nested updates", [](TdxSkin& s, TdxSkinElement& e) {
         s.BeginUpdate();
         s.BeginUpdate();
         e.SetTextColor(1);
         s.EndUpdate();
         e.SetTextColor(2);
         s.EndUpdate();
       }, 1},
      {"equal property value", [](TdxSkin&, TdxSkinElement& e) {
         static_cast<TdxSkinIntegerProperty*>(e.GetPropertyByName(L"FontDelta"))->SetValue(1);
       }, 0},
      {"changed property value", [](TdxSkin&, TdxSkinElement& e) {
         static_cast<TdxSkinIntegerProperty*>(e.GetPropertyByName(L"FontDelta"))->SetValue(2);
       }, 1},
      {"border", [](TdxSkin&, TdxSkinElement& e) { e.Borders()->Top()->SetColor(0xFF); }, 1},
      {"margin", [](TdxSkin&, TdxSkinElement& e) { e.Image()->Margins()->SetLeft(7); }, 1},
      {"minimum size", [](TdxSkin&, TdxSkinElement& e) { e.MinSize()->SetWidth(99); }, 1},
      {"content offset", [](TdxSkin&, TdxSkinElement& e) { e.ContentOffset()->SetTop(9); }, 1},
      {"image count", [](TdxSkin&, TdxSkinElement& e) { e.SetImageCount(3); }, 1},
      {"unchanged image count", [](TdxSkin&, TdxSkinElement& e) { e.SetImageCount(0); }, 0},
      {"add group", [](TdxSkin& s, TdxSkinElement&) { s.AddGroup(L"New"); }, 1},
      {"add colour", [](TdxSkin& s, TdxSkinElement&) { s.AddColor(L"New", 5); }, 1},
      {"delete element", [](TdxSkin&, TdxSkinElement& e) { e.Group()->RemoveElement(&e); }, 1},
      {"skin colour value", [](TdxSkin& s, TdxSkinElement&) { s.GetColorByName(L"ContentColor")->SetValue(1); }, 1},
      {"group property deleted", [](TdxSkin& s, TdxSkinElement&) {
         TdxSkinControlGroup* g = s.GetGroupByName(L"Form");
         g->DeleteProperty(g->Properties(0));
       }, 1},
      {"skin colour deleted", [](TdxSkin& s, TdxSkinElement&) { s.DeleteProperty(s.Colors(0)); }, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    auto skin = MakeSampleSkin();
    TdxSkinElement* e = skin->GetGroupByName(L"Form")->GetElementByName(L"FormCaption");
    TCountingListener listener;
    int ownEvents = 0;
    skin->AddListener(&listener);
    skin->SetOnChange([&](TObject*) { ++ownEvents; });
    c.Change(*skin, *e);
    EXPECT_EQ(listener.Count, c.Expected);
    EXPECT_EQ(ownEvents, c.Expected);
    EXPECT_EQ(skin->LockCount(), 0);
  }
}

TEST(SkinNotifications, DeferWhileAnOwnerIsLockedAndStopAfterRemoval) {
  auto skin = MakeSampleSkin();
  TdxSkinControlGroup* form = skin->GetGroupByName(L"Form");
  TdxSkinElement* e = form->GetElementByName(L"FormCaption");
  TCountingListener a, b;
  skin->AddListener(&a);
  skin->AddListener(&b);
  form->BeginUpdate();
  e->SetTextColor(5);
  e->SetTextColor(6);
  EXPECT_EQ(a.Count, 0);
  form->EndUpdate();
  EXPECT_EQ(a.Count, 1);
  EXPECT_EQ(b.Count, 1);
  skin->RemoveListener(&a);
  e->SetTextColor(7);
  EXPECT_EQ(a.Count, 1);
  EXPECT_EQ(b.Count, 2);
}

// Removes the listeners named in Victims when told, as a skin-info object freed by another would be.
class TRemovingListener : public TCountingListener {
public:
  TRemovingListener(TdxSkin& ASkin, std::vector<IdxSkinChangeListener*> AVictims) : FSkin(ASkin), FVictims(AVictims) {}
  void SkinUpdated(TdxSkin* Sender) override {
    TCountingListener::SkinUpdated(Sender);
    for (IdxSkinChangeListener* v : FVictims) FSkin.RemoveListener(v);
    FVictims.clear();
  }

private:
  TdxSkin& FSkin;
  std::vector<IdxSkinChangeListener*> FVictims;
};

TEST(SkinNotifications, ListenersRemovedDuringARoundAreNotCalled) {
  TdxSkin skin(L"S", false, nullptr);
  TCountingListener last;
  TRemovingListener second(skin, {&second});  // removes itself
  TRemovingListener first(skin, {&last});
  skin.AddListener(&first);
  skin.AddListener(&second);
  skin.AddListener(&last);
  skin.AddColor(L"C", 1);
  EXPECT_EQ(first.Count, 1);
  EXPECT_EQ(second.Count, 1);
  EXPECT_EQ(last.Count, 0);
  skin.AddColor(L"D", 2);
  EXPECT_EQ(first.Count, 2);
  EXPECT_EQ(second.Count, 1);
  EXPECT_EQ(last.Count, 0);
}

TEST(SkinModified, SetByChangesClearedOnRequest) {
  auto skin = MakeSampleSkin();
  TdxSkinControlGroup* form = skin->GetGroupByName(L"Form");
  TdxSkinElement* e = form->GetElementByName(L"FormCaption");
  skin->ClearModified();
  EXPECT_FALSE(skin->Modified());
  EXPECT_FALSE(form->Modified());
  EXPECT_FALSE(e->Modified());
  e->Image()->SetStretch(smTile);
  EXPECT_TRUE(e->Modified());
  EXPECT_TRUE(form->Modified());
  EXPECT_TRUE(skin->Modified());
  EXPECT_FALSE(skin->GetGroupByName(L"Common")->Modified());
}

TEST(SkinElement, ValuesAndDefaults) {
  TdxSkin skin(L"S", false, nullptr);
  TdxSkinElement* e = skin.AddGroup(L"G")->AddElement(L"E");
  EXPECT_EQ(e->Alpha(), 255);
  EXPECT_EQ(e->Color(), clDefault);
  EXPECT_EQ(e->TextColor(), clDefault);
  EXPECT_EQ(e->ImageCount(), 1);
  EXPECT_FALSE(e->IsColorAssigned());
  EXPECT_EQ(e->Borders()->Left()->Color(), clNone);
  EXPECT_EQ(e->Borders()->Bottom()->Thin(), 1);
  EXPECT_EQ(e->Borders()->Right()->Name(), L"Right");
  EXPECT_EQ(e->Borders()->Right()->Kind(), bRight);
  EXPECT_EQ(e->Path(), L"G\\");
  EXPECT_EQ(e->GetImageName(e->Glyph()), L"E_Glyph.png");
  EXPECT_EQ(e->GetImageName(e->Image()), L"E_Image.png");

  e->SetImageCount(0);
  EXPECT_EQ(e->ImageCount(), 1);
  e->SetImageCount(-4);
  EXPECT_EQ(e->ImageCount(), 1);

  e->SetColor(0x336699);
  EXPECT_TRUE(e->IsColorAssigned());
  EXPECT_NE(e->Brush(), nullptr);
  e->SetColor(clNone);
  EXPECT_FALSE(e->IsColorAssigned());
  // Without a picture, alpha shows through a missing colour or a translucent one.
  EXPECT_TRUE(e->IsAlphaUsed());
  e->SetColor(0x336699);
  EXPECT_FALSE(e->IsAlphaUsed());
  e->SetAlpha(254);
  EXPECT_TRUE(e->IsAlphaUsed());
  // With a picture, the picture decides.
  e->Image()->Texture()->Assign(MakePicture(2, 2, Gradient).get());
  EXPECT_FALSE(e->IsAlphaUsed());
}

TEST(SkinElement, TextColorByState) {
  auto skin = MakeSampleSkin();
  TdxSkinElement* e = skin->GetGroupByName(L"Form")->GetElementByName(L"FormCaption");
  e->AddProperty<TdxSkinColor>(L"TextColorPressed")->SetValue(clDefault);
  e->AddProperty<TdxSkinIntegerProperty>(L"TextColorDisabled")->SetValue(0x1234);
  struct Case {
    TcxButtonState State;
    TColor Expected;
  } cases[] = {{cxbsHot, 0},                 // its own property, black
               {cxbsNormal, 0xE6E6E6},       // the element's text colour
               {cxbsDefault, 0xE6E6E6},
               {cxbsPressed, 0xE6E6E6},      // property left at clDefault
               {cxbsDisabled, 0xE6E6E6}};    // not a colour property
  for (const Case& c : cases) EXPECT_EQ(e->GetTextColor(c.State), c.Expected) << c.State;
}

TEST(SkinProperties, CompareAndDescribe) {
  TdxSkinBorder left(nullptr, L"Left", bLeft), other(nullptr, L"Other", bLeft), top(nullptr, L"Top", bTop);
  EXPECT_TRUE(left.Compare(&other));
  EXPECT_FALSE(left.Compare(&top));
  other.SetThin(2);
  EXPECT_FALSE(left.Compare(&other));

  TdxSkinBorders a(nullptr, L"Borders"), b(nullptr, L"Borders");
  EXPECT_TRUE(a.Compare(&b));
  b.Left()->SetColor(0x10);
  EXPECT_FALSE(a.Compare(&b));
  a.Assign(&b);
  EXPECT_TRUE(a.Compare(&b));

  TdxSkinIntegerProperty i1(nullptr, L"X"), i2(nullptr, L"X"), i3(nullptr, L"Y");
  TdxSkinColor c1(nullptr, L"X");
  EXPECT_TRUE(i1.Compare(&i2));
  EXPECT_FALSE(i1.Compare(&i3));
  EXPECT_FALSE(i1.Compare(&c1));
  i2.SetValue(3);
  EXPECT_FALSE(i1.Compare(&i2));

  TdxSkinStringProperty s1(nullptr, L"S"), s2(nullptr, L"S");
  s1.SetValue(L"abc");
  s2.SetValue(L"ABC");
  EXPECT_FALSE(s1.Compare(&s2));
  s2.SetValue(L"abc");
  EXPECT_TRUE(s1.Compare(&s2));

  TdxSkinSizeProperty size(nullptr, L"Z");
  size.SetValueByIndex(0, 4);
  size.SetValueByIndex(7, 9);
  EXPECT_EQ(size.cx(), 4);
  EXPECT_EQ(size.cy(), 9);

  EXPECT_EQ(s1.Description(), L"String");
  EXPECT_EQ(i1.Description(), L"Integer");
  EXPECT_EQ(c1.Description(), L"Color");
  EXPECT_EQ(a.Description(), L"Borders");
}

TEST(SkinProperties, RegisteredClassesAreTheSixStoredKinds) {
  std::vector<std::wstring> names;
  for (TdxSkinPropertyClass c : TdxSkinProperty::RegisteredClasses()) {
    std::unique_ptr<TdxSkinProperty> p(c(nullptr, L""));
    names.push_back(p->ClassName());
    EXPECT_TRUE(IsClassRegistered(p->ClassName()));
  }
  EXPECT_EQ(names, (std::vector<std::wstring>{L"TdxSkinIntegerProperty", L"TdxSkinColor", L"TdxSkinRectProperty",
                                              L"TdxSkinSizeProperty", L"TdxSkinBooleanProperty",
                                              L"TdxSkinStringProperty"}));
  EXPECT_EQ(TdxSkinProperty::FindClass(L"TdxSkinBorder"), nullptr);
}

TEST(SkinCopy, AssignToItselfDoublesColoursAndGroups) {
  auto skin = MakeSampleSkin();
  int colors = skin->ColorCount(), groups = skin->GroupCount(), properties = skin->PropertyCount();
  skin->Assign(skin.get());
  EXPECT_EQ(skin->ColorCount(), 2 * colors);
  EXPECT_EQ(skin->GroupCount(), 2 * groups);
  EXPECT_EQ(skin->PropertyCount(), 2 * properties);
  skin->Assign(skin.get());
  EXPECT_EQ(skin->ColorCount(), 4 * colors);
  EXPECT_EQ(skin->GroupCount(), 4 * groups);
}

TEST(SkinCopy, CloneIsEqualAndIndependent) {
  auto skin = MakeSampleSkin();
  TCountingListener listener;
  skin->AddListener(&listener);
  std::unique_ptr<TdxSkin> clone(skin->Clone(L"Other"));
  EXPECT_EQ(clone->Name(), L"Sample");
  ASSERT_EQ(clone->GroupCount(), skin->GroupCount());
  ASSERT_EQ(clone->ColorCount(), skin->ColorCount());
  for (int g = 0; g < skin->GroupCount(); ++g) {
    TdxSkinControlGroup* a = skin->Groups(g);
    TdxSkinControlGroup* b = clone->Groups(g);
    EXPECT_EQ(a->Name(), b->Name());
    EXPECT_EQ(b->Skin(), clone.get());
    ASSERT_EQ(a->Count(), b->Count());
    for (int e = 0; e < a->Count(); ++e) {
      a->Elements(e)->Sort();
      b->Elements(e)->Sort();
      EXPECT_TRUE(a->Elements(e)->Compare(b->Elements(e))) << WideToUtf8(a->Elements(e)->Name());
    }
  }
  // The clone's changes stay with the clone.
  TdxSkinElement* e = clone->GetGroupByName(L"Form")->GetElementByName(L"FormCaption");
  e->SetTextColor(1);
  e->Image()->Texture()->Assign(MakePicture(3, 3, Gradient).get());
  TdxSkinElement* original = skin->GetGroupByName(L"Form")->GetElementByName(L"FormCaption");
  EXPECT_EQ(original->TextColor(), 0xE6E6E6);
  EXPECT_EQ(original->Image()->Texture()->Width(), 27);
  EXPECT_EQ(listener.Count, 0);
  EXPECT_FALSE(original->Compare(e));
}

TEST(SkinCopy, ElementComparisonSeesEveryField) {
  auto skin = MakeSampleSkin();
  TdxSkinElement* source = skin->GetGroupByName(L"Form")->GetElementByName(L"FormButtonClose");
  struct Case {
    const char* Name;
    void (*Change)(TdxSkinElement& e);
  } cases[] = {
      {"colour", [](TdxSkinElement& e) { e.SetColor(1); }},
      {"alpha", [](TdxSkinElement& e) { e.SetAlpha(1); }},
      {"image count", [](TdxSkinElement& e) { e.SetImageCount(5); }},
      {"text colour", [](TdxSkinElement& e) { e.SetTextColor(1); }},
      {"minimum size", [](TdxSkinElement& e) { e.MinSize()->SetHeight(1); }},
      {"content offset", [](TdxSkinElement& e) { e.ContentOffset()->SetRight(1); }},
      {"border", [](TdxSkinElement& e) { e.Borders()->Right()->SetThin(4); }},
      {"property", [](TdxSkinElement& e) { e.AddProperty<TdxSkinBooleanProperty>(L"B"); }},
      {"image margins", [](TdxSkinElement& e) { e.Image()->Margins()->SetBottom(1); }},
      {"image states", [](TdxSkinElement& e) { e.Image()->SetStates(1); }},
      {"image gradient", [](TdxSkinElement& e) { e.Image()->SetGradientEndColor(1); }},
      {"glyph picture", [](TdxSkinElement& e) { e.Glyph()->Clear(); }},
      {"image pixels", [](TdxSkinElement& e) {
         e.Image()->Texture()->Assign(MakePicture(25, 40, [](int, int) { return 0xFF000000u; }).get());
       }},
      {"name", [](TdxSkinElement& e) { e.SetName(L"Other"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    std::unique_ptr<TdxSkinElement> copy(static_cast<TdxSkinElement*>(source->Clone()));
    EXPECT_TRUE(copy->Compare(source));
    c.Change(*copy);
    EXPECT_FALSE(copy->Compare(source));
  }
  // Assigning copies everything but the name.
  TdxSkinElement* target = skin->GetGroupByName(L"Common")->GetElementByName(L"FormContent");
  target->Assign(source);
  EXPECT_EQ(target->Name(), L"FormContent");
  target->SetName(source->Name());
  EXPECT_TRUE(target->Compare(source));
}

TEST(SkinCopy, UnsupportedSourcesFail) {
  auto skin = MakeSampleSkin();
  TdxSkinElement* e = skin->GetGroupByName(L"Form")->GetElementByName(L"FormCaption");
  EXPECT_THROW(e->Assign(skin->Colors(0)), EConvertError);
  EXPECT_THROW(skin->Colors(0)->Assign(e), EConvertError);
  // Borders ignore what is not a border.
  TdxSkinBorder border(nullptr, L"Left", bLeft);
  border.Assign(skin->Colors(0));
  EXPECT_EQ(border.Color(), clNone);
}

TEST(SkinGroups, DeleteRemoveAndEmptyElement) {
  auto skin = MakeSampleSkin();
  TdxSkinControlGroup* form = skin->GetGroupByName(L"Form");
  TdxSkinElement* close = form->GetElementByName(L"FormButtonClose");
  TdxSkin otherSkin(L"O", false, nullptr);
  TdxSkinElement* stranger = otherSkin.AddGroup(L"G")->AddElement(L"FormCaption");
  form->RemoveElement(stranger);
  EXPECT_EQ(form->Count(), 2);
  form->RemoveElement(close);
  EXPECT_EQ(form->Count(), 1);
  EXPECT_EQ(form->GetElementByName(L"FormButtonClose"), nullptr);
  form->Delete(0);
  EXPECT_EQ(form->Count(), 0);

  TdxSkinElement* empty = ElementOrEmpty(nullptr);
  ASSERT_NE(empty, nullptr);
  EXPECT_NE(dynamic_cast<TdxSkinEmptyElement*>(empty), nullptr);
  EXPECT_EQ(empty->Name(), L"");
  EXPECT_EQ(ElementOrEmpty(nullptr), empty);
  EXPECT_EQ(ElementOrEmpty(stranger), stranger);
  EXPECT_EQ(stranger->Group()->Skin(), &otherSkin);
}

TEST(SkinImage, FrameGeometry) {
  TdxSkin skin(L"S", false, nullptr);
  TdxSkinElement* e = skin.AddGroup(L"G")->AddElement(L"E");
  TdxSkinImage* image = e->Image();
  image->Texture()->Assign(MakePicture(13, 44, Gradient).get());
  image->SetImageLayout(ilVertical);
  image->SetStates(dxSkinStateBit(esNormal) | dxSkinStateBit(esHot));
  EXPECT_EQ(image->Size().cx, 13);
  EXPECT_EQ(image->Size().cy, 22);
  EXPECT_EQ(e->Size().cy, 22);
  EXPECT_EQ(image->StateCount(), 2);
  EXPECT_TRUE(RectsEqual(image->FrameBounds(0, esHot), RECT{0, 22, 13, 44}));
  EXPECT_TRUE(RectsEqual(image->FrameBounds(0, esPressed), RECT{0, 0, 13, 22}));

  image->Texture()->Assign(MakePicture(20, 40, Gradient).get());
  e->SetImageCount(2);
  EXPECT_EQ(image->Size().cy, 10);
  EXPECT_TRUE(RectsEqual(image->FrameBounds(1, esHot), RECT{0, 30, 20, 40}));

  image->SetImageLayout(ilHorizontal);
  EXPECT_EQ(image->Size().cx, 5);
  EXPECT_EQ(image->Size().cy, 40);

  EXPECT_EQ(image->Name(), L"E_Image.png");
  EXPECT_EQ(image->SourceName(), L"G\\E_Image.png");
  EXPECT_EQ(e->Glyph()->Name(), L"");
  EXPECT_TRUE(e->Glyph()->Empty());
}

TEST(SkinImage, FilesAndClearing) {
  TdxSkin skin(L"S", false, nullptr);
  TdxSkinElement* e = skin.AddGroup(L"G")->AddElement(L"E");
  e->Glyph()->Texture()->Assign(MakePicture(5, 3, Gradient).get());
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  std::wstring base = std::wstring(dir) + L"glyph-test";
  e->Glyph()->SaveToFile(base + L".bmp");  // always written as PNG
  TdxSkinImage* image = e->Image();
  TCountingListener listener;
  skin.AddListener(&listener);
  image->LoadFromFile(base + L".png");
  DeleteFileW((base + L".png").c_str());
  EXPECT_EQ(listener.Count, 1);
  EXPECT_TRUE(image->Texture()->Compare(e->Glyph()->Texture()));
  EXPECT_EQ(image->SourceName(), base + L".png");
  image->Clear();
  EXPECT_TRUE(image->Empty());
  EXPECT_EQ(image->SourceName(), L"");
  EXPECT_EQ(listener.Count, 2);
  EXPECT_THROW(image->LoadFromFile(base + L".png"), EFOpenError);
}

// The name is written by naming the file to load.
TEST(SkinImage, WritingTheNameLoadsThatFile) {
  TdxSkin skin(L"S", false, nullptr);
  TdxSkinElement* e = skin.AddGroup(L"G")->AddElement(L"E");
  e->Glyph()->Texture()->Assign(MakePicture(4, 6, Gradient).get());
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  const std::wstring file = std::wstring(dir) + L"image-name-test.png";
  e->Glyph()->SaveToFile(file);
  e->Image()->SetName(file);
  DeleteFileW(file.c_str());
  EXPECT_TRUE(e->Image()->Texture()->Compare(e->Glyph()->Texture()));
  EXPECT_EQ(e->Image()->SourceName(), file);
  EXPECT_EQ(e->Image()->Name(), L"E_Image.png");
  EXPECT_THROW(e->Image()->SetName(file), EFOpenError);
}

}  // namespace
