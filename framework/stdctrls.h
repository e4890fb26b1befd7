// Standard controls: push button, panel, label, single-line edit and memo.
#pragma once
#include <string>
#include <vector>

#include "framework/controls.h"

namespace talvik {

class TButton : public TWinControl {
public:
  TALVIK_CLASS_NAME(TButton)
  explicit TButton(TComponent* AOwner = nullptr);
  // The button that Enter presses: drawn with the heavier default frame.
  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  // Captions wrap over several lines.
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool ReadProperty(const std::wstring& AName, const std::wstring& AValue) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;

private:
  bool FDefault = false;
  bool FWordWrap = false;
};

enum TBevelCut { bvNone, bvLowered, bvRaised };

class TPanel : public TWinControl {
public:
  TALVIK_CLASS_NAME(TPanel)
  explicit TPanel(TComponent* AOwner = nullptr);
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut Value);
  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut Value);
  // Where the caption sits, on one line centred vertically.
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  bool ReadProperty(const std::wstring& AName, const std::wstring& AValue) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;
  void AdjustClientRect(RECT& Rect) override;
  virtual void Paint(HDC DC);

private:
  TBevelCut FBevelOuter = bvRaised;
  TBevelCut FBevelInner = bvNone;
  TAlignment FAlignment = taCenter;
};

// Text painted by its parent; no window of its own.
class TLabel : public TGraphicControl {
public:
  TALVIK_CLASS_NAME(TLabel)
  explicit TLabel(TComponent* AOwner = nullptr);
  // Leaves the parent's background under the text.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  void Paint(TCanvas& Canvas) override;
  bool ReadProperty(const std::wstring& AName, const std::wstring& AValue) override;

private:
  bool FTransparent = false;
  bool FWordWrap = false;
};

class TCustomEdit : public TWinControl {
public:
  TALVIK_CLASS_NAME(TCustomEdit)
  explicit TCustomEdit(TComponent* AOwner = nullptr);

protected:
  void CreateParams(TCreateParams& Params) override;
};

class TEdit : public TCustomEdit {
public:
  TALVIK_CLASS_NAME(TEdit)
  using TCustomEdit::TCustomEdit;

protected:
  void CreateParams(TCreateParams& Params) override;
};

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo : public TCustomEdit {
public:
  TALVIK_CLASS_NAME(TMemo)
  explicit TMemo(TComponent* AOwner = nullptr);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value) { FScrollBars = Value; }

  // The text as lines, each line ending with a line break in the text.
  std::vector<std::wstring> Lines() const;
  // Appends a line at the end and scrolls it into view.
  void AddLine(const std::wstring& ALine);
  void ClearLines() { SetText(L""); }
  bool ReadProperty(const std::wstring& AName, const std::wstring& AValue) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;

private:
  TScrollStyle FScrollBars = ssNone;
};

// Registers the standard controls, forms and frames in the class registry.
void RegisterStandardClasses();

}  // namespace talvik
