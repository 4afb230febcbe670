#include "resource_text.h"

#include <algorithm>

namespace forms {

std::wstring LoadStringIn(UINT id, LANGID language) {
    // Strings are stored in blocks of sixteen, each a count of characters
    // followed by the characters; block n holds ids 16 (n - 1) to 16 n - 1.
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC block = FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(id / 16 + 1), language);
    if (!block) return {};
    const auto* entry = static_cast<const WCHAR*>(LockResource(LoadResource(module, block)));
    if (!entry) return {};
    const WCHAR* const end = entry + SizeofResource(module, block) / sizeof(WCHAR);
    for (UINT skipped = 0; skipped < id % 16 && entry < end; ++skipped) entry += 1 + *entry;
    if (entry >= end) return {};
    const size_t length = std::min<size_t>(*entry, static_cast<size_t>(end - entry - 1));
    return std::wstring(entry + 1, length);
}

}  // namespace forms
