#pragma once
// A profile (INI) file's bytes, read and changed as the system's profile
// functions read and change them, for a file the program must open by its
// Unicode name: one key of one section, every other byte left as it was.
// Lines end in CR LF or LF; section and key names match without regard to
// the case of ASCII letters.

#include <optional>
#include <string>
#include <string_view>

namespace zoomorb::profile {

// The value of `key` in `section`: the text after the first "=" of the key's
// line, without the blanks and tabs around it or a pair of quotes enclosing
// it. Empty when the section or the key is missing.
std::string ValueIn(std::string_view file, std::string_view section, std::string_view key);

// The file with `key` in `section` set to `value`, or removed when there is
// none: the key's line replaced ("key=value", CR LF) or dropped, or the line
// added after the section's last one, or the section added at the end of
// the file. A file that ends without a line break gets one first.
std::string WithValue(std::string_view file, std::string_view section, std::string_view key,
                      std::optional<std::string_view> value);

}  // namespace zoomorb::profile
