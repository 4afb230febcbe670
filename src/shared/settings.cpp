#include "shared/settings.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "forms/handles.h"
#include "forms/program.h"
#include "forms/text.h"
#include "shared/core/settings_value.h"

namespace Zoomorb_B {

int32_t Magnification = 0;
std::wstring IniKey;
std::wstring IniValue;

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

std::string AnsiText(const std::wstring& text) { return forms::ToCodePage(text, CP_ACP); }

// The path as the ANSI profile functions need it. A directory name the
// system's code page cannot spell is passed by its short (8.3) name instead.
std::string AnsiPath(const std::wstring& path) {
    bool exact = true;
    std::string ansi = forms::ToCodePage(path, CP_ACP, &exact);
    if (exact) return ansi;
    const size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos) return ansi;
    const std::wstring directory = path.substr(0, slash);
    std::vector<wchar_t> shortName(MAX_PATH * 2);
    const DWORD length = GetShortPathNameW(directory.c_str(), shortName.data(), static_cast<DWORD>(shortName.size()));
    if (length == 0 || length >= shortName.size()) return ansi;
    return forms::ToCodePage(std::wstring(shortName.data(), length) + path.substr(slash), CP_ACP);
}

std::string KeyBytes(const std::wstring& key) {
    return forms::ToCodePage(key.substr(0, kMaxNameLength), kKeyCodePage);
}

std::wstring Trimmed(const std::wstring& text) {
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return {};
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

// A profile function may report success for a file it could not write, so
// a write counts only once the file reads back what was written.
bool WriteAndCheck(const std::wstring& file, const std::wstring& value) {
    return WriteIniString(kSection, IniKey, value, file) && ReadIniString(kSection, IniKey, file) == Trimmed(value);
}

bool RemoveKeyAndCheck(const std::wstring& file) {
    WritePrivateProfileStringA(AnsiText(kSection).c_str(), KeyBytes(IniKey).c_str(), nullptr, AnsiPath(file).c_str());
    return ReadIniString(kSection, IniKey, file).empty();
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
    const std::wstring perUser = PerUserSettingsFilePath();
    IniValue = perUser.empty() ? std::wstring() : ReadIniString(kSection, IniKey, perUser);
    if (IniValue.empty()) IniValue = ReadIniString(kSection, IniKey, SettingsFilePath());
    // Text that is no usable number gives the default rather than an error.
    Magnification = zoomorb::MagnificationFromText(forms::Narrow(IniValue));
}

SaveResult SaveSettings(int32_t magnification) {
    IniKey = kMagnificationKey;
    IniValue = forms::Widen(zoomorb::MagnificationToText(magnification));
    const std::wstring beside = SettingsFilePath();
    const std::wstring perUser = PerUserSettingsFilePath();
    // Beside the program first, where the value has always been. A per-user
    // value would be read before it, so it goes.
    if (WriteAndCheck(beside, IniValue)) {
        const bool perUserHoldsOne = !perUser.empty() && !ReadIniString(kSection, IniKey, perUser).empty();
        if (!perUserHoldsOne || RemoveKeyAndCheck(perUser)) return SaveResult{true, beside};
    }
    if (perUser.empty()) return SaveResult{false, beside};
    CreateDirectoryW(FolderOf(perUser).c_str(), nullptr);
    return SaveResult{WriteAndCheck(perUser, IniValue), perUser};
}

std::wstring ReadIniString(const std::wstring& section, const std::wstring& key, const std::wstring& file) {
    char buffer[256] = {};
    GetPrivateProfileStringA(AnsiText(section).c_str(), KeyBytes(key).c_str(), "", buffer, sizeof buffer,
                             AnsiPath(file).c_str());
    return forms::FromCodePage(buffer, CP_ACP);
}

bool WriteIniString(const std::wstring& section, const std::wstring& key, const std::wstring& value,
                    const std::wstring& file) {
    return WritePrivateProfileStringA(AnsiText(section.substr(0, kMaxNameLength)).c_str(), KeyBytes(key).c_str(),
                                      AnsiText(value).c_str(), AnsiPath(file).c_str()) != FALSE;
}

}  // namespace Zoomorb_B
