// Named, owned, change-notifying objects of a skin, and the typed property values.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "framework/graphics.h"
#include "framework/streams.h"
#include "graphics/geometry.h"
#include "skins/format/skintypes.h"

namespace talvik {

class TdxSkinCanvas;

class TdxSkinCustomPersistentObject : public TPersistent {
public:
  TALVIK_CLASS_NAME(TdxSkinCustomPersistentObject)
  TdxSkinCustomPersistentObject(TPersistent* AOwner, const std::wstring& AName) : FName(AName), FOwner(AOwner) {}

  const std::wstring& Name() const { return FName; }
  void SetName(const std::wstring& Value) { FName = Value; }
  TPersistent* GetOwner() const override { return FOwner; }
  void SetOwner(TPersistent* Value) { FOwner = Value; }
  int Tag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

  virtual void DoChange();
  // The virtual constructor: a new object of this object's class.
  virtual TdxSkinCustomPersistentObject* Create(TPersistent* AOwner, const std::wstring& AName) const = 0;
  // A new object of the same class, same name, no owner, assigned from this one.
  virtual TdxSkinCustomPersistentObject* Clone() const;

private:
  std::wstring FName;
  TPersistent* FOwner;
  int FTag = 0;
  TNotifyEvent FOnChange;
};

#define TALVIK_SKIN_CREATE(Class)                                                                  \
  TdxSkinCustomPersistentObject* Create(TPersistent* AOwner, const std::wstring& AName) const override { \
    return new Class(AOwner, AName);                                                              \
  }

class TdxSkinProperty;
// A property class reference: makes a property of that class.
using TdxSkinPropertyClass = TdxSkinProperty* (*)(TPersistent* AOwner, const std::wstring& AName);
template <class T>
TdxSkinProperty* PropertyClassOf(TPersistent* AOwner, const std::wstring& AName) { return new T(AOwner, AName); }

class TdxSkinProperty : public TdxSkinCustomPersistentObject {
public:
  TALVIK_CLASS_NAME(TdxSkinProperty)
  using TdxSkinCustomPersistentObject::TdxSkinCustomPersistentObject;

  virtual void ReadData(TStream& AStream) {}
  // The name, then the value.
  virtual void ReadFromStream(TStream& AStream);
  virtual void WriteData(TStream& AStream) {}
  // The class name, the name, then the value.
  virtual void WriteToStream(TStream& AStream);
  // The class name without "TdxSkin" and "Property": "Integer", "Color", ...
  std::wstring Description() const;
  virtual bool Compare(TdxSkinProperty* AProperty) { return false; }

  // The classes a stored property list may name; also entered in the class registry.
  static void Register(TdxSkinPropertyClass AClass);
  static void Unregister(TdxSkinPropertyClass AClass);
  static std::vector<TdxSkinPropertyClass> RegisteredClasses();
  // nullptr when the name is not a registered property class.
  static TdxSkinPropertyClass FindClass(const std::wstring& AClassName);
};

class TdxSkinIntegerProperty : public TdxSkinProperty {
public:
  TALVIK_CLASS_NAME(TdxSkinIntegerProperty)
  TALVIK_SKIN_CREATE(TdxSkinIntegerProperty)
  using TdxSkinProperty::TdxSkinProperty;
  void Assign(TPersistent* Source) override;
  int Value() const { return FValue; }
  void SetValue(int Value);
  void ReadData(TStream& AStream) override;
  void WriteData(TStream& AStream) override;
  bool Compare(TdxSkinProperty* AProperty) override;

private:
  int FValue = 0;
};

class TdxSkinBooleanProperty : public TdxSkinProperty {
public:
  TALVIK_CLASS_NAME(TdxSkinBooleanProperty)
  TALVIK_SKIN_CREATE(TdxSkinBooleanProperty)
  using TdxSkinProperty::TdxSkinProperty;
  void Assign(TPersistent* Source) override;
  bool Value() const { return FValue; }
  void SetValue(bool Value);
  void ReadData(TStream& AStream) override;
  void WriteData(TStream& AStream) override;
  bool Compare(TdxSkinProperty* AProperty) override;

private:
  bool FValue = false;
};

class TdxSkinColor : public TdxSkinProperty {
public:
  TALVIK_CLASS_NAME(TdxSkinColor)
  TALVIK_SKIN_CREATE(TdxSkinColor)
  using TdxSkinProperty::TdxSkinProperty;
  void Assign(TPersistent* Source) override;
  TColor Value() const { return FValue; }
  void SetValue(TColor Value);
  void ReadData(TStream& AStream) override;
  void WriteData(TStream& AStream) override;
  bool Compare(TdxSkinProperty* AProperty) override;

private:
  TColor FValue = clDefault;
};

class TdxSkinRectProperty : public TdxSkinProperty {
public:
  TALVIK_CLASS_NAME(TdxSkinRectProperty)
  TALVIK_SKIN_CREATE(TdxSkinRectProperty)
  TdxSkinRectProperty(TPersistent* AOwner, const std::wstring& AName);
  ~TdxSkinRectProperty() override;
  void Assign(TPersistent* Source) override;
  TcxRect* Value() const { return FValue; }
  void SetValue(TcxRect* Value) { FValue->Assign(Value); }
  int Left() const { return FValue->Left(); }
  int Top() const { return FValue->Top(); }
  int Right() const { return FValue->Right(); }
  int Bottom() const { return FValue->Bottom(); }
  void SetLeft(int V) { FValue->SetLeft(V); }
  void SetTop(int V) { FValue->SetTop(V); }
  void SetRight(int V) { FValue->SetRight(V); }
  void SetBottom(int V) { FValue->SetBottom(V); }
  void ReadData(TStream& AStream) override;
  void WriteData(TStream& AStream) override;
  bool Compare(TdxSkinProperty* AProperty) override;

private:
  TcxRect* FValue;
};

class TdxSkinSizeProperty : public TdxSkinProperty {
public:
  TALVIK_CLASS_NAME(TdxSkinSizeProperty)
  TALVIK_SKIN_CREATE(TdxSkinSizeProperty)
  using TdxSkinProperty::TdxSkinProperty;
  void Assign(TPersistent* Source) override;
  const SIZE& Value() const { return FValue; }
  void SetValue(const SIZE& Value);
  // 0 is cx, any other index cy.
  int GetValueByIndex(int AIndex) const { return AIndex == 0 ? FValue.cx : FValue.cy; }
  void SetValueByIndex(int AIndex, int AValue);
  int cx() const { return FValue.cx; }
  int cy() const { return FValue.cy; }
  void ReadData(TStream& AStream) override;
  void WriteData(TStream& AStream) override;
  bool Compare(TdxSkinProperty* AProperty) override;

private:
  SIZE FValue{};
};

class TdxSkinStringProperty : public TdxSkinProperty {
public:
  TALVIK_CLASS_NAME(TdxSkinStringProperty)
  TALVIK_SKIN_CREATE(TdxSkinStringProperty)
  using TdxSkinProperty::TdxSkinProperty;
  void Assign(TPersistent* Source) override;
  const std::wstring& Value() const { return FValue; }
  void SetValue(const std::wstring& Value);
  void ReadData(TStream& AStream) override;
  void WriteData(TStream& AStream) override;
  bool Compare(TdxSkinProperty* AProperty) override;

private:
  std::wstring FValue;
};

class TdxSkinBorder : public TdxSkinProperty {
public:
  TALVIK_CLASS_NAME(TdxSkinBorder)
  TALVIK_SKIN_CREATE(TdxSkinBorder)
  using TdxSkinProperty::TdxSkinProperty;
  TdxSkinBorder(TPersistent* AOwner, const std::wstring& AName, TcxBorder AKind)
      : TdxSkinProperty(AOwner, AName), FKind(AKind) {}
  // Copies colour, side and thickness from another border; other sources are ignored.
  void Assign(TPersistent* Source) override;
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TcxBorder Kind() const { return FKind; }
  int Thin() const { return FThin; }
  void SetThin(int Value);
  void ReadData(TStream& AStream) override;
  void WriteData(TStream& AStream) override;
  // Colour, side and thickness; the name does not count.
  bool Compare(TdxSkinProperty* AProperty) override;
  // Fills the strip along this border's side of ABounds, Thin pixels wide.
  void Draw(HDC DC, const RECT& ABounds);
  void DrawEx(TdxSkinCanvas* ACanvas, const RECT& ABounds);

private:
  TColor FColor = clNone;
  TcxBorder FKind = bLeft;
  int FThin = 1;
};

class TdxSkinBorders : public TdxSkinProperty {
public:
  TALVIK_CLASS_NAME(TdxSkinBorders)
  TALVIK_SKIN_CREATE(TdxSkinBorders)
  TdxSkinBorders(TPersistent* AOwner, const std::wstring& AName);
  ~TdxSkinBorders() override;
  void Assign(TPersistent* Source) override;
  TdxSkinBorder* Items(TcxBorder ASide) const { return FBorders[ASide]; }
  TdxSkinBorder* Left() const { return FBorders[bLeft]; }
  TdxSkinBorder* Top() const { return FBorders[bTop]; }
  TdxSkinBorder* Right() const { return FBorders[bRight]; }
  TdxSkinBorder* Bottom() const { return FBorders[bBottom]; }
  bool Compare(TdxSkinProperty* AProperty) override;
  // Left, top, right, then bottom.
  void Draw(TdxSkinCanvas* ACanvas, const RECT& ABounds);

protected:
  void BorderChanged(TObject* Sender) { DoChange(); }

private:
  TdxSkinBorder* FBorders[4];
};

}  // namespace talvik
