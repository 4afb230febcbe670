// Edits random settings files, as a user's editor or another program may
// have left them, in bytes and in UTF-16 units: whatever the text, the value
// set is the value read back, and where the file held no such key, setting
// it and removing it again leaves every unit it had (a line end and the
// section's header may stay at its end).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "shared/core/profile_text.h"

namespace {

template <typename Char>
void EditAndCheck(std::basic_string_view<Char> file, std::basic_string_view<Char> key,
                  const std::basic_string<Char>& value) {
    using namespace zoomorb::profile;
    const std::basic_string<Char> section{'S', 'e', 'c', 't', 'i', 'o', 'n'};
    // Two line ends around the section's header.
    const size_t mostAdded = 2 + section.size() + 2 + 2;
    const std::basic_string<Char> set = WithValue(file, section, key, value);
    if (ValueIn(set, section, key) != value) std::abort();
    if (file.find(key) != std::basic_string_view<Char>::npos) return;
    const std::basic_string<Char> removed = WithValue(set, section, key, std::nullopt);
    if (!ValueIn(removed, section, key).empty()) std::abort();
    if (removed.compare(0, file.size(), file) != 0 || removed.size() > file.size() + mostAdded) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    // The first byte picks a value of digits, as the dialog writes them.
    const std::string value = std::to_string(data[0] * 7);
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    EditAndCheck<char>(bytes, "\x94\x7B\x97\xA6", value);

    std::u16string units(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                         static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    EditAndCheck<char16_t>(units, u"\u500D\u7387", std::u16string(value.begin(), value.end()));
    return 0;
}
