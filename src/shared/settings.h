#pragma once
// The program's one setting, the magnification, and the two settings files
// that keep it between runs: one beside the program, where an administrator
// may place it, and one per user, for when the program's folder cannot be
// written (as in the system folder, for a standard user). Each file is
// found by its real name, whatever alphabet its folders are named in.

#include <cstdint>
#include <functional>
#include <string>

namespace Zoomorb_B {

// Magnification in percent; 200 when the settings files give none, 0 before
// the settings have been loaded.
extern int32_t Magnification;
// The settings key in use ("倍率") and the value text last read or about to be written.
extern std::wstring IniKey;
extern std::wstring IniValue;

// The settings file that is there but could not be read at the last
// LoadSettings (held by another program without read sharing, or not
// readable for this user), after a few hundred milliseconds of asking again;
// empty when each file needed was read or is missing. Magnification then
// holds the default, which is not what that file says.
extern std::wstring UnreadableSettingsFile;

// Reads the magnification into Magnification: the per-user file's value when
// it is one the settings dialog could have saved (only the dialog writes that
// file), otherwise the value of the file beside the program.
void LoadSettings();

struct SaveResult {
    // True only when the file now holds the value, read back after writing.
    bool saved = false;
    // The file that holds the value; when none took it, the last file tried.
    std::wstring file;
    // After a failed save: whether every file is again as it was before.
    bool filesUnchanged = true;
};
// Saves the magnification where the next start reads it, as the settings
// dialog's OK does: beside the program, dropping a per-user value that would
// hide it; where that folder cannot be written, in the per-user file. A save
// is whole or not at all: each file changes only by a complete write, and
// when the save cannot complete, what it changed on the way is put back.
SaveResult SaveSettings(int32_t magnification);

// Full path of the settings file beside the program.
std::wstring SettingsFilePath();
// Full path of the per-user settings file, Zoomorb\Zoomorb.ini in the user's
// roaming application data as the shell names that folder; empty when the
// shell names none.
std::wstring PerUserSettingsFilePath();

// A profile file's value, read and written as the system's profile functions
// do (keys in code page 932 in a file without a byte-order mark); empty when
// the file, the section or the key is missing or the file cannot be read.
std::wstring ReadIniString(const std::wstring& section, const std::wstring& key, const std::wstring& file);
// True when the file took the value.
bool WriteIniString(const std::wstring& section, const std::wstring& key, const std::wstring& value,
                    const std::wstring& file);

// In-process tests stand in for the writes to the settings files (values
// set and keys removed) with this: it is given the file and the real write,
// and returns what the write reports, so that a test can make a write fail,
// or claim success without writing, as some file systems' writes do. An
// empty function restores the real writes.
using SettingsWriteHook = std::function<bool(const std::wstring& file, const std::function<bool()>& write)>;
void SetSettingsWriteHook(SettingsWriteHook hook);

}  // namespace Zoomorb_B
