#include "argument_text.h"

#include "blanks.h"

namespace forms {

std::string ArgumentTextFromCommandLine(std::string_view line) {
    size_t i = 0;
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i < line.size() && line[i] == '"') {
        const size_t close = line.find('"', i + 1);
        i = close == std::string_view::npos ? line.size() : close + 1;
    } else {
        while (i < line.size() && !IsBlank(line[i])) ++i;
    }
    while (i < line.size() && IsBlank(line[i])) ++i;
    return std::string(line.substr(i));
}

}  // namespace forms
