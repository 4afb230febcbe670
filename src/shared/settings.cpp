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

std::string AnsiText(const std::wstring& text) { return forms::ToCodePage(text, CP_ACP); }

std::string KeyBytes(const std::wstring& key) {
    return forms::ToCodePage(key.substr(0, kMaxNameLength), kKeyCodePage);
}

// The short (8.3) form of the longest part of the path that exists, followed
// by the rest as it is: a file about to be made has no short name yet, but
// its folder has.
std::optional<std::wstring> ShortForm(const std::wstring& path) {
    for (size_t end = path.size(); end != std::wstring::npos && end > 0; end = path.find_last_of(L'\\', end - 1)) {
        const std::wstring head = path.substr(0, end);
        // "C:" alone would name the drive's current folder.
        if (head.size() <= 2) break;
        std::wstring shortHead(MAX_PATH, L'\0');
        DWORD length = GetShortPathNameW(head.c_str(), shortHead.data(), static_cast<DWORD>(shortHead.size()));
        if (length >= shortHead.size()) {
            shortHead.resize(length);
            length = GetShortPathNameW(head.c_str(), shortHead.data(), static_cast<DWORD>(shortHead.size()));
        }
        if (length == 0 || length >= shortHead.size()) continue;
        shortHead.resize(length);
        return shortHead + path.substr(end);
    }
    return std::nullopt;
}

// The path as the ANSI profile functions need it, naming this very file: as
// it is, or by its short form where the system's code page cannot spell it.
// A look-alike spelling ("Lodz" for "Łódź") would name another folder, or
// none. Nothing when neither can be spelled, as on a volume without short
// names: the file is then read and written by its Unicode name.
std::optional<std::string> AnsiPath(const std::wstring& path) {
    if (auto exact = forms::ToCodePageExactly(path, CP_ACP)) return exact;
    const auto shortPath = ShortForm(path);
    if (!shortPath) return std::nullopt;
    return forms::ToCodePageExactly(*shortPath, CP_ACP);
}

// Sets the value, or removes the key when there is none.
bool WriteValue(const std::wstring& section, const std::wstring& key, const std::optional<std::wstring>& value,
                const std::wstring& file) {
    const std::string sectionBytes = AnsiText(section.substr(0, kMaxNameLength));
    const std::string keyBytes = KeyBytes(key);
    const std::optional<std::string> valueBytes = value ? std::optional<std::string>(AnsiText(*value)) : std::nullopt;
    const auto write = [&] {
        if (const auto path = AnsiPath(file))
            return WritePrivateProfileStringA(sectionBytes.c_str(), keyBytes.c_str(),
                                              valueBytes ? valueBytes->c_str() : nullptr, path->c_str()) != FALSE;
        return WriteProfileValue(file, sectionBytes, keyBytes,
                                 valueBytes ? std::optional<std::string_view>(*valueBytes) : std::nullopt);
    };
    if (const auto& hook = WriteHook()) return hook(file, write);
    return write();
}

std::wstring Trimmed(const std::wstring& text) {
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return {};
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

// A write counts only once the file reads back what was written: a profile
// function may report success for a file it could not write.
bool WriteAndCheck(const std::wstring& file, const std::wstring& value) {
    return WriteValue(kSection, IniKey, value, file) && ReadIniString(kSection, IniKey, file) == Trimmed(value);
}

bool RemoveKeyAndCheck(const std::wstring& file) {
    return WriteValue(kSection, IniKey, std::nullopt, file) && ReadIniString(kSection, IniKey, file).empty();
}

// Whether the per-user file holds a value that start-up would read before
// the one beside the program.
bool PerUserValueWins(const std::wstring& perUser) {
    return !perUser.empty() && zoomorb::IsDialogMagnification(forms::Narrow(ReadIniString(kSection, IniKey, perUser)));
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
    IniValue = PerUserValueWins(perUser) ? ReadIniString(kSection, IniKey, perUser)
                                         : ReadIniString(kSection, IniKey, SettingsFilePath());
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
    if (WriteAndCheck(beside, IniValue) && (!PerUserValueWins(perUser) || RemoveKeyAndCheck(perUser)))
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
    const std::string sectionBytes = AnsiText(section);
    const std::string keyBytes = KeyBytes(key);
    const auto path = AnsiPath(file);
    if (!path) return forms::FromCodePage(ReadProfileValue(file, sectionBytes, keyBytes), CP_ACP);
    char buffer[256] = {};
    GetPrivateProfileStringA(sectionBytes.c_str(), keyBytes.c_str(), "", buffer, sizeof buffer, path->c_str());
    return forms::FromCodePage(buffer, CP_ACP);
}

bool WriteIniString(const std::wstring& section, const std::wstring& key, const std::wstring& value,
                    const std::wstring& file) {
    return WriteValue(section, key, value, file);
}

void SetSettingsWriteHook(SettingsWriteHook hook) { WriteHook() = std::move(hook); }

}  // namespace Zoomorb_B
