#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "framework/formreader.h"
#include "framework/stdctrls.h"
#include "framework/sysutils.h"

using namespace talvik;

namespace {

class TTestForm : public TForm {
public:
  TALVIK_CLASS_NAME(TTestForm)
  int Clicks = 0;
  bool Created = false;
  bool BindEvent(TComponent* c, const std::wstring& event, const std::wstring& method) override {
    auto* control = dynamic_cast<TControl*>(c);
    if (control && event == L"OnClick" && method == L"Button1Click") {
      control->OnClick = [this](TObject*) { ++Clicks; };
      return true;
    }
    if (c == this && event == L"OnCreate" && method == L"FormCreate") {
      OnCreate = [this](TObject*) { Created = true; };
      return true;
    }
    return false;
  }
};

const wchar_t kForm[] = LR"(# a test form
object Form1: TTestForm
  ClientWidth = 300
  ClientHeight = 200
  BorderIcons = [biSystemMenu, biMinimize]
  Position = poScreenCenter
  Font.Name = "Tahoma"
  Font.Height = -11
  OnCreate = FormCreate
  ActiveControl = Memo1
  object Label1: TLabel
    Left = 8
    Top = 8
    Caption = "相册地址："
    Transparent = True
  end
  object Panel1: TPanel
    Left = 0
    Top = 20
    Width = 300
    Height = 60
    object Button1: TButton
      Left = 5
      Top = 6
      Width = 71
      Height = 25
      Caption = "say \"hi\""
      Default = True
      OnClick = Button1Click
    end
  end
  object Memo1: TMemo
    Height = 100
    Align = alBottom
    ScrollBars = ssVertical
    Lines = ("Memo1" "second")
  end
end
)";

}  // namespace

TEST(FormReader, BuildsTheDescribedComponentsOnTheirParents) {
  RegisterStandardClasses();
  TTestForm form;
  ReadForm(&form, ParseFormDescription(kForm));
  EXPECT_EQ(form.Name(), L"Form1");
  EXPECT_EQ(form.BorderIcons(), unsigned(biSystemMenu | biMinimize));
  EXPECT_EQ(form.ComponentState() & csLoading, 0u);

  auto* label = dynamic_cast<TLabel*>(form.FindComponent(L"Label1"));
  auto* panel = dynamic_cast<TPanel*>(form.FindComponent(L"Panel1"));
  auto* button = dynamic_cast<TButton*>(form.FindComponent(L"Button1"));
  auto* memo = dynamic_cast<TMemo*>(form.FindComponent(L"Memo1"));
  ASSERT_TRUE(label && panel && button && memo);
  EXPECT_EQ(label->Parent(), &form);
  EXPECT_EQ(button->Parent(), panel);
  EXPECT_EQ(button->Owner(), &form);
  EXPECT_EQ(label->Caption(), L"相册地址：");
  EXPECT_TRUE(label->Transparent());
  EXPECT_EQ(button->Caption(), L"say \"hi\"");
  EXPECT_TRUE(button->Default());
  EXPECT_EQ(memo->Lines(), (std::vector<std::wstring>{L"Memo1", L"second"}));
  EXPECT_EQ(form.ActiveControl(), memo);  // named before it was read

  RECT r = memo->BoundsRect();
  EXPECT_EQ(r.top, 100);
  EXPECT_EQ(r.right, 300);
  EXPECT_EQ(r.bottom, 200);

  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(form.Clicks, 1);
  ASSERT_TRUE(form.OnCreate);
  form.OnCreate(&form);
  EXPECT_TRUE(form.Created);
}

TEST(FormReader, ReportsWhatIsWrongWithADescription) {
  RegisterStandardClasses();
  struct Case {
    const wchar_t* text;
    const wchar_t* message;
  } cases[] = {
      {L"object F: TTestForm\n  Caption = \"open\n end", L"Line 2: unterminated string"},
      {L"object F: TTestForm\n  Width 3\nend", L"Line 2: expected 'Name = Value'"},
      {L"object F: TTestForm\n  object B: TButton\nend", L"Line 3: missing 'end'"},
      {L"end", L"Line 1: 'end' without 'object'"},
      {L"object F TTestForm\nend", L"Line 1: expected 'object Name: Class'"},
      {L"object F: TTestForm\nend\nobject G: TTestForm\nend", L"Line 3: a second top-level object"},
      {L"# nothing", L"Line 1: no object"},
      {L"object F: TTestForm\n  Lines = (\"a\" b)\nend", L"Line 2: bad list"},
      {L"object F: TOther\nend", L"Line 1: the description is of a TOther, not a TTestForm"},
      {L"object F: TTestForm\n  Colour = 3\nend", L"Line 1: property F.Colour does not exist"},
      {L"object F: TTestForm\n  OnCreate = Missing\nend", L"Line 1: method Missing not found for F.OnCreate"},
      {L"object F: TTestForm\n  object B: TButton\n    Width = wide\n  end\nend",
       L"Invalid property value wide for Width"},
      {L"object F: TTestForm\n  BorderStyle = bsRound\nend", L"Invalid property value bsRound for BorderStyle"},
      {L"object F: TTestForm\n  ActiveControl = Nobody\nend", L"Invalid property value Nobody for ActiveControl"},
  };
  for (const Case& c : cases) {
    TTestForm form;
    try {
      ReadForm(&form, ParseFormDescription(c.text));
      ADD_FAILURE() << "accepted: " << WideToUtf8(c.text);
    } catch (const EReadError& e) {
      EXPECT_EQ(e.Message(), c.message) << WideToUtf8(c.text);
    }
  }
}

TEST(FormReader, UnknownClassIsNamed) {
  TTestForm form;
  try {
    ReadForm(&form, ParseFormDescription(L"object F: TTestForm\n  object X: TNoSuchThing\n  end\nend"));
    ADD_FAILURE() << "accepted";
  } catch (const EClassNotFound& e) {
    EXPECT_EQ(e.Message(), L"Class TNoSuchThing not found");
  }
  EXPECT_EQ(form.FindComponent(L"X"), nullptr);
}

TEST(FormReader, MissingResourceIsNamed) {
  TTestForm form;
  try {
    ReadFormResource(&form, L"NOSUCHFORM");
    ADD_FAILURE() << "accepted";
  } catch (const EResNotFound& e) {
    EXPECT_EQ(e.Message(), L"Resource NOSUCHFORM not found");
  }
}
