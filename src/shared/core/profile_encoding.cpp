#include "profile_encoding.h"

namespace zoomorb::profile {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";

bool StartsWith(std::string_view text, std::string_view start) { return text.substr(0, start.size()) == start; }

}  // namespace

Encoding EncodingOf(std::string_view fileBytes) {
    if (StartsWith(fileBytes, kUtf16LittleEndianMark)) return Encoding::Utf16LittleEndian;
    if (StartsWith(fileBytes, kUtf16BigEndianMark)) return Encoding::Utf16BigEndian;
    if (StartsWith(fileBytes, kUtf8Mark)) return Encoding::Utf8;
    return Encoding::CodePage;
}

std::string_view MarkOf(Encoding encoding) {
    switch (encoding) {
        case Encoding::Utf8:
            return kUtf8Mark;
        case Encoding::Utf16LittleEndian:
            return kUtf16LittleEndianMark;
        case Encoding::Utf16BigEndian:
            return kUtf16BigEndianMark;
        case Encoding::CodePage:
            break;
    }
    return {};
}

std::u16string Utf16Units(std::string_view bytes, Encoding encoding) {
    const bool bigEndian = encoding == Encoding::Utf16BigEndian;
    std::u16string units(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        units[i] = static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
    }
    return units;
}

std::string Utf16Bytes(std::u16string_view units, Encoding encoding) {
    const bool bigEndian = encoding == Encoding::Utf16BigEndian;
    std::string bytes;
    bytes.reserve(units.size() * 2);
    for (const char16_t unit : units) {
        const auto high = static_cast<char>(unit >> 8);
        const auto low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

}  // namespace zoomorb::profile
