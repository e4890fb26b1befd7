// Look-and-feel settings: the kind, the native-style flag and the skin name
// that decide which painter a control draws with. Each object sets some of
// them itself and takes the others from its master; every chain of masters
// ends at the process's root look-and-feel.
#pragma once
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "framework/classes.h"
#include "lookandfeel/lookandfeeltypes.h"
#include "lookandfeel/painter.h"
#include "lookandfeel/painterregistry.h"
#include "lookandfeel/themes.h"

namespace talvik {

class TcxLookAndFeel;
class TcxSystemPaletteChangedNotifier;

constexpr TcxLookAndFeelValues LookAndFeelValues(std::initializer_list<TcxLookAndFeelValue> AValues) {
  TcxLookAndFeelValues result = 0;
  for (TcxLookAndFeelValue v : AValues) result |= static_cast<TcxLookAndFeelValues>(1u << v);
  return result;
}
constexpr TcxLookAndFeelValues cxAllLookAndFeelValues = LookAndFeelValues({lfvKind, lfvNativeStyle, lfvSkinName});

struct TcxLookAndFeelData {
  TcxLookAndFeelKind Kind = lfUltraFlat;
  bool NativeStyle = false;
  std::wstring SkinName;
  TcxCustomLookAndFeelPainterClass Painter = nullptr;  // resolved painter, in the current state only
  bool UseSkins = false;  // GlobalUseSkins when the current state was resolved
};

using TcxLookAndFeelChangedEvent = std::function<void(TcxLookAndFeel* Sender, TcxLookAndFeelValues AChangedValues)>;

class IcxLookAndFeelMasterListener {
public:
  virtual TObject* GetListenerObject() = 0;
  virtual void MasterValuesChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues AChangedValues) = 0;
  virtual void MasterFreeing(TcxLookAndFeel* Sender) = 0;

protected:
  ~IcxLookAndFeelMasterListener() = default;
};

class TcxLookAndFeel : public TPersistent,
                       public IcxLookAndFeelPainterListener,
                       public IcxLookAndFeelMasterListener {
public:
  TALVIK_CLASS_NAME(TcxLookAndFeel)
  explicit TcxLookAndFeel(TPersistent* AOwner = nullptr);
  ~TcxLookAndFeel() override;
  TcxLookAndFeel(const TcxLookAndFeel&) = delete;
  TcxLookAndFeel& operator=(const TcxLookAndFeel&) = delete;

  TPersistent* GetOwner() const override { return FOwner; }
  // Copies the own values, the assigned set and the master of another look-and-feel.
  void Assign(TPersistent* Source) override;

  // Listeners implement IcxLookAndFeelMasterListener; controllers are taken only by the root.
  void AddChangeListener(TObject* AListener);
  void RemoveChangeListener(TObject* AListener);

  // The native-theme painter when the native style is on and visual styles are
  // usable for the given types, else the skin painter, else the kind's painter.
  TcxCustomLookAndFeelPainterClass GetAvailablePainter(TdxThemedObjectTypes ANeededThemedObjectTypes = 0) const;
  TcxCustomLookAndFeelPainterClass GetAvailablePainter(TdxThemedObjectType ANeededThemedObjectType) const;

  // Publishes every value as changed.
  void Refresh();
  // Gives every value back to the master.
  void Reset();
  void SetStyle(TcxLookAndFeelStyle Value);

  TcxLookAndFeelValues AssignedValues() const { return FAssignedValues; }
  void SetAssignedValues(TcxLookAndFeelValues Value);
  TcxLookAndFeelKind Kind() const { return FCurrentState.Kind; }
  void SetKind(TcxLookAndFeelKind Value);
  bool NativeStyle() const { return FCurrentState.NativeStyle; }
  void SetNativeStyle(bool Value);
  const std::wstring& SkinName() const { return FCurrentState.SkinName; }
  void SetSkinName(const std::wstring& Value);
  TcxLookAndFeelStyle ActiveStyle() const;
  // nullptr for the root; otherwise the explicit master, or the root.
  TcxLookAndFeel* MasterLookAndFeel() const;
  void SetMasterLookAndFeel(TcxLookAndFeel* Value);
  // The forced painter if one is set, else the resolved one.
  TcxCustomLookAndFeelPainterClass Painter() const { return FPainter ? FPainter : FCurrentState.Painter; }
  void SetPainter(TcxCustomLookAndFeelPainterClass Value);
  TcxCustomLookAndFeelPainterClass SkinPainter() const { return FSkinPainter; }
  void SetSkinPainter(TcxCustomLookAndFeelPainterClass Value) { FSkinPainter = Value; }
  bool IsRootLookAndFeel() const { return FIsRootLookAndFeel; }

  TcxLookAndFeelChangedEvent OnChanged;

  // Stored form: the assigned values only; an assigned empty skin name is
  // written too, so that it survives a round trip.
  bool ReadProperty(const std::wstring& AName, const std::wstring& AValue);
  void WriteProperties(TStoredProperties& AProperties, const std::wstring& APrefix = {}) const;

  // IcxLookAndFeelMasterListener
  TObject* GetListenerObject() override { return this; }
  void MasterValuesChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues AChangedValues) override;
  void MasterFreeing(TcxLookAndFeel* Sender) override;
  // IcxLookAndFeelPainterListener
  void PainterRegistryChanged(TcxCustomLookAndFeelPainterClass APainter) override;

protected:
  virtual void UpdateCurrentState();
  virtual TcxLookAndFeelKind ResolveKind() const;
  virtual bool ResolveNativeStyle() const;
  virtual std::wstring ResolveSkinName() const;
  virtual TcxCustomLookAndFeelPainterClass ResolveSkinPainter() const;
  // True when AName is registered; APainter stays nullptr while skins are switched off.
  virtual bool FindSkinPainter(const std::wstring& AName, TcxCustomLookAndFeelPainterClass& APainter) const;
  virtual void SystemColorsChanged();

  // The one path through which changes are published.
  void NotifyChanged(TcxLookAndFeelValues AChangedValues);

private:
  friend void InitializeLookAndFeel();
  friend void FinalizeLookAndFeel();

  bool IsAssigned(TcxLookAndFeelValue AValue) const { return (FAssignedValues >> AValue) & 1; }
  void MarkAssigned(TcxLookAndFeelValue AValue) { FAssignedValues |= static_cast<TcxLookAndFeelValues>(1u << AValue); }
  bool IsSameMaster(TcxLookAndFeel* Value) const;
  void ChangeMaster(TcxLookAndFeel* Value);
  void FollowRegistry();
  void SaveStateBeforeChange();
  void ReportStateChanges();
  std::vector<IcxLookAndFeelMasterListener*>::iterator FindListener(IcxLookAndFeelMasterListener* AListener);

  TPersistent* FOwner;
  TcxLookAndFeelValues FAssignedValues = 0;
  // During destruction removed entries become nullptr, so the freeing loop keeps its indices.
  std::vector<IcxLookAndFeelMasterListener*> FChangeListenerList;
  TcxLookAndFeelData FCurrentState;
  TcxLookAndFeelData FData;
  bool FIsDestruction = false;
  bool FIsRootLookAndFeel = false;
  TcxLookAndFeel* FMasterLookAndFeel = nullptr;
  TcxCustomLookAndFeelPainterClass FPainter = nullptr;
  TcxCustomLookAndFeelPainterClass FSkinPainter = nullptr;
  TcxLookAndFeelData FPrevState;
  std::unique_ptr<TcxSystemPaletteChangedNotifier> FSystemPaletteChangedNotifier;
};

// Kind names as stored descriptions hold them; an unknown name fails with EReadError.
const wchar_t* LookAndFeelKindName(TcxLookAndFeelKind AKind);
TcxLookAndFeelKind ReadLookAndFeelKind(const std::wstring& AName, const std::wstring& AValue);

// The painter that draws in the given kind's style.
TcxCustomLookAndFeelPainterClass KindPainter(TcxLookAndFeelKind AKind);

// Whether skin painters may be chosen at all; on at start. Whoever switches it
// refreshes the root afterwards.
bool GlobalUseSkins();
void SetGlobalUseSkins(bool Value);
// Controllers listening to the root; the last one to go resets the root.
int RootControllerCount();
// nullptr before InitializeLookAndFeel and after FinalizeLookAndFeel.
TcxLookAndFeel* GetRootLookAndFeel();

// Start-up, after the painters' resources (InitializePainters): the painter
// registry, then the root look-and-feel. Shut-down frees them in reverse, after
// the skins were unregistered and every other look-and-feel is gone.
void InitializeLookAndFeel();
void FinalizeLookAndFeel();

}  // namespace talvik
