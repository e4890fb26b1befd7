// skintool resolve FILE | --builtin NAME: what a window would use from a skin, field
// by field, and how many placeholders stand in for what the skin lacks.
#include <set>

#include "framework/sysutils.h"
#include "skins/info/skininfo.h"
#include "skins/info/skininfolookup.h"
#include "skins/tool/command.h"
#include "skins/tool/tool_support.h"

namespace talvik {

namespace {

const wchar_t Usage[] = L"FILE | --builtin DarkSide|UserSkin";

// An absent reference, told apart from the colour value "none".
const wchar_t Absent[] = L"absent";

class TFieldPrinter : public TdxSkinInfoVisitor {
public:
  void Group(const TdxSkinInfoField& F, TdxSkinControlGroup* A) override {
    Line(F, A ? A->Name() + Mark(A) : Absent);
  }
  void Element(const TdxSkinInfoField& F, TdxSkinElement* A) override { Line(F, ElementText(A)); }
  void ColorProperty(const TdxSkinInfoField& F, TdxSkinColor* A) override {
    Line(F, A ? ToolColorText(A->Value()) : Absent);
  }
  void IntegerProperty(const TdxSkinInfoField& F, TdxSkinIntegerProperty* A) override {
    Line(F, A ? std::to_wstring(A->Value()) : Absent);
  }
  void BooleanProperty(const TdxSkinInfoField& F, TdxSkinBooleanProperty* A) override {
    Line(F, A ? BooleanText(A->Value()) : Absent);
  }
  void ColorValue(const TdxSkinInfoField& F, TColor A) override { Line(F, ToolColorText(A)); }
  void Integer(const TdxSkinInfoField& F, int A) override { Line(F, std::to_wstring(A)); }
  void Rect(const TdxSkinInfoField& F, const RECT& A) override {
    Line(F, Format(L"%s, %s, %s, %s", {std::to_wstring(A.left), std::to_wstring(A.top),
                                         std::to_wstring(A.right), std::to_wstring(A.bottom)}));
  }
  void ScrollInfo(const TdxSkinInfoField& F, TdxSkinScrollInfo* A) override {
    Line(F, A && A->Element() ? ElementText(A->Element()) + L", image " + std::to_wstring(A->ImageIndex())
                              : std::wstring(Absent));
  }

  // Distinct elements that stand in for missing ones.
  size_t Placeholders() const { return FPlaceholders.size(); }

private:
  static std::wstring BooleanText(bool A) { return A ? L"true" : L"false"; }
  static std::wstring Mark(TdxSkinPersistent* A) {
    return A->Tag() == skininfo::TagPlaceholder ? L" (placeholder)" : L"";
  }
  std::wstring ElementText(TdxSkinElement* A) {
    if (!A) return Absent;
    if (A->Tag() == skininfo::TagPlaceholder) FPlaceholders.insert(A);
    std::wstring group = A->Group() ? A->Group()->Name() : L"";
    return group + L"/" + A->Name() + Mark(A);
  }
  static void Line(const TdxSkinInfoField& F, const std::wstring& AValue) {
    ToolPrint(F.FullName() + L": " + AValue);
  }

  std::set<TdxSkinElement*> FPlaceholders;
};

int Resolve(const std::vector<std::wstring>& AArgs) {
  TToolArguments args = ParseToolArguments(AArgs, {L"--builtin"}, 1, std::wstring(L"skintool resolve ") + Usage);
  TdxSkinInfo info(LoadToolSkin(args));
  TFieldPrinter printer;
  info.EnumFields(printer);
  ToolPrint(L"placeholders: " + std::to_wstring(printer.Placeholders()));
  return 0;
}

const TSkinToolCommand registration(L"resolve", Usage, Resolve);

}  // namespace

}  // namespace talvik
