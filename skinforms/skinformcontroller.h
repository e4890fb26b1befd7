// The controllers of forms, MDI client windows and frames, and forms that
// skin themselves instead of being hooked. While skinned, the controller
// replaces the system's non-client area: it sizes the client area for the
// skin's frame, answers hit tests, paints through its form painter, turns
// caption button clicks into system commands and keeps a window region that
// cuts off the system's frame.
#pragma once
#include <windows.h>

#include <memory>

#include "framework/forms.h"
#include "skinforms/skinwincontroller.h"

namespace talvik {

class TcxObjectLink;
class TdxSkinForm;
class TdxSkinFormNonClientAreaInfo;
class TdxSkinFormPainter;

class TdxSkinFormController : public TdxSkinWinController {
public:
  TALVIK_CLASS_NAME(TdxSkinFormController)
  static TdxSkinWinControllerClass Class();
  explicit TdxSkinFormController(HWND AHandle);
  // The controller of a self-skinning form, made once its window exists.
  explicit TdxSkinFormController(TdxSkinForm* ASkinForm);
  ~TdxSkinFormController() override;

  // The self-skinning form, else the window's control object when it is a form.
  TCustomForm* Form() const;
  TdxSkinForm* SkinForm() const { return FSkinForm; }
  // The geometry of the window's non-client area.
  TdxSkinFormNonClientAreaInfo* ViewInfo() const { return FViewInfo.get(); }
  TdxSkinFormPainter* Painter() const { return FPainter.get(); }
  bool ForceRedraw() const { return FForceRedraw; }
  void SetForceRedraw(bool Value) { FForceRedraw = Value; }
  bool HasRegion() const { return FHasRegion; }
  void SetHasRegion(bool Value) { FHasRegion = Value; }
  // Nested; the outermost pair switches the window's redrawing off and on.
  void LockRedraw();
  void UnlockRedraw();
  int LockRedrawCount() const { return FLockRedrawCount; }

  bool ShouldHook() override;
  void CallSavedWindowProc(TMessage& Message) override;
  void ChoosePainter() override;
  void HandleMessage(TMessage& Message) override;
  // Hot caption buttons and scroll bar parts are looked at again.
  void NotifyMouseLeave() override;
  // Also sets or removes the window region.
  void Update() override;
  // Chooses the painter again, from the last skin controller to the first.
  void RefreshController();

  virtual void CalculateViewInfo();
  // A rectangular region of the skinned window bounds, or none without a border.
  virtual void UpdateWindowRegion();
  // The form content element over the client area.
  virtual void PaintBackground(HDC DC);
  // DC 0: the window's own context.
  virtual void PaintNonClientArea(HDC DC);
  virtual void ResetWindowRegion(bool APostRedraw);
  // Labels of a skinned message dialog show the skinned background.
  virtual void MakeLabelsTransparent();

  // True when the hot state changed; ARedraw repaints in any case.
  bool UpdateNonClientState(bool ARedraw);
  // Where the system paints over the skin (old systems, native frame widths).
  void PostRedrawIfNeeded();
  void RecalculateAndPaint();

protected:
  bool GetIsSkinUsed() const override;
  virtual bool HandleRegisteredMessage(TMessage& Message);
  // What a skinned form handles itself; false passes the message on.
  virtual bool DispatchSkinMessage(TMessage& Message);
  // Reported as not handled: the system's creation follows.
  virtual bool WMNCCreate(TMessage& Message);
  virtual void WMContextMenu(TMessage& Message);
  virtual void WMDestroy(TMessage& Message);
  virtual void WMEraseBkgnd(TMessage& Message);
  virtual void WMNCActivate(TMessage& Message);
  virtual void WMNCLButtonDown(TMessage& Message);
  virtual void WMNCCalcSize(TMessage& Message);
  virtual void WMNCHitTest(TMessage& Message);
  virtual void WMNCLButtonUp(TMessage& Message);
  virtual void WMNCPaint(TMessage& Message);
  virtual void WMPrint(TMessage& Message);
  virtual void WMScroll(TMessage& Message);
  virtual void WMSetText(TMessage& Message);
  virtual void WMSize(TMessage& Message);
  virtual void WMSysCommand(TMessage& Message);
  virtual void WMWindowPosChanged(TMessage& Message);
  void WMNCMouseMove(TMessage& Message);

private:
  friend class TdxSkinForm;
  bool FForceRedraw = false;
  bool FHasRegion = false;
  int FLockRedrawCount = 0;
  bool FTracksNonClientLeave = false;
  std::unique_ptr<TdxSkinFormPainter> FPainter;
  TdxSkinForm* FSkinForm = nullptr;
  std::unique_ptr<TdxSkinFormNonClientAreaInfo> FViewInfo;
};

// A frame is skinned like a small form, with the skin of the form it sits on.
class TdxSkinFrameController : public TdxSkinFormController {
public:
  TALVIK_CLASS_NAME(TdxSkinFrameController)
  static TdxSkinWinControllerClass Class();
  using TdxSkinFormController::TdxSkinFormController;
  TdxSkinWinController* FindMasterController(HWND AHandle) override;
  void ChoosePainter() override {}
  // A frame that shows its parent's background shows it, not the skin's form content.
  void PaintBackground(HDC DC) override;
};

// A form that answers WM_HASOWNSKINENGINE and keeps its own controller.
class TdxSkinForm : public TForm {
public:
  TALVIK_CLASS_NAME(TdxSkinForm)
  using TForm::TForm;
  ~TdxSkinForm() override;
  TdxSkinFormController* Controller() const { return FController; }
  // The form's handling without its controller.
  void InheritedWndProc(TMessage& Message) { TForm::WndProc(Message); }

protected:
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& Message) override;

private:
  friend class TdxSkinFormController;
  void FreeController();
  TdxSkinFormController* FController = nullptr;
};

struct TdxSkinFormHelper {
  // The form behind AHandle, or nullptr.
  static TCustomForm* GetForm(HWND AHandle);
  // The active MDI child of a form that holds an MDI client window, or nullptr.
  static TCustomForm* GetActiveMDIChild(HWND AHandle);
  // The active MDI child while it is maximized, or nullptr.
  static TCustomForm* GetZoomedMDIChild(HWND AHandle);
  // The form's border width, 0 for other windows.
  static int GetContentOffset(HWND AHandle);
  static bool HasClientEdge(HWND AHandle);
  // Layered windows; an MDI child asks its frame.
  static bool IsAlphaBlendUsed(HWND AHandle);
};

}  // namespace talvik
