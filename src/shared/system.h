#pragma once
// What the program asks of the system and tells it: which family of Windows
// runs it, and whether a screen saver is running.

namespace Zoomorb_B {

bool IsWindowsNT();
// Tells the system that a screen saver runs (false) or no longer runs (true).
void SetSaverStopped(bool stopped);

}  // namespace Zoomorb_B
