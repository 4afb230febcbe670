#pragma once
// The message on which the end-to-end tests' build of the saver raises a
// run-time error (Overflow, number 6).

#include <windows.h>

namespace test_doubles {

constexpr UINT kRaiseFaultMessage = WM_APP + 0x2F;
constexpr int kRaisedFaultNumber = 6;

}  // namespace test_doubles
