#pragma once
// The settings dialog: the magnification on a scroll bar with a live
// percentage beside it, saved with OK, over a grey-blue gradient that the
// dialog draws itself (in a high-contrast theme, the theme's colours).
// Geometry is kept in twips, so it follows the DPI. The keyboard works it
// all, and assistive technology hears what its drawn labels say.

#include "forms/accessible_annotations.h"
#include "forms/command_button.h"
#include "forms/form.h"
#include "forms/hscroll_bar.h"
#include "forms/label.h"
#include "forms/picture_box.h"
#include "settings_dialog/dialog_texts.h"

namespace zoomorb::settings_dialog {

class Zoomorb_P : public forms::Form {
public:
    // The words follow the user's UI language (Japanese, or else English);
    // the caption never changes, since a second start looks for it.
    explicit Zoomorb_P(LANGID uiLanguage = GetUserDefaultUILanguage());

private:
    // Made before the controls, which show them.
    const DialogTexts texts_;

public:
    // Declared in the order their windows are made, which is the tab order.
    // The scroll bar comes first, so the dialog opens with the focus on it.
    forms::PictureBox Pic_C;
    forms::HScrollBar Bairitu;
    forms::CommandButton Cmd_End;
    forms::PictureBox Picture1;
    forms::Label lbl_Bairitu;
    forms::Label Label1;
    forms::Label lbl_URL;
    // Elements 0 (the magnification's caption) and 9 (the credit line) of the
    // control array lbl.
    forms::Label lbl0;
    forms::Label lbl9;

protected:
    void Form_Load() override;
    void Form_Unload(int& cancel) override;
    void Form_Resize() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    std::wstring PercentText(int16_t value) const;
    void ShowValue();
    // The design's colours, or the theme's in high contrast.
    void ApplyColours();
    // Moves the dialog onto the work area of its monitor, where it reaches past it.
    void KeepOnWorkArea();
    void Bairitu_Change();
    void Cmd_End_Click();
    void lbl_URL_Click();

    // Last, so that it takes its annotations back while the windows exist.
    forms::AccessibleAnnotations accessible_;
};

}  // namespace zoomorb::settings_dialog
