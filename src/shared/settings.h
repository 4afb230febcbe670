#pragma once
// The program's one setting, the magnification, and the settings file that
// keeps it between runs.

#include <cstdint>
#include <string>

namespace Zoomorb_B {

// Magnification in percent; 200 when the settings file gives none, 0 before
// the settings have been loaded.
extern int32_t Magnification;
// The settings key in use ("倍率") and the value text last read or about to be written.
extern std::wstring IniKey;
extern std::wstring IniValue;

// Reads the magnification from the settings file into Magnification.
void LoadSettings();
// Writes the magnification to the settings file, as the settings dialog's OK
// does; true when the system took it.
bool SaveSettings(int32_t magnification);
// Full path of the settings file beside the program.
std::wstring SettingsFilePath();
std::wstring ReadIniString(const std::wstring& section, const std::wstring& key, const std::wstring& file);
// True when the system took the value.
bool WriteIniString(const std::wstring& section, const std::wstring& key, const std::wstring& value,
                    const std::wstring& file);

}  // namespace Zoomorb_B
