#pragma once
// One value of a profile (INI) file, read and written through the file's
// Unicode name in the format and the encoding the system's profile functions
// use: a file with a byte-order mark (UTF-16 or UTF-8) is read and changed
// in its encoding, a file without one in a code page, and a new file is made
// in the code page. A change is written whole or not at all.

#include <optional>
#include <string>

#include "shared/file_bytes.h"

namespace Zoomorb_B {

// A key of a section, as files of each kind spell it.
struct ProfileKey {
    std::wstring section;
    std::wstring key;
    // The names' bytes in a file kept in a code page. Values there are in
    // the system's code page.
    std::string sectionBytes;
    std::string keyBytes;
};

struct ProfileValue {
    FileContent::State file = FileContent::State::Missing;
    // At most 255 bytes or units of the file's text, as the profile
    // functions return it; empty when the file, the section or the key is
    // missing, or the file could not be read.
    std::wstring text;
};

ProfileValue ReadProfileValue(const std::wstring& path, const ProfileKey& key);
// Sets the value, or removes the key when there is none; creates the file
// where needed. True when the file was written (or needed no change); false
// when it could not be read, since writing it anew would lose what it holds.
bool WriteProfileValue(const std::wstring& path, const ProfileKey& key, const std::optional<std::wstring>& value);

}  // namespace Zoomorb_B
