#include "skins/tests/skin_fixture.h"

#include <vector>

namespace talvik::testing {

std::unique_ptr<TdxPNGImage> MakePicture(int AWidth, int AHeight, uint32_t (*Pixel)(int x, int y)) {
  TdxRGBColors bits(static_cast<size_t>(AWidth) * AHeight);
  for (int y = 0; y < AHeight; ++y)
    for (int x = 0; x < AWidth; ++x) {
      uint32_t v = Pixel(x, y);
      bits[static_cast<size_t>(y) * AWidth + x] = RGBQUAD{BYTE(v), BYTE(v >> 8), BYTE(v >> 16), BYTE(v >> 24)};
    }
  auto image = std::make_unique<TdxPNGImage>();
  image->SetHandle(GPImageClass->CreateFromPattern(AWidth, AHeight, bits, true));
  return image;
}

uint32_t Gradient(int x, int y) { return 0xFF000000u | (x * 7) << 16 | (y * 5) << 8 | ((x + y) & 0xFF); }

std::unique_ptr<TdxSkin> MakeSampleSkin() {
  auto skin = std::make_unique<TdxSkin>(L"Sample", false, nullptr);
  skin->AddColor(L"ContentColor", 0x858585);
  skin->AddColor(L"SelectionColor", 0x3CCDFE);
  skin->AddProperty<TdxSkinIntegerProperty>(L"Spacing")->SetValue(-7);
  skin->AddProperty<TdxSkinBooleanProperty>(L"Flat")->SetValue(true);
  skin->AddProperty<TdxSkinColor>(L"Shadow")->SetValue(clNone);
  auto* rect = skin->AddProperty<TdxSkinRectProperty>(L"Margins");
  rect->Value()->SetRect(RECT{1, 2, 3, 4});
  skin->AddProperty<TdxSkinSizeProperty>(L"Grip")->SetValue(SIZE{16, 12});
  skin->AddProperty<TdxSkinStringProperty>(L"Author")->SetValue(L"Talvik");

  TdxSkinControlGroup* form = skin->AddGroup(L"Form");
  form->AddProperty<TdxSkinColor>(L"TextShadowColor")->SetValue(0);
  TdxSkinElement* caption = form->AddElement(L"FormCaption");
  caption->SetColor(clNone);
  caption->SetTextColor(0xE6E6E6);
  caption->ContentOffset()->SetRect(RECT{6, 3, 3, 3});
  caption->MinSize()->SetSize(SIZE{23, 21});
  caption->Image()->Texture()->Assign(MakePicture(27, 50, Gradient).get());
  caption->Image()->SetImageLayout(ilVertical);
  caption->Image()->SetStates(dxSkinStateBit(esActive) | dxSkinStateBit(esActiveDisabled));
  caption->Image()->Margins()->SetRect(RECT{2, 9, 2, 3});
  caption->Image()->SetGradientBeginColor(0x858585);
  caption->Image()->SetGradient(gmVertical);
  caption->Borders()->Left()->SetColor(0x101010);
  caption->Borders()->Bottom()->SetThin(2);
  caption->AddProperty<TdxSkinIntegerProperty>(L"FontDelta")->SetValue(1);
  caption->AddProperty<TdxSkinColor>(L"TextColorHot")->SetValue(0);

  TdxSkinElement* close = form->AddElement(L"FormButtonClose");
  close->SetImageCount(2);
  close->SetAlpha(200);
  close->SetColor(0x202020);
  close->Image()->Texture()->Assign(MakePicture(25, 40, [](int x, int y) -> uint32_t {
    return y % 10 == 0 ? 0x80404040u : Gradient(x, y);
  }).get());
  close->Image()->SetImageLayout(ilVertical);
  close->Image()->SetStates(dxSkinStateBit(esNormal) | dxSkinStateBit(esHot));
  close->Glyph()->Texture()->Assign(MakePicture(9, 8, Gradient).get());
  close->Glyph()->SetStretch(smNoResize);

  TdxSkinControlGroup* common = skin->AddGroup(L"Common");
  TdxSkinElement* content = common->AddElement(L"FormContent");
  content->SetColor(0x858585);
  content->SetTextColor(0);
  return skin;
}

std::string SaveToBytes(TdxSkin& ASkin) {
  TMemoryStream m;
  ASkin.SaveToStream(m);
  return std::string(reinterpret_cast<const char*>(m.Memory()), static_cast<size_t>(m.Size()));
}

TSkinBytes& TSkinBytes::EmptyImage(double AVersion, int32_t APictureSize) {
  for (int i = 0; i < 4; ++i) Int32(0);
  Byte(ilHorizontal).Word(1).Byte(smStretch);
  if (AVersion >= 1.02) Int32(0x112233).Int32(0x445566).Byte(gmVertical);
  return Int32(APictureSize);
}

TSkinBytes& TSkinBytes::PlainElement(double AVersion) {
  Int32(0x00FF00).Byte(255).Int32(1);
  for (int i = 0; i < 4; ++i) Int32(i);
  EmptyImage(AVersion).EmptyImage(AVersion);
  for (const char* side : {"Left", "Top", "Right", "Bottom"}) Str("TdxSkinBorder").Str(side).Int32(clNone).Int32(1);
  return Int32(0x0000FF).Int32(5).Int32(6).Int32(0);
}

std::wstring BesideTest(const std::wstring& AExe) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path = self;
  return path.substr(0, path.find_last_of(L'\\') + 1) + AExe;
}

ToolResult RunSkinTool(const std::wstring& AArgs) { return RunProgram(BesideTest(L"skintool.exe"), AArgs); }

std::vector<std::string> OutputLines(const std::string& AOutput) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < AOutput.size()) {
    size_t end = AOutput.find('\n', start);
    if (end == std::string::npos) end = AOutput.size();
    std::string line = AOutput.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

std::wstring TempFile(const std::string& ABytes) {
  wchar_t dir[MAX_PATH], file[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  GetTempFileNameW(dir, L"skt", 0, file);
  TFileStream f(file, fmCreate);
  f.WriteBuffer(ABytes.data(), static_cast<int64_t>(ABytes.size()));
  return file;
}

ToolResult RunProgram(const std::wstring& APath, const std::wstring& AArgs,
                      const std::vector<std::wstring>& AEnvironment) {
  const std::wstring& exe = APath;
  std::wstring line = L"\"" + exe + L"\" " + AArgs;
  // The environment block: ours, plus the extra variables.
  std::wstring environment;
  if (!AEnvironment.empty()) {
    wchar_t* block = GetEnvironmentStringsW();
    for (const wchar_t* p = block; *p; p += wcslen(p) + 1) environment += std::wstring(p) + L'\0';
    FreeEnvironmentStringsW(block);
    for (const std::wstring& v : AEnvironment) environment += v + L'\0';
  }
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE readEnd, writeEnd;
  CreatePipe(&readEnd, &writeEnd, &sa, 0);
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW si{sizeof si};
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = si.hStdError = writeEnd;
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION pi{};
  ToolResult result;
  if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT,
                      AEnvironment.empty() ? nullptr : environment.data(), nullptr, &si, &pi)) {
    result.ExitCode = 0xFFFFFFFF;
    // Says why, so that a failure to start is not taken for the tool's own failure.
    result.Output = "the tool did not start: system error " + std::to_string(GetLastError());
    CloseHandle(readEnd);
    CloseHandle(writeEnd);
    return result;
  }
  CloseHandle(writeEnd);
  char buffer[4096];
  DWORD n;
  while (ReadFile(readEnd, buffer, sizeof buffer, &n, nullptr) && n > 0) result.Output.append(buffer, n);
  WaitForSingleObject(pi.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(pi.hProcess, &code);
  result.ExitCode = code;
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  CloseHandle(readEnd);
  return result;
}

}  // namespace talvik::testing
