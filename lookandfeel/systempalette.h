// System colour changes, turned from the system's broadcast into calls on
// subscribers. One hidden listener window serves the whole process; it lives
// while at least one notifier does, and it keeps the Office 2003 colour set
// loaded and refreshed.
#pragma once
#include <windows.h>

#include <functional>
#include <vector>

namespace talvik {

class TcxSystemPaletteChangedNotifier {
public:
  // Primary notifiers hear of a change before all others.
  explicit TcxSystemPaletteChangedNotifier(bool AIsPrimary = false);
  virtual ~TcxSystemPaletteChangedNotifier();
  TcxSystemPaletteChangedNotifier(const TcxSystemPaletteChangedNotifier&) = delete;
  TcxSystemPaletteChangedNotifier& operator=(const TcxSystemPaletteChangedNotifier&) = delete;

  bool IsPrimary() const { return FIsPrimary; }
  virtual void PaletteChanged();
  std::function<void()> OnSystemPaletteChanged;

private:
  bool FIsPrimary;
};

class TcxSystemPaletteChangedListener {
public:
  TcxSystemPaletteChangedListener();
  ~TcxSystemPaletteChangedListener();
  TcxSystemPaletteChangedListener(const TcxSystemPaletteChangedListener&) = delete;
  TcxSystemPaletteChangedListener& operator=(const TcxSystemPaletteChangedListener&) = delete;

  void AddNotifier(TcxSystemPaletteChangedNotifier* ANotifier, bool AIsPrimary);
  void RemoveNotifier(TcxSystemPaletteChangedNotifier* ANotifier, bool AIsPrimary);
  HWND WindowHandle() const { return FWindowHandle; }

private:
  LRESULT WndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
  void DoPaletteChanged();
  std::vector<TcxSystemPaletteChangedNotifier*> FNotifierList;
  std::vector<TcxSystemPaletteChangedNotifier*> FPrimaryNotifierList;
  HWND FWindowHandle = nullptr;
};

// The process's listener, created by the first acquire and freed by the last release.
TcxSystemPaletteChangedListener* AcquirePaletteListener();
void ReleasePaletteListener();
// nullptr while no notifier exists.
TcxSystemPaletteChangedListener* PaletteListener();

}  // namespace talvik
