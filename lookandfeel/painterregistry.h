// The registry of skin painters: each skin registers its painter under the
// skin's name, and look-and-feel settings find it there by name.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/classes.h"
#include "lookandfeel/painter.h"

namespace talvik {

class IcxLookAndFeelPainterListener {
public:
  // Told after APainter was registered or before it is unregistered.
  virtual void PainterRegistryChanged(TcxCustomLookAndFeelPainterClass APainter) = 0;

protected:
  ~IcxLookAndFeelPainterListener() = default;
};

// What makes an item's data when it is first asked for; its error goes to that caller.
using TcxPainterDataMaker = std::function<std::unique_ptr<TObject>()>;

class TcxExtendedStylePainterInfo {
public:
  TcxExtendedStylePainterInfo(TObject* AData, std::wstring AName, TcxCustomLookAndFeelPainterClass APainter)
      : FData(AData), FName(std::move(AName)), FPainter(APainter) {}
  TcxExtendedStylePainterInfo(TcxPainterDataMaker AMakeData, std::wstring AName,
                              TcxCustomLookAndFeelPainterClass APainter)
      : FMakeData(std::move(AMakeData)), FName(std::move(AName)), FPainter(APainter) {}

  TObject* Data() const;
  const std::wstring& Name() const { return FName; }
  TcxCustomLookAndFeelPainterClass Painter() const { return FPainter; }

private:
  mutable std::unique_ptr<TObject> FData;
  mutable TcxPainterDataMaker FMakeData;
  std::wstring FName;
  TcxCustomLookAndFeelPainterClass FPainter;
};

// Kept sorted by name, letter case counting; names are looked up ignoring case.
class TcxExtendedStylePainters {
public:
  TcxExtendedStylePainters() = default;
  TcxExtendedStylePainters(const TcxExtendedStylePainters&) = delete;
  TcxExtendedStylePainters& operator=(const TcxExtendedStylePainters&) = delete;

  // False when the name is taken in any letter case; AData is taken over only on true.
  bool Register(const std::wstring& AName, TcxCustomLookAndFeelPainterClass APainter, TObject* AData);
  // The same for data that is made only when something first asks for it: a skin
  // registered for the choosing need not be read unless it is chosen.
  bool RegisterOnDemand(const std::wstring& AName, TcxCustomLookAndFeelPainterClass APainter,
                        TcxPainterDataMaker AMakeData);
  // Frees the item's data after the listeners were told.
  bool Unregister(const std::wstring& AName);

  // APainter is written only when the name is found.
  bool GetPainterByName(const std::wstring& AName, TcxCustomLookAndFeelPainterClass& APainter) const;
  bool GetNameByPainter(TcxCustomLookAndFeelPainterClass APainter, std::wstring& AName) const;
  bool GetPainterData(TcxCustomLookAndFeelPainterClass APainter, TObject*& AData) const;

  void AddListener(IcxLookAndFeelPainterListener* AListener);
  void RemoveListener(IcxLookAndFeelPainterListener* AListener);

  int Count() const { return static_cast<int>(FItems.size()); }
  const TcxExtendedStylePainterInfo& Items(int AIndex) const { return *FItems[AIndex]; }

private:
  void Insert(std::unique_ptr<TcxExtendedStylePainterInfo> AItem);
  const TcxExtendedStylePainterInfo* FindByName(const std::wstring& AName) const;
  const TcxExtendedStylePainterInfo* FindByPainter(TcxCustomLookAndFeelPainterClass APainter) const;
  void NotifyListeners(TcxCustomLookAndFeelPainterClass APainter);

  std::vector<std::unique_ptr<TcxExtendedStylePainterInfo>> FItems;
  std::vector<IcxLookAndFeelPainterListener*> FListeners;
};

// The process's registry; nullptr before InitializeLookAndFeel and after FinalizeLookAndFeel,
// which call these two.
TcxExtendedStylePainters* GetPainterRegistry();
void CreatePainterRegistry();
void FreePainterRegistry();

}  // namespace talvik
