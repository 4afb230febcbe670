#include "settings_dialog/zoomorb_p.h"

#include "resources/resource_ids.h"

namespace zoomorb::settings_dialog {
namespace {

forms::FormDesign DialogDesign() {
    forms::FormDesign design;
    design.caption = L"Zoomorb Saver";
    design.border = forms::BorderStyle::Sizable;
    design.widthTwips = 5790;
    design.heightTwips = 3525;
    design.iconResource = IDI_ZOOMORB;
    return design;
}

}  // namespace

Zoomorb_P::Zoomorb_P() : forms::Form(DialogDesign()) {}

Zoomorb_P& SettingsDialog() {
    static Zoomorb_P dialog;
    return dialog;
}

}  // namespace zoomorb::settings_dialog
