// Icons: a picture held as a system icon, loaded from .ico data or a resource.
#pragma once
#include <windows.h>

#include <string>

#include "framework/graphics.h"

namespace talvik {

class TIcon : public TGraphic {
public:
  TALVIK_CLASS_NAME(TIcon)
  TIcon() = default;
  ~TIcon() override;
  void Assign(TPersistent* Source) override;

  int Width() override { return FWidth; }
  int Height() override { return FHeight; }
  // An icon's size comes from its image; changing it fails with EInvalidGraphic.
  void SetWidth(int Value) override;
  void SetHeight(int Value) override;
  bool Empty() override { return FHandle == nullptr; }
  void Draw(TCanvas& Canvas, const RECT& Rect) override;
  // Icon file data: the image nearest to the system's icon size is used; the
  // file data is kept, so that saving writes it back unchanged.
  void LoadFromStream(TStream& Stream) override;
  void SaveToStream(TStream& Stream) override;
  // The program's icon resource of that name.
  void LoadFromResourceName(HINSTANCE Instance, const std::wstring& Name);

  HICON Handle() const { return FHandle; }
  // Adopts an icon handle (owned from then on).
  void SetHandle(HICON Value);
  HICON ReleaseHandle();

private:
  // Takes ownership of Value, destroying the icon held before.
  void Adopt(HICON Value);
  HICON FHandle = nullptr;
  int FWidth = 0, FHeight = 0;
  std::string FData;
};

}  // namespace talvik
