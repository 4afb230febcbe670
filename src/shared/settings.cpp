#include "shared/settings.h"

#include <windows.h>

#include <vector>

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

}  // namespace

std::wstring SettingsFilePath() {
    std::wstring directory = forms::ProgramDirectory();
    if (!directory.empty() && directory.back() != L'\\') directory += L'\\';
    return directory + kFileName;
}

void LoadSettings() {
    IniKey = kMagnificationKey;
    IniValue = ReadIniString(kSection, IniKey, SettingsFilePath());
    // Text that is no usable number gives the default rather than an error.
    Magnification = zoomorb::MagnificationFromText(forms::Narrow(IniValue));
}

bool SaveSettings(int32_t magnification) {
    IniKey = kMagnificationKey;
    IniValue = forms::Widen(zoomorb::MagnificationToText(magnification));
    return WriteIniString(kSection, IniKey, IniValue, SettingsFilePath());
}

std::wstring ReadIniString(const std::wstring& section, const std::wstring& key, const std::wstring& file) {
    char buffer[256] = {};
    GetPrivateProfileStringA(AnsiText(section).c_str(), forms::ToCodePage(key, kKeyCodePage).c_str(), "", buffer,
                             sizeof buffer, AnsiPath(file).c_str());
    return forms::FromCodePage(buffer, CP_ACP);
}

bool WriteIniString(const std::wstring& section, const std::wstring& key, const std::wstring& value,
                    const std::wstring& file) {
    return WritePrivateProfileStringA(AnsiText(section.substr(0, kMaxNameLength)).c_str(),
                                      forms::ToCodePage(key.substr(0, kMaxNameLength), kKeyCodePage).c_str(),
                                      AnsiText(value).c_str(), AnsiPath(file).c_str()) != FALSE;
}

}  // namespace Zoomorb_B
