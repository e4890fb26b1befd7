#include "lookandfeel/lookandfeel.h"

#include <algorithm>

#include "framework/controls.h"
#include "lookandfeel/builtinpainters.h"
#include "lookandfeel/lookandfeelcontroller.h"
#include "lookandfeel/systempalette.h"

namespace talvik {

namespace {

TcxLookAndFeel* gRootLookAndFeel = nullptr;
bool gUseSkins = true;
int gRootControllerCount = 0;

TcxLookAndFeelValues ValueBit(TcxLookAndFeelValue AValue) { return LookAndFeelValues({AValue}); }

bool IsController(IcxLookAndFeelMasterListener* AListener) {
  return dynamic_cast<TcxLookAndFeelController*>(AListener->GetListenerObject()) != nullptr;
}

}  // namespace

TcxCustomLookAndFeelPainterClass KindPainter(TcxLookAndFeelKind AKind) {
  switch (AKind) {
    case lfFlat: return TcxFlatLookAndFeelPainter::Instance();
    case lfStandard: return TcxStandardLookAndFeelPainter::Instance();
    case lfOffice11: return TcxOffice11LookAndFeelPainter::Instance();
    case lfUltraFlat: break;
  }
  return TcxUltraFlatLookAndFeelPainter::Instance();
}

const wchar_t* LookAndFeelKindName(TcxLookAndFeelKind AKind) {
  static const wchar_t* const kNames[] = {L"lfFlat", L"lfStandard", L"lfUltraFlat", L"lfOffice11"};
  return kNames[AKind];
}

TcxLookAndFeelKind ReadLookAndFeelKind(const std::wstring& AName, const std::wstring& AValue) {
  return PropertyEnum<TcxLookAndFeelKind>(AName, AValue,
                                          {{LookAndFeelKindName(lfFlat), lfFlat},
                                           {LookAndFeelKindName(lfStandard), lfStandard},
                                           {LookAndFeelKindName(lfUltraFlat), lfUltraFlat},
                                           {LookAndFeelKindName(lfOffice11), lfOffice11}});
}

bool GlobalUseSkins() { return gUseSkins; }
void SetGlobalUseSkins(bool Value) { gUseSkins = Value; }
int RootControllerCount() { return gRootControllerCount; }
TcxLookAndFeel* GetRootLookAndFeel() { return gRootLookAndFeel; }

TcxLookAndFeel::TcxLookAndFeel(TPersistent* AOwner) : FOwner(AOwner) {
  FCurrentState = FData;
  FSystemPaletteChangedNotifier = std::make_unique<TcxSystemPaletteChangedNotifier>(false);
  FSystemPaletteChangedNotifier->OnSystemPaletteChanged = [this] { SystemColorsChanged(); };
  if (TcxLookAndFeel* root = GetRootLookAndFeel()) {
    root->AddChangeListener(this);
    UpdateCurrentState();
  }
  FCurrentState.Painter = GetAvailablePainter();
  // Already now: values set later to what they inherit publish nothing, and
  // the removal of its skin must still reach it.
  FollowRegistry();
}

TcxLookAndFeel::~TcxLookAndFeel() {
  if (TcxExtendedStylePainters* registry = GetPainterRegistry()) registry->RemoveListener(this);
  FSystemPaletteChangedNotifier.reset();
  FIsDestruction = true;
  for (size_t i = 0; i < FChangeListenerList.size(); ++i)
    if (IcxLookAndFeelMasterListener* listener = FChangeListenerList[i]) listener->MasterFreeing(this);
  FIsDestruction = false;
  FChangeListenerList.clear();
  if (TcxLookAndFeel* master = MasterLookAndFeel()) master->RemoveChangeListener(this);
  if (FIsRootLookAndFeel) {
    gRootLookAndFeel = nullptr;
    gRootControllerCount = 0;  // nobody listens to a root that is gone
    FIsRootLookAndFeel = false;
  }
}

void TcxLookAndFeel::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxLookAndFeel*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  SaveStateBeforeChange();
  FData.Kind = source->FData.Kind;
  FData.NativeStyle = source->FData.NativeStyle;
  FData.SkinName = source->FData.SkinName;
  FAssignedValues = source->FAssignedValues;
  ChangeMaster(source->MasterLookAndFeel());
  ReportStateChanges();
}

std::vector<IcxLookAndFeelMasterListener*>::iterator TcxLookAndFeel::FindListener(
    IcxLookAndFeelMasterListener* AListener) {
  return std::find(FChangeListenerList.begin(), FChangeListenerList.end(), AListener);
}

void TcxLookAndFeel::AddChangeListener(TObject* AListener) {
  auto* listener = dynamic_cast<IcxLookAndFeelMasterListener*>(AListener);
  // A dying look-and-feel takes nobody: its freeing loop would tell newcomers again.
  if (!listener || FIsDestruction) return;
  bool controller = IsController(listener);
  if (controller && !FIsRootLookAndFeel) return;
  if (FindListener(listener) != FChangeListenerList.end()) return;
  FChangeListenerList.push_back(listener);
  if (controller) ++gRootControllerCount;
}

void TcxLookAndFeel::RemoveChangeListener(TObject* AListener) {
  auto* listener = dynamic_cast<IcxLookAndFeelMasterListener*>(AListener);
  if (!listener) return;
  auto it = FindListener(listener);
  if (it == FChangeListenerList.end()) return;
  if (FIsDestruction) *it = nullptr;
  else FChangeListenerList.erase(it);
  if (FIsRootLookAndFeel && IsController(listener) && --gRootControllerCount == 0) Reset();
}

TcxCustomLookAndFeelPainterClass TcxLookAndFeel::GetAvailablePainter(TdxThemedObjectTypes ANeededThemedObjectTypes) const {
  if (NativeStyle() && AreVisualStylesUsable(ANeededThemedObjectTypes)) return TcxWinXPLookAndFeelPainter::Instance();
  if (FSkinPainter) return FSkinPainter;
  return KindPainter(Kind());
}

TcxCustomLookAndFeelPainterClass TcxLookAndFeel::GetAvailablePainter(TdxThemedObjectType ANeededThemedObjectType) const {
  if (NativeStyle() && IsVisualStyleUsable(ANeededThemedObjectType)) return TcxWinXPLookAndFeelPainter::Instance();
  if (FSkinPainter) return FSkinPainter;
  return KindPainter(Kind());
}

void TcxLookAndFeel::Refresh() { NotifyChanged(cxAllLookAndFeelValues); }

void TcxLookAndFeel::Reset() { SetAssignedValues(0); }

void TcxLookAndFeel::SetStyle(TcxLookAndFeelStyle Value) {
  SetNativeStyle(Value == lfsNative);
  if (NativeStyle()) return;
  switch (Value) {
    case lfsFlat: SetKind(lfFlat); break;
    case lfsStandard:
    case lfsNative: SetKind(lfStandard); break;
    case lfsUltraFlat: SetKind(lfUltraFlat); break;
    case lfsOffice11: SetKind(lfOffice11); break;
  }
}

void TcxLookAndFeel::SetAssignedValues(TcxLookAndFeelValues Value) {
  if (Value == FAssignedValues) return;
  SaveStateBeforeChange();
  FAssignedValues = Value;
  ReportStateChanges();
}

void TcxLookAndFeel::SetKind(TcxLookAndFeelKind Value) {
  TcxLookAndFeelKind before = Kind();
  MarkAssigned(lfvKind);
  FData.Kind = Value;
  if (ResolveKind() != before) NotifyChanged(ValueBit(lfvKind));
}

void TcxLookAndFeel::SetNativeStyle(bool Value) {
  bool before = NativeStyle();
  MarkAssigned(lfvNativeStyle);
  FData.NativeStyle = Value;
  if (ResolveNativeStyle() != before) NotifyChanged(ValueBit(lfvNativeStyle));
}

// Letter case counts: a change of case is published although the registry finds the same painter.
void TcxLookAndFeel::SetSkinName(const std::wstring& Value) {
  std::wstring before = SkinName();
  MarkAssigned(lfvSkinName);
  FData.SkinName = Value;
  if (ResolveSkinName() != before) NotifyChanged(ValueBit(lfvSkinName));
}

TcxLookAndFeelStyle TcxLookAndFeel::ActiveStyle() const {
  if (NativeStyle() && AreVisualStylesUsable(0)) return lfsNative;
  switch (Kind()) {
    case lfFlat: return lfsFlat;
    case lfStandard: return lfsStandard;
    case lfOffice11: return lfsOffice11;
    case lfUltraFlat: break;
  }
  return lfsUltraFlat;
}

TcxLookAndFeel* TcxLookAndFeel::MasterLookAndFeel() const {
  if (FIsRootLookAndFeel) return nullptr;
  return FMasterLookAndFeel ? FMasterLookAndFeel : GetRootLookAndFeel();
}

void TcxLookAndFeel::SetMasterLookAndFeel(TcxLookAndFeel* Value) {
  if (IsSameMaster(Value)) return;
  SaveStateBeforeChange();
  ChangeMaster(Value);
  ReportStateChanges();
}

// The root has no master, and nobody is its own.
bool TcxLookAndFeel::IsSameMaster(TcxLookAndFeel* Value) const {
  return FIsRootLookAndFeel || Value == this || Value == FMasterLookAndFeel || Value == MasterLookAndFeel();
}

// Moves this object from the effective master's listeners to the new one's.
void TcxLookAndFeel::ChangeMaster(TcxLookAndFeel* Value) {
  if (IsSameMaster(Value)) return;
  if (TcxLookAndFeel* master = MasterLookAndFeel()) master->RemoveChangeListener(this);
  FMasterLookAndFeel = Value;
  if (TcxLookAndFeel* master = MasterLookAndFeel()) master->AddChangeListener(this);
}

void TcxLookAndFeel::SetPainter(TcxCustomLookAndFeelPainterClass Value) {
  if (Value == Painter()) return;
  FPainter = Value;
  NotifyChanged(LookAndFeelValues({lfvKind, lfvNativeStyle}));
}

bool TcxLookAndFeel::ReadProperty(const std::wstring& AName, const std::wstring& AValue) {
  if (AName == L"Kind") SetKind(ReadLookAndFeelKind(AName, AValue));
  else if (AName == L"NativeStyle") SetNativeStyle(PropertyBool(AName, AValue));
  else if (AName == L"SkinName") SetSkinName(AValue);
  else return false;
  return true;
}

void TcxLookAndFeel::WriteProperties(TStoredProperties& AProperties, const std::wstring& APrefix) const {
  if (IsAssigned(lfvKind)) AProperties.emplace_back(APrefix + L"Kind", LookAndFeelKindName(Kind()));
  if (IsAssigned(lfvNativeStyle)) AProperties.emplace_back(APrefix + L"NativeStyle", NativeStyle() ? L"True" : L"False");
  if (IsAssigned(lfvSkinName)) AProperties.emplace_back(APrefix + L"SkinName", SkinName());
}

void TcxLookAndFeel::MasterValuesChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues AChangedValues) {
  NotifyChanged(AChangedValues & ~FAssignedValues);
}

void TcxLookAndFeel::MasterFreeing(TcxLookAndFeel* Sender) { SetMasterLookAndFeel(nullptr); }

// Whatever painter changed: a name set before its skin was registered resolves now.
void TcxLookAndFeel::PainterRegistryChanged(TcxCustomLookAndFeelPainterClass APainter) {
  NotifyChanged(cxAllLookAndFeelValues);
}

void TcxLookAndFeel::UpdateCurrentState() {
  FCurrentState.Kind = ResolveKind();
  FCurrentState.NativeStyle = ResolveNativeStyle();
  FCurrentState.SkinName = ResolveSkinName();
  FCurrentState.UseSkins = GlobalUseSkins();
  FSkinPainter = FCurrentState.NativeStyle ? nullptr : ResolveSkinPainter();
}

TcxLookAndFeelKind TcxLookAndFeel::ResolveKind() const {
  if (IsAssigned(lfvKind)) return FData.Kind;
  TcxLookAndFeel* master = MasterLookAndFeel();
  return master ? master->Kind() : lfUltraFlat;
}

bool TcxLookAndFeel::ResolveNativeStyle() const {
  if (IsAssigned(lfvNativeStyle)) return FData.NativeStyle;
  TcxLookAndFeel* master = MasterLookAndFeel();
  return master ? master->NativeStyle() : false;
}

std::wstring TcxLookAndFeel::ResolveSkinName() const {
  if (IsAssigned(lfvSkinName)) return FData.SkinName;
  TcxLookAndFeel* master = MasterLookAndFeel();
  return master ? master->SkinName() : std::wstring();
}

TcxCustomLookAndFeelPainterClass TcxLookAndFeel::ResolveSkinPainter() const {
  TcxCustomLookAndFeelPainterClass painter = nullptr;
  if (IsAssigned(lfvSkinName)) FindSkinPainter(FData.SkinName, painter);
  else if (TcxLookAndFeel* master = MasterLookAndFeel()) master->FindSkinPainter(master->SkinName(), painter);
  return painter;
}

bool TcxLookAndFeel::FindSkinPainter(const std::wstring& AName, TcxCustomLookAndFeelPainterClass& APainter) const {
  TcxExtendedStylePainters* registry = GetPainterRegistry();
  bool found = !AName.empty() && registry && registry->GetPainterByName(AName, APainter);
  if (!found || !GlobalUseSkins()) APainter = nullptr;
  return found;
}

void TcxLookAndFeel::SystemColorsChanged() { NotifyChanged(ValueBit(lfvNativeStyle)); }

void TcxLookAndFeel::NotifyChanged(TcxLookAndFeelValues AChangedValues) {
  if (AChangedValues == 0 && FCurrentState.UseSkins == GlobalUseSkins()) return;
  if (FIsDestruction) return;
  UpdateCurrentState();
  FCurrentState.Painter = GetAvailablePainter();
  FollowRegistry();
  // A listener may remove itself (or others) or add new ones while it is told:
  // the index moves on only while the one just told still stands there, so
  // nobody is skipped and nobody is told twice.
  for (size_t i = 0; i < FChangeListenerList.size();) {
    IcxLookAndFeelMasterListener* listener = FChangeListenerList[i];
    listener->MasterValuesChanged(this, AChangedValues);
    if (i < FChangeListenerList.size() && FChangeListenerList[i] == listener) ++i;
  }
  if (OnChanged) OnChanged(this, AChangedValues);
}

// Only users of a skin painter follow the registry.
void TcxLookAndFeel::FollowRegistry() {
  if (TcxExtendedStylePainters* registry = GetPainterRegistry()) {
    if (FSkinPainter) registry->AddListener(this);
    else registry->RemoveListener(this);
  }
}

void TcxLookAndFeel::SaveStateBeforeChange() {
  FPrevState.Kind = Kind();
  FPrevState.NativeStyle = NativeStyle();
  FPrevState.SkinName = SkinName();
}

// Published even when nothing differs: a switch of GlobalUseSkins still needs resolving.
void TcxLookAndFeel::ReportStateChanges() {
  TcxLookAndFeelValues changed = 0;
  if (ResolveKind() != FPrevState.Kind) changed |= ValueBit(lfvKind);
  if (ResolveNativeStyle() != FPrevState.NativeStyle) changed |= ValueBit(lfvNativeStyle);
  if (ResolveSkinName() != FPrevState.SkinName) changed |= ValueBit(lfvSkinName);
  NotifyChanged(changed);
}

void InitializeLookAndFeel() {
  CreatePainterRegistry();
  RegisterPersistentClass(L"TcxLookAndFeelController", [] { return new TcxLookAndFeelController(); });
  if (gRootLookAndFeel) return;
  // Made while no root exists, so it listens to nobody and starts from the defaults.
  auto* root = new TcxLookAndFeel(nullptr);
  root->FIsRootLookAndFeel = true;
  gRootLookAndFeel = root;
}

void FinalizeLookAndFeel() {
  delete gRootLookAndFeel;
  UnRegisterPersistentClass(L"TcxLookAndFeelController");
  FreePainterRegistry();
}

}  // namespace talvik
