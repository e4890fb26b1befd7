// What skintool's commands share in their arguments: options with values, the
// skin named as FILE or --builtin NAME, sizes, states and colours.
#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "skins/builtin/gen/picture_render.h"
#include "skins/model/skin.h"

namespace talvik {

struct TToolArguments {
  std::vector<std::wstring> Positional;
  std::map<std::wstring, std::wstring> Options;

  const std::wstring* Option(const wchar_t* AName) const;
};

// Splits the arguments; every option named in AOptions takes the next argument as its
// value. An unknown option, a missing value or a wrong count of the rest fails with
// AUsage. --builtin NAME stands for the first positional argument.
TToolArguments ParseToolArguments(const std::vector<std::wstring>& AArgs,
                                  const std::vector<const wchar_t*>& AOptions, size_t APositional,
                                  const std::wstring& AUsage);

// The skin of the arguments: --builtin NAME, or else the first positional argument as a
// skin file, which is taken out of Positional.
std::unique_ptr<TdxSkin> LoadToolSkin(TToolArguments& AArgs);

// "WIDTHxHEIGHT", each from 1 to 8192, 4096 x 4096 pixels at most.
SIZE ParseToolSize(const std::wstring& AText);
// An element state by its lower-case name ("normal", "hot", ..., "checkpressed").
TdxSkinElementState ParseToolState(const std::wstring& AText);
extern const wchar_t* const ToolStateNames[dxSkinElementStateCount];
// A non-negative integer.
int ParseToolIndex(const std::wstring& AText);
// --scale PERCENT (50 to 400) as a DPI; 96 without the option.
int ToolScaleDpi(const TToolArguments& AArgs);
// "RRGGBB" in hexadecimal, as a TColor.
TColor ParseToolColor(const std::wstring& AText);
// "RRGGBB", "none" or "default".
std::wstring ToolColorText(TColor AColor);

// Written whole or not at all.
void SaveToolPng(const skingen::Pixels& APixels, const std::wstring& AFile);

}  // namespace talvik
