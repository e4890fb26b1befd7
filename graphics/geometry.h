// Persistent, change-notifying rectangles and sizes, and value helpers on
// plain rectangles, points and sizes.
#pragma once
#include <windows.h>

#include "framework/classes.h"

namespace talvik {

class TcxRect : public TPersistent {
public:
  TALVIK_CLASS_NAME(TcxRect)
  explicit TcxRect(TPersistent* AOwner = nullptr) : FOwner(AOwner) {}
  // Virtual constructor for the class registry and for copies of the same class.
  virtual TcxRect* Create(TPersistent* AOwner) const { return new TcxRect(AOwner); }

  // Only another TcxRect is taken; other sources are ignored.
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() const override { return FOwner; }

  // 0 left, 1 top, 2 right, anything else bottom.
  int GetValue(int AIndex) const;
  // An index outside 0..3 changes nothing but still passes through SetRect.
  void SetValue(int AIndex, int AValue);

  int Left() const { return FRect.left; }
  int Top() const { return FRect.top; }
  int Right() const { return FRect.right; }
  int Bottom() const { return FRect.bottom; }
  void SetLeft(int V) { SetValue(0, V); }
  void SetTop(int V) { SetValue(1, V); }
  void SetRight(int V) { SetValue(2, V); }
  void SetBottom(int V) { SetValue(3, V); }
  // Coordinates at 0 are not stored.
  bool IsValueStored(int AIndex) const { return GetValue(AIndex) != 0; }

  const RECT& Rect() const { return FRect; }
  void SetRect(const RECT& Value);
  int Width() const { return FRect.right - FRect.left; }
  int Height() const { return FRect.bottom - FRect.top; }
  // Move Right / Bottom so that the size matches.
  void SetWidth(int Value);
  void SetHeight(int Value);
  POINT TopLeft() const { return {FRect.left, FRect.top}; }
  POINT TopRight() const { return {FRect.right, FRect.top}; }
  POINT BottomLeft() const { return {FRect.left, FRect.bottom}; }
  POINT BottomRight() const { return {FRect.right, FRect.bottom}; }
  void SetTopLeft(POINT P);
  void SetTopRight(POINT P);
  void SetBottomLeft(POINT P);
  void SetBottomRight(POINT P);
  const RECT* Data() const { return &FRect; }

  bool IsEmpty() const;
  bool IsEqual(const RECT& R) const;
  bool IsEqual(const TcxRect* R) const;

  TNotifyEvent OnChange;

protected:
  // Lets derived classes adjust a new rectangle before it is compared and stored.
  virtual void CorrectRect(RECT& R) {}

private:
  TPersistent* FOwner;
  RECT FRect{};
};

class TcxSize : public TPersistent {
public:
  TALVIK_CLASS_NAME(TcxSize)
  explicit TcxSize(TPersistent* AOwner = nullptr) : FOwner(AOwner) {}
  // From another TcxSize; other sources fail as the base assignment does.
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() const override { return FOwner; }

  int Width() const { return GetValue(1); }
  int Height() const { return GetValue(0); }
  void SetWidth(int Value) { SetSize(SIZE{Value, FSize.cy}); }
  void SetHeight(int Value) { SetSize(SIZE{FSize.cx, Value}); }
  const SIZE& Size() const { return FSize; }
  // Negative components become 0; fires the change only when the size differs.
  virtual void SetSize(const SIZE& Value);
  const SIZE* Data() const { return &FSize; }

  // 1 is the width, 0 the height.
  virtual int GetValue(int AIndex) const { return AIndex == 1 ? FSize.cx : FSize.cy; }
  virtual bool IsValueStored(int AIndex) const { return GetValue(AIndex) != 0; }

  bool IsEmpty() const { return FSize.cx == 0 && FSize.cy == 0; }
  bool IsEqual(const SIZE& S) const { return FSize.cx == S.cx && FSize.cy == S.cy; }
  bool IsEqual(const TcxSize* S) const { return S && IsEqual(S->FSize); }

  TNotifyEvent OnChange;

protected:
  virtual void DoChange();

private:
  TPersistent* FOwner;
  SIZE FSize{};
};

// Registers TcxRect with the class registry (done once at start-up; safe to repeat).
void RegisterGeometryClasses();

// The sides of a rectangle, and sets of them as bits 1, 2, 4, 8.
enum TcxBorder { bLeft, bTop, bRight, bBottom };
using TcxBorders = unsigned;
constexpr TcxBorders cxBordersLeft = 1, cxBordersTop = 2, cxBordersRight = 4, cxBordersBottom = 8;
constexpr TcxBorders cxBordersAll = 15;
inline bool HasBorder(TcxBorders B, TcxBorder Side) { return (B >> Side) & 1; }

// ---- value helpers: results are new values, arguments are left alone

inline int RectWidth(const RECT& R) { return R.right - R.left; }
inline int RectHeight(const RECT& R) { return R.bottom - R.top; }
inline bool RectIsEmpty(const RECT& R) { return !(R.left < R.right && R.top < R.bottom); }
inline bool RectsEqual(const RECT& A, const RECT& B) {
  return A.left == B.left && A.top == B.top && A.right == B.right && A.bottom == B.bottom;
}
inline RECT MakeRect(int L, int T, int R, int B) { return RECT{L, T, R, B}; }
inline RECT InflateRectBy(const RECT& R, int DX, int DY) { return {R.left - DX, R.top - DY, R.right + DX, R.bottom + DY}; }
inline RECT InflateRectBy4(const RECT& R, int DX1, int DY1, int DX2, int DY2) {
  return {R.left - DX1, R.top - DY1, R.right + DX2, R.bottom + DY2};
}
inline RECT OffsetRectBy(const RECT& R, int DX, int DY, bool APositive = true) {
  if (!APositive) DX = -DX, DY = -DY;
  return {R.left + DX, R.top + DY, R.right + DX, R.bottom + DY};
}
inline RECT OffsetRectBy(const RECT& R, POINT P, bool APositive = true) { return OffsetRectBy(R, P.x, P.y, APositive); }
inline RECT RectFromCorners(const RECT& R, POINT P) { return {R.left, R.top, P.x, P.y}; }
inline RECT RectWithHeight(const RECT& R, int H) { return {R.left, R.top, R.right, R.top + H}; }
inline RECT RectWithLeft(const RECT& R, int X, int W) { return {X, R.top, X + W, R.bottom}; }
inline RECT RectWithTop(const RECT& R, int Y, int H) { return {R.left, Y, R.right, Y + H}; }
inline RECT RectWithHorzBounds(const RECT& R, int L, int Rt) { return {L, R.top, Rt, R.bottom}; }
inline RECT RectWithVertBounds(const RECT& R, int T, int B) { return {R.left, T, R.right, B}; }
// C++ division truncates toward zero, as the centring asks.
inline RECT CenterRect(const RECT& R, int W, int H) {
  int l = (R.left + R.right - W) / 2, t = (R.top + R.bottom - H) / 2;
  return {l, t, l + W, t + H};
}
inline RECT RectContent(const RECT& R, const RECT& M) {
  return {R.left + M.left, R.top + M.top, R.right - M.right, R.bottom - M.bottom};
}
// The strip of R along ASide, AWidth wide (not clamped to R).
inline RECT SideStrip(const RECT& R, TcxBorder ASide, int AWidth) {
  switch (ASide) {
    case bLeft: return {R.left, R.top, R.left + AWidth, R.bottom};
    case bTop: return {R.left, R.top, R.right, R.top + AWidth};
    case bRight: return {R.right - AWidth, R.top, R.right, R.bottom};
    default: return {R.left, R.bottom - AWidth, R.right, R.bottom};
  }
}
inline POINT MakePoint(int X, int Y) { return {X, Y}; }
inline SIZE MakeSize(int CX, int CY) { return {CX, CY}; }
inline POINT InvertPoint(POINT P) { return {-P.x, -P.y}; }
inline POINT OffsetPoint(POINT P, int DX, int DY, bool APositive = true) {
  return APositive ? POINT{P.x + DX, P.y + DY} : POINT{P.x - DX, P.y - DY};
}
inline POINT OffsetPoint(POINT P, POINT D, bool APositive = true) { return OffsetPoint(P, D.x, D.y, APositive); }
inline bool SizesEqual(const SIZE& A, const SIZE& B) { return A.cx == B.cx && A.cy == B.cy; }
inline bool PointsEqual(POINT A, POINT B) { return A.x == B.x && A.y == B.y; }

}  // namespace talvik
