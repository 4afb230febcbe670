#pragma once
// Access keys as a caption marks them: an ampersand before the letter
// ("&Magnification"), or, as East Asian captions write it, the letter in
// parentheses after the words ("倍率(&M)"). A doubled ampersand is one
// ampersand shown as itself.

#include <string>
#include <string_view>

namespace forms {

// The marked letter, upper-cased; 0 when the caption marks none.
wchar_t AccessKeyOf(std::wstring_view caption);

// The caption as a name for assistive technology: the words without the
// mark, and without the parenthesised letter, which is no part of them.
std::wstring WithoutAccessKey(std::wstring_view caption);

}  // namespace forms
