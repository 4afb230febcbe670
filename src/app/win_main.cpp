#include <windows.h>

#include "app/main.h"
#include "forms/program.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Start-up runs before any window procedure: the same guard catches what
    // it throws, as it does for every event, and its error's number is the
    // exit code.
    const int exitCode = forms::RunEventHandler([] { return Zoomorb_B::Main(); });
    const int endedWith = forms::RequestedExitCode().value_or(exitCode);
    // A run-time error ended the program: it is told now, once every window
    // has gone and the system is as it was before the program ran.
    forms::ShowRuntimeError();
    return endedWith;
}
