#pragma once
// The window class every form is made of. Start-up looks for windows of this
// class, so that a window of another program that happens to carry one of
// our captions does not pass for ours.

namespace forms {

inline constexpr wchar_t kFormClass[] = L"ZoomorbForm";

}  // namespace forms
