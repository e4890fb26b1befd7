// Skinned panels: background, bevels and caption from the skin painter, the
// print-client rules and the guard against a nested paint of the same panel.
#include "skinforms/tests/skinnedcontrols_fixture.h"

using namespace talvik;
using namespace talvik::test;

namespace {

const COLORREF kUntouched = RGB(0x12, 0x34, 0x56);

// A picture of ASize drawn by ADraw on a canvas first filled with kUntouched.
template <class Draw>
TPicture DrawnPicture(SIZE ASize, Draw ADraw) {
  TDrawSurface target(ASize.cx, ASize.cy, kUntouched);
  ADraw(target.DC());
  return ReadPicture(target.DC(), ASize.cx, ASize.cy);
}

struct SkinnedPanel : SkinnedControls {
  void SetUp() override {
    SkinnedControls::SetUp();
    Panel = new TPanel(Form.get());
    Panel->SetBounds(150, 50, 120, 60);
    Panel->SetParent(Form.get());
    PumpMessages();
  }
  TdxSkinPanelController* PanelController() const { return dynamic_cast<TdxSkinPanelController*>(ControllerOf(Panel)); }
  TPanel* Panel = nullptr;
};

// Paints into the panel again from inside the panel's painting, once.
class TReenteringLabel : public TGraphicControl {
public:
  TALVIK_CLASS_NAME(TReenteringLabel)
  using TGraphicControl::TGraphicControl;
  HDC NestedTarget = nullptr;
  int Paints = 0;
  void Paint(TCanvas&) override {
    if (++Paints == 1 && NestedTarget)
      SendMessageW(Parent()->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(NestedTarget), 0);
  }
};

}  // namespace

TEST_F(SkinnedPanel, BackgroundAndBevelsComeFromTheSkinPainter) {
  struct Case {
    const char* name;
    TColor color;
    TBevelCut outer, inner;
  };
  const Case cases[] = {
      {"face colour, no bevel", clBtnFace, bvNone, bvNone},
      {"face colour, raised", clBtnFace, bvRaised, bvNone},
      {"own colour, inner bevel only", static_cast<TColor>(0x336699), bvNone, bvLowered},
  };
  Panel->SetControlStyle(0);
  const SIZE size{120, 60};
  const RECT r{0, 0, size.cx, size.cy};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Panel->SetColor(c.color);
    Panel->SetBevelOuter(c.outer);
    Panel->SetBevelInner(c.inner);
    TDrawSurface expected(size.cx, size.cy, kUntouched);
    if (c.color == clBtnFace) SkinPainter()->DrawPanelContent(&expected.cx, r, false);
    else SkinPainter()->DrawPanelBackground(&expected.cx, Panel, r, c.color, clDefault);
    if (c.outer != bvNone || c.inner != bvNone) SkinPainter()->DrawPanelBorders(&expected.cx, r);
    EXPECT_TRUE(NearlySame(PaintedPicture(Panel->Handle()), ReadPicture(expected.DC(), size.cx, size.cy)));
  }
}

TEST_F(SkinnedPanel, CaptionFollowsTheAlignment) {
  struct Case {
    const char* name;
    TAlignment alignment;
    double centre;  // of the ink, as a share of the width
  };
  const Case cases[] = {{"left", taLeftJustify, 0.15}, {"centre", taCenter, 0.5}, {"right", taRightJustify, 0.85}};
  Panel->SetBevelOuter(bvNone);
  const TPicture blank = PaintedPicture(Panel->Handle());
  Panel->SetCaption(L"Text");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Panel->SetAlignment(c.alignment);
    int left = blank.Width, right = -1;
    for (POINT p : Differences(blank, PaintedPicture(Panel->Handle()))) {
      left = std::min<int>(left, p.x);
      right = std::max<int>(right, p.x);
    }
    ASSERT_GE(right, left);
    EXPECT_NEAR((left + right) / 2.0 / blank.Width, c.centre, 0.12);
  }
}

TEST_F(SkinnedPanel, PrintClientPaintsOnlyWhenAskedProperly) {
  struct Case {
    const char* name;
    LRESULT resultBefore;
    LPARAM flags;
    bool visible;
    bool painted;
  };
  const Case cases[] = {
      {"plain request", 0, PRF_CLIENT, true, true},
      {"visibility checked, visible", 0, PRF_CLIENT | PRF_CHECKVISIBLE, true, true},
      {"visibility checked, hidden", 0, PRF_CLIENT | PRF_CHECKVISIBLE, false, false},
      {"hidden, visibility not checked", 0, PRF_CLIENT, false, true},
      {"already answered", 1, PRF_CLIENT, true, false},
  };
  const SIZE size{120, 60};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Panel->SetVisible(c.visible);
    const TPicture picture = DrawnPicture(size, [&](HDC dc) {
      TMessage m{WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), c.flags, c.resultBefore};
      PanelController()->HandleMessage(m);
    });
    EXPECT_EQ(picture.At(60, 30) != kUntouched, c.painted);
  }
}

TEST_F(SkinnedPanel, NestedPaintOfThePanelFallsBackToItsOwnPainting) {
  Panel->SetControlStyle(0);
  Panel->SetBevelOuter(bvNone);
  auto* label = new TReenteringLabel(Form.get());
  label->SetBounds(0, 0, 10, 10);
  label->SetParent(Panel);
  TDrawSurface nested(120, 60, kUntouched);
  label->NestedTarget = nested.DC();

  const TPicture outer = PaintedPicture(Panel->Handle());
  EXPECT_EQ(label->Paints, 2);  // the outer painting, then the panel's own one, nested
  // The skin painted the outer picture; the nested one was the panel's own, which fills nothing.
  EXPECT_NE(outer.At(60, 30), kUntouched);
  EXPECT_EQ(nested.At(60, 30), kUntouched);
}

TEST_F(SkinnedPanel, PanelControllerOfAnotherControlDrawsNothing) {
  auto* other = new TWinControl(Form.get());
  other->SetBounds(10, 100, 50, 30);
  other->SetParent(Form.get());
  TdxSkinWinController::InitializeEngine(TdxSkinPanelController::Class(), other->Handle());
  auto* controller = dynamic_cast<TdxSkinPanelController*>(ControllerOf(other));
  ASSERT_NE(controller, nullptr);
  ASSERT_TRUE(controller->IsSkinUsed());
  const TPicture picture = DrawnPicture(SIZE{50, 30}, [&](HDC dc) { controller->DrawContent(dc); });
  EXPECT_EQ(picture, DrawnPicture(SIZE{50, 30}, [](HDC) {}));
}

TEST_F(SkinnedPanel, FrameShowsItsParentsBackgroundOrTheSkinsFormContent) {
  Panel->SetControlStyle(0);
  Panel->SetBevelOuter(bvNone);
  Panel->SetColor(static_cast<TColor>(0x336699));
  auto* frame = new TFrame(Form.get());
  frame->SetBounds(10, 10, 60, 30);
  frame->SetParent(Panel);
  ASSERT_EQ(ControllerClassOf(frame), L"TdxSkinFrameController");
  const TPicture panel = PaintedPicture(Panel->Handle());
  // The form's own background, painted by its controller.
  const TPicture form = DrawnPicture(SIZE{60, 30}, [&](HDC dc) {
    SendMessageW(Form->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  });
  struct Case {
    const char* name;
    unsigned style;
    COLORREF expected;
  };
  const Case cases[] = {
      {"parent background", csParentBackground, panel.At(40, 25)},
      {"own background", 0, form.At(30, 15)},
  };
  ASSERT_NE(cases[0].expected, cases[1].expected);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    frame->SetControlStyle(c.style);
    const TPicture erased = DrawnPicture(SIZE{60, 30}, [&](HDC dc) {
      SendMessageW(frame->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    });
    EXPECT_EQ(erased.At(30, 15), c.expected);
  }
}

TEST_F(SkinnedPanel, ColourChangeRepaintsThePanelWithItsChildren) {
  auto* child = new TEdit(Form.get());
  child->SetBounds(5, 5, 50, 21);
  child->SetParent(Panel);
  PumpMessages();
  RECT pending;
  ASSERT_FALSE(GetUpdateRect(child->Handle(), &pending, FALSE));
  Panel->SetColor(static_cast<TColor>(0x336699));
  EXPECT_TRUE(GetUpdateRect(child->Handle(), &pending, FALSE));
}
