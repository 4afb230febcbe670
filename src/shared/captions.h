#pragma once
// The captions of the two windows a second start looks for: while the saver
// or the settings dialog is open, the program does not start again. The
// windows carry these captions and start-up searches for them among the
// windows of the forms' class (forms/form_class.h).

namespace zoomorb {

inline constexpr wchar_t kSaverCaption[] = L"Zoomorb_Main";
inline constexpr wchar_t kSettingsDialogCaption[] = L"Zoomorb Saver";

}  // namespace zoomorb
