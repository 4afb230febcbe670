#pragma once
// How a profile file's text is stored, as the system's profile functions
// tell it: by the byte-order mark at its start, UTF-16 (either byte order)
// or UTF-8; without one, in a code page. The text between the mark and the
// end is what the profile text functions read and change.

#include <string>
#include <string_view>

namespace zoomorb::profile {

enum class Encoding { CodePage, Utf8, Utf16LittleEndian, Utf16BigEndian };

Encoding EncodingOf(std::string_view fileBytes);
// The byte-order mark that starts a file of that encoding; empty for a code page.
std::string_view MarkOf(Encoding encoding);

// The UTF-16 units of a UTF-16 file's text (without its mark), and their
// bytes again. A last odd byte is no unit: the caller keeps it as it was.
std::u16string Utf16Units(std::string_view bytes, Encoding encoding);
std::string Utf16Bytes(std::u16string_view units, Encoding encoding);

}  // namespace zoomorb::profile
