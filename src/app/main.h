#pragma once
// Start-up: the single-instance test, then the one window the command line
// asks for, handed what it needs.

namespace Zoomorb_B {

void Main();

}  // namespace Zoomorb_B
