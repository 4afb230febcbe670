#pragma once
// How the end-to-end tests make a running saver fail: the program has no
// run-time error that a test could bring about from outside, yet how a saver
// ends on one (the system put right before the message, the error's number
// as the exit code) can only be seen in the real program. Zoomorb.scr never
// fails here; the build the end-to-end tests start links, instead of this
// one, a version that raises a run-time error on a message of its own.

#include <windows.h>

namespace zoomorb::saver {

// Raises the test's run-time error when `message` asks for it.
void RaiseFaultAskedFor(UINT message);

}  // namespace zoomorb::saver
