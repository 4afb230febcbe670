#pragma once
// A profile (INI) file's text, read and changed as the system's profile
// functions read and change it: one key of one section, every other line
// left as it was. The text is in the file's own units: bytes for a file in
// a code page or in UTF-8, UTF-16 units for a UTF-16 file. Lines end in
// CR LF, LF or CR alone; section and key names match without regard to the
// case of ASCII letters.

#include <optional>
#include <string>
#include <string_view>

namespace zoomorb::profile {

// The value of `key` in `section`: the text after the first "=" of the key's
// line, without the blanks and tabs around it or a pair of quotes (double or
// single) enclosing it. Empty when the section or the key is missing.
std::string ValueIn(std::string_view file, std::string_view section, std::string_view key);
std::u16string ValueIn(std::u16string_view file, std::u16string_view section, std::u16string_view key);

// The file with `key` in `section` set to `value`, or removed when there is
// none: the text of the key's line replaced ("key=value", its line end kept)
// or the line dropped, or the line added after the section's last one, or
// the section added at the end of the file. Added lines end as the file's
// first line does (CR LF in a file without one); a file that ends without a
// line end gets one first.
std::string WithValue(std::string_view file, std::string_view section, std::string_view key,
                      std::optional<std::string_view> value);
std::u16string WithValue(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                         std::optional<std::u16string_view> value);

}  // namespace zoomorb::profile
