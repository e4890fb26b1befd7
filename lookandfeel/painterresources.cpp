#include "lookandfeel/painterresources.h"

#include <memory>

#include "framework/sysutils.h"
#include "graphics/canvas.h"
#include "lookandfeel/systempalette.h"

namespace talvik {

namespace {
constexpr int kSystemCheckBoxesBitmap = 32759;  // OBM_CHECKBOXES
const wchar_t* const kIndicatorResources[] = {L"CX_ARROWBITMAP",    L"CX_EDITBITMAP",
                                              L"CX_INSERTBITMAP",   L"CX_MULTIDOTBITMAP",
                                              L"CX_MULTIARROWBITMAP", L"CX_FILTERBITMAP"};

// Drops the radio images when system colours change, before anyone else hears of it.
class TSystemPaletteChangedNotifier : public TcxSystemPaletteChangedNotifier {
public:
  TSystemPaletteChangedNotifier() : TcxSystemPaletteChangedNotifier(true) {}
  void PaletteChanged() override { ResetRadioButtonImageList(); }
};

struct TPainterResources {
  ~TPainterResources() {
    if (IndicatorImages) ImageList_Destroy(IndicatorImages);
  }
  HIMAGELIST IndicatorImages = nullptr;
  std::unique_ptr<TBitmap> PageBitmaps[2];
  std::unique_ptr<TSystemPaletteChangedNotifier> Notifier;
  SIZE CheckBoxSize{};
  std::unique_ptr<TcxRadioButtonImageList> RadioImages;
};

TPainterResources* gResources = nullptr;

HBITMAP LoadResourceBitmap(const wchar_t* AName) {
  HBITMAP bitmap = static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr), AName, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!bitmap) throw EResNotFound(Format(L"Resource %s not found", {AName}));
  return bitmap;
}

// The indicator pictures are made into an image list on first use, which loads the
// common controls library; their resources are looked for at start-up.
void CheckIndicatorResources() {
  for (const wchar_t* name : kIndicatorResources)
    if (!FindResourceW(GetModuleHandleW(nullptr), name, RT_BITMAP))
      throw EResNotFound(Format(L"Resource %s not found", {name}));
}

HIMAGELIST CreateIndicatorImages() {
  HIMAGELIST images = nullptr;
  try {
    for (const wchar_t* name : kIndicatorResources) {
      HBITMAP bitmap = LoadResourceBitmap(name);
      if (!images) {
        BITMAP info{};
        GetObjectW(bitmap, sizeof(info), &info);
        images = ImageList_Create(info.bmWidth, info.bmHeight, ILC_COLOR24 | ILC_MASK, 6, 0);
      }
      ImageList_AddMasked(images, bitmap, RGB(255, 255, 255));
      DeleteObject(bitmap);
    }
  } catch (...) {
    if (images) ImageList_Destroy(images);
    throw;
  }
  return images;
}

// Pixels whose coordinates have equal parity take AEven, the others AOdd.
std::unique_ptr<TBitmap> CreatePageBitmap(TColor AEven, TColor AOdd) {
  auto bitmap = std::make_unique<TBitmap>(8, 8, pf24bit);
  TCanvas& canvas = bitmap->Canvas();
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) canvas.SetPixel(x, y, (x + y) % 2 == 0 ? AEven : AOdd);
  return bitmap;
}

SIZE MeasureCheckBox() {
  HBITMAP bitmap = LoadBitmapW(nullptr, MAKEINTRESOURCEW(kSystemCheckBoxesBitmap));
  BITMAP info{};
  if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info)) info.bmWidth = info.bmHeight = 0;
  if (bitmap) DeleteObject(bitmap);
  return SIZE{info.bmWidth / 4, info.bmHeight / 3};
}

UINT RadioStateFlags(TcxButtonState AState, bool AChecked) {
  UINT flags = AChecked ? DFCS_CHECKED : 0;
  if (AState == cxbsHot) flags |= DFCS_HOT;
  if (AState == cxbsPressed) flags |= DFCS_PUSHED;
  if (AState == cxbsDisabled) flags |= DFCS_INACTIVE;
  return flags;
}
}  // namespace

void InitializePainters() {
  if (gResources) return;
  auto resources = std::make_unique<TPainterResources>();
  CheckIndicatorResources();
  resources->PageBitmaps[0] = CreatePageBitmap(clBtnFace, clBtnHighlight);
  resources->PageBitmaps[1] = CreatePageBitmap(clBlack, cl3DDkShadow);
  resources->Notifier = std::make_unique<TSystemPaletteChangedNotifier>();
  resources->CheckBoxSize = MeasureCheckBox();
  gResources = resources.release();
}

void FinalizePainters() {
  if (!gResources) return;
  gResources->Notifier.reset();
  gResources->PageBitmaps[0].reset();
  gResources->PageBitmaps[1].reset();
  if (gResources->IndicatorImages) ImageList_Destroy(gResources->IndicatorImages);
  gResources->IndicatorImages = nullptr;
  gResources->RadioImages.reset();
  delete gResources;
  gResources = nullptr;
}

bool PaintersInitialized() { return gResources != nullptr; }
HIMAGELIST cxIndicatorImages() {
  if (!gResources) return nullptr;
  if (!gResources->IndicatorImages) gResources->IndicatorImages = CreateIndicatorImages();
  return gResources->IndicatorImages;
}
TBitmap* cxScrollBarPageBitmap(bool APressed) { return gResources ? gResources->PageBitmaps[APressed].get() : nullptr; }
SIZE cxCheckBoxSize() { return gResources ? gResources->CheckBoxSize : SIZE{}; }

TcxRadioButtonImageList* cxRadioButtonImageList() {
  if (!gResources) return nullptr;
  if (!gResources->RadioImages) gResources->RadioImages = std::make_unique<TcxRadioButtonImageList>();
  return gResources->RadioImages.get();
}

void ResetRadioButtonImageList() {
  if (gResources) gResources->RadioImages.reset();
}

bool RadioButtonImageListExists() { return gResources && gResources->RadioImages; }

// ---- radio-button images

// Ten images: unchecked then checked, each in the five button states.
TcxRadioButtonImageList::TcxRadioButtonImageList() : FSize(cxCheckBoxSize()) {
  if (FSize.cx <= 0 || FSize.cy <= 0) FSize = SIZE{13, 13};
  FImages = ImageList_Create(FSize.cx, FSize.cy, ILC_COLOR24 | ILC_MASK, 10, 0);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP image = CreateCompatibleBitmap(screen, FSize.cx, FSize.cy);
  HBITMAP mask = CreateBitmap(FSize.cx, FSize.cy, 1, 1, nullptr);
  RECT r{0, 0, FSize.cx, FSize.cy};
  for (bool checked : {false, true})
    for (int state = cxbsDefault; state <= cxbsDisabled; ++state) {
      UINT flags = RadioStateFlags(static_cast<TcxButtonState>(state), checked);
      HGDIOBJ old = SelectObject(dc, mask);
      DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONRADIOMASK);
      SelectObject(dc, image);
      DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONRADIOIMAGE | flags);
      SelectObject(dc, old);
      ImageList_Add(FImages, image, mask);
    }
  DeleteObject(mask);
  DeleteObject(image);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
}

TcxRadioButtonImageList::~TcxRadioButtonImageList() { ImageList_Destroy(FImages); }

void TcxRadioButtonImageList::Draw(TcxCanvas* ACanvas, int X, int Y, TColor ABrushColor, TcxButtonState AState,
                                   bool AChecked, bool AFocused) {
  ACanvas->FillRect(RECT{X, Y, X + FSize.cx, Y + FSize.cy}, ABrushColor);
  int index = (AChecked ? 5 : 0) + AState;
  ImageList_Draw(FImages, index, ACanvas->Handle(), X, Y, ILD_TRANSPARENT);
  if (AFocused) ACanvas->DrawFocusRect(RECT{X - 1, Y - 1, X + FSize.cx + 1, Y + FSize.cy + 1});
}

}  // namespace talvik
