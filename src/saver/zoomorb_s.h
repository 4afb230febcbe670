#pragma once
// The saver window: a borderless, topmost magnifying glass whose lens shows
// the desktop around the cursor, enlarged. Three timers drive it: the view,
// the cursor's circle (with the Escape poll) and the window's own wandering.

#include <windows.h>

#include "forms/form.h"
#include "forms/handles.h"
#include "forms/picture_box.h"
#include "forms/screen.h"
#include "forms/timer.h"
#include "saver/core/desktop.h"
#include "saver/core/redraw_pacing.h"
#include "saver/core/saver_state.h"
#include "saver/core/screen_metrics.h"
#include "saver/magnified_view.h"
#include "saver/saver_session.h"

namespace zoomorb::saver {

class Zoomorb_S : public forms::Form {
public:
    // `session`: what the saver changes in the system, held by start-up for
    // longer than the window lives.
    explicit Zoomorb_S(SaverSession& session);

    forms::PictureBox Display;

protected:
    void Form_Load() override;
    void OnCloseRequest() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void EndSaver();
    // Reads the monitors afresh: at start-up, and when their layout changes.
    void FollowMonitors();
    // Draws the glass for `glassDpi_`, shapes the window to it and places
    // the lens in it: at start-up, and whenever the glass comes onto a
    // monitor of another DPI.
    void DrawGlass();
    // Whether the glass now lies on a monitor of another DPI; if so, it is
    // drawn for that one.
    void FollowGlassDpi();
    // Stops the saver, puts the system right, unloads the window and asks
    // the program to end: the one ending, whatever asked for it.
    void RestoreAndEnd();
    bool PasswordAccepted();

    forms::Timer Timer1;
    forms::Timer Timer2;
    forms::Timer Timer3;

    SaverSession& session_;
    POINT CursorPos{};
    MagnifiedView view_{Display};
    std::vector<forms::MonitorArea> monitors_;
    Desktop desktop_{{}};
    // The DPI the glass is drawn for, and the screen as the motions see it then.
    int32_t glassDpi_ = 96;
    ScreenMetrics metrics_;
    SaverState state_;
    RedrawPacing redrawPacing_;
    // The 9x password dialog is open, or the saver is ending.
    bool endingSaver_ = false;
};

}  // namespace zoomorb::saver
