#include "shared/settings.h"

#include <windows.h>
#include <shlobj.h>

#include <optional>

#include "forms/handles.h"
#include "forms/program.h"
#include "forms/text.h"
#include "shared/core/settings_value.h"
#include "shared/file_bytes.h"
#include "shared/profile_file.h"

namespace Zoomorb_B {

int32_t Magnification = 0;
std::wstring IniKey;
std::wstring IniValue;
std::wstring UnreadableSettingsFile;

namespace {

// The settings file beside the program, its one section and its one key.
constexpr wchar_t kFileName[] = L"Zoomorb.ini";
// The per-user file's folder inside the user's roaming application data.
constexpr wchar_t kPerUserFolder[] = L"Zoomorb";
constexpr wchar_t kSection[] = L"Section";
constexpr wchar_t kMagnificationKey[] = L"倍率";
// Keys are stored in code page 932 on every system, so a file reads the same
// whatever the system's code page (elsewhere "倍率" would degrade to "??").
constexpr unsigned kKeyCodePage = 932;
// The profile functions' limit for section and key names.
constexpr size_t kMaxNameLength = 127;

SettingsWriteHook& WriteHook() {
    static SettingsWriteHook hook;
    return hook;
}

// The key as files of each kind spell it: in a code-page file the section
// in the system's code page and the key in code page 932.
ProfileKey KeyOf(const std::wstring& section, const std::wstring& key) {
    const std::wstring sectionName = section.substr(0, kMaxNameLength);
    const std::wstring keyName = key.substr(0, kMaxNameLength);
    return ProfileKey{sectionName, keyName, forms::ToCodePage(sectionName, CP_ACP),
                      forms::ToCodePage(keyName, kKeyCodePage)};
}

// Sets the value, or removes the key when there is none.
bool WriteValue(const std::wstring& section, const std::wstring& key, const std::optional<std::wstring>& value,
                const std::wstring& file) {
    const auto write = [&] { return WriteProfileValue(file, KeyOf(section, key), value); };
    if (const auto& hook = WriteHook()) return hook(file, write);
    return write();
}

std::wstring Trimmed(const std::wstring& text) {
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return {};
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

// A write counts only once the file reads back what was written: some file
// systems (network shares, removable disks) report writes that never land.
bool WriteAndCheck(const std::wstring& file, const std::wstring& value) {
    return WriteValue(kSection, IniKey, value, file) && ReadIniString(kSection, IniKey, file) == Trimmed(value);
}

bool RemoveKeyAndCheck(const std::wstring& file) {
    return WriteValue(kSection, IniKey, std::nullopt, file) && ReadIniString(kSection, IniKey, file).empty();
}

bool IsDialogValue(const ProfileValue& value) { return zoomorb::IsDialogMagnification(forms::Narrow(value.text)); }

// Whether the per-user file holds a value that start-up would read before
// the one beside the program, or may hold one: it cannot be read.
bool PerUserValueMayWin(const std::wstring& perUser) {
    if (perUser.empty()) return false;
    const ProfileValue value = ReadProfileValue(perUser, KeyOf(kSection, IniKey));
    return value.file == FileContent::State::Unreadable || IsDialogValue(value);
}

}  // namespace

std::wstring SettingsFilePath() {
    std::wstring directory = forms::ProgramDirectory();
    if (!directory.empty() && directory.back() != L'\\') directory += L'\\';
    return directory + kFileName;
}

std::wstring PerUserSettingsFilePath() {
    // From the shell rather than the environment, which a parent process may
    // have changed or left out.
    PWSTR path = nullptr;
    const HRESULT found = SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &path);
    const forms::UniqueCoTaskText owner(path);
    if (FAILED(found) || !path || !*path) return {};
    std::wstring file = path;
    if (file.back() != L'\\') file += L'\\';
    return file + kPerUserFolder + L'\\' + kFileName;
}

void LoadSettings() {
    IniKey = kMagnificationKey;
    const ProfileKey key = KeyOf(kSection, IniKey);
    std::wstring file = PerUserSettingsFilePath();
    ProfileValue value = file.empty() ? ProfileValue{} : ReadProfileValue(file, key);
    // A per-user file that cannot be read may hold the value that counts:
    // the one beside the program would not be this user's.
    if (value.file != FileContent::State::Unreadable && !IsDialogValue(value)) {
        file = SettingsFilePath();
        value = ReadProfileValue(file, key);
    }
    UnreadableSettingsFile = value.file == FileContent::State::Unreadable ? file : std::wstring();
    IniValue = value.text;
    // Text that is no usable number gives the default rather than an error.
    Magnification = zoomorb::MagnificationFromText(forms::Narrow(IniValue));
}

SaveResult SaveSettings(int32_t magnification) {
    IniKey = kMagnificationKey;
    IniValue = forms::Widen(zoomorb::MagnificationToText(magnification));
    const std::wstring beside = SettingsFilePath();
    const std::wstring perUser = PerUserSettingsFilePath();
    const FileSnapshot besideBefore(beside);
    const std::optional<FileSnapshot> perUserBefore =
        perUser.empty() ? std::nullopt : std::optional<FileSnapshot>(perUser);
    // Beside the program first, where the value has always been. A per-user
    // value would be read before it, so it goes.
    if (WriteAndCheck(beside, IniValue) && (!PerUserValueMayWin(perUser) || RemoveKeyAndCheck(perUser)))
        return SaveResult{true, beside};
    bool madeFolder = false;
    if (!perUser.empty()) {
        madeFolder = CreateDirectoryW(FolderOf(perUser).c_str(), nullptr) != FALSE;
        if (WriteAndCheck(perUser, IniValue)) return SaveResult{true, perUser};
    }
    // Nothing took the value. What changed on the way goes back, so that the
    // running saver, the next start and the dialog still agree.
    const bool perUserBack = !perUserBefore || perUserBefore->Restore();
    const bool folderBack = !madeFolder || RemoveDirectoryW(FolderOf(perUser).c_str()) != FALSE;
    const bool besideBack = besideBefore.Restore();
    return SaveResult{false, perUser.empty() ? beside : perUser, perUserBack && folderBack && besideBack};
}

std::wstring ReadIniString(const std::wstring& section, const std::wstring& key, const std::wstring& file) {
    return ReadProfileValue(file, KeyOf(section, key)).text;
}

bool WriteIniString(const std::wstring& section, const std::wstring& key, const std::wstring& value,
                    const std::wstring& file) {
    return WriteValue(section, key, value, file);
}

void SetSettingsWriteHook(SettingsWriteHook hook) { WriteHook() = std::move(hook); }

}  // namespace Zoomorb_B
