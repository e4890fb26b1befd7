// The skin object model: a skin holds colours, properties and groups; a group
// holds elements; every change climbs to the skin, which tells its listeners.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "framework/streams.h"
#include "skins/pictures/gdiplusapi.h"
#include "skins/pictures/skincanvas.h"
#include "skins/model/skinimage.h"
#include "skins/model/skinproperties.h"
#include "skins/format/skintypes.h"

namespace talvik {

class TdxSkin;
class TdxSkinControlGroup;
class TdxSkinElement;

// Base of skins, groups and elements: owns named properties, sorts on demand, batches changes.
class TdxSkinPersistent : public TdxSkinCustomPersistentObject {
public:
  TALVIK_CLASS_NAME(TdxSkinPersistent)
  TdxSkinPersistent(TPersistent* AOwner, const std::wstring& AName);
  ~TdxSkinPersistent() override;
  TdxSkinPersistent(const TdxSkinPersistent&) = delete;
  TdxSkinPersistent& operator=(const TdxSkinPersistent&) = delete;

  // Adds clones of the source's properties (existing ones stay).
  void Assign(TPersistent* Source) override;

  TdxSkinProperty* AddProperty(const std::wstring& AName, TdxSkinPropertyClass APropertyClass);
  template <class T>
  T* AddProperty(const std::wstring& AName) {
    return static_cast<T*>(AddProperty(AName, &PropertyClassOf<T>));
  }
  virtual void DeleteProperty(TdxSkinProperty* AProperty);
  TdxSkinProperty* GetPropertyByName(const std::wstring& AName);
  int PropertyCount() const { return static_cast<int>(FProperties.size()); }
  TdxSkinProperty* Properties(int AIndex) const { return FProperties[AIndex]; }

  void BeginUpdate() { ++FLockCount; }
  void EndUpdate();
  void CancelUpdate() { --FLockCount; }
  int LockCount() const { return FLockCount; }
  bool Modified() const { return FModified; }
  void SetModified(bool Value) { FModified = Value; }
  void Sort();

  virtual void Changed();

protected:
  virtual void DoSort();
  virtual void SubItemChanged(TObject* Sender) { Changed(); }
  // Makes AChild ours: owner, change callback, appended to AList, then Changed.
  template <class T>
  T* AddChild(std::vector<T*>& AList, T* AChild);
  void ClearProperties();
  // Finds by binary search in a list sorted by name; nullptr when absent.
  template <class T>
  static T* FindByName(const std::vector<T*>& AList, const std::wstring& AName);
  template <class T>
  static void SortByName(std::vector<T*>& AList);

  int FLockCount = 0;
  bool FModified = false;
  std::vector<TdxSkinProperty*> FProperties;
  bool FSorted = false;
};

// Told after every notified change of a skin it listens to.
class IdxSkinChangeListener {
public:
  virtual ~IdxSkinChangeListener() = default;
  virtual void SkinUpdated(TdxSkin* Sender) = 0;
};

class TdxSkin : public TdxSkinPersistent {
public:
  TALVIK_CLASS_NAME(TdxSkin)
  TALVIK_SKIN_CREATE(TdxSkin)
  // Loads the resource named AName (type "DXSKINS") from hInst when ALoadOnCreate is true.
  TdxSkin(const std::wstring& AName, bool ALoadOnCreate, HINSTANCE hInst);
  TdxSkin(TPersistent* AOwner, const std::wstring& AName) : TdxSkin(AName, false, nullptr) {}
  ~TdxSkin() override;

  // Adds clones of the source's colours, groups and properties; nothing is removed first.
  void Assign(TPersistent* Source) override;
  void DoChange() override;
  void DeleteProperty(TdxSkinProperty* AProperty) override;
  // A new skin of the same class with this skin's name, assigned from this one.
  virtual TdxSkin* Clone(const std::wstring& AName);

  // The skin's own name (set by loading); the inherited one is set only by the constructor.
  const std::wstring& Name() const { return FSkinName; }
  void SetName(const std::wstring& Value) { FSkinName = Value; }
  double Version() const { return FVersion; }

  TdxSkinColor* AddColor(const std::wstring& AName, TColor AColor);
  TdxSkinColor* GetColorByName(const std::wstring& AName);
  int ColorCount() const { return static_cast<int>(FColors.size()); }
  TdxSkinColor* Colors(int AIndex) const { return FColors[AIndex]; }

  TdxSkinControlGroup* AddGroup(const std::wstring& AName);
  TdxSkinControlGroup* GetGroupByName(const std::wstring& AName);
  int GroupCount() const { return static_cast<int>(FGroups.size()); }
  TdxSkinControlGroup* Groups(int AIndex) const { return FGroups[AIndex]; }

  // Frees groups, colours and properties without notification.
  void Clear();
  void ClearModified();
  void AddListener(IdxSkinChangeListener* AListener);
  void RemoveListener(IdxSkinChangeListener* AListener);

  virtual void LoadFromStream(TStream& AStream);
  virtual void SaveToStream(TStream& AStream);
  void LoadFromFile(const std::wstring& AFileName);
  void SaveToFile(const std::wstring& AFileName);

protected:
  virtual void LoadFromResource(HINSTANCE hInst);
  void DoSort() override;

private:
  void ReadColors(TStream& AStream);
  std::vector<TdxSkinColor*> FColors;
  std::vector<TdxSkinControlGroup*> FGroups;
  std::vector<IdxSkinChangeListener*> FListeners;
  std::wstring FSkinName;
  double FVersion = 1.02;
};

class TdxSkinElement;
using TdxSkinElementClass = TdxSkinElement* (*)(TPersistent* AOwner, const std::wstring& AName);
template <class T>
TdxSkinElement* ElementClassOf(TPersistent* AOwner, const std::wstring& AName) { return new T(AOwner, AName); }

class TdxSkinControlGroup : public TdxSkinPersistent {
public:
  TALVIK_CLASS_NAME(TdxSkinControlGroup)
  TALVIK_SKIN_CREATE(TdxSkinControlGroup)
  TdxSkinControlGroup(TPersistent* AOwner, const std::wstring& AName) : TdxSkinPersistent(AOwner, AName) {}
  ~TdxSkinControlGroup() override;

  // Adds clones of the source's elements, then of its properties.
  void Assign(TPersistent* Source) override;
  TdxSkin* Skin() const;

  TdxSkinElement* AddElement(const std::wstring& AName);
  TdxSkinElement* AddElementEx(const std::wstring& AName, TdxSkinElementClass AElementClass);
  TdxSkinElement* GetElementByName(const std::wstring& AName);
  int Count() const { return static_cast<int>(FElements.size()); }
  TdxSkinElement* Elements(int AIndex) const { return FElements[AIndex]; }
  void Delete(int AIndex);
  void RemoveElement(TdxSkinElement* AElement);
  // Frees elements and properties without notification.
  void Clear();
  void ClearModified();

  virtual void ReadData(TStream& AStream, double AVersion);
  virtual void WriteData(TStream& AStream);

protected:
  void DoSort() override;

private:
  std::vector<TdxSkinElement*> FElements;
};

class TdxSkinElement : public TdxSkinPersistent {
public:
  TALVIK_CLASS_NAME(TdxSkinElement)
  TALVIK_SKIN_CREATE(TdxSkinElement)
  TdxSkinElement(TPersistent* AOwner, const std::wstring& AName);
  ~TdxSkinElement() override;

  // Copies everything but the name, then adds clones of the source's properties.
  void Assign(TPersistent* Source) override;
  TdxSkinControlGroup* Group() const;

  uint8_t Alpha() const { return FAlpha; }
  void SetAlpha(uint8_t Value);
  TdxSkinBorders* Borders() const { return FBorders; }
  void SetBorders(TdxSkinBorders* Value) { FBorders->Assign(Value); }
  // The GDI+ solid brush of the colour; nullptr until an assigned colour made it.
  GpSolidFill* Brush() const { return FBrush; }
  TColor Color() const { return FColor; }
  // Rebuilds the brush and notifies even when the value is unchanged.
  void SetColor(TColor Value);
  TcxRect* ContentOffset() const { return FContentOffset; }
  void SetContentOffset(TcxRect* Value) { FContentOffset->Assign(Value); }
  TdxSkinImage* Glyph() const { return FGlyph; }
  void SetGlyph(TdxSkinImage* Value) { FGlyph->Assign(Value); }
  TdxSkinImage* Image() const { return FImage; }
  void SetImage(TdxSkinImage* Value) { FImage->Assign(Value); }
  int ImageCount() const { return FImageCount; }
  // Values below 1 become 1.
  void SetImageCount(int Value);
  bool IsColorAssigned() const { return FIsColorAssigned; }
  TcxSize* MinSize() const { return FMinSize; }
  void SetMinSize(TcxSize* Value) { FMinSize->Assign(Value); }
  TColor TextColor() const { return FTextColor; }
  void SetTextColor(TColor Value);

  bool IsAlphaUsed();
  // The image's frame size.
  SIZE Size();
  // The group's name and a backslash.
  std::wstring Path() const;

  virtual bool CompareProperties(TdxSkinElement* AElement);
  virtual std::wstring GetImageName(TdxSkinImage* AImage) const;
  virtual void ReadData(TStream& AStream, double AVersion);
  virtual void WriteData(TStream& AStream, double AVersion);
  virtual bool Compare(TdxSkinElement* AElement);
  // "TextColorHot", "TextColorPressed" or "TextColorDisabled" when set, else TextColor.
  virtual TColor GetTextColor(TcxButtonState AState);
  // Background, image, borders and glyph into ARect; nothing when ARect is empty or not visible.
  // ADpi: the scale of the skin's lengths (it gives them at 96).
  virtual void Draw(HDC DC, const RECT& ARect, int AImageIndex = 0, TdxSkinElementState AState = esNormal,
                    int ADpi = 96);
  // The same on a canvas already painting (what Draw and element caches draw).
  virtual void DrawContent(TdxSkinCanvas* ACanvas, const RECT& ARect, int AImageIndex, TdxSkinElementState AState);
  // For pictures whose frames are stored in AStateMap's order; see TdxSkinImage::SetStateMapping.
  void SetStateMapping(const std::vector<TdxSkinElementState>& AStateMap);

private:
  void ImageChanged(TObject*) { SubItemChanged(this); }
  void ValueChanged(TObject*) { DoChange(); }

  uint8_t FAlpha = 255;
  TdxSkinBorders* FBorders;
  GpSolidFill* FBrush = nullptr;
  TdxSkinCanvas* FCanvas;
  TColor FColor = clDefault;
  TcxRect* FContentOffset;
  TdxSkinImage* FGlyph;
  TdxSkinImage* FImage;
  int FImageCount = 1;
  bool FIsColorAssigned = false;
  TcxSize* FMinSize;
  TColor FTextColor = clDefault;
};

// Stands in for a missing element so that lookups by drawing code never give nothing.
class TdxSkinEmptyElement : public TdxSkinElement {
public:
  TALVIK_CLASS_NAME(TdxSkinEmptyElement)
  TALVIK_SKIN_CREATE(TdxSkinEmptyElement)
  using TdxSkinElement::TdxSkinElement;
  // A white box with a red frame, so that what is missing shows.
  void Draw(HDC DC, const RECT& ARect, int AImageIndex = 0, TdxSkinElementState AState = esNormal,
            int ADpi = 96) override;
  void DrawContent(TdxSkinCanvas* ACanvas, const RECT& ARect, int AImageIndex, TdxSkinElementState AState) override;
};

TdxSkinElement* ElementOrEmpty(TdxSkinElement* AElement);

// A window [PosStart, PosEnd) on another stream, so that a picture decoder sees only its bytes.
class TdxSkinPartStream : public TStream {
public:
  TALVIK_CLASS_NAME(TdxSkinPartStream)
  explicit TdxSkinPartStream(TStream* ASource) : FSource(ASource) {}
  void Initialize(int64_t APosStart, int64_t APosEnd) { FPosStart = APosStart; FPosEnd = APosEnd; }
  void InitializeEx(TStream* ASource, int64_t APosStart, int64_t APosEnd) {
    FSource = ASource;
    Initialize(APosStart, APosEnd);
  }
  int64_t Size() override { return FPosEnd - FPosStart; }
  int64_t Read(void* Buffer, int64_t Count) override;
  int64_t Write(const void* Buffer, int64_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  int64_t PosEnd() const { return FPosEnd; }
  int64_t PosStart() const { return FPosStart; }
  TStream* Source() const { return FSource; }

private:
  int64_t FPosEnd = 0;
  int64_t FPosStart = 0;
  TStream* FSource;
};

// The shared window through which image records hand their pictures to the decoder.
TdxSkinPartStream& dxSkinPartStream();

// The skin modules' start-up and shut-down, run through the units loader.
void dxSkinsUnitInitialize();
void dxSkinsUnitFinalize();

}  // namespace talvik
