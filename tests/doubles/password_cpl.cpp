// Test double of the 9x password control panel: answers the saver's password
// check as password_answer.txt says ("accept" or anything else to reject) and
// records every call in password_calls.txt.

#include "double_log.h"

extern "C" __declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND owner) {
    doubles::AppendLine("password_calls.txt",
                        std::to_string(reinterpret_cast<uintptr_t>(owner)) + " " +
                            std::to_string(IsWindow(owner) ? 1 : 0));
    return doubles::ReadFirstWord("password_answer.txt") == "accept" ? TRUE : FALSE;
}
