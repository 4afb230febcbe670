#pragma once
// Conversions between the program's UTF-8 / UTF-16 texts and code pages.

#include <string>
#include <string_view>

namespace forms {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);
// Bytes of `wide` in `codePage` (CP_ACP for the system's ANSI code page);
// a character the code page lacks becomes its nearest look-alike or "?".
std::string ToCodePage(std::wstring_view wide, unsigned codePage);
std::wstring FromCodePage(std::string_view bytes, unsigned codePage);

}  // namespace forms
