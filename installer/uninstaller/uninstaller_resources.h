#pragma once
// Resource ids of Uninstall.exe.

// The NSIS uninstaller that does the work, as RCDATA.
#define IDR_UNINSTALL_WORK 1
#define IDI_UNINSTALLER 2
