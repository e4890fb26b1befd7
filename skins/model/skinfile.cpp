// Reading and writing skins in the "dxSkin" stream format.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "framework/sysutils.h"
#include "skins/model/skin.h"
#include "skins/format/skinstreamio.h"

namespace talvik {

namespace {

constexpr double CurrentVersion = 1.02;
// The fewest bytes each counted record can take; a count that promises more than the
// stream holds is refused before anything is made for it.
constexpr int64_t MinColorBytes = 4 + 4 + 4;
constexpr int64_t MinPropertyBytes = 4 + 4 + 1;
constexpr int64_t MinGroupBytes = 4 + 4 + 4;
int64_t MinElementBytes(double AVersion) {
  int64_t image = 16 + 1 + 2 + 1 + (AVersion >= CurrentVersion ? 9 : 0) + 4;
  return 4 + 4 + 1 + 4 + 16 + 2 * image + 4 * (4 + 4 + 4 + 4) + 4 + 8 + 4;
}

int32_t ReadCount(TStream& AStream, int64_t AMinRecordBytes) {
  int32_t count = dxReadInt32(AStream);
  if (count > 0) dxCheckRemaining(AStream, count * AMinRecordBytes);
  return count;
}

void ReadPropertyList(TdxSkinPersistent& AOwner, TStream& AStream) {
  int32_t count = ReadCount(AStream, MinPropertyBytes);
  for (int32_t i = 0; i < count; ++i) {
    std::wstring className = dxReadStr(AStream);
    TdxSkinPropertyClass cls = TdxSkinProperty::FindClass(className);
    if (!cls || !IsClassRegistered(className)) throw EClassNotFound(Format(L"Class %s not found", {className}));
    std::wstring name = dxReadStr(AStream);
    AOwner.AddProperty(name, cls)->ReadData(AStream);
  }
}

void WritePropertyList(TdxSkinPersistent& AOwner, TStream& AStream) {
  dxWriteInt32(AStream, AOwner.PropertyCount());
  for (int i = 0; i < AOwner.PropertyCount(); ++i) AOwner.Properties(i)->WriteToStream(AStream);
}

}  // namespace

// ---- TdxSkin

void TdxSkin::LoadFromStream(TStream& AStream) {
  if (!GdiPlusAvailable()) return;
  char signature[6] = {};
  AStream.Read(signature, 4);
  if (AStream.Read(signature, 6) != 6 || std::memcmp(signature, "dxSkin", 6) != 0)
    throw EdxSkin(L"Invalid stream format");
  AStream.ReadBuffer(&FVersion, sizeof FVersion);
  FSkinName = dxReadStr(AStream);
  if (!(FVersion >= 1.0))
    throw EdxSkin(
        L"The skin data version is older than the current Lumivex Library version.\r\n"
        L"Skins cannot be loaded due to a version mismatch.");
  BeginUpdate();
  try {
    Clear();
    ReadColors(AStream);
    ReadPropertyList(*this, AStream);
    int32_t groups = ReadCount(AStream, MinGroupBytes);
    for (int32_t i = 0; i < groups; ++i) AddGroup(dxReadStr(AStream))->ReadData(AStream, FVersion);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TdxSkin::ReadColors(TStream& AStream) {
  int32_t count = ReadCount(AStream, MinColorBytes);
  for (int32_t i = 0; i < count; ++i) {
    dxReadStr(AStream);  // the class name
    std::wstring name = dxReadStr(AStream);
    AddColor(name, dxReadInt32(AStream));
  }
}

void TdxSkin::SaveToStream(TStream& AStream) {
  dxWriteInt32(AStream, 6);
  AStream.WriteBuffer("dxSkin", 6);
  AStream.WriteValue(CurrentVersion);
  dxWriteStr(AStream, FSkinName);
  dxWriteInt32(AStream, ColorCount());
  for (TdxSkinColor* c : FColors) c->WriteToStream(AStream);
  WritePropertyList(*this, AStream);
  dxWriteInt32(AStream, GroupCount());
  for (TdxSkinControlGroup* g : FGroups) {
    dxWriteStr(AStream, g->Name());
    g->WriteData(AStream);
  }
}

void TdxSkin::LoadFromFile(const std::wstring& AFileName) {
  TFileStream f(AFileName, fmOpenRead | fmShareDenyNone);
  LoadFromStream(f);
}

void TdxSkin::SaveToFile(const std::wstring& AFileName) {
  TFileStream f(AFileName, fmCreate);
  SaveToStream(f);
}

void TdxSkin::LoadFromResource(HINSTANCE hInst) {
  TResourceStream s(hInst, FSkinName, L"DXSKINS");
  LoadFromStream(s);
}

// ---- TdxSkinControlGroup

void TdxSkinControlGroup::ReadData(TStream& AStream, double AVersion) {
  int32_t count = ReadCount(AStream, MinElementBytes(AVersion));
  for (int32_t i = 0; i < count; ++i) AddElement(dxReadStr(AStream))->ReadData(AStream, AVersion);
  ReadPropertyList(*this, AStream);
  Changed();
}

void TdxSkinControlGroup::WriteData(TStream& AStream) {
  dxWriteInt32(AStream, Count());
  for (TdxSkinElement* e : FElements) {
    dxWriteStr(AStream, e->Name());
    e->WriteData(AStream, CurrentVersion);
  }
  WritePropertyList(*this, AStream);
}

// ---- TdxSkinElement

void TdxSkinElement::ReadData(TStream& AStream, double AVersion) {
  FColor = dxReadInt32(AStream);
  FAlpha = dxReadByte(AStream);
  FImageCount = std::max(1, dxReadInt32(AStream));
  RECT offset;
  AStream.ReadBuffer(&offset, sizeof offset);
  // Painters add these to window rectangles in int: a damaged file's extreme values
  // are bounded far beyond any real skin's, so no sum overflows.
  constexpr LONG kMaxOffset = 1 << 20;
  for (LONG* v : {&offset.left, &offset.top, &offset.right, &offset.bottom}) *v = std::clamp(*v, -kMaxOffset, kMaxOffset);
  FContentOffset->SetRect(offset);
  FGlyph->ReadData(AStream, AVersion);
  FImage->ReadData(AStream, AVersion);
  for (int side = bLeft; side <= bBottom; ++side) {
    dxReadStr(AStream);  // the class name
    FBorders->Items(static_cast<TcxBorder>(side))->ReadFromStream(AStream);
  }
  SetColor(FColor);
  FTextColor = dxReadInt32(AStream);
  SIZE minSize;
  AStream.ReadBuffer(&minSize, sizeof minSize);
  FMinSize->SetSize(minSize);
  ReadPropertyList(*this, AStream);
}

void TdxSkinElement::WriteData(TStream& AStream, double AVersion) {
  dxWriteInt32(AStream, FColor);
  dxWriteByte(AStream, FAlpha);
  dxWriteInt32(AStream, FImageCount);
  AStream.WriteBuffer(&FContentOffset->Rect(), sizeof(RECT));
  FGlyph->WriteData(AStream);
  FImage->WriteData(AStream);
  for (int side = bLeft; side <= bBottom; ++side) FBorders->Items(static_cast<TcxBorder>(side))->WriteToStream(AStream);
  dxWriteInt32(AStream, FTextColor);
  AStream.WriteBuffer(&FMinSize->Size(), sizeof(SIZE));
  WritePropertyList(*this, AStream);
}

// ---- TdxSkinPartStream

int64_t TdxSkinPartStream::Read(void* Buffer, int64_t Count) {
  // Never past the window: the decoder must see only its picture.
  int64_t left = FPosEnd - FSource->Position();
  if (Count > left) Count = left;
  return Count > 0 ? FSource->Read(Buffer, Count) : 0;
}

int64_t TdxSkinPartStream::Write(const void* Buffer, int64_t Count) {
  int64_t written = FSource->Write(Buffer, Count);
  FPosEnd = FSource->Position();
  return written;
}

int64_t TdxSkinPartStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  int64_t target;
  switch (Origin) {
    case soBeginning: target = FPosStart + Offset; break;
    case soEnd: target = FPosEnd + Offset; break;
    default: target = FSource->Position() + Offset; break;
  }
  target = std::clamp(target, FPosStart, FPosEnd);
  FSource->SetPosition(target);
  return target - FPosStart;
}

}  // namespace talvik
