#pragma once
// The settings dialog's layout: where each of its parts lies, in the pixels
// of its design at 96 DPI. The dialog keeps them as twips, which the form
// engine turns into pixels at the DPI of the monitor the dialog is on.

#include <cstdint>

namespace zoomorb::settings_dialog {

struct DesignRect {
    int32_t left;
    int32_t top;
    int32_t width;
    int32_t height;
};

struct DialogLayout {
    DesignRect background;  // the picture box the client area holds exactly
    DesignRect scrollBar;
    DesignRect okButton;
    DesignRect picture;
    DesignRect value;
    DesignRect escapeNote;
    DesignRect link;
    DesignRect magnification;
    DesignRect credit;
};

inline constexpr DialogLayout kDialogDesign{
    {0, 0, 378, 208},   {148, 48, 113, 17}, {288, 144, 77, 21}, {12, 12, 124, 132}, {268, 52, 30, 12},
    {12, 152, 203, 13}, {12, 172, 214, 13}, {148, 32, 26, 13},  {148, 12, 165, 13},
};

}  // namespace zoomorb::settings_dialog
