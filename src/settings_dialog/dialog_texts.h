#pragma once
// The settings dialog's words and fonts in the user's language: Japanese
// where the UI language is Japanese, English everywhere else. The words come
// from the resource file's string table of that language.

#include <windows.h>

#include <string>

#include "forms/font.h"

namespace zoomorb::settings_dialog {

struct DialogTexts {
    std::wstring magnification;
    std::wstring escNote;
    std::wstring ok;
    std::wstring percentSign;
    // A failed save: what could not be done, and whether the files are
    // as they were.
    std::wstring saveFailed;
    std::wstring saveUndone;
    std::wstring saveNotUndone;
    // A settings file that is there but could not be read at the start.
    std::wstring readFailed;
    std::wstring readKept;
    // The captions' and the button's font, and the value label's, which must
    // hold the percent sign.
    forms::FontDesign font;
    forms::FontDesign valueFont;
};

DialogTexts DialogTextsFor(LANGID uiLanguage);

}  // namespace zoomorb::settings_dialog
