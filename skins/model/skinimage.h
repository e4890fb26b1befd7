// One picture of a skin element (its image or its glyph): the PNG picture,
// how its frames are laid out, and its record in a skin stream.
#pragma once
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "framework/streams.h"
#include "graphics/geometry.h"
#include "skins/pictures/pngimage.h"
#include "skins/format/skintypes.h"

namespace talvik {

class TdxSkinElement;
class TdxSkinCanvas;

// Indexed by column (left, middle, right), then row (top, middle, bottom).
using TdxSkinElementPartVisibility = std::array<std::array<bool, 3>, 3>;
using TdxSkinElementPartBounds = std::array<std::array<RECT, 3>, 3>;
// Edges and centre resized to fill their target, corners at natural size.
extern const TdxSkinElementPartVisibility dxSkinDefaultPartSizing;

// The nine-part cut of ABounds by AMargins (left column, top row, right column, bottom row).
// Only parts flagged in AVisibility are stored, and their flag becomes whether the part is
// non-empty. ASizing starts as the default table; a target cut (AIsTarget) first shrinks
// margins that do not fit, in proportion, and marks those columns or rows resized.
void dxSkinCutNineParts(const RECT& ABounds, RECT AMargins, bool AIsTarget, TdxSkinElementPartVisibility& AVisibility,
                        TdxSkinElementPartBounds& AParts, TdxSkinElementPartVisibility& ASizing);

class TdxSkinImage : public TPersistent {
public:
  TALVIK_CLASS_NAME(TdxSkinImage)
  explicit TdxSkinImage(TdxSkinElement* AOwner);
  ~TdxSkinImage() override;
  TdxSkinImage(const TdxSkinImage&) = delete;
  TdxSkinImage& operator=(const TdxSkinImage&) = delete;

  // From another image; other sources are ignored.
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() const override;
  TdxSkinElement* Owner() const { return FOwner; }

  TdxSkinGradientMode Gradient() const { return FGradient; }
  void SetGradient(TdxSkinGradientMode Value);
  TColor GradientBeginColor() const { return FGradientBeginColor; }
  void SetGradientBeginColor(TColor Value);
  TColor GradientEndColor() const { return FGradientEndColor; }
  void SetGradientEndColor(TColor Value);
  TdxSkinImageLayout ImageLayout() const { return FImageLayout; }
  void SetImageLayout(TdxSkinImageLayout Value);
  TcxRect* Margins() const { return FMargins; }
  void SetMargins(TcxRect* Value) { FMargins->Assign(Value); }
  TdxSkinElementStates States() const { return FStates; }
  void SetStates(TdxSkinElementStates Value);
  TdxSkinStretchMode Stretch() const { return FStretch; }
  void SetStretch(TdxSkinStretchMode Value);
  TdxPNGImage* Texture() const { return FTexture; }
  TColor TransparentColor() const { return FTransparentColor; }

  // Frame geometry, recalculated when the picture or its layout changed.
  SIZE Size();
  int StateCount();
  RECT StateBounds(TdxSkinElementState AState);
  // The frame drawn for the variant and state: a missing state falls back to the lowest present one.
  RECT FrameBounds(int AImageIndex, TdxSkinElementState AState);

  // No source file and an empty picture.
  bool Empty();
  int ImageCount() const;
  // The element name with "_Image.png" or "_Glyph.png"; empty when Empty.
  std::wstring Name();
  // Writing the name loads the picture from that file.
  void SetName(const std::wstring& AValue) { LoadFromFile(AValue); }
  std::wstring SourceName();
  void SetSourceName(const std::wstring& Value) { FSourceName = Value; }

  // Drawing: nothing for an empty or invisible rectangle or a frame of no size.
  void Draw(HDC DC, const RECT& ARect, int AImageIndex = 0, TdxSkinElementState AState = esNormal);
  // The gradient of an image without picture, or the frame cut into nine parts.
  void DrawEx(TdxSkinCanvas* ACanvas, const RECT& ARect, int AImageIndex = 0, TdxSkinElementState AState = esNormal);
  // ABitmap becomes one frame over ABkColor (clNone: none, clDefault: its canvas's brush colour).
  void GetBitmap(int AImageIndex, TdxSkinElementState AState, TBitmap* ABitmap, TColor ABkColor = clNone);
  // Reorders frames stored in AStateMap's order into the ascending state order drawing expects.
  void SetStateMapping(const std::vector<TdxSkinElementState>& AStateMap);

  void Clear();
  void LoadFromFile(const std::wstring& AFileName);
  void SaveToFile(const std::wstring& AFileName);
  bool Compare(TdxSkinImage* AImage);

  // The image record; gradient fields exist from version 1.02 on.
  void ReadData(TStream& AStream, double AVersion);
  void WriteData(TStream& AStream);

  TNotifyEvent OnChange;
  virtual void Changed();
  // Marks the frame geometry for recalculation without notifying.
  void Invalidate() { FIsDirty = true; }

protected:
  virtual void UpdateInfo();
  void CheckInfo();
  virtual void DrawPart(TdxSkinCanvas* ACanvas, const RECT& ADest, const RECT& ASource, bool AIsResized,
                        bool AIsCentre);
  bool HasGradient() const { return FGradientBeginColor != clNone; }

private:
  void MarginsChanged(TObject*) { Changed(); }

  TdxSkinGradientMode FGradient = gmHorizontal;
  TColor FGradientBeginColor = clNone;
  TColor FGradientEndColor = clNone;
  TdxSkinImageLayout FImageLayout = ilHorizontal;
  bool FIsDirty = true;
  TcxRect* FMargins;
  TdxSkinElement* FOwner;
  TdxSkinElementPartVisibility FPartSizing = dxSkinDefaultPartSizing;
  TdxSkinElementPartVisibility FPartsVisibility{};
  SIZE FSize{};
  std::wstring FSourceName;
  RECT FStateBounds[dxSkinElementStateCount]{};
  int FStateCount = 0;
  TdxSkinElementStates FStates = 0;
  TdxSkinStretchMode FStretch = smStretch;
  TdxPNGImage* FTexture;
  TColor FTransparentColor = clNone;
};

}  // namespace talvik
