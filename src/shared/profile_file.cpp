#include "shared/profile_file.h"

#include "shared/core/profile_text.h"
#include "shared/file_bytes.h"

namespace Zoomorb_B {
namespace {

// As much as the profile functions' 256-byte buffer holds.
constexpr size_t kMaxValueBytes = 255;

}  // namespace

std::string ReadProfileValue(const std::wstring& path, std::string_view section, std::string_view key) {
    return zoomorb::profile::ValueIn(ReadFileBytes(path).bytes, section, key).substr(0, kMaxValueBytes);
}

bool WriteProfileValue(const std::wstring& path, std::string_view section, std::string_view key,
                       std::optional<std::string_view> value) {
    const FileContent before = ReadFileBytes(path);
    if (before.state == FileContent::State::Unreadable) return false;
    const std::string after = zoomorb::profile::WithValue(before.bytes, section, key, value);
    // Nothing to change: a missing file is not made for a key it lacks.
    if (after == before.bytes) return true;
    return WriteFileBytes(path, after);
}

}  // namespace Zoomorb_B
