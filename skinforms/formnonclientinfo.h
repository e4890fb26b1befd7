// The geometry of a skinned form's non-client area: frame widths, the strips
// of the frame, the caption with its text, font, colours and buttons, the
// window's own scroll bars, the region the skin paints, and hit tests. It
// computes only; the form controller feeds it events and the form painter
// reads it.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "framework/dpi.h"
#include "framework/graphics.h"
#include "graphics/geometry.h"
#include "lookandfeel/painter.h"
#include "skins/info/skininfo.h"
#include "skins/format/skintypes.h"

namespace talvik {

class TdxSkinFormController;

enum TdxScrollAreaElement { saeHorzScroll, saeVertScroll, saeSizeGrip };
using TdxScrollAreaElements = uint8_t;  // bit n = TdxScrollAreaElement n
// saeHorzScroll or saeVertScroll.
using TdxSkinFormScrollBar = TdxScrollAreaElement;
constexpr int dxSkinFormScrollBarCount = 2;

constexpr bool Contains(TdxSkinFormIcons ASet, TdxSkinFormIcon AIcon) { return (ASet >> AIcon) & 1; }
constexpr TdxSkinFormIcons IconBit(TdxSkinFormIcon AIcon) { return TdxSkinFormIcons(1u << AIcon); }
constexpr bool Contains(TdxScrollAreaElements ASet, TdxScrollAreaElement AElement) { return (ASet >> AElement) & 1; }

class TdxSkinFormNonClientAreaInfo : public TObject {
public:
  TALVIK_CLASS_NAME(TdxSkinFormNonClientAreaInfo)
  explicit TdxSkinFormNonClientAreaInfo(TdxSkinFormController* AController);
  ~TdxSkinFormNonClientAreaInfo() override;
  TdxSkinFormNonClientAreaInfo(const TdxSkinFormNonClientAreaInfo&) = delete;
  TdxSkinFormNonClientAreaInfo& operator=(const TdxSkinFormNonClientAreaInfo&) = delete;

  // Everything again from the window, the system and the skin.
  virtual void Calculate();
  // Screen coordinates; the caller deletes it.
  virtual HRGN CreateDrawRgn();
  // The margins of the client area inside the window rectangle while skinned.
  virtual RECT GetContentMargins();

  // AHitPoint in screen coordinates; AHitTest is the code found so far (0 for none).
  int GetHitTest(POINT AHitPoint, int AHitTest);
  // The caption button under the cursor; sfiMenu for none.
  TdxSkinFormIcon GetIconHitTest();
  TdxSkinFormIcon GetIconHitTestFromHitTest(int AHitTest) const;
  // The window scroll bar part under the cursor.
  bool GetScrollBarHitTest(TdxSkinFormScrollBar& AScrollBar, TcxScrollBarPart& APart);

  // Between screen and window coordinates (the window rectangle's corner, not the client area's).
  POINT ScreenToClient(LPARAM APackedPoint) const;
  POINT ScreenToClient(POINT P) const;
  RECT ScreenToClient(const RECT& R) const;
  POINT ClientToScreen(POINT P) const;
  RECT ClientToScreen(const RECT& R) const;

  void UpdateFormCaption();
  // True when a button changed its state.
  bool UpdateIconStates();
  // True when the maximized MDI child's caption shown in this frame changed.
  bool UpdateCaptionSuffix();
  // With AReset: the button released over the one it was pressed on, else sfiMenu.
  TdxSkinFormIcon UpdatePressedIcon(bool AReset);
  void AdjustSystemMenu();
  bool IsIconEnabled(TdxSkinFormIcon AIcon);
  // Thickness of the skin's frame element on that side at the window's DPI; 0 without one.
  int GetFrameSize(TcxBorder ASide) const;
  // The DPI the frame is laid out and drawn at: the window's, or the one the
  // system announced last when moving it to another monitor.
  int Dpi() const { return FDpi; }
  void SetDpi(int Value) { FDpi = Value; }
  // A length the skin gives (at 96 DPI) at the window's DPI.
  int Scaled(int AValue) const { return ScaleValue(AValue, FDpi); }
  RECT Scaled(const RECT& R) const { return {Scaled(R.left), Scaled(R.top), Scaled(R.right), Scaled(R.bottom)}; }

  // ---- results of the last calculation
  const RECT& BorderBounds(TcxBorder ASide) const { return FBorderBounds[ASide]; }
  const RECT& IconBounds(TdxSkinFormIcon AIcon) const { return FIconBounds[AIcon]; }
  TdxSkinElementState IconState(TdxSkinFormIcon AIcon) const { return FIconState[AIcon]; }
  const RECT& ScrollAreaBounds(TdxScrollAreaElement AElement) const { return FScrollAreaBounds[AElement]; }
  const RECT& ScrollBarPartBounds(TdxSkinFormScrollBar ABar, TcxScrollBarPart APart) const {
    return FScrollBarPartBounds[ABar][APart];
  }
  TcxButtonState ScrollBarPartState(TdxSkinFormScrollBar ABar, TcxScrollBarPart APart) const {
    return FScrollBarPartState[ABar][APart];
  }
  const SCROLLBARINFO& ScrollBarsInfo(TdxSkinFormScrollBar ABar) const { return FScrollBarsInfo[ABar]; }

  const RECT& BorderWidths() const { return FBorderWidths; }
  TFont* CaptionFont() const { return FCaptionFont.get(); }
  const RECT& CaptionTextBounds() const { return FCaptionTextBounds; }
  const RECT& ClientBounds() const { return FClientBounds; }
  const SIZE& ClientEdgeSize() const { return FClientEdgeSize; }
  const RECT& ClientRect() const { return FClientRect; }
  int ContentOffset() const { return FContentOffset; }
  TdxSkinFormController* Controller() const { return FController; }
  int ExStyle() const { return FExStyle; }
  bool HasClientEdge() const { return FHasClientEdge; }
  TdxSkinFormIcons Icons() const { return FIcons; }
  bool IsMDIChild() const { return FIsMDIChild; }
  bool IsMDIClient() const { return FIsMDIClient; }
  const RECT& MenuSeparatorBounds() const { return FMenuSeparatorBounds; }
  const NONCLIENTMETRICSW& NonClientMetrics() const { return FNonClientMetrics; }
  TcxCustomLookAndFeelPainterClass Painter() const { return FPainter; }
  TdxSkinInfo* PainterInfo() const { return FPainterInfo; }
  // The skin's form element for this window's kind (ordinary or tool window),
  // or nullptr without skin info or element.
  TdxSkinElement* FormFrame(TcxBorder ASide) const;
  TdxSkinElement* FormIcon(TdxSkinFormIcon AIcon) const;
  TdxScrollAreaElements ScrollAreaElements() const { return FScrollAreaElements; }
  const SIZE& SizeFrame() const { return FSizeFrame; }
  int Style() const { return FStyle; }
  bool Supressed() const { return FSupressed; }
  HICON SysMenuIcon() const { return FSysMenuIcon; }
  const RECT& WindowBounds() const { return FWindowBounds; }
  const RECT& WindowRect() const { return FWindowRect; }

  // ---- interaction state the controller keeps here
  bool Active() const { return FActive; }
  // A change recomputes the button states.
  void SetActive(bool Value);
  TColor CaptionTextShadowColor() const { return FCaptionTextShadowColor; }
  void SetCaptionTextShadowColor(TColor Value) { FCaptionTextShadowColor = Value; }
  TdxSkinFormIcon IconPressed() const { return FIconPressed; }
  void SetIconPressed(TdxSkinFormIcon Value) { FIconPressed = Value; }
  bool ThemeActiveAssigned() const { return FThemeActiveAssigned; }
  void SetThemeActiveAssigned(bool Value) { FThemeActiveAssigned = Value; }
  TdxScrollAreaElement TrackedScrollBar() const { return FTrackedScrollBar; }
  void SetTrackedScrollBar(TdxScrollAreaElement Value) { FTrackedScrollBar = Value; }
  TdxSkinFormIcon TrackIcon() const { return FTrackIcon; }
  void SetTrackIcon(TdxSkinFormIcon Value) { FTrackIcon = Value; }
  int SizeType() const { return FSizeType; }
  void SetSizeType(int Value) { FSizeType = Value; }
  HRGN UpdateRgn() const { return FUpdateRgn; }
  // Owns Value (screen coordinates) from now on and moves it into window coordinates.
  void SetUpdateRgn(HRGN Value);

  // ---- derived from the style kept at the last calculation
  bool ButtonPressed() const;
  // With the maximized MDI child's caption, when there is one.
  std::wstring Caption() const;
  TColor CaptionTextColor() const { return FCaptionTextColor[FActive]; }
  RECT ClientRectOnClient() const { return {0, 0, RectWidth(FClientRect), RectHeight(FClientRect)}; }
  HWND Handle() const;
  bool HasBorder() const { return FStyle & WS_BORDER; }
  bool HasCaption() const { return (FStyle & WS_CAPTION) == WS_CAPTION; }
  bool HasCaptionTextShadow() const;
  bool HasMenu() const { return FHasMenu; }
  bool HasSizeConstraints() const;
  bool IsAlphaBlendUsed() const;
  bool IsDialog() const { return FExStyle & WS_EX_DLGMODALFRAME; }
  bool IsIconic() const { return FStyle & WS_MINIMIZE; }
  bool IsSizebox() const { return FStyle & WS_THICKFRAME; }
  bool IsZoomed() const { return FStyle & WS_MAXIMIZE; }
  // The system's frame widths stand instead of the skin's.
  bool NativeBorderWidth();
  bool NeedCheckNonClientSize();
  RECT ScreenRect() const;
  // How much the skin's caption artwork shrinks into a suppressed caption.
  float SuppressFactor();
  RECT SystemBorderWidths() const;
  SIZE SystemSizeFrame() const;
  bool ThemeActive();
  bool ToolWindow() const { return FExStyle & WS_EX_TOOLWINDOW; }

protected:
  virtual void CalculateBorderBounds();
  virtual void CalculateBorderWidths();
  virtual int CalculateCaptionHeight();
  virtual void CalculateCaptionLayout();
  virtual void CalculateMetrics();
  virtual void CalculateScrollAreas();
  virtual void CalculateScrollBarParts();
  virtual void CalculateWindowState();
  virtual TdxSkinFormIcons CalculateIcons();
  virtual HRGN CreateMDIClientEdgeRegion();
  virtual HICON GetSystemMenuIcon();

  void CalculateCaptionFont();
  void ReadWindowStyle();
  RECT CalculateCaptionTextBounds();
  RECT GetCaptionContentMargins();
  SIZE GetIconSize(TdxSkinFormIcon AIcon);
  RECT IconRectIn(const RECT& R, TdxSkinFormIcon AIcon);
  // The skin's frame widths of this window's kind; zero without skin info.
  RECT SkinBorderWidths() const;
  SCROLLBARINFO GetScrollBarInfoFor(TdxSkinFormScrollBar ABar);
  void CalculateScrollBarPart(TdxSkinFormScrollBar ABar, int AFrom, TcxScrollBarPart APart, int ATo, POINT ACursor);
  void SetCaption(const std::wstring& AText);
  bool IsSystemMenuItemEnabled(UINT ACommand) const;
  // The cursor on the screen; (-1, -1) when it cannot be read.
  POINT CursorPos() const;

  RECT FClientRect{};
  int FContentOffset = 0;
  TdxSkinFormController* FController;
  int FExStyle = 0;
  NONCLIENTMETRICSW FNonClientMetrics{};
  int FSizeType = 0;
  int FStyle = 0;
  bool FSupressed = false;
  bool FThemeActive = false;
  bool FThemeActiveAssigned = false;
  RECT FWindowRect{};
  bool FActive = true;
  RECT FBorderBounds[4]{};
  RECT FBorderWidths{};
  RECT FClientBounds{};
  std::wstring FCaption;
  RECT FCaptionTextBounds{};
  std::unique_ptr<TFont> FCaptionFont;
  // What the caption font was made from, and its height of "Wg"; -1 before the first.
  LOGFONTW FCaptionLogFont{};
  int FCaptionFontDelta = 0;
  int FCaptionFontDpi = 0;
  // 0 until known: the window's DPI at the first calculation.
  int FDpi = 0;
  int FCaptionTextHeight = -1;
  std::wstring FCaptionSufix;
  TColor FCaptionTextColor[2]{};
  TColor FCaptionTextShadowColor = clBtnShadow;
  SIZE FClientEdgeSize{};
  bool FHasClientEdge = false;
  bool FHasMenu = false;
  RECT FIconBounds[dxSkinFormIconCount]{};
  TdxSkinFormIcon FIconPressed = sfiMenu;
  TdxSkinFormIcons FIcons = 0;
  TdxSkinElementState FIconState[dxSkinFormIconCount]{};
  bool FIsMDIChild = false;
  bool FIsMDIClient = false;
  RECT FMenuSeparatorBounds{};
  TcxCustomLookAndFeelPainterClass FPainter = nullptr;
  TdxSkinInfo* FPainterInfo = nullptr;
  RECT FScrollAreaBounds[3]{};
  TdxScrollAreaElements FScrollAreaElements = 0;
  RECT FScrollBarPartBounds[dxSkinFormScrollBarCount][cxScrollBarPartCount]{};
  TcxButtonState FScrollBarPartState[dxSkinFormScrollBarCount][cxScrollBarPartCount]{};
  SCROLLBARINFO FScrollBarsInfo[dxSkinFormScrollBarCount]{};
  SIZE FSizeFrame{};
  HICON FSysMenuIcon = nullptr;
  TdxScrollAreaElement FTrackedScrollBar = saeSizeGrip;
  TdxSkinFormIcon FTrackIcon = sfiMenu;
  HRGN FUpdateRgn = nullptr;
  RECT FWindowBounds{};
};

}  // namespace talvik
