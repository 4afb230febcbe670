#pragma once
// The settings dialog: the magnification on a scroll bar with a live
// percentage beside it, saved with OK, over a grey-blue gradient that the
// dialog draws itself. Geometry is kept in twips, so it follows the DPI.

#include "forms/command_button.h"
#include "forms/form.h"
#include "forms/hscroll_bar.h"
#include "forms/label.h"
#include "forms/picture_box.h"

namespace zoomorb::settings_dialog {

class Zoomorb_P : public forms::Form {
public:
    Zoomorb_P();

    // Declared in the order their windows are made, which is the tab order.
    forms::PictureBox Pic_C;
    forms::CommandButton Cmd_End;
    forms::HScrollBar Bairitu;
    forms::PictureBox Picture1;
    forms::Label lbl_Bairitu;
    forms::Label Label1;
    forms::Label lbl_URL;
    // Elements 0 ("倍率") and 9 (the credit line) of the control array lbl.
    forms::Label lbl0;
    forms::Label lbl9;

protected:
    void Form_Load() override;
    void Form_Unload(int& cancel) override;
    void Form_Resize() override;

private:
    void Bairitu_Change();
    void Cmd_End_Click();
    void lbl_URL_Click();
};

Zoomorb_P& SettingsDialog();

}  // namespace zoomorb::settings_dialog
