#pragma once
// The program-wide variables and free procedures every part of the saver
// shares: start-up, the settings file and the small window utilities.

#include <windows.h>

#include <cstdint>
#include <string>

namespace forms {
class Form;
}

namespace Zoomorb_B {

// Magnification in percent; 200 when the settings file gives none, 0 before
// the settings have been loaded.
extern int32_t Magnification;
// The settings key in use ("倍率") and the value text last read or about to be written.
extern std::wstring IniKey;
extern std::wstring IniValue;
// Where the settings dialog's caption animations start and end (screen pixels).
extern int16_t AnimOriginX;
extern int16_t AnimOriginY;

// Start-up: the single-instance test, then the mode the command line asks for.
void Main();
bool IsWindowsNT();
// Tells the system that a screen saver runs (false) or no longer runs (true).
void SetSaverStopped(bool stopped);

void LoadSettings();
// Full path of the settings file beside the program.
std::wstring SettingsFilePath();
std::wstring ReadIniString(const std::wstring& section, const std::wstring& key, const std::wstring& file);
std::wstring WriteIniString(const std::wstring& section, const std::wstring& key, const std::wstring& value,
                            const std::wstring& file);

void SetTopmost(forms::Form& form, bool topmost);
void AnimateOpen(HWND window);
void AnimateClose(HWND window);

}  // namespace Zoomorb_B
