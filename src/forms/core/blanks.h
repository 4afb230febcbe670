#pragma once
// Blanks as command lines and settings files use them between words: the
// space and the tab. Line ends are no blanks; they end a line.

namespace forms {

template <typename Char>
constexpr bool IsBlank(Char c) {
    return c == Char(' ') || c == Char('\t');
}

}  // namespace forms
