#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/forms.h"
#include "framework/sysutils.h"
#include "lookandfeel/office2003colors.h"
#include "lookandfeel/systempalette.h"

using namespace talvik;

namespace {

std::unique_ptr<TcxSystemPaletteChangedNotifier> Notifier(std::vector<std::wstring>& ALog, std::wstring AName,
                                                          bool APrimary) {
  auto n = std::make_unique<TcxSystemPaletteChangedNotifier>(APrimary);
  n->OnSystemPaletteChanged = [&ALog, AName] { ALog.push_back(AName); };
  return n;
}

void BroadcastColourChange() { SendMessageW(PaletteListener()->WindowHandle(), WM_SYSCOLORCHANGE, 0, 0); }

}  // namespace

// The listener reloads the Office 2003 set (and so makes its brushes anew)
// before the first subscriber, primary or not, hears of the change.
TEST(SystemPalette, SubscribersFindTheOffice2003ColoursReloaded) {
  std::vector<std::wstring> log;
  auto notifier = Notifier(log, L"", false);
  auto primary = Notifier(log, L"", true);
  HBRUSH before = Office2003Brush(ocButtonFace);
  ASSERT_NE(before, nullptr);
  for (auto* n : {notifier.get(), primary.get()})
    n->OnSystemPaletteChanged = [&, n] {
      HBRUSH now = Office2003Brush(ocButtonFace);
      log.push_back(std::wstring(n->IsPrimary() ? L"primary " : L"other ") +
                    (now && now != before ? L"fresh" : L"stale"));
    };
  BroadcastColourChange();
  EXPECT_EQ(log, (std::vector<std::wstring>{L"primary fresh", L"other fresh"}));
}

// A failing subscriber is reported; the others still hear of the change.
TEST(SystemPalette, AFailingNotifierDoesNotStopTheOthers) {
  std::vector<std::wstring> log, reported;
  Application()->OnException = [&](TObject*, const std::wstring& AMessage) { reported.push_back(AMessage); };
  auto p1 = Notifier(log, L"p1", true);
  auto o1 = Notifier(log, L"o1", false);
  auto failing = Notifier(log, L"failing", true);
  failing->OnSystemPaletteChanged = [] { throw EInvalidOperation(L"cannot redraw"); };
  BroadcastColourChange();
  EXPECT_EQ(log, (std::vector<std::wstring>{L"p1", L"o1"}));
  EXPECT_EQ(reported, (std::vector<std::wstring>{L"cannot redraw"}));
  Application()->OnException = nullptr;
}
