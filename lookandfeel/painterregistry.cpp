#include "lookandfeel/painterregistry.h"

#include <algorithm>

#include "framework/sysutils.h"

namespace talvik {

namespace {
TcxExtendedStylePainters* gRegistry = nullptr;
}  // namespace

TObject* TcxExtendedStylePainterInfo::Data() const {
  if (!FData && FMakeData) {
    FData = FMakeData();
    FMakeData = nullptr;
  }
  return FData.get();
}

bool TcxExtendedStylePainters::Register(const std::wstring& AName, TcxCustomLookAndFeelPainterClass APainter,
                                        TObject* AData) {
  if (FindByName(AName)) return false;
  Insert(std::make_unique<TcxExtendedStylePainterInfo>(AData, AName, APainter));
  return true;
}

bool TcxExtendedStylePainters::RegisterOnDemand(const std::wstring& AName, TcxCustomLookAndFeelPainterClass APainter,
                                                TcxPainterDataMaker AMakeData) {
  if (FindByName(AName)) return false;
  Insert(std::make_unique<TcxExtendedStylePainterInfo>(std::move(AMakeData), AName, APainter));
  return true;
}

void TcxExtendedStylePainters::Insert(std::unique_ptr<TcxExtendedStylePainterInfo> AItem) {
  const TcxCustomLookAndFeelPainterClass painter = AItem->Painter();
  auto at = std::upper_bound(FItems.begin(), FItems.end(), AItem->Name(),
                             [](const std::wstring& name, const auto& i) { return AnsiCompareStr(name, i->Name()) < 0; });
  FItems.insert(at, std::move(AItem));
  NotifyListeners(painter);
}

bool TcxExtendedStylePainters::Unregister(const std::wstring& AName) {
  auto it = std::find_if(FItems.begin(), FItems.end(), [&](const auto& i) { return AnsiSameText(i->Name(), AName); });
  if (it == FItems.end()) return false;
  std::unique_ptr<TcxExtendedStylePainterInfo> item = std::move(*it);
  FItems.erase(it);
  NotifyListeners(item->Painter());
  return true;
}

bool TcxExtendedStylePainters::GetPainterByName(const std::wstring& AName,
                                                TcxCustomLookAndFeelPainterClass& APainter) const {
  const TcxExtendedStylePainterInfo* item = FindByName(AName);
  if (item) APainter = item->Painter();
  return item != nullptr;
}

bool TcxExtendedStylePainters::GetNameByPainter(TcxCustomLookAndFeelPainterClass APainter,
                                                std::wstring& AName) const {
  const TcxExtendedStylePainterInfo* item = FindByPainter(APainter);
  AName = item ? item->Name() : std::wstring();
  return item != nullptr;
}

bool TcxExtendedStylePainters::GetPainterData(TcxCustomLookAndFeelPainterClass APainter, TObject*& AData) const {
  const TcxExtendedStylePainterInfo* item = FindByPainter(APainter);
  AData = item ? item->Data() : nullptr;
  return item != nullptr;
}

void TcxExtendedStylePainters::AddListener(IcxLookAndFeelPainterListener* AListener) {
  if (std::find(FListeners.begin(), FListeners.end(), AListener) == FListeners.end()) FListeners.push_back(AListener);
}

void TcxExtendedStylePainters::RemoveListener(IcxLookAndFeelPainterListener* AListener) {
  FListeners.erase(std::remove(FListeners.begin(), FListeners.end(), AListener), FListeners.end());
}

const TcxExtendedStylePainterInfo* TcxExtendedStylePainters::FindByName(const std::wstring& AName) const {
  for (const auto& i : FItems)
    if (AnsiSameText(i->Name(), AName)) return i.get();
  return nullptr;
}

const TcxExtendedStylePainterInfo* TcxExtendedStylePainters::FindByPainter(
    TcxCustomLookAndFeelPainterClass APainter) const {
  for (const auto& i : FItems)
    if (i->Painter() == APainter) return i.get();
  return nullptr;
}

// Last added first. A listener may remove itself or others while told: those
// removed are skipped, and nobody is told twice.
void TcxExtendedStylePainters::NotifyListeners(TcxCustomLookAndFeelPainterClass APainter) {
  const auto listeners = FListeners;
  for (auto it = listeners.rbegin(); it != listeners.rend(); ++it)
    if (std::find(FListeners.begin(), FListeners.end(), *it) != FListeners.end()) (*it)->PainterRegistryChanged(APainter);
}

TcxExtendedStylePainters* GetPainterRegistry() { return gRegistry; }

void CreatePainterRegistry() {
  if (!gRegistry) gRegistry = new TcxExtendedStylePainters();
}

void FreePainterRegistry() {
  delete gRegistry;
  gRegistry = nullptr;
}

}  // namespace talvik
