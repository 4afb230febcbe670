#pragma once
// Start-up: the single-instance test, then the one window the command line
// asks for, handed what it needs; then the program's one message loop, until
// an ending asks for the exit code that Main returns. Everything the mode
// made is gone, and the system put right, by the time Main returns.

namespace Zoomorb_B {

int Main();

}  // namespace Zoomorb_B
