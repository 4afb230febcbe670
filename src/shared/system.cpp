#include "shared/system.h"

#include <windows.h>

namespace Zoomorb_B {
namespace {

constexpr UINT kScreenSaverRunning = 97;  // SPI_SCREENSAVERRUNNING

}  // namespace

bool IsWindowsNT() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExA(&version) == 1 && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

void SetSaverStopped(bool stopped) {
    SystemParametersInfoA(kScreenSaverRunning, stopped ? FALSE : TRUE, nullptr, 0);
}

}  // namespace Zoomorb_B
