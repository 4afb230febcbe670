#pragma once
// The program's one setting, the magnification, and the two settings files
// that keep it between runs: one beside the program, where an administrator
// may place it, and one per user, for when the program's folder cannot be
// written (as in the system folder, for a standard user).

#include <cstdint>
#include <string>

namespace Zoomorb_B {

// Magnification in percent; 200 when the settings files give none, 0 before
// the settings have been loaded.
extern int32_t Magnification;
// The settings key in use ("倍率") and the value text last read or about to be written.
extern std::wstring IniKey;
extern std::wstring IniValue;

// Reads the magnification into Magnification: the per-user file's value when
// it holds one, otherwise the value of the file beside the program.
void LoadSettings();

struct SaveResult {
    // True only when the file now holds the value, read back after writing.
    bool saved = false;
    // The file that holds the value; when none took it, the last file tried.
    std::wstring file;
};
// Saves the magnification where the next start reads it, as the settings
// dialog's OK does: beside the program, dropping the per-user value that
// would hide it; where that folder cannot be written, in the per-user file.
SaveResult SaveSettings(int32_t magnification);

// Full path of the settings file beside the program.
std::wstring SettingsFilePath();
// Full path of the per-user settings file, Zoomorb\Zoomorb.ini in the user's
// roaming application data as the shell names that folder; empty when the
// shell names none.
std::wstring PerUserSettingsFilePath();

std::wstring ReadIniString(const std::wstring& section, const std::wstring& key, const std::wstring& file);
// True when the system took the value.
bool WriteIniString(const std::wstring& section, const std::wstring& key, const std::wstring& value,
                    const std::wstring& file);

}  // namespace Zoomorb_B
