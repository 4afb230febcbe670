#pragma once
// One value of a profile (INI) file, read and written through the file's
// Unicode name in the format the system's profile functions use, for a path
// that the ANSI profile functions cannot name: one the system's code page
// cannot spell on a volume without short names. Section, key and value are
// bytes, in whichever code page the caller keeps them.

#include <optional>
#include <string>
#include <string_view>

namespace Zoomorb_B {

// The value's text, at most 255 bytes as the profile functions return it;
// empty when the file, the section or the key is missing.
std::string ReadProfileValue(const std::wstring& path, std::string_view section, std::string_view key);
// Sets the value, or removes the key when there is none; creates the file
// where needed. True when the file was written.
bool WriteProfileValue(const std::wstring& path, std::string_view section, std::string_view key,
                       std::optional<std::string_view> value);

}  // namespace Zoomorb_B
