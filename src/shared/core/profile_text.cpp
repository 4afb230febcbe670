#include "profile_text.h"

#include <vector>

namespace zoomorb::profile {
namespace {

template <typename Char>
struct Line {
    size_t begin;
    size_t end;   // before the line end
    size_t next;  // after the line end
    std::basic_string_view<Char> text;
};

template <typename Char>
std::vector<Line<Char>> LinesOf(std::basic_string_view<Char> file) {
    std::vector<Line<Char>> lines;
    for (size_t begin = 0; begin < file.size();) {
        size_t end = begin;
        while (end < file.size() && file[end] != Char('\n') && file[end] != Char('\r')) ++end;
        size_t next = end;
        if (next < file.size()) {
            const bool crLf = file[next] == Char('\r') && next + 1 < file.size() && file[next + 1] == Char('\n');
            next += crLf ? 2 : 1;
        }
        lines.push_back(Line<Char>{begin, end, next, file.substr(begin, end - begin)});
        begin = next;
    }
    return lines;
}

// How the file's lines end, for the lines added to it.
template <typename Char>
std::basic_string<Char> LineEndOf(std::basic_string_view<Char> file, const std::vector<Line<Char>>& lines) {
    for (const Line<Char>& line : lines)
        if (line.next > line.end) return std::basic_string<Char>(file.substr(line.end, line.next - line.end));
    return {Char('\r'), Char('\n')};
}

template <typename Char>
bool IsBlank(Char c) {
    return c == Char(' ') || c == Char('\t');
}

template <typename Char>
std::basic_string_view<Char> Trimmed(std::basic_string_view<Char> text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

template <typename Char>
Char AsciiLower(Char c) {
    return c >= Char('A') && c <= Char('Z') ? static_cast<Char>(c - Char('A') + Char('a')) : c;
}

template <typename Char>
bool SameName(std::basic_string_view<Char> a, std::basic_string_view<Char> b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

// The name of the section a line opens; nothing for any other line.
template <typename Char>
std::optional<std::basic_string_view<Char>> SectionOf(std::basic_string_view<Char> line) {
    line = Trimmed(line);
    if (line.empty() || line.front() != Char('[')) return std::nullopt;
    const size_t close = line.rfind(Char(']'));
    if (close == std::basic_string_view<Char>::npos) return std::nullopt;
    return Trimmed(line.substr(1, close - 1));
}

// The value part of a line that sets `key`; nothing for any other line.
template <typename Char>
std::optional<std::basic_string_view<Char>> ValueOf(std::basic_string_view<Char> line,
                                                    std::basic_string_view<Char> key) {
    const size_t equals = line.find(Char('='));
    if (equals == std::basic_string_view<Char>::npos || !SameName(Trimmed(line.substr(0, equals)), key))
        return std::nullopt;
    return Trimmed(line.substr(equals + 1));
}

// Where `section` starts and ends among the lines: its header's index and
// the index after its last line that is not blank.
struct SectionLines {
    size_t header;
    size_t end;
};

template <typename Char>
std::optional<SectionLines> FindSection(const std::vector<Line<Char>>& lines, std::basic_string_view<Char> section) {
    for (size_t header = 0; header < lines.size(); ++header) {
        const auto name = SectionOf(lines[header].text);
        if (!name || !SameName(*name, section)) continue;
        size_t end = header + 1;
        for (size_t i = header + 1; i < lines.size() && !SectionOf(lines[i].text); ++i)
            if (!Trimmed(lines[i].text).empty()) end = i + 1;
        return SectionLines{header, end};
    }
    return std::nullopt;
}

template <typename Char>
std::optional<size_t> FindKey(const std::vector<Line<Char>>& lines, const SectionLines& section,
                              std::basic_string_view<Char> key) {
    for (size_t i = section.header + 1; i < section.end; ++i)
        if (ValueOf(lines[i].text, key)) return i;
    return std::nullopt;
}

template <typename Char>
std::basic_string<Char> Spliced(std::basic_string_view<Char> file, size_t from, size_t to,
                                std::basic_string_view<Char> insert) {
    return std::basic_string<Char>(file.substr(0, from)) + std::basic_string<Char>(insert) +
           std::basic_string<Char>(file.substr(to));
}

template <typename Char>
std::basic_string<Char> AnyValueIn(std::basic_string_view<Char> file, std::basic_string_view<Char> section,
                                   std::basic_string_view<Char> key) {
    const std::vector<Line<Char>> lines = LinesOf(file);
    const auto found = FindSection(lines, section);
    if (!found) return {};
    const auto keyLine = FindKey(lines, *found, key);
    if (!keyLine) return {};
    std::basic_string_view<Char> value = *ValueOf(lines[*keyLine].text, key);
    if (value.size() >= 2 && (value.front() == Char('"') || value.front() == Char('\'')) &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::basic_string<Char>(value);
}

template <typename Char>
std::basic_string<Char> AnyWithValue(std::basic_string_view<Char> file, std::basic_string_view<Char> section,
                                     std::basic_string_view<Char> key,
                                     std::optional<std::basic_string_view<Char>> value) {
    const std::vector<Line<Char>> lines = LinesOf(file);
    const std::basic_string<Char> lineEnd = LineEndOf(file, lines);
    std::basic_string<Char> keyLine;
    if (value) keyLine = std::basic_string<Char>(key) + Char('=') + std::basic_string<Char>(*value);
    const auto found = FindSection(lines, section);
    if (const auto existing = found ? FindKey(lines, *found, key) : std::nullopt) {
        const Line<Char>& line = lines[*existing];
        return value ? Spliced<Char>(file, line.begin, line.end, keyLine) : Spliced<Char>(file, line.begin, line.next, {});
    }
    if (!value) return std::basic_string<Char>(file);
    std::basic_string<Char> added = keyLine + lineEnd;
    if (!found) added = Char('[') + std::basic_string<Char>(section) + Char(']') + lineEnd + added;
    const size_t at = found ? lines[found->end - 1].next : file.size();
    // What is added after a last line without a line end starts a line of its own.
    if (at > 0 && at == file.size() && lines.back().next == lines.back().end) added = lineEnd + added;
    return Spliced<Char>(file, at, at, added);
}

}  // namespace

std::string ValueIn(std::string_view file, std::string_view section, std::string_view key) {
    return AnyValueIn(file, section, key);
}

std::u16string ValueIn(std::u16string_view file, std::u16string_view section, std::u16string_view key) {
    return AnyValueIn(file, section, key);
}

std::string WithValue(std::string_view file, std::string_view section, std::string_view key,
                      std::optional<std::string_view> value) {
    return AnyWithValue(file, section, key, value);
}

std::u16string WithValue(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                         std::optional<std::u16string_view> value) {
    return AnyWithValue(file, section, key, value);
}

}  // namespace zoomorb::profile
