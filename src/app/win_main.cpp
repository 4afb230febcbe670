#include <windows.h>

#include <new>

#include "app/main.h"
#include "forms/program.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    try {
        Zoomorb_B::Main();
        forms::RunMessageLoop();
    } catch (const forms::RuntimeError& error) {
        forms::ReportRuntimeError(error);
    } catch (const std::bad_alloc&) {
        forms::ReportRuntimeError(forms::RuntimeError(forms::ErrorNumber::OutOfMemory));
    }
    return 0;
}
