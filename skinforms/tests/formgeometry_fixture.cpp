#include "skinforms/tests/formgeometry_fixture.h"

#include <cstdio>
#include <cstdlib>

#include "framework/formreader.h"
#include "framework/stdctrls.h"
#include "framework/streams.h"
#include "framework/sysutils.h"
#include "skinforms/skinhook.h"
#include "skinforms/skinformcontroller.h"
#include "skins/engine/skinengine.h"

namespace talvik::test {

namespace {

// A form whose window gets extra styles.
class TKindForm : public TForm {
public:
  TALVIK_CLASS_NAME(TKindForm)
  using TForm::TForm;
  DWORD ExtraStyle = 0;
  DWORD ExtraExStyle = 0;

protected:
  void CreateParams(TCreateParams& Params) override {
    TForm::CreateParams(Params);
    Params.Style |= ExtraStyle;
    Params.ExStyle |= ExtraExStyle;
  }
};

// The program's main window as its stored description makes it, with the
// standard controls; the program's own components and events stay out.
class TForm1 : public TForm {
public:
  TALVIK_CLASS_NAME(TForm1)
  using TForm::TForm;
  bool BindEvent(TComponent*, const std::wstring&, const std::wstring&) override { return true; }
};

std::unique_ptr<TCustomForm> MainWindowForm() {
  const char* root = std::getenv("TALVIK_SOURCE_DIR");
  std::wstring path = L"Z:" + Utf8ToWide(root ? root : "") + L"/resources/TForm1.form";
  for (wchar_t& c : path)
    if (c == L'/') c = L'\\';
  TFileStream file(path, fmOpenRead);
  std::string bytes(static_cast<size_t>(file.Size()), '\0');
  file.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  TFormObject description = ParseFormDescription(Utf8ToWide(bytes));
  RegisterStandardClasses();
  std::erase_if(description.Children, [](const TFormObject& c) { return !IsClassRegistered(c.ClassName); });
  auto form = std::make_unique<TForm1>();
  ReadForm(form.get(), description);
  return form;
}

void ShowAs(HWND AWnd, int ACommand) {
  ShowWindow(AWnd, ACommand);
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
}

}  // namespace

const char* KindName(WindowKind AKind) {
  switch (AKind) {
    case WindowKind::Sizeable: return "sizeable";
    case WindowKind::MainWindow: return "main window";
    case WindowKind::Minimized: return "minimized";
    case WindowKind::MinimizedNoMaxBox: return "minimized main window";
    case WindowKind::Maximized: return "maximized";
    case WindowKind::ToolWindow: return "tool window";
    case WindowKind::Dialog: return "dialog";
    case WindowKind::NoCaption: return "no caption";
    case WindowKind::MenuBar: return "menu bar";
    case WindowKind::Narrow: return "narrow";
    case WindowKind::ScrollBars: return "scroll bars";
  }
  return "?";
}

void FormGeometryEnvironment::SetUp() { InitializeSkinEngine({.SkinnedWindows = SkinFormsEngineStep()}); }

void FormGeometryEnvironment::TearDown() { FinalizeSkinEngine(); }

void FormGeometry::SetUp() {
  Controller = std::make_unique<TdxSkinController>();
  Controller->SetSkinName(L"DarkSide");
}

void FormGeometry::TearDown() { Controller.reset(); }

KindWindow::KindWindow(WindowKind AKind) {
  if (AKind == WindowKind::MainWindow || AKind == WindowKind::MinimizedNoMaxBox) {
    FForm = MainWindowForm();
  } else {
    auto form = std::make_unique<TKindForm>();
    switch (AKind) {
      case WindowKind::ToolWindow: form->ExtraExStyle = WS_EX_TOOLWINDOW; break;
      case WindowKind::Dialog: form->SetBorderStyle(bsDialog); break;
      case WindowKind::NoCaption: form->SetBorderStyle(bsNone); break;
      case WindowKind::Narrow:
        form->SetBorderStyle(bsSingle);
        // Below the system's smallest tracking width.
        form->Constraints().MinWidth = 44;
        break;
      case WindowKind::ScrollBars: form->ExtraStyle = WS_HSCROLL | WS_VSCROLL; break;
      default: break;
    }
    FForm = std::move(form);
  }
  FForm->SetCaption(L"Geometry");
  FForm->SetBounds(40, 30, AKind == WindowKind::Narrow ? 44 : 400, 300);
  const HWND wnd = FForm->Handle();
  switch (AKind) {
    case WindowKind::Minimized:
    case WindowKind::MinimizedNoMaxBox: ShowAs(wnd, SW_SHOWMINNOACTIVE); break;
    case WindowKind::Maximized: ShowAs(wnd, SW_SHOWMAXIMIZED); break;
    case WindowKind::MenuBar: {
      HMENU menu = CreateMenu();
      AppendMenuW(menu, MF_STRING, 1, L"File");
      SetMenu(wnd, menu);
      break;
    }
    case WindowKind::ScrollBars: {
      SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 0, 0};
      SetScrollInfo(wnd, SB_HORZ, &info, FALSE);
      SetScrollInfo(wnd, SB_VERT, &info, FALSE);
      break;
    }
    default: break;
  }
}

KindWindow::~KindWindow() {
  if (HMENU menu = FForm->HandleAllocated() ? GetMenu(FForm->Handle()) : nullptr) {
    SetMenu(FForm->Handle(), nullptr);
    DestroyMenu(menu);
  }
}

TdxSkinFormController* KindWindow::Controller() const {
  auto* controller = dynamic_cast<TdxSkinFormController*>(FindControllerByHandle(Handle()));
  if (!controller || !controller->ViewInfo()) throw std::runtime_error("the window has no form controller");
  return controller;
}

TdxSkinFormNonClientAreaInfo& KindWindow::Info() { return *Controller()->ViewInfo(); }

TdxSkinFormNonClientAreaInfo& KindWindow::Calculated() {
  Info().Calculate();
  return Info();
}

void KindWindow::PutCursor(POINT AWindowPoint) {
  RECT r;
  GetWindowRect(Handle(), &r);
  SetCursorPos(r.left + AWindowPoint.x, r.top + AWindowPoint.y);
}

std::string RectText(const RECT& R) {
  char text[64];
  snprintf(text, sizeof text, "(%ld, %ld, %ld, %ld)", R.left, R.top, R.right, R.bottom);
  return text;
}

NONCLIENTMETRICSW SystemNonClientMetrics() {
  NONCLIENTMETRICSW m{};
  m.cbSize = sizeof m;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0);
  return m;
}

int TextHeightOf(const LOGFONTW& AFont) {
  HDC dc = GetDC(nullptr);
  HFONT font = CreateFontIndirectW(&AFont);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32W(dc, L"Wg", 2, &size);
  SelectObject(dc, old);
  DeleteObject(font);
  ReleaseDC(nullptr, dc);
  return size.cy;
}

}  // namespace talvik::test

namespace {
const auto* const gEnvironment = ::testing::AddGlobalTestEnvironment(new talvik::test::FormGeometryEnvironment());
}
