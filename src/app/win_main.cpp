#include <windows.h>

#include "app/main.h"
#include "forms/program.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Start-up runs before any window procedure: the same guard reports
    // whatever it throws, as it does for every event.
    forms::RunEventHandler([] {
        Zoomorb_B::Main();
        forms::RunMessageLoop();
    });
    return 0;
}
