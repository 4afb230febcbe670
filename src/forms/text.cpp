#include "text.h"

#include <windows.h>

namespace forms {
namespace {

std::string Converted(std::wstring_view wide, unsigned codePage, DWORD flags, BOOL* usedDefault) {
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, usedDefault);
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), size, bytes.data(), length, nullptr, usedDefault);
    return bytes;
}

}  // namespace

std::wstring FromCodePage(std::string_view bytes, unsigned codePage) {
    if (bytes.empty()) return {};
    const int length = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), length);
    return wide;
}

std::string ToCodePage(std::wstring_view wide, unsigned codePage) { return Converted(wide, codePage, 0, nullptr); }

std::optional<std::string> ToCodePageExactly(std::wstring_view wide, unsigned codePage) {
    // The UTF code pages take neither flag (the ANSI code page may be UTF-8)
    // and spell every character anyway.
    const unsigned actual = codePage == CP_ACP ? GetACP() : codePage;
    const bool utf = actual == CP_UTF8 || actual == CP_UTF7;
    BOOL usedDefault = FALSE;
    std::string bytes = Converted(wide, actual, utf ? 0 : WC_NO_BEST_FIT_CHARS, utf ? nullptr : &usedDefault);
    // Read back as well: some code pages give one byte sequence to two
    // characters, and a path must name the one file it was given.
    if (usedDefault || FromCodePage(bytes, actual) != wide) return std::nullopt;
    return bytes;
}

std::wstring Widen(std::string_view utf8) { return FromCodePage(utf8, CP_UTF8); }
std::string Narrow(std::wstring_view wide) { return ToCodePage(wide, CP_UTF8); }

}  // namespace forms
