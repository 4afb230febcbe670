#include "profile_text.h"

#include <vector>

namespace zoomorb::profile {
namespace {

struct Line {
    size_t begin;
    size_t end;   // before the line break
    size_t next;  // after the line break
    std::string_view text;
};

std::vector<Line> LinesOf(std::string_view file) {
    std::vector<Line> lines;
    for (size_t begin = 0; begin < file.size();) {
        const size_t lineFeed = file.find('\n', begin);
        const size_t next = lineFeed == std::string_view::npos ? file.size() : lineFeed + 1;
        size_t end = lineFeed == std::string_view::npos ? file.size() : lineFeed;
        if (end > begin && file[end - 1] == '\r') --end;
        lines.push_back(Line{begin, end, next, file.substr(begin, end - begin)});
        begin = next;
    }
    return lines;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

// The name of the section a line opens; nothing for any other line.
std::optional<std::string_view> SectionOf(std::string_view line) {
    line = Trimmed(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    const size_t close = line.rfind(']');
    if (close == std::string_view::npos) return std::nullopt;
    return Trimmed(line.substr(1, close - 1));
}

// The value part of a line that sets `key`; nothing for any other line.
std::optional<std::string_view> ValueOf(std::string_view line, std::string_view key) {
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos || !SameName(Trimmed(line.substr(0, equals)), key)) return std::nullopt;
    return Trimmed(line.substr(equals + 1));
}

// Where `section` starts and ends among the lines: its header's index and
// the index after its last line that is not blank.
struct SectionLines {
    size_t header;
    size_t end;
};

std::optional<SectionLines> FindSection(const std::vector<Line>& lines, std::string_view section) {
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

std::optional<size_t> FindKey(const std::vector<Line>& lines, const SectionLines& section, std::string_view key) {
    for (size_t i = section.header + 1; i < section.end; ++i)
        if (ValueOf(lines[i].text, key)) return i;
    return std::nullopt;
}

std::string Spliced(std::string_view file, size_t from, size_t to, std::string_view insert) {
    std::string result(file.substr(0, from));
    // What is added after a last line without a line break starts a line of its own.
    if (!insert.empty() && from > 0 && file[from - 1] != '\n') result += "\r\n";
    result += insert;
    result += file.substr(to);
    return result;
}

}  // namespace

std::string ValueIn(std::string_view file, std::string_view section, std::string_view key) {
    const std::vector<Line> lines = LinesOf(file);
    const auto found = FindSection(lines, section);
    if (!found) return {};
    const auto keyLine = FindKey(lines, *found, key);
    if (!keyLine) return {};
    std::string_view value = *ValueOf(lines[*keyLine].text, key);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

std::string WithValue(std::string_view file, std::string_view section, std::string_view key,
                      std::optional<std::string_view> value) {
    const std::string keyLine = value ? std::string(key) + "=" + std::string(*value) + "\r\n" : std::string();
    const std::vector<Line> lines = LinesOf(file);
    const auto found = FindSection(lines, section);
    if (!found) {
        if (!value) return std::string(file);
        return Spliced(file, file.size(), file.size(), "[" + std::string(section) + "]\r\n" + keyLine);
    }
    if (const auto existing = FindKey(lines, *found, key))
        return Spliced(file, lines[*existing].begin, lines[*existing].next, keyLine);
    if (!value) return std::string(file);
    const size_t after = lines[found->end - 1].next;
    return Spliced(file, after, after, keyLine);
}

}  // namespace zoomorb::profile
