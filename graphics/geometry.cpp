#include "graphics/geometry.h"

namespace talvik {

void TcxRect::Assign(TPersistent* Source) {
  if (auto* r = dynamic_cast<TcxRect*>(Source)) SetRect(r->FRect);
}

int TcxRect::GetValue(int AIndex) const {
  switch (AIndex) {
    case 0: return FRect.left;
    case 1: return FRect.top;
    case 2: return FRect.right;
    default: return FRect.bottom;
  }
}

void TcxRect::SetValue(int AIndex, int AValue) {
  RECT r = FRect;
  switch (AIndex) {
    case 0: r.left = AValue; break;
    case 1: r.top = AValue; break;
    case 2: r.right = AValue; break;
    case 3: r.bottom = AValue; break;
  }
  SetRect(r);
}

void TcxRect::SetRect(const RECT& Value) {
  RECT r = Value;
  CorrectRect(r);
  if (RectsEqual(r, FRect)) return;
  FRect = r;
  if (OnChange) OnChange(this);
}

void TcxRect::SetWidth(int Value) { SetRect(RECT{FRect.left, FRect.top, FRect.left + Value, FRect.bottom}); }
void TcxRect::SetHeight(int Value) { SetRect(RECT{FRect.left, FRect.top, FRect.right, FRect.top + Value}); }
void TcxRect::SetTopLeft(POINT P) { SetRect(RECT{P.x, P.y, FRect.right, FRect.bottom}); }
void TcxRect::SetTopRight(POINT P) { SetRect(RECT{FRect.left, P.y, P.x, FRect.bottom}); }
void TcxRect::SetBottomLeft(POINT P) { SetRect(RECT{P.x, FRect.top, FRect.right, P.y}); }
void TcxRect::SetBottomRight(POINT P) { SetRect(RECT{FRect.left, FRect.top, P.x, P.y}); }

bool TcxRect::IsEmpty() const { return RectIsEmpty(FRect); }
bool TcxRect::IsEqual(const RECT& R) const { return RectsEqual(FRect, R); }
bool TcxRect::IsEqual(const TcxRect* R) const { return R && RectsEqual(FRect, R->FRect); }

void TcxSize::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TcxSize*>(Source)) {
    SetSize(s->FSize);
    return;
  }
  TPersistent::Assign(Source);
}

void TcxSize::SetSize(const SIZE& Value) {
  SIZE s{Value.cx < 0 ? 0 : Value.cx, Value.cy < 0 ? 0 : Value.cy};
  if (SizesEqual(s, FSize)) return;
  FSize = s;
  DoChange();
}

void TcxSize::DoChange() {
  if (OnChange) OnChange(this);
}

void RegisterGeometryClasses() {
  if (!IsClassRegistered(L"TcxRect")) RegisterClassOf<TcxRect>();
}

namespace {
// Registered when the library starts, as stored skins expect.
const bool kRegistered = (RegisterGeometryClasses(), true);
}  // namespace

}  // namespace talvik
