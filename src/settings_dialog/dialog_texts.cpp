#include "settings_dialog/dialog_texts.h"

#include "forms/resource_text.h"
#include "resources/resource_ids.h"

namespace zoomorb::settings_dialog {
namespace {

constexpr LANGID kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
constexpr LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
constexpr float kDesignPoints = 9.75f;

}  // namespace

DialogTexts DialogTextsFor(LANGID uiLanguage) {
    const bool japanese = PRIMARYLANGID(uiLanguage) == LANG_JAPANESE;
    const LANGID table = japanese ? kJapanese : kEnglish;
    DialogTexts texts;
    texts.magnification = forms::LoadStringIn(IDS_MAGNIFICATION, table);
    texts.escNote = forms::LoadStringIn(IDS_ESC_NOTE, table);
    texts.ok = forms::LoadStringIn(IDS_OK, table);
    texts.percentSign = forms::LoadStringIn(IDS_PERCENT_SIGN, table);
    texts.saveFailed = forms::LoadStringIn(IDS_SAVE_FAILED, table);
    texts.saveUndone = forms::LoadStringIn(IDS_SAVE_UNDONE, table);
    texts.saveNotUndone = forms::LoadStringIn(IDS_SAVE_NOT_UNDONE, table);
    texts.readFailed = forms::LoadStringIn(IDS_READ_FAILED, table);
    texts.readKept = forms::LoadStringIn(IDS_READ_KEPT, table);
    if (japanese) {
        // Asked for by its Japanese name in the Shift-JIS set; the font mapper
        // picks the nearest face where it is missing. It has the full-width
        // percent sign, which the system's font may lack.
        texts.font = forms::FontDesign{L"ＭＳ Ｐゴシック", kDesignPoints, SHIFTJIS_CHARSET};
        texts.valueFont = texts.font;
    } else {
        // The system's dialog font, at the size the layout was drawn for.
        texts.font = forms::FontDesign{L"", kDesignPoints};
        texts.valueFont = texts.font;
    }
    return texts;
}

}  // namespace zoomorb::settings_dialog
