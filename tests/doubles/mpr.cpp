// Test double of the 9x password-change export of mpr: records its arguments
// in mpr_calls.txt.

#include "double_log.h"

extern "C" __declspec(dllexport) DWORD WINAPI PwdChangePasswordA(LPCSTR registryKey, HWND owner, DWORD reserved1, DWORD reserved2) {
    doubles::AppendLine("mpr_calls.txt", std::string(registryKey ? registryKey : "(null)") + " " +
                                             std::to_string(reinterpret_cast<uintptr_t>(owner)) + " " +
                                             std::to_string(reserved1) + " " + std::to_string(reserved2));
    return 0;
}
