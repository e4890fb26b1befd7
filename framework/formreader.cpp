#include "framework/formreader.h"

#include "framework/dpi.h"
#include "framework/streams.h"
#include "framework/sysutils.h"

namespace talvik {

namespace {

[[noreturn]] void Fail(int ALine, const std::wstring& AWhat) {
  throw EReadError(Format(L"Line %s: %s", {std::to_wstring(ALine), AWhat}));
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r'; }

// Reads a quoted string starting at s[i] == '"'; i ends after the closing quote.
std::wstring QuotedString(std::wstring_view s, size_t& i, int line) {
  std::wstring out;
  for (++i; i < s.size(); ++i) {
    if (s[i] == L'"') {
      ++i;
      return out;
    }
    if (s[i] == L'\\') {
      if (++i == s.size()) break;
      if (s[i] == L'n') out += L'\n';
      else out += s[i];
    } else {
      out += s[i];
    }
  }
  Fail(line, L"unterminated string");
}

std::wstring PropertyValue(std::wstring_view v, int line) {
  size_t i = 0;
  if (v.empty()) Fail(line, L"missing value");
  if (v[0] == L'"') {
    std::wstring s = QuotedString(v, i, line);
    if (i != v.size()) Fail(line, L"text after string");
    return s;
  }
  if (v[0] == L'(') {
    // A list of strings, one per item, returned joined by line feeds.
    std::wstring out;
    bool first = true;
    for (i = 1; i < v.size();) {
      if (IsBlank(v[i])) {
        ++i;
      } else if (v[i] == L'"') {
        if (!first) out += L'\n';
        out += QuotedString(v, i, line);
        first = false;
      } else if (v[i] == L')' && i + 1 == v.size()) {
        return out;
      } else {
        break;
      }
    }
    Fail(line, L"bad list");
  }
  return std::wstring(v);
}

}  // namespace

TFormObject ParseFormDescription(std::wstring_view AText) {
  std::vector<TFormObject> stack;
  TFormObject root;
  bool haveRoot = false;
  int lineNo = 0;
  size_t pos = 0;
  while (pos <= AText.size()) {
    size_t end = AText.find(L'\n', pos);
    if (end == std::wstring_view::npos) end = AText.size();
    std::wstring line = Trim(AText.substr(pos, end - pos));
    pos = end + 1;
    ++lineNo;
    if (line.empty() || line[0] == L'#') continue;
    if (line.rfind(L"object ", 0) == 0) {
      size_t colon = line.find(L':');
      if (colon == std::wstring::npos) Fail(lineNo, L"expected 'object Name: Class'");
      TFormObject obj;
      obj.Name = Trim(line.substr(7, colon - 7));
      obj.ClassName = Trim(line.substr(colon + 1));
      obj.Line = lineNo;
      if (obj.Name.empty() || obj.ClassName.empty()) Fail(lineNo, L"expected 'object Name: Class'");
      if (haveRoot && stack.empty()) Fail(lineNo, L"a second top-level object");
      stack.push_back(std::move(obj));
    } else if (line == L"end") {
      if (stack.empty()) Fail(lineNo, L"'end' without 'object'");
      TFormObject done = std::move(stack.back());
      stack.pop_back();
      if (stack.empty()) {
        root = std::move(done);
        haveRoot = true;
      } else {
        stack.back().Children.push_back(std::move(done));
      }
    } else {
      size_t eq = line.find(L'=');
      if (eq == std::wstring::npos || eq == 0) Fail(lineNo, L"expected 'Name = Value'");
      if (stack.empty()) Fail(lineNo, L"property outside an object");
      stack.back().Properties.emplace_back(Trim(line.substr(0, eq)), PropertyValue(Trim(line.substr(eq + 1)), lineNo));
    }
  }
  if (!stack.empty()) Fail(lineNo, L"missing 'end'");
  if (!haveRoot) Fail(lineNo, L"no object");
  return root;
}

namespace {

void ReadProperties(TCustomForm* form, TComponent* c, const TFormObject& obj) {
  for (const auto& [name, value] : obj.Properties) {
    bool known;
    if (name.rfind(L"On", 0) == 0) {
      known = form->BindEvent(c, name, value);
      if (!known) Fail(obj.Line, Format(L"method %s not found for %s.%s", {value, obj.Name, name}));
    } else {
      known = c->ReadProperty(name, value);
      if (!known) Fail(obj.Line, Format(L"property %s.%s does not exist", {obj.Name, name}));
    }
  }
}

void ReadChildren(TCustomForm* form, TComponent* parent, const TFormObject& obj, std::vector<TComponent*>& read) {
  for (const TFormObject& child : obj.Children) {
    TComponent* c = form->FindComponent(child.Name);
    if (!c) {
      TPersistent* made = CreateClassByName(child.ClassName);
      c = dynamic_cast<TComponent*>(made);
      if (!c) {
        delete made;
        Fail(child.Line, Format(L"%s is not a component", {child.ClassName}));
      }
      c->SetName(child.Name);
      form->InsertComponent(c);
    } else if (child.ClassName != c->ClassName()) {
      Fail(child.Line, Format(L"%s is a %s, not a %s", {child.Name, c->ClassName(), child.ClassName}));
    }
    c->SetLoading();
    read.push_back(c);
    if (auto* control = dynamic_cast<TControl*>(c))
      if (auto* host = dynamic_cast<TWinControl*>(parent)) control->SetParent(host);
    ReadProperties(form, c, child);
    ReadChildren(form, c, child, read);
  }
}

}  // namespace

void ReadForm(TCustomForm* AForm, const TFormObject& ARoot) {
  if (ARoot.ClassName != AForm->ClassName())
    Fail(ARoot.Line, Format(L"the description is of a %s, not a %s", {ARoot.ClassName, AForm->ClassName()}));
  AForm->SetName(ARoot.Name);
  AForm->SetLoading();
  std::vector<TComponent*> read{AForm};
  ReadProperties(AForm, AForm, ARoot);
  ReadChildren(AForm, AForm, ARoot, read);
  for (TComponent* c : read) c->Loaded();
  // Descriptions are made at 96 DPI; the window opens at the system's.
  AForm->ScaleForPPI(SystemDpi());
}

void ReadFormResource(TCustomForm* AForm, const std::wstring& AResName) {
  TResourceStream stream(GetModuleHandleW(nullptr), AResName, RT_RCDATA);
  std::string bytes(static_cast<size_t>(stream.Size()), '\0');
  if (!bytes.empty()) stream.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) bytes.erase(0, 3);
  ReadForm(AForm, ParseFormDescription(Utf8ToWide(bytes)));
}

}  // namespace talvik
