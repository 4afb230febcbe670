#pragma once
// The settings dialog: the magnification on a scroll bar, saved with OK.

#include "forms/form.h"

namespace zoomorb::settings_dialog {

class Zoomorb_P : public forms::Form {
public:
    Zoomorb_P();
};

Zoomorb_P& SettingsDialog();

}  // namespace zoomorb::settings_dialog
