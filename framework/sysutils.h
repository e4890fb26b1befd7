// Exceptions and small text helpers shared by every subsystem.
#pragma once
#include <exception>
#include <string>
#include <string_view>
#include <initializer_list>

namespace talvik {

// A failure carrying a message, as every error of the system is.
class Exception : public std::exception {
public:
  explicit Exception(std::wstring message);
  const std::wstring& Message() const { return FMessage; }
  const char* what() const noexcept override { return FUtf8.c_str(); }

private:
  std::wstring FMessage;
  std::string FUtf8;
};

#define TALVIK_EXCEPTION(Name, Base) \
  class Name : public Base { public: using Base::Base; };

TALVIK_EXCEPTION(EConvertError, Exception)    // unsupported Assign
TALVIK_EXCEPTION(EStreamError, Exception)
TALVIK_EXCEPTION(EReadError, EStreamError)     // "Stream read error"
TALVIK_EXCEPTION(EWriteError, EStreamError)    // "Stream write error"
TALVIK_EXCEPTION(EFCreateError, EStreamError)  // "Cannot create file "%s". %s"
TALVIK_EXCEPTION(EFOpenError, EStreamError)    // "Cannot open file "%s". %s"
TALVIK_EXCEPTION(EResNotFound, Exception)      // "Resource %s not found"
TALVIK_EXCEPTION(EClassNotFound, Exception)    // "Class %s not found"
TALVIK_EXCEPTION(EInvalidCast, Exception)      // "Invalid class typecast"
TALVIK_EXCEPTION(EInvalidOperation, Exception)
TALVIK_EXCEPTION(EOSError, Exception)
TALVIK_EXCEPTION(EOutOfResources, Exception)
TALVIK_EXCEPTION(EInvalidGraphic, Exception)
TALVIK_EXCEPTION(EdxException, Exception)    // failures of the skin library

// Replaces each "%s" of pattern, in order, by the next argument.
std::wstring Format(std::wstring_view pattern, std::initializer_list<std::wstring_view> args);

// Comparisons by the user locale's rules: AnsiCompareStr heeds letter case
// (below zero, zero or above zero), AnsiSameText does not.
int AnsiCompareStr(std::wstring_view a, std::wstring_view b);
bool AnsiSameText(std::wstring_view a, std::wstring_view b);

// The system's text for a Win32 or Winsock error number, without trailing line breaks.
std::wstring SysErrorMessage(unsigned long code);

// Removes characters with codes 32 and below from both ends.
std::wstring Trim(std::wstring_view s);

std::wstring Utf8ToWide(std::string_view s);
std::string WideToUtf8(std::wstring_view s);

// Upper case by the user locale's rules.
std::wstring AnsiUpperCase(std::wstring_view s);

// The major number of the Windows version the program runs on.
unsigned Win32MajorVersion();
unsigned Win32MinorVersion();
// Windows 2000 (NT 5.0); Windows XP (NT 5.1) or later.
inline bool IsWin2K() { return Win32MajorVersion() == 5 && Win32MinorVersion() == 0; }
inline bool IsWinXPOrLater() { return Win32MajorVersion() > 5 || (Win32MajorVersion() == 5 && Win32MinorVersion() >= 1); }

}  // namespace talvik
