// Edits random settings files, as a user's editor or another program may
// have left them: whatever the bytes, the value set is the value read back,
// and where the file held no such key, setting it and removing it again
// leaves every byte it had (a line break and the section's header may stay
// at its end).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "shared/core/profile_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zoomorb::profile;
    constexpr std::string_view kSection = "Section";
    constexpr std::string_view kKey = "\x94\x7B\x97\xA6";
    constexpr std::string_view kMostAdded = "\r\n[Section]\r\n";
    if (size == 0) return 0;
    // The first byte picks a value of digits, as the dialog writes them.
    const std::string value = std::to_string(data[0] * 7);
    const std::string_view file(reinterpret_cast<const char*>(data) + 1, size - 1);

    const std::string set = WithValue(file, kSection, kKey, value);
    if (ValueIn(set, kSection, kKey) != value) std::abort();
    if (file.find(kKey) != std::string_view::npos) return 0;
    const std::string removed = WithValue(set, kSection, kKey, std::nullopt);
    if (!ValueIn(removed, kSection, kKey).empty()) std::abort();
    if (removed.compare(0, file.size(), file) != 0 || removed.size() > file.size() + kMostAdded.size()) std::abort();
    return 0;
}
