#include "skins/model/skinproperties.h"

#include <algorithm>

#include "skins/pictures/skincanvas.h"
#include "skins/format/skinstreamio.h"

namespace talvik {

// ---- TdxSkinCustomPersistentObject

void TdxSkinCustomPersistentObject::DoChange() {
  if (FOnChange) FOnChange(this);
}

TdxSkinCustomPersistentObject* TdxSkinCustomPersistentObject::Clone() const {
  TdxSkinCustomPersistentObject* result = Create(nullptr, FName);
  try {
    result->Assign(const_cast<TdxSkinCustomPersistentObject*>(this));
  } catch (...) {
    delete result;
    throw;
  }
  return result;
}

// ---- TdxSkinProperty

namespace {
struct RegisteredClass {
  TdxSkinPropertyClass Class;
  std::wstring Name;
};
std::vector<RegisteredClass>& PropertyClasses() {
  static std::vector<RegisteredClass> list;
  return list;
}

std::wstring ClassNameOf(TdxSkinPropertyClass AClass) {
  TdxSkinProperty* probe = AClass(nullptr, L"");
  std::wstring name = probe->ClassName();
  delete probe;
  return name;
}

// Removes every occurrence of APart, ignoring case.
void RemoveText(std::wstring& S, const std::wstring& APart) {
  for (size_t i = 0; i + APart.size() <= S.size();) {
    if (_wcsnicmp(S.c_str() + i, APart.c_str(), APart.size()) == 0)
      S.erase(i, APart.size());
    else
      ++i;
  }
}
}  // namespace

void TdxSkinProperty::ReadFromStream(TStream& AStream) {
  SetName(dxReadStr(AStream));
  ReadData(AStream);
}

void TdxSkinProperty::WriteToStream(TStream& AStream) {
  dxWriteStr(AStream, ClassName());
  dxWriteStr(AStream, Name());
  WriteData(AStream);
}

std::wstring TdxSkinProperty::Description() const {
  std::wstring s = ClassName();
  RemoveText(s, L"TdxSkin");
  RemoveText(s, L"Property");
  return s;
}

void TdxSkinProperty::Register(TdxSkinPropertyClass AClass) {
  std::wstring name = ClassNameOf(AClass);
  PropertyClasses().push_back({AClass, name});
  RegisterPersistentClass(name, [AClass] { return AClass(nullptr, L""); });
}

void TdxSkinProperty::Unregister(TdxSkinPropertyClass AClass) {
  auto& list = PropertyClasses();
  auto it = std::find_if(list.begin(), list.end(), [AClass](const RegisteredClass& r) { return r.Class == AClass; });
  if (it == list.end()) return;
  UnRegisterPersistentClass(it->Name);
  list.erase(it);
}

std::vector<TdxSkinPropertyClass> TdxSkinProperty::RegisteredClasses() {
  std::vector<TdxSkinPropertyClass> result;
  for (const RegisteredClass& r : PropertyClasses()) result.push_back(r.Class);
  return result;
}

TdxSkinPropertyClass TdxSkinProperty::FindClass(const std::wstring& AClassName) {
  for (const RegisteredClass& r : PropertyClasses())
    if (r.Name == AClassName) return r.Class;
  return nullptr;
}

// ---- value properties

#define TALVIK_SAME_NAME_AND_CLASS(Class, Other)                               \
  auto* Other = dynamic_cast<Class*>(AProperty);                               \
  if (!Other || Other->Name() != Name() || typeid(*Other) != typeid(*this)) return false;

void TdxSkinIntegerProperty::Assign(TPersistent* Source) {
  if (auto* p = dynamic_cast<TdxSkinIntegerProperty*>(Source))
    SetValue(p->FValue);
  else
    TdxSkinProperty::Assign(Source);
}
void TdxSkinIntegerProperty::SetValue(int Value) {
  if (Value == FValue) return;
  FValue = Value;
  DoChange();
}
void TdxSkinIntegerProperty::ReadData(TStream& AStream) { FValue = dxReadInt32(AStream); }
void TdxSkinIntegerProperty::WriteData(TStream& AStream) { dxWriteInt32(AStream, FValue); }
bool TdxSkinIntegerProperty::Compare(TdxSkinProperty* AProperty) {
  TALVIK_SAME_NAME_AND_CLASS(TdxSkinIntegerProperty, other)
  return other->FValue == FValue;
}

void TdxSkinBooleanProperty::Assign(TPersistent* Source) {
  if (auto* p = dynamic_cast<TdxSkinBooleanProperty*>(Source))
    SetValue(p->FValue);
  else
    TdxSkinProperty::Assign(Source);
}
void TdxSkinBooleanProperty::SetValue(bool Value) {
  if (Value == FValue) return;
  FValue = Value;
  DoChange();
}
void TdxSkinBooleanProperty::ReadData(TStream& AStream) { FValue = dxReadByte(AStream) != 0; }
void TdxSkinBooleanProperty::WriteData(TStream& AStream) { dxWriteByte(AStream, FValue ? 1 : 0); }
bool TdxSkinBooleanProperty::Compare(TdxSkinProperty* AProperty) {
  TALVIK_SAME_NAME_AND_CLASS(TdxSkinBooleanProperty, other)
  return other->FValue == FValue;
}

void TdxSkinColor::Assign(TPersistent* Source) {
  if (auto* p = dynamic_cast<TdxSkinColor*>(Source))
    SetValue(p->FValue);
  else
    TdxSkinProperty::Assign(Source);
}
void TdxSkinColor::SetValue(TColor Value) {
  if (Value == FValue) return;
  FValue = Value;
  DoChange();
}
void TdxSkinColor::ReadData(TStream& AStream) { FValue = dxReadInt32(AStream); }
void TdxSkinColor::WriteData(TStream& AStream) { dxWriteInt32(AStream, FValue); }
bool TdxSkinColor::Compare(TdxSkinProperty* AProperty) {
  TALVIK_SAME_NAME_AND_CLASS(TdxSkinColor, other)
  return other->FValue == FValue;
}

TdxSkinRectProperty::TdxSkinRectProperty(TPersistent* AOwner, const std::wstring& AName)
    : TdxSkinProperty(AOwner, AName), FValue(new TcxRect(this)) {
  FValue->OnChange = [this](TObject*) { DoChange(); };
}
TdxSkinRectProperty::~TdxSkinRectProperty() { delete FValue; }
void TdxSkinRectProperty::Assign(TPersistent* Source) {
  if (auto* p = dynamic_cast<TdxSkinRectProperty*>(Source))
    FValue->SetRect(p->FValue->Rect());
  else
    TdxSkinProperty::Assign(Source);
}
void TdxSkinRectProperty::ReadData(TStream& AStream) {
  RECT r;
  AStream.ReadBuffer(&r, sizeof r);
  FValue->SetRect(r);
}
void TdxSkinRectProperty::WriteData(TStream& AStream) { AStream.WriteBuffer(&FValue->Rect(), sizeof(RECT)); }
bool TdxSkinRectProperty::Compare(TdxSkinProperty* AProperty) {
  TALVIK_SAME_NAME_AND_CLASS(TdxSkinRectProperty, other)
  return FValue->IsEqual(other->FValue);
}

void TdxSkinSizeProperty::Assign(TPersistent* Source) {
  if (auto* p = dynamic_cast<TdxSkinSizeProperty*>(Source))
    SetValue(p->FValue);
  else
    TdxSkinProperty::Assign(Source);
}
void TdxSkinSizeProperty::SetValue(const SIZE& Value) {
  if (SizesEqual(Value, FValue)) return;
  FValue = Value;
  DoChange();
}
void TdxSkinSizeProperty::SetValueByIndex(int AIndex, int AValue) {
  SIZE s = FValue;
  (AIndex == 0 ? s.cx : s.cy) = AValue;
  SetValue(s);
}
void TdxSkinSizeProperty::ReadData(TStream& AStream) { AStream.ReadBuffer(&FValue, sizeof FValue); }
void TdxSkinSizeProperty::WriteData(TStream& AStream) { AStream.WriteBuffer(&FValue, sizeof FValue); }
bool TdxSkinSizeProperty::Compare(TdxSkinProperty* AProperty) {
  TALVIK_SAME_NAME_AND_CLASS(TdxSkinSizeProperty, other)
  return SizesEqual(other->FValue, FValue);
}

void TdxSkinStringProperty::Assign(TPersistent* Source) {
  if (auto* p = dynamic_cast<TdxSkinStringProperty*>(Source))
    SetValue(p->FValue);
  else
    TdxSkinProperty::Assign(Source);
}
void TdxSkinStringProperty::SetValue(const std::wstring& Value) {
  if (Value == FValue) return;
  FValue = Value;
  DoChange();
}
void TdxSkinStringProperty::ReadData(TStream& AStream) { FValue = dxReadStr(AStream); }
void TdxSkinStringProperty::WriteData(TStream& AStream) { dxWriteStr(AStream, FValue); }
bool TdxSkinStringProperty::Compare(TdxSkinProperty* AProperty) {
  TALVIK_SAME_NAME_AND_CLASS(TdxSkinStringProperty, other)
  return CompareStringW(LOCALE_USER_DEFAULT, 0, FValue.c_str(), static_cast<int>(FValue.size()),
                        other->FValue.c_str(), static_cast<int>(other->FValue.size())) == CSTR_EQUAL;
}

// ---- borders

void TdxSkinBorder::Assign(TPersistent* Source) {
  auto* b = dynamic_cast<TdxSkinBorder*>(Source);
  if (!b) return;
  FKind = b->FKind;
  SetColor(b->FColor);
  SetThin(b->FThin);
}
void TdxSkinBorder::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  DoChange();
}
void TdxSkinBorder::SetThin(int Value) {
  if (Value == FThin) return;
  FThin = Value;
  DoChange();
}
void TdxSkinBorder::ReadData(TStream& AStream) {
  FColor = dxReadInt32(AStream);
  FThin = dxReadInt32(AStream);
}
void TdxSkinBorder::WriteData(TStream& AStream) {
  dxWriteInt32(AStream, FColor);
  dxWriteInt32(AStream, FThin);
}
bool TdxSkinBorder::Compare(TdxSkinProperty* AProperty) {
  auto* b = dynamic_cast<TdxSkinBorder*>(AProperty);
  return b && b->FColor == FColor && b->FThin == FThin && b->FKind == FKind;
}

void TdxSkinBorder::Draw(HDC DC, const RECT& ABounds) {
  TdxSkinCanvas canvas;
  canvas.BeginPaint(DC, ABounds);
  DrawEx(&canvas, ABounds);
}

void TdxSkinBorder::DrawEx(TdxSkinCanvas* ACanvas, const RECT& ABounds) {
  if (FColor != clNone && FThin > 0)
    ACanvas->FillRectByColor(SideStrip(ABounds, FKind, ACanvas->Scaled(FThin)), FColor);
}

TdxSkinBorders::TdxSkinBorders(TPersistent* AOwner, const std::wstring& AName) : TdxSkinProperty(AOwner, AName) {
  static const wchar_t* const names[4] = {L"Left", L"Top", L"Right", L"Bottom"};
  for (int i = 0; i < 4; ++i) {
    FBorders[i] = new TdxSkinBorder(this, names[i], static_cast<TcxBorder>(i));
    FBorders[i]->SetOnChange([this](TObject* Sender) { BorderChanged(Sender); });
  }
}
TdxSkinBorders::~TdxSkinBorders() {
  for (TdxSkinBorder* b : FBorders) delete b;
}
void TdxSkinBorders::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TdxSkinBorders*>(Source)) {
    for (int i = 0; i < 4; ++i) FBorders[i]->Assign(s->FBorders[i]);
  } else {
    TdxSkinProperty::Assign(Source);
  }
}
void TdxSkinBorders::Draw(TdxSkinCanvas* ACanvas, const RECT& ABounds) {
  for (TdxSkinBorder* b : FBorders) b->DrawEx(ACanvas, ABounds);
}

bool TdxSkinBorders::Compare(TdxSkinProperty* AProperty) {
  auto* s = dynamic_cast<TdxSkinBorders*>(AProperty);
  if (!s) return false;
  for (int i = 0; i < 4; ++i)
    if (!FBorders[i]->Compare(s->FBorders[i])) return false;
  return true;
}

}  // namespace talvik
