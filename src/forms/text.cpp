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

std::string ToCodePage(std::wstring_view wide, unsigned codePage) {
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), size, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

std::wstring Widen(std::string_view utf8) { return FromCodePage(utf8, CP_UTF8); }
std::string Narrow(std::wstring_view wide) { return ToCodePage(wide, CP_UTF8); }

}  // namespace forms
