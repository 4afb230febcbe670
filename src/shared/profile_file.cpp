#include "shared/profile_file.h"

#include <windows.h>

#include "forms/text.h"
#include "shared/core/profile_encoding.h"
#include "shared/core/profile_text.h"

namespace Zoomorb_B {
namespace {

using zoomorb::profile::Encoding;

// As much as the profile functions' 256-character buffer holds.
constexpr size_t kMaxValueLength = 255;
// A file that is there but cannot be read may be held for a moment by
// another program (a virus scanner, a backup tool, a sync client): it is
// asked for again for a few hundred milliseconds before it counts as
// unreadable.
constexpr int kReadAttempts = 7;
constexpr DWORD kReadPauseMilliseconds = 50;

FileContent ReadWhenFree(const std::wstring& path) {
    FileContent content = ReadFileBytes(path);
    for (int attempt = 1; attempt < kReadAttempts && content.state == FileContent::State::Unreadable; ++attempt) {
        Sleep(kReadPauseMilliseconds);
        content = ReadFileBytes(path);
    }
    return content;
}

std::u16string Units(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }
std::wstring Wide(const std::u16string& units) { return std::wstring(units.begin(), units.end()); }
std::string Utf8(const std::wstring& text) { return forms::ToCodePage(text, CP_UTF8); }
std::string SystemCodePage(const std::wstring& text) { return forms::ToCodePage(text, CP_ACP); }

template <typename Char, typename Encode>
std::basic_string<Char> WithEncodedValue(std::basic_string_view<Char> text, std::basic_string_view<Char> section,
                                         std::basic_string_view<Char> key, const std::optional<std::wstring>& value,
                                         Encode encode) {
    if (!value) return zoomorb::profile::WithValue(text, section, key, std::nullopt);
    const std::basic_string<Char> encoded = encode(*value);
    return zoomorb::profile::WithValue(text, section, key, std::basic_string_view<Char>(encoded));
}

std::wstring ValueOfText(std::string_view bytes, const ProfileKey& key) {
    const Encoding encoding = zoomorb::profile::EncodingOf(bytes);
    const std::string_view text = bytes.substr(zoomorb::profile::MarkOf(encoding).size());
    switch (encoding) {
        case Encoding::CodePage:
            return forms::FromCodePage(
                zoomorb::profile::ValueIn(text, key.sectionBytes, key.keyBytes).substr(0, kMaxValueLength), CP_ACP);
        case Encoding::Utf8:
            return forms::FromCodePage(
                zoomorb::profile::ValueIn(text, Utf8(key.section), Utf8(key.key)).substr(0, kMaxValueLength),
                CP_UTF8);
        case Encoding::Utf16LittleEndian:
        case Encoding::Utf16BigEndian:
            return Wide(zoomorb::profile::ValueIn(zoomorb::profile::Utf16Units(text, encoding), Units(key.section),
                                                  Units(key.key))
                            .substr(0, kMaxValueLength));
    }
    return {};
}

std::string BytesWithValue(std::string_view bytes, const ProfileKey& key, const std::optional<std::wstring>& value) {
    const Encoding encoding = zoomorb::profile::EncodingOf(bytes);
    const std::string mark(zoomorb::profile::MarkOf(encoding));
    const std::string_view text = bytes.substr(mark.size());
    switch (encoding) {
        case Encoding::CodePage:
            return WithEncodedValue<char>(text, key.sectionBytes, key.keyBytes, value, SystemCodePage);
        case Encoding::Utf8:
            return mark + WithEncodedValue<char>(text, Utf8(key.section), Utf8(key.key), value, Utf8);
        case Encoding::Utf16LittleEndian:
        case Encoding::Utf16BigEndian: {
            const std::u16string units = zoomorb::profile::Utf16Units(text, encoding);
            const std::u16string changed =
                WithEncodedValue<char16_t>(units, Units(key.section), Units(key.key), value, Units);
            // A last odd byte, which is no UTF-16 unit, stays at the end.
            return mark + zoomorb::profile::Utf16Bytes(changed, encoding) + std::string(text.substr(units.size() * 2));
        }
    }
    return std::string(bytes);
}

}  // namespace

ProfileValue ReadProfileValue(const std::wstring& path, const ProfileKey& key) {
    const FileContent content = ReadWhenFree(path);
    return ProfileValue{content.state, ValueOfText(content.bytes, key)};
}

bool WriteProfileValue(const std::wstring& path, const ProfileKey& key, const std::optional<std::wstring>& value) {
    const FileContent before = ReadWhenFree(path);
    if (before.state == FileContent::State::Unreadable) return false;
    const std::string after = BytesWithValue(before.bytes, key, value);
    // Nothing to change: a missing file is not made for a key it lacks.
    if (after == before.bytes) return true;
    return ReplaceFileBytes(path, after);
}

}  // namespace Zoomorb_B
