#pragma once
// Counts a process's live GDI objects, for leak checks in-process and from
// outside. GetGuiResources is a stub under Wine, but Wine 8 keeps each 64-bit
// process's GDI objects in a table its PEB points to (GdiSharedHandleTable):
// 65536 entries of 24 bytes, the entry's type at byte 14, 0 when free. 32-bit
// Wine processes have no such table.

#include <windows.h>
#include <winternl.h>

#include <cstddef>
#include <optional>
#include <vector>

namespace gdi_handles {

inline std::optional<size_t> Count(HANDLE process) {
    constexpr size_t kPebTableOffset = sizeof(void*) == 8 ? 0xF8 : 0x94;
    constexpr size_t kEntries = 0x10000;
    constexpr size_t kEntrySize = 24;
    constexpr size_t kEntryTypeOffset = 14;
    PROCESS_BASIC_INFORMATION basic{};
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0)
        return std::nullopt;
    void* table = nullptr;
    const auto* pointerPlace = reinterpret_cast<const char*>(basic.PebBaseAddress) + kPebTableOffset;
    if (!ReadProcessMemory(process, pointerPlace, &table, sizeof table, nullptr) || !table) return std::nullopt;
    std::vector<unsigned char> entries(kEntries * kEntrySize);
    if (!ReadProcessMemory(process, table, entries.data(), entries.size(), nullptr)) return std::nullopt;
    size_t used = 0;
    for (size_t i = 0; i < kEntries; ++i) used += entries[i * kEntrySize + kEntryTypeOffset] != 0;
    return used;
}

// The count must follow this process's own objects one for one, or the
// layout above is not the one this Wine uses.
inline bool CountingWorks() {
    const auto before = Count(GetCurrentProcess());
    std::vector<HBRUSH> brushes;
    for (int i = 0; i < 10; ++i) brushes.push_back(CreateSolidBrush(RGB(i, 2 * i, 3 * i)));
    const auto during = Count(GetCurrentProcess());
    for (HBRUSH brush : brushes) DeleteObject(brush);
    const auto after = Count(GetCurrentProcess());
    return before && during && after && *during == *before + 10 && *after == *before;
}

}  // namespace gdi_handles
