#pragma once
// The settings dialog: the magnification on a scroll bar with a live
// percentage beside it, saved with OK, over a grey-blue gradient that the
// dialog draws itself. Geometry is kept in twips, so it follows the DPI.

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
    forms::PictureBox Pic_C;
    forms::CommandButton Cmd_End;
    forms::HScrollBar Bairitu;
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
    void Bairitu_Change();
    void Cmd_End_Click();
    void lbl_URL_Click();
};

Zoomorb_P& SettingsDialog();

}  // namespace zoomorb::settings_dialog
