#pragma once
// Preview mode: the display settings ask for a small picture of the saver in
// a pane of theirs. We show a fixed picture there, in a child window that
// covers the pane, and end once the pane has gone.

#include <string>

#include "forms/form.h"
#include "forms/image.h"
#include "forms/timer.h"

namespace zoomorb::preview {

class Zoomorb_R : public forms::Form {
public:
    Zoomorb_R();

    forms::Image Img_Prev;

    // Starts watching the pane; the instance ends once it is gone.
    void WatchPane(HWND pane);

private:
    void PaneWatch_Timer();

    forms::Timer paneWatch_;
    HWND pane_ = nullptr;
};

// Runs the preview start with the handle text of the command line.
void StartPreview(const std::string& handleText);

Zoomorb_R& PreviewForm();

}  // namespace zoomorb::preview
