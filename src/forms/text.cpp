#include "text.h"

#include <windows.h>

namespace forms {

std::wstring FromCodePage(std::string_view bytes, unsigned codePage) {
    if (bytes.empty()) return {};
    const int length = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), length);
    return wide;
}

std::string ToCodePage(std::wstring_view wide, unsigned codePage, bool* exact) {
    if (exact) *exact = true;
    if (wide.empty()) return {};
    BOOL usedDefault = FALSE;
    // UTF-8 refuses the "used default" flag; it represents every character anyway.
    BOOL* usedDefaultArgument = codePage == CP_UTF8 ? nullptr : &usedDefault;
    const int length = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                           nullptr, usedDefaultArgument);
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(), length, nullptr,
                        usedDefaultArgument);
    if (exact && usedDefault) *exact = false;
    return bytes;
}

std::wstring Widen(std::string_view utf8) { return FromCodePage(utf8, CP_UTF8); }
std::string Narrow(std::wstring_view wide) { return ToCodePage(wide, CP_UTF8); }

}  // namespace forms
