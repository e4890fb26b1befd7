// Character sets of replies: names to Windows code pages, and body decoding.
#pragma once
#include <string>

namespace talvik::net {

// The "charset" parameter of a Content-Type value, unquoted; empty when absent.
std::string CharsetOfContentType(const std::string& AContentType);

// The Windows code page of a character-set name (any letter case); 0 when unknown.
unsigned CodePageOfCharset(const std::string& AName);

// Decodes ABytes in the named character set; ISO-8859-1 (one byte, one character)
// for an empty or unknown name or a code page the system lacks.
std::wstring DecodeText(const std::string& ABytes, const std::string& ACharset);

}  // namespace talvik::net
