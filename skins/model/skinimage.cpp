#include "skins/model/skinimage.h"

#include "framework/sysutils.h"
#include "skins/model/skin.h"
#include "skins/format/skinstreamio.h"

namespace talvik {

TdxSkinImage::TdxSkinImage(TdxSkinElement* AOwner)
    : FMargins(new TcxRect(this)), FOwner(AOwner), FTexture(new TdxPNGImage) {
  FMargins->OnChange = [this](TObject* Sender) { MarginsChanged(Sender); };
  // A new picture invalidates the frames without notifying anyone.
  FTexture->OnChange = [this](TObject*) { FIsDirty = true; };
}

TdxSkinImage::~TdxSkinImage() {
  delete FTexture;
  delete FMargins;
}

TPersistent* TdxSkinImage::GetOwner() const { return FOwner; }

void TdxSkinImage::Changed() {
  FIsDirty = true;
  if (OnChange) OnChange(this);
}

void TdxSkinImage::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TdxSkinImage*>(Source);
  if (!s || s == this) return;
  if (s->Empty()) {
    Clear();
  } else {
    FTexture->Assign(s->FTexture);
    FSourceName = s->SourceName();
    FIsDirty = true;
  }
  SetGradientBeginColor(s->FGradientBeginColor);
  SetGradientEndColor(s->FGradientEndColor);
  SetGradient(s->FGradient);
  SetImageLayout(s->FImageLayout);
  FMargins->Assign(s->FMargins);
  SetStates(s->FStates);
  SetStretch(s->FStretch);
}

#define TALVIK_IMAGE_SETTER(Name, Type, Field) \
  void TdxSkinImage::Set##Name(Type Value) {   \
    if (Value == Field) return;                \
    Field = Value;                             \
    Changed();                                 \
  }
TALVIK_IMAGE_SETTER(Gradient, TdxSkinGradientMode, FGradient)
TALVIK_IMAGE_SETTER(GradientBeginColor, TColor, FGradientBeginColor)
TALVIK_IMAGE_SETTER(GradientEndColor, TColor, FGradientEndColor)
TALVIK_IMAGE_SETTER(ImageLayout, TdxSkinImageLayout, FImageLayout)
TALVIK_IMAGE_SETTER(States, TdxSkinElementStates, FStates)
TALVIK_IMAGE_SETTER(Stretch, TdxSkinStretchMode, FStretch)

int TdxSkinImage::ImageCount() const { return FOwner ? FOwner->ImageCount() : 1; }

void TdxSkinImage::CheckInfo() {
  if (!FIsDirty) return;
  FIsDirty = false;
  UpdateInfo();
}

void TdxSkinImage::UpdateInfo() {
  int numbers[dxSkinElementStateCount] = {};
  FStateCount = 0;
  for (int s = 0; s < dxSkinElementStateCount; ++s)
    if (FStates & (1u << s)) numbers[s] = FStateCount++;
  FSize = SIZE{FTexture->Width(), FTexture->Height()};
  if (FStateCount > 0) {
    int count = ImageCount() < 1 ? 1 : ImageCount();
    LONG& extent = FImageLayout == ilHorizontal ? FSize.cx : FSize.cy;
    extent = extent / count / FStateCount;
  }
  for (int s = 0; s < dxSkinElementStateCount; ++s) {
    int n = numbers[s];
    FStateBounds[s] = FImageLayout == ilHorizontal ? RECT{n * FSize.cx, 0, (n + 1) * FSize.cx, FSize.cy}
                                                   : RECT{0, n * FSize.cy, FSize.cx, (n + 1) * FSize.cy};
  }
  FPartSizing = dxSkinDefaultPartSizing;
}

SIZE TdxSkinImage::Size() {
  CheckInfo();
  return FSize;
}

int TdxSkinImage::StateCount() {
  CheckInfo();
  return FStateCount;
}

RECT TdxSkinImage::StateBounds(TdxSkinElementState AState) {
  CheckInfo();
  return FStateBounds[AState < dxSkinElementStateCount ? AState : 0];
}

RECT TdxSkinImage::FrameBounds(int AImageIndex, TdxSkinElementState AState) {
  CheckInfo();
  if (!(FStates & dxSkinStateBit(AState)))
    for (int s = 0; s < dxSkinElementStateCount; ++s)
      if (FStates & (1u << s)) {
        AState = static_cast<TdxSkinElementState>(s);
        break;
      }
  RECT r = StateBounds(AState);
  if (AImageIndex > 0) {
    int shift = AImageIndex * FStateCount;
    r = FImageLayout == ilHorizontal ? OffsetRectBy(r, shift * FSize.cx, 0) : OffsetRectBy(r, 0, shift * FSize.cy);
  }
  return r;
}

bool TdxSkinImage::Empty() { return FSourceName.empty() && FTexture->Empty(); }

std::wstring TdxSkinImage::Name() {
  if (Empty() || !FOwner) return {};
  return FOwner->GetImageName(this);
}

std::wstring TdxSkinImage::SourceName() {
  if (!FSourceName.empty() || Empty() || !FOwner) return FSourceName;
  return FOwner->Path() + Name();
}

void TdxSkinImage::Clear() {
  TdxPNGImage empty;
  FTexture->Assign(&empty);
  FSourceName.clear();
  Changed();
}

void TdxSkinImage::LoadFromFile(const std::wstring& AFileName) {
  FSourceName = AFileName;
  TFileStream f(AFileName, fmOpenRead | fmShareDenyNone);
  FTexture->LoadFromStream(f);
  Changed();
}

void TdxSkinImage::SaveToFile(const std::wstring& AFileName) {
  if (Empty()) return;
  std::wstring name = AFileName;
  size_t dot = name.find_last_of(L'.');
  size_t slash = name.find_last_of(L"\\/");
  if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash)) name.erase(dot);
  FTexture->SaveToFile(name + L".png");
  Changed();
}

bool TdxSkinImage::Compare(TdxSkinImage* AImage) {
  if (!AImage) return false;
  SIZE a = Size(), b = AImage->Size();
  return FImageLayout == AImage->FImageLayout && Empty() == AImage->Empty() && FStates == AImage->FStates &&
         FGradient == AImage->FGradient && FGradientBeginColor == AImage->FGradientBeginColor &&
         FGradientEndColor == AImage->FGradientEndColor && FStretch == AImage->FStretch && SizesEqual(a, b) &&
         FMargins->IsEqual(AImage->FMargins) && FTexture->Compare(AImage->FTexture);
}

namespace {
// Drawing indexes tables and picks GDI+ modes by these values: one out of range is damage.
template <class T>
T ReadEnum(TStream& AStream, T ALast) {
  uint8_t value = dxReadByte(AStream);
  if (value > ALast) throw EdxSkin(L"Invalid stream format");
  return static_cast<T>(value);
}
}  // namespace

void TdxSkinImage::ReadData(TStream& AStream, double AVersion) {
  RECT margins;
  AStream.ReadBuffer(&margins, sizeof margins);
  FMargins->SetRect(margins);
  FImageLayout = ReadEnum<TdxSkinImageLayout>(AStream, ilVertical);
  FStates = AStream.ReadValue<uint16_t>() & dxSkinAllStates;
  FStretch = ReadEnum<TdxSkinStretchMode>(AStream, smNoResize);
  if (AVersion >= 1.02) {
    FGradientBeginColor = dxReadInt32(AStream);
    FGradientEndColor = dxReadInt32(AStream);
    FGradient = ReadEnum<TdxSkinGradientMode>(AStream, gmBackwardDiagonal);
  }
  int32_t size = dxReadInt32(AStream);
  if (size > 0) {
    dxCheckRemaining(AStream, size);
    int64_t start = AStream.Position();
    TdxSkinPartStream& part = dxSkinPartStream();
    part.InitializeEx(&AStream, start, start + size);
    try {
      FTexture->LoadFromStream(part);
    } catch (const Exception&) {
      // An undecodable picture leaves the image without one.
      TdxPNGImage empty;
      FTexture->Assign(&empty);
    }
    AStream.SetPosition(start + size);
  }
  FIsDirty = true;
}

void TdxSkinImage::WriteData(TStream& AStream) {
  AStream.WriteBuffer(&FMargins->Rect(), sizeof(RECT));
  dxWriteByte(AStream, FImageLayout);
  AStream.WriteValue<uint16_t>(FStates);
  dxWriteByte(AStream, FStretch);
  dxWriteInt32(AStream, FGradientBeginColor);
  dxWriteInt32(AStream, FGradientEndColor);
  dxWriteByte(AStream, FGradient);
  TMemoryStream picture;
  FTexture->SaveToStream(picture);
  dxWriteInt32(AStream, static_cast<int32_t>(picture.Size()));
  if (picture.Size() > 0) AStream.WriteBuffer(picture.Memory(), picture.Size());
}

}  // namespace talvik
