#include "skins/model/skin.h"

#include <algorithm>

#include "framework/sysutils.h"

namespace talvik {

// ---- TdxSkinPersistent

TdxSkinPersistent::TdxSkinPersistent(TPersistent* AOwner, const std::wstring& AName)
    : TdxSkinCustomPersistentObject(AOwner, AName) {}

TdxSkinPersistent::~TdxSkinPersistent() { ClearProperties(); }

void TdxSkinPersistent::ClearProperties() {
  for (TdxSkinProperty* p : FProperties) delete p;
  FProperties.clear();
}

template <class T>
T* TdxSkinPersistent::AddChild(std::vector<T*>& AList, T* AChild) {
  AChild->SetOwner(this);
  AChild->SetOnChange([this](TObject* Sender) { SubItemChanged(Sender); });
  AList.push_back(AChild);
  Changed();
  return AChild;
}

void TdxSkinPersistent::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TdxSkinPersistent*>(Source);
  if (!s) {
    TdxSkinCustomPersistentObject::Assign(Source);
    return;
  }
  BeginUpdate();
  try {
    // Counted first: assigning an object to itself must not run over what it adds.
    int count = s->PropertyCount();
    for (int i = 0; i < count; ++i)
      AddChild(FProperties, static_cast<TdxSkinProperty*>(s->FProperties[i]->Clone()));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

TdxSkinProperty* TdxSkinPersistent::AddProperty(const std::wstring& AName, TdxSkinPropertyClass APropertyClass) {
  return AddChild(FProperties, APropertyClass(this, AName));
}

void TdxSkinPersistent::DeleteProperty(TdxSkinProperty* AProperty) {
  auto it = std::find(FProperties.begin(), FProperties.end(), AProperty);
  if (it == FProperties.end()) return;
  FProperties.erase(it);
  delete AProperty;
  Changed();
}

TdxSkinProperty* TdxSkinPersistent::GetPropertyByName(const std::wstring& AName) {
  Sort();
  return FindByName(FProperties, AName);
}

void TdxSkinPersistent::EndUpdate() {
  if (--FLockCount == 0) Changed();
}

void TdxSkinPersistent::Sort() {
  if (FSorted) return;
  FSorted = true;
  DoSort();
}

void TdxSkinPersistent::Changed() {
  FModified = true;
  FSorted = false;
  if (FLockCount == 0) DoChange();
}

void TdxSkinPersistent::DoSort() { SortByName(FProperties); }

// Names are ordered code unit by code unit: case-sensitive, and the same order for sorting
// and searching, so that only an exactly equal name is ever found.
template <class T>
void TdxSkinPersistent::SortByName(std::vector<T*>& AList) {
  std::stable_sort(AList.begin(), AList.end(), [](const T* A, const T* B) { return A->Name() < B->Name(); });
}

template <class T>
T* TdxSkinPersistent::FindByName(const std::vector<T*>& AList, const std::wstring& AName) {
  int low = 0, high = static_cast<int>(AList.size()) - 1;
  while (high >= low) {
    int middle = (low + high) / 2;
    int c = AList[middle]->Name().compare(AName);
    if (c < 0)
      low = middle + 1;
    else if (c > 0)
      high = middle - 1;
    else
      return AList[middle];
  }
  return nullptr;
}

// ---- TdxSkin

TdxSkin::TdxSkin(const std::wstring& AName, bool ALoadOnCreate, HINSTANCE hInst)
    : TdxSkinPersistent(nullptr, AName), FSkinName(AName) {
  if (ALoadOnCreate) {
    try {
      LoadFromResource(hInst);
    } catch (...) {
      Clear();
      throw;
    }
  }
}

TdxSkin::~TdxSkin() { Clear(); }

void TdxSkin::Clear() {
  for (TdxSkinControlGroup* g : FGroups) delete g;
  FGroups.clear();
  for (TdxSkinColor* c : FColors) delete c;
  FColors.clear();
  ClearProperties();
}

void TdxSkin::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TdxSkin*>(Source);
  if (!s) {
    TdxSkinPersistent::Assign(Source);
    return;
  }
  BeginUpdate();
  try {
    int colors = s->ColorCount(), groups = s->GroupCount();
    for (int i = 0; i < colors; ++i) AddChild(FColors, static_cast<TdxSkinColor*>(s->FColors[i]->Clone()));
    for (int i = 0; i < groups; ++i)
      AddChild(FGroups, static_cast<TdxSkinControlGroup*>(s->FGroups[i]->Clone()));
    TdxSkinPersistent::Assign(Source);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TdxSkin::DoChange() {
  ++FLockCount;
  try {
    // A listener may remove, even free, itself or others while being told: each is
    // called only while it is still registered.
    auto listeners = FListeners;
    for (IdxSkinChangeListener* l : listeners)
      if (std::find(FListeners.begin(), FListeners.end(), l) != FListeners.end()) l->SkinUpdated(this);
  } catch (...) {
    --FLockCount;
    throw;
  }
  --FLockCount;
  TdxSkinPersistent::DoChange();
}

void TdxSkin::DeleteProperty(TdxSkinProperty* AProperty) {
  auto it = std::find(FColors.begin(), FColors.end(), AProperty);
  if (it != FColors.end()) {
    FColors.erase(it);
    delete AProperty;
    Changed();
    return;
  }
  TdxSkinPersistent::DeleteProperty(AProperty);
}

TdxSkin* TdxSkin::Clone(const std::wstring& AName) {
  auto* result = static_cast<TdxSkin*>(Create(nullptr, FSkinName));
  try {
    result->Assign(this);
  } catch (...) {
    delete result;
    throw;
  }
  return result;
}

TdxSkinColor* TdxSkin::AddColor(const std::wstring& AName, TColor AColor) {
  BeginUpdate();
  auto* c = AddChild(FColors, new TdxSkinColor(this, AName));
  c->SetValue(AColor);
  EndUpdate();
  return c;
}

TdxSkinColor* TdxSkin::GetColorByName(const std::wstring& AName) {
  Sort();
  return FindByName(FColors, AName);
}

TdxSkinControlGroup* TdxSkin::AddGroup(const std::wstring& AName) {
  return AddChild(FGroups, new TdxSkinControlGroup(this, AName));
}

TdxSkinControlGroup* TdxSkin::GetGroupByName(const std::wstring& AName) {
  Sort();
  return FindByName(FGroups, AName);
}

void TdxSkin::DoSort() {
  TdxSkinPersistent::DoSort();
  SortByName(FGroups);
  SortByName(FColors);
}

void TdxSkin::ClearModified() {
  SetModified(false);
  for (TdxSkinControlGroup* g : FGroups) g->ClearModified();
}

void TdxSkin::AddListener(IdxSkinChangeListener* AListener) {
  if (AListener && std::find(FListeners.begin(), FListeners.end(), AListener) == FListeners.end())
    FListeners.push_back(AListener);
}

void TdxSkin::RemoveListener(IdxSkinChangeListener* AListener) {
  FListeners.erase(std::remove(FListeners.begin(), FListeners.end(), AListener), FListeners.end());
}

// ---- TdxSkinControlGroup

TdxSkinControlGroup::~TdxSkinControlGroup() { Clear(); }

TdxSkin* TdxSkinControlGroup::Skin() const { return dynamic_cast<TdxSkin*>(GetOwner()); }

void TdxSkinControlGroup::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TdxSkinControlGroup*>(Source);
  if (!s) {
    TdxSkinPersistent::Assign(Source);
    return;
  }
  BeginUpdate();
  try {
    int count = s->Count();
    for (int i = 0; i < count; ++i)
      AddChild(FElements, static_cast<TdxSkinElement*>(s->FElements[i]->Clone()));
    TdxSkinPersistent::Assign(Source);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

TdxSkinElement* TdxSkinControlGroup::AddElement(const std::wstring& AName) {
  return AddElementEx(AName, &ElementClassOf<TdxSkinElement>);
}

TdxSkinElement* TdxSkinControlGroup::AddElementEx(const std::wstring& AName, TdxSkinElementClass AElementClass) {
  return AddChild(FElements, AElementClass(this, AName));
}

TdxSkinElement* TdxSkinControlGroup::GetElementByName(const std::wstring& AName) {
  Sort();
  return FindByName(FElements, AName);
}

void TdxSkinControlGroup::Delete(int AIndex) {
  if (AIndex < 0 || AIndex >= Count()) return;
  TdxSkinElement* e = FElements[AIndex];
  FElements.erase(FElements.begin() + AIndex);
  delete e;
  Changed();
}

void TdxSkinControlGroup::RemoveElement(TdxSkinElement* AElement) {
  auto it = std::find(FElements.begin(), FElements.end(), AElement);
  if (it != FElements.end()) Delete(static_cast<int>(it - FElements.begin()));
}

void TdxSkinControlGroup::Clear() {
  for (TdxSkinElement* e : FElements) delete e;
  FElements.clear();
  ClearProperties();
}

void TdxSkinControlGroup::ClearModified() {
  SetModified(false);
  for (TdxSkinElement* e : FElements) e->SetModified(false);
}

void TdxSkinControlGroup::DoSort() {
  TdxSkinPersistent::DoSort();
  SortByName(FElements);
}

// ---- TdxSkinElement

TdxSkinElement::TdxSkinElement(TPersistent* AOwner, const std::wstring& AName)
    : TdxSkinPersistent(AOwner, AName),
      FBorders(new TdxSkinBorders(this, L"Borders")),
      FCanvas(new TdxSkinCanvas),
      FContentOffset(new TcxRect(this)),
      FGlyph(new TdxSkinImage(this)),
      FImage(new TdxSkinImage(this)),
      FMinSize(new TcxSize(this)) {
  FBorders->SetOnChange([this](TObject* Sender) { SubItemChanged(Sender); });
  FGlyph->OnChange = [this](TObject* Sender) { ImageChanged(Sender); };
  FImage->OnChange = [this](TObject* Sender) { ImageChanged(Sender); };
  FContentOffset->OnChange = [this](TObject* Sender) { ValueChanged(Sender); };
  FMinSize->OnChange = [this](TObject* Sender) { ValueChanged(Sender); };
}

TdxSkinElement::~TdxSkinElement() {
  if (FBrush && GdiPlusLoaded()) GdiPlus.GdipDeleteBrush(FBrush);
  delete FMinSize;
  delete FImage;
  delete FGlyph;
  delete FContentOffset;
  delete FCanvas;
  delete FBorders;
}

TdxSkinControlGroup* TdxSkinElement::Group() const { return dynamic_cast<TdxSkinControlGroup*>(GetOwner()); }

void TdxSkinElement::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TdxSkinElement*>(Source);
  if (!s) {
    TdxSkinPersistent::Assign(Source);
    return;
  }
  if (s == this) {
    TdxSkinPersistent::Assign(Source);
    return;
  }
  FImage->Assign(s->FImage);
  FGlyph->Assign(s->FGlyph);
  SetColor(s->FColor);
  SetAlpha(s->FAlpha);
  FContentOffset->Assign(s->FContentOffset);
  SetImageCount(s->FImageCount);
  FBorders->Assign(s->FBorders);
  FMinSize->Assign(s->FMinSize);
  SetTextColor(s->FTextColor);
  TdxSkinPersistent::Assign(Source);
}

void TdxSkinElement::SetAlpha(uint8_t Value) {
  if (Value == FAlpha) return;
  FAlpha = Value;
  SetColor(FColor);
}

void TdxSkinElement::SetColor(TColor Value) {
  FColor = Value;
  FIsColorAssigned = Value != clNone && Value != clDefault;
  if (FIsColorAssigned && GdiPlusAvailable()) {
    ARGB argb = dxColorToARGB(FColor, FAlpha);
    if (!FBrush) {
      if (GdiPlus.GdipCreateSolidFill(argb, &FBrush) != Ok) FBrush = nullptr;
    } else {
      GdiPlus.GdipSetSolidFillColor(FBrush, argb);
    }
  }
  DoChange();
}

void TdxSkinElement::SetImageCount(int Value) {
  if (Value < 1) Value = 1;
  if (Value == FImageCount) return;
  FImageCount = Value;
  // Frames depend on the count.
  FImage->Invalidate();
  FGlyph->Invalidate();
  DoChange();
}

void TdxSkinElement::SetTextColor(TColor Value) {
  FTextColor = Value;
  DoChange();
}

bool TdxSkinElement::IsAlphaUsed() {
  if (!FImage->Texture()->Empty()) return FImage->Texture()->IsAlphaUsed();
  return FAlpha < 255 || FColor == clNone;
}

SIZE TdxSkinElement::Size() { return FImage->Size(); }

std::wstring TdxSkinElement::Path() const {
  TdxSkinControlGroup* g = Group();
  return (g ? g->Name() : std::wstring()) + L"\\";
}

std::wstring TdxSkinElement::GetImageName(TdxSkinImage* AImage) const {
  return Name() + (AImage == FGlyph ? L"_Glyph.png" : L"_Image.png");
}

bool TdxSkinElement::CompareProperties(TdxSkinElement* AElement) {
  if (!AElement || AElement->PropertyCount() != PropertyCount()) return false;
  for (int i = 0; i < PropertyCount(); ++i)
    if (!AElement->Properties(i)->Compare(Properties(i))) return false;
  return true;
}

bool TdxSkinElement::Compare(TdxSkinElement* AElement) {
  return AElement && AElement->Name() == Name() && AElement->FColor == FColor &&
         AElement->FImageCount == FImageCount && AElement->FAlpha == FAlpha && AElement->FTextColor == FTextColor &&
         FMinSize->IsEqual(AElement->FMinSize) && FContentOffset->IsEqual(AElement->FContentOffset) &&
         FBorders->Compare(AElement->FBorders) && CompareProperties(AElement) && FImage->Compare(AElement->FImage) &&
         FGlyph->Compare(AElement->FGlyph);
}

TColor TdxSkinElement::GetTextColor(TcxButtonState AState) {
  const wchar_t* name = nullptr;
  switch (AState) {
    case cxbsHot: name = L"TextColorHot"; break;
    case cxbsPressed: name = L"TextColorPressed"; break;
    case cxbsDisabled: name = L"TextColorDisabled"; break;
    default: break;
  }
  if (name) {
    // Painters ask while drawing, and drawing never fails: a same-named property of
    // another class is simply not the answer.
    auto* p = dynamic_cast<TdxSkinColor*>(GetPropertyByName(name));
    if (p && p->Value() != clDefault) return p->Value();
  }
  return FTextColor;
}

void TdxSkinElement::Draw(HDC DC, const RECT& ARect, int AImageIndex, TdxSkinElementState AState, int ADpi) {
  if (!TdxSkinCanvas::IsRectVisible(DC, ARect)) return;
  FCanvas->BeginPaint(DC, ARect);
  FCanvas->SetDpi(ADpi);
  try {
    DrawContent(FCanvas, ARect, AImageIndex, AState);
  } catch (...) {
    FCanvas->EndPaint();
    throw;
  }
  FCanvas->EndPaint();
}

void TdxSkinElement::DrawContent(TdxSkinCanvas* ACanvas, const RECT& ARect, int AImageIndex,
                                 TdxSkinElementState AState) {
  if (FIsColorAssigned && (FImage->Texture()->Empty() || FImage->Stretch() == smNoResize || IsAlphaUsed())) {
    if (FAlpha == 255)
      ACanvas->FillRectByColor(ARect, FColor);
    else
      ACanvas->FillRectByBrush(ARect, FBrush);
  }
  FImage->DrawEx(ACanvas, ARect, AImageIndex, AState);
  FBorders->Draw(ACanvas, ARect);
  FGlyph->DrawEx(ACanvas, RectContent(ARect, ACanvas->Scaled(FContentOffset->Rect())), AImageIndex, AState);
}

void TdxSkinElement::SetStateMapping(const std::vector<TdxSkinElementState>& AStateMap) {
  FImage->SetStateMapping(AStateMap);
  FGlyph->SetStateMapping(AStateMap);
}

void TdxSkinEmptyElement::Draw(HDC DC, const RECT& ARect, int AImageIndex, TdxSkinElementState AState, int) {
  if (RectIsEmpty(ARect)) return;
  HBRUSH red = CreateSolidBrush(ColorToRGB(clRed));
  ::FillRect(DC, &ARect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ::FrameRect(DC, &ARect, red);
  DeleteObject(red);
}

void TdxSkinEmptyElement::DrawContent(TdxSkinCanvas* ACanvas, const RECT& R, int AImageIndex,
                                      TdxSkinElementState AState) {
  ACanvas->FillRectByColor(R, clWhite);
  ACanvas->FillRectByColor(RECT{R.left, R.top, R.right, R.top + 1}, clRed);
  ACanvas->FillRectByColor(RECT{R.left, R.bottom - 1, R.right, R.bottom}, clRed);
  ACanvas->FillRectByColor(RECT{R.left, R.top, R.left + 1, R.bottom}, clRed);
  ACanvas->FillRectByColor(RECT{R.right - 1, R.top, R.right, R.bottom}, clRed);
}

}  // namespace talvik
