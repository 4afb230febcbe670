#include "forms/core/access_key.h"

#include <cwctype>

namespace forms {
namespace {

constexpr wchar_t kMark = L'&';

// Where the marked letter is, or npos: the first ampersand that is not
// doubled and has a letter after it.
size_t MarkedLetterAt(std::wstring_view caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != kMark) continue;
        if (caption[i + 1] != kMark) return i + 1;
        ++i;
    }
    return std::wstring_view::npos;
}

std::wstring WithoutMarks(std::wstring_view caption) {
    std::wstring text;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == kMark && i + 1 < caption.size()) ++i;
        text += caption[i];
    }
    return text;
}

}  // namespace

wchar_t AccessKeyOf(std::wstring_view caption) {
    const size_t letter = MarkedLetterAt(caption);
    if (letter == std::wstring_view::npos) return 0;
    return static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(caption[letter])));
}

std::wstring WithoutAccessKey(std::wstring_view caption) {
    const size_t letter = MarkedLetterAt(caption);
    // "(&M)" at the very end: the letter stands apart from the words.
    if (letter != std::wstring_view::npos && letter >= 2 && letter + 2 == caption.size() &&
        caption[letter - 2] == L'(' && caption[letter + 1] == L')') {
        std::wstring_view words = caption.substr(0, letter - 2);
        while (!words.empty() && words.back() == L' ') words.remove_suffix(1);
        return WithoutMarks(words);
    }
    return WithoutMarks(caption);
}

}  // namespace forms
