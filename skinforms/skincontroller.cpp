#include "skinforms/skincontroller.h"

#include <algorithm>

#include "skinforms/skinformcontroller.h"
#include "skins/painter/skinpainter.h"
#include "skinforms/skinmessages.h"
#include "skinforms/skinwincontroller.h"

namespace talvik {

namespace {
std::vector<TdxSkinController*>& Controllers() {
  static std::vector<TdxSkinController*> list;
  return list;
}
}  // namespace

const std::vector<TdxSkinController*>& SkinControllerList() { return Controllers(); }

bool IsSkinPainter(TcxCustomLookAndFeelPainterClass APainter) {
  return PainterInheritsFrom<TdxSkinLookAndFeelPainter>(APainter);
}

void RefreshAllSkinnedWindows() {
  TApplication* application = ExistingApplication();
  if (application && application->Destroying()) return;
  auto* list = WinControllerList();
  if (!list) return;
  // Over a copy: choosing a painter asks event handlers, which may create or destroy
  // windows and so controllers. One freed meanwhile is passed over.
  std::vector<TdxSkinWinController*> controllers;
  for (auto& c : *list) controllers.push_back(c.get());
  auto live = [](TdxSkinWinController* c) {
    auto* now = WinControllerList();
    return now && std::any_of(now->begin(), now->end(), [c](const auto& o) { return o.get() == c; });
  };
  for (TdxSkinWinController* c : controllers) {
    if (!live(c)) continue;
    c->SetLookAndFeelPainter(nullptr);
    if (!c->Master())
      if (auto* form = dynamic_cast<TdxSkinFormController*>(c)) form->RefreshController();
  }
  for (TdxSkinWinController* c : controllers)
    if (live(c)) c->Update();
}

// ---- TdxSkinController ----

TdxSkinController::TdxSkinController(TComponent* AOwner) : TcxLookAndFeelController(AOwner) {
  Controllers().push_back(this);
  RefreshAllSkinnedWindows();
}

// Marked as being destroyed first, so that the refresh passes this one over.
TdxSkinController::~TdxSkinController() {
  SetDestroying();
  RefreshAllSkinnedWindows();
  auto& list = Controllers();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

bool TdxSkinController::UseSkins() const { return GlobalUseSkins(); }

void TdxSkinController::SetUseSkins(bool Value) {
  if (Value == GlobalUseSkins()) return;
  SetGlobalUseSkins(Value);
  if (TcxLookAndFeel* root = GetRootLookAndFeel()) root->Refresh();
  RefreshAllSkinnedWindows();
}

void TdxSkinController::Refresh() { RefreshAllSkinnedWindows(); }

bool TdxSkinController::GetFormSkin(TCustomForm* AForm, std::wstring& ASkinName) {
  TdxSkinWinController* controller = AForm && AForm->HandleAllocated() ? FindControllerByHandle(AForm->Handle()) : nullptr;
  if (!controller) return false;
  return controller->GetSkinName(ASkinName);
}

void TdxSkinController::Loaded() {
  TcxLookAndFeelController::Loaded();
  RefreshAllSkinnedWindows();
}

void TdxSkinController::MasterValuesChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues AChangedValues) {
  TcxLookAndFeelController::MasterValuesChanged(Sender, AChangedValues);
  RefreshAllSkinnedWindows();
}

void TdxSkinController::MasterFreeing(TcxLookAndFeel* Sender) {
  TcxLookAndFeelController::MasterFreeing(Sender);
  RefreshAllSkinnedWindows();
}

bool TdxSkinController::ReadProperty(const std::wstring& AName, const std::wstring& AValue) {
  if (AName == L"UseSkins") SetUseSkins(PropertyBool(AName, AValue));
  else return TcxLookAndFeelController::ReadProperty(AName, AValue);
  return true;
}

void TdxSkinController::WriteProperties(TStoredProperties& AProperties) const {
  TcxLookAndFeelController::WriteProperties(AProperties);
  if (!UseSkins()) AProperties.emplace_back(L"UseSkins", L"False");
}

bool TdxSkinController::QuerySkinControl(TWinControl* AControl) {
  if (!AControl) return false;
  bool useSkin = true;
  if (FOnSkinControl) FOnSkinControl(this, AControl, useSkin);
  return useSkin;
}

TcxCustomLookAndFeelPainterClass TdxSkinController::GetPainterForForm(TWinControl* AForm) {
  std::wstring name;
  bool useSkin = false;
  bool declines = AForm && AForm->HandleAllocated() && SkinDeclineMessage &&
                  SendMessageW(AForm->Handle(), SkinDeclineMessage, 0, 0) == 1;
  if (!declines) {
    name = SkinName();
    useSkin = GlobalUseSkins() && !NativeStyle();
  }
  return QuerySkinForm(AForm, name, useSkin);
}

// A handler may skin a form with another skin, or although skins are off.
TcxCustomLookAndFeelPainterClass TdxSkinController::QuerySkinForm(TWinControl* AForm, std::wstring& ASkinName,
                                                                   bool& UseSkin) {
  if (!AForm) return nullptr;
  if (FOnSkinForm)
    if (auto* form = dynamic_cast<TCustomForm*>(AForm)) FOnSkinForm(this, form, ASkinName, UseSkin);
  if (!UseSkin || ASkinName.empty()) return nullptr;
  TcxCustomLookAndFeelPainterClass painter = nullptr;
  TcxExtendedStylePainters* registry = GetPainterRegistry();
  if (!registry || !registry->GetPainterByName(ASkinName, painter)) return nullptr;
  return IsSkinPainter(painter) ? painter : nullptr;
}

}  // namespace talvik
