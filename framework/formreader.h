// Stored form descriptions: a small text format that lists a form's
// components, their properties and their nesting.
//
//   # comment
//   object Form1: TForm1
//     ClientWidth = 504
//     Caption = "text"            strings are UTF-8 in double quotes, \" and \\ escaped
//     BorderIcons = [biSystemMenu, biMinimize]
//     OnCreate = FormCreate       events name a method of the form
//     object Memo1: TMemo
//       Lines = ("first" "second")
//     end
//   end
#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/forms.h"

namespace talvik {

struct TFormObject {
  std::wstring Name;
  std::wstring ClassName;
  int Line = 0;
  TStoredProperties Properties;
  std::vector<TFormObject> Children;
};

// Parses a description; syntax errors raise EReadError naming the line.
TFormObject ParseFormDescription(std::wstring_view AText);

// Reads the description into AForm: properties, then the components it lists,
// created through the class registry (or taken from AForm when one of that
// name already exists), owned by AForm and placed on their enclosing control.
// Every component gets Loaded once all have been read.
void ReadForm(TCustomForm* AForm, const TFormObject& ARoot);

// Reads the description stored as the RCDATA resource AResName of the program.
void ReadFormResource(TCustomForm* AForm, const std::wstring& AResName);

}  // namespace talvik
