// The installer as a user meets it, silently: the install selects the saver
// and registers the uninstaller, the installed saver runs and its dialog
// saves, an upgrade and an uninstall keep the user's settings, and a running
// saver stops an uninstall before anything is removed. An install into
// another folder moves it, settings and all, however the folder is written;
// an uninstaller acts only on its own install; a folder that cannot be
// installed into is refused. The uninstaller ends when its work has, with
// the exit code it promises.

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "../win/file_bytes.h"
#include "dialog_helpers.h"
#include "harness.h"
#include "settings_files.h"

namespace e2e {
namespace {

constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zoomorb";
// The installer and uninstaller end by themselves: their longest wait, for
// a running saver, is ten seconds. One still running after this has hung.
constexpr auto kHung = 5min;

std::string Narrow(const std::wstring& text) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(), length, nullptr,
                        nullptr);
    return narrow;
}

std::wstring ShellFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring ShortPathOf(const std::wstring& path) {
    wchar_t shortPath[MAX_PATH] = {};
    GetShortPathNameW(path.c_str(), shortPath, MAX_PATH);
    return shortPath;
}

std::optional<std::wstring> ReadString(const wchar_t* key, const wchar_t* name) {
    wchar_t value[1024] = {};
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

DWORD ReadDword(const wchar_t* key, const wchar_t* name) {
    DWORD value = 0;
    DWORD size = sizeof value;
    RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size);
    return value;
}

bool KeyExists(const wchar_t* key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

// Values of an HKCU key as they were, put back when the object goes, so that
// the selection the installer makes does not outlive the test.
class SavedRegistryValues {
public:
    SavedRegistryValues(const wchar_t* key, std::vector<std::wstring> names) : key_(key) {
        for (auto& name : names) {
            Saved saved{std::move(name), false, 0, std::vector<BYTE>(4096)};
            DWORD size = static_cast<DWORD>(saved.data.size());
            saved.present = RegGetValueW(HKEY_CURRENT_USER, key_, saved.name.c_str(), RRF_RT_ANY, &saved.type,
                                         saved.data.data(), &size) == ERROR_SUCCESS;
            saved.data.resize(saved.present ? size : 0);
            saved_.push_back(std::move(saved));
        }
    }
    ~SavedRegistryValues() {
        for (const Saved& saved : saved_) {
            if (saved.present)
                RegSetKeyValueW(HKEY_CURRENT_USER, key_, saved.name.c_str(), saved.type, saved.data.data(),
                                static_cast<DWORD>(saved.data.size()));
            else
                RegDeleteKeyValueW(HKEY_CURRENT_USER, key_, saved.name.c_str());
        }
    }
    SavedRegistryValues(const SavedRegistryValues&) = delete;
    SavedRegistryValues& operator=(const SavedRegistryValues&) = delete;

private:
    struct Saved {
        std::wstring name;
        bool present;
        DWORD type;
        std::vector<BYTE> data;
    };
    const wchar_t* key_;
    std::vector<Saved> saved_;
};

// The per-user install folder, and what installs leave, removed before the
// test (an earlier run may have failed half-way) and after it.
struct InstallFolder {
    explicit InstallFolder(std::wstring path) : path(std::move(path)) { Remove(); }
    ~InstallFolder() { Remove(); }
    InstallFolder(const InstallFolder&) = delete;
    InstallFolder& operator=(const InstallFolder&) = delete;
    std::wstring File(const wchar_t* name) const { return path + L"\\" + name; }
    void Remove() const {
        for (const wchar_t* name : {L"Zoomorb.scr", L"Uninstall.exe", L"Zoomorb.ini", L"Zoomorb.ini.old"})
            DeleteFileW(File(name).c_str());
        RemoveDirectoryW(path.c_str());
        RegDeleteTreeW(HKEY_CURRENT_USER, kUninstallKey);
    }
    const std::wstring path;
};

// The exit code, once the program has ended. Meanwhile the test's own
// windows are served: the installer tells every window that the screen saver
// changed and waits for each to answer.
DWORD RunToEnd(const std::wstring& program, const std::string& arguments) {
    SaverProcess process(program, arguments);
    if (process.Id() == 0) {
        const DWORD error = GetLastError();
        ADD_FAILURE() << "could not start " << Narrow(program) << " (error " << error << ")";
        return STILL_ACTIVE;
    }
    const auto deadline = std::chrono::steady_clock::now() + kHung;
    do {
        if (const auto code = process.WaitForExit(0ms)) return *code;
        PumpMessagesFor(20ms);
    } while (std::chrono::steady_clock::now() < deadline);
    ADD_FAILURE() << Narrow(program) << " " << arguments << " hung";
    return STILL_ACTIVE;
}

// Silently, into this user's folder: the earlier one or the default, or the
// one the switches name.
DWORD Install(const std::string& switches = "") {
    return RunToEnd(Widen(ZOOMORB_SETUP), switches.empty() ? "/S" : "/S " + switches);
}

std::string FolderSwitch(const std::wstring& folder) { return "/D=" + Narrow(folder); }

std::wstring DefaultFolder() { return ShellFolder(CSIDL_LOCAL_APPDATA) + L"\\Programs\\Zoomorb"; }

// As the uninstall entry's quiet command runs it.
DWORD Uninstall(const InstallFolder& folder) { return RunToEnd(folder.File(L"Uninstall.exe"), "/S"); }

void ExpectInstalled(const InstallFolder& folder) {
    const std::wstring program = folder.File(L"Zoomorb.scr");
    const std::wstring uninstaller = folder.File(L"Uninstall.exe");
    EXPECT_EQ(test_files::ReadBytes(program), test_files::ReadBytes(Widen(ZOOMORB_SCR)));
    EXPECT_TRUE(Exists(uninstaller));
    EXPECT_EQ(ReadString(kDesktopKey, L"SCRNSAVE.EXE").value_or(L"(none)"), ShortPathOf(program));
    EXPECT_EQ(ReadString(kDesktopKey, L"ScreenSaveActive").value_or(L"(none)"), L"1");
    const struct {
        const wchar_t* name;
        std::wstring value;
    } entry[] = {
        {L"DisplayName", L"Zoomorb"},
        {L"DisplayVersion", Widen(ZOOMORB_RELEASE)},
        {L"Publisher", L"Quorvat"},
        {L"DisplayIcon", program + L",0"},
        {L"InstallLocation", folder.path},
        {L"UninstallString", L"\"" + uninstaller + L"\""},
        {L"QuietUninstallString", L"\"" + uninstaller + L"\" /S"},
    };
    for (const auto& value : entry)
        EXPECT_EQ(ReadString(kUninstallKey, value.name).value_or(L"(none)"), value.value) << Narrow(value.name);
    const DWORD programKilobytes = static_cast<DWORD>(test_files::ReadBytes(program).size() / 1024);
    EXPECT_GE(ReadDword(kUninstallKey, L"EstimatedSize"), programKilobytes);
}

void ExpectUninstalled(const InstallFolder& folder) {
    EXPECT_FALSE(Exists(folder.File(L"Zoomorb.scr")));
    EXPECT_FALSE(Exists(folder.File(L"Uninstall.exe")));
    EXPECT_FALSE(KeyExists(kUninstallKey));
    EXPECT_FALSE(ReadString(kDesktopKey, L"SCRNSAVE.EXE").has_value()) << "still selected";
}

// What uninstalls left in the temporary folder: the file of the one that
// ran last, which could not be deleted while it ran.
int UninstallLeftovers() {
    WIN32_FIND_DATAW found{};
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const HANDLE search = FindFirstFileW((std::wstring(temp) + L"Zoomorb uninstall *").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do ++count;
    while (FindNextFileW(search, &found));
    FindClose(search);
    return count;
}

std::string SettingsWith(const std::string& value) {
    return "[Section]\r\n" + test_files::kMagnificationKeyBytes + "=" + value + "\r\n";
}

TEST(Installer, InstallsRunsUpgradesAndUninstallsKeepingTheSettings) {
    SavedRegistryValues selection(kDesktopKey, {L"SCRNSAVE.EXE", L"ScreenSaveActive"});
    const std::wstring perUserSettings = PerUserSettingsPath();
    test_files::SetAsideFile savedPerUserSettings(perUserSettings);
    InstallFolder folder(DefaultFolder());

    ASSERT_EQ(Install(), 0u);
    ExpectInstalled(folder);
    WritePerUserSettings(SettingsWith("150"));

    // The installed saver runs from its folder; while it runs, an uninstall
    // gives up and leaves the install whole.
    {
        ForgetEscapePresses();
        SaverProcess saver(folder.File(L"Zoomorb.scr"), "/s");
        ASSERT_NE(saver.WaitForWindow(L"Zoomorb_Main"), nullptr);
        EXPECT_EQ(Uninstall(folder), 2u) << "under a running saver";
        ExpectInstalled(folder);
        PressEscape();
        ASSERT_TRUE(saver.WaitForExit(kEndsAtOnce).has_value()) << "still running after Escape";
    }

    ASSERT_EQ(Uninstall(folder), 0u);
    ExpectUninstalled(folder);
    EXPECT_FALSE(Exists(folder.path)) << "the emptied folder stayed";
    EXPECT_EQ(test_files::ReadBytes(perUserSettings), SettingsWith("150"));

    // The installed dialog opens at the per-user value. A per-user install's
    // folder can be written, so OK saves beside the program and drops the
    // per-user value, which would be read first. The saved value outlives an
    // upgrade and the uninstall.
    ASSERT_EQ(Install(), 0u);
    {
        SaverProcess settings(folder.File(L"Zoomorb.scr"), "/c");
        const OpenDialog dialog = FindDialog(settings);
        ASSERT_NE(dialog.okButton, nullptr);
        EXPECT_EQ(ScrollPosition(dialog.scrollBar), 150);
        StepRight(dialog.scrollBar);
        PostMessageW(dialog.okButton, BM_CLICK, 0, 0);
        ASSERT_TRUE(settings.WaitForExit(kEndsAtOnce).has_value()) << "still running after OK";
    }
    const std::string keptBeside = SettingsWith(" 160");
    const std::string keptPerUser = "[Section]\r\n";
    EXPECT_EQ(test_files::ReadBytes(folder.File(L"Zoomorb.ini")), keptBeside);
    EXPECT_EQ(test_files::ReadBytes(perUserSettings), keptPerUser);
    ASSERT_EQ(Install(), 0u);
    ExpectInstalled(folder);
    EXPECT_EQ(test_files::ReadBytes(folder.File(L"Zoomorb.ini")), keptBeside);
    ASSERT_EQ(Uninstall(folder), 0u);
    ExpectUninstalled(folder);
    EXPECT_EQ(test_files::ReadBytes(folder.File(L"Zoomorb.ini")), keptBeside);
    EXPECT_EQ(test_files::ReadBytes(perUserSettings), keptPerUser);
    EXPECT_EQ(UninstallLeftovers(), 1) << "the earlier uninstalls' files stayed in the temporary folder";
}

// A user's own Zoomorb.scr in a folder of theirs, which a copy of the
// uninstaller must leave alone; then a move into a folder whose long name
// is not its short one, which the selection must name by the short one,
// with the folder switch quoted whole, as programs that quote arguments
// with blanks write it; then a move back, the folder written with a
// trailing backslash, after the settings changed; then another saver
// chosen, which the uninstall must keep.
TEST(Installer, MovesAndMovesBackWithTheNewestSettingsAndUninstallsOnlyItsOwnInstall) {
    SavedRegistryValues selection(kDesktopKey, {L"SCRNSAVE.EXE", L"ScreenSaveActive"});
    InstallFolder first(DefaultFolder());
    InstallFolder moved(ShellFolder(CSIDL_LOCAL_APPDATA) + L"\\Programs\\Zoomorb moved here");
    InstallFolder usersOwn(ShellFolder(CSIDL_LOCAL_APPDATA) + L"\\My savers");
    ASSERT_EQ(Install(), 0u);
    test_files::WriteBytes(first.File(L"Zoomorb.ini"), SettingsWith("250"));

    CreateDirectoryW(usersOwn.path.c_str(), nullptr);
    test_files::WriteBytes(usersOwn.File(L"Zoomorb.scr"), "the user's own");
    CopyFileW(first.File(L"Uninstall.exe").c_str(), usersOwn.File(L"Uninstall.exe").c_str(), FALSE);
    EXPECT_EQ(Uninstall(usersOwn), 2u) << "a copied uninstaller";
    EXPECT_EQ(test_files::ReadBytes(usersOwn.File(L"Zoomorb.scr")), "the user's own");
    ExpectInstalled(first);

    ASSERT_EQ(Install("\"" + FolderSwitch(moved.path) + "\""), 0u);
    ExpectInstalled(moved);
    EXPECT_NE(ShortPathOf(moved.path), moved.path) << "the folder has no short name of its own";
    EXPECT_FALSE(Exists(first.File(L"Zoomorb.scr")));
    EXPECT_FALSE(Exists(first.File(L"Uninstall.exe")));
    for (const InstallFolder* folder : {&first, &moved})
        EXPECT_EQ(test_files::ReadBytes(folder->File(L"Zoomorb.ini")), SettingsWith("250")) << Narrow(folder->path);

    test_files::WriteBytes(moved.File(L"Zoomorb.ini"), SettingsWith("420"));
    ASSERT_EQ(Install(FolderSwitch(first.path + L"\\")), 0u);
    ExpectInstalled(first);
    EXPECT_FALSE(Exists(moved.File(L"Zoomorb.scr")));
    EXPECT_EQ(test_files::ReadBytes(first.File(L"Zoomorb.ini")), SettingsWith("420"));
    EXPECT_EQ(test_files::ReadBytes(first.File(L"Zoomorb.ini.old")), SettingsWith("250"));
    EXPECT_EQ(test_files::ReadBytes(moved.File(L"Zoomorb.ini")), SettingsWith("420")) << "the folder left";

    const std::wstring another = L"C:\\windows\\system32\\another.scr";
    RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"SCRNSAVE.EXE", REG_SZ, another.c_str(),
                    static_cast<DWORD>((another.size() + 1) * sizeof(wchar_t)));
    ASSERT_EQ(Uninstall(first), 0u);
    EXPECT_FALSE(Exists(first.File(L"Zoomorb.scr")));
    EXPECT_FALSE(KeyExists(kUninstallKey));
    EXPECT_EQ(ReadString(kDesktopKey, L"SCRNSAVE.EXE").value_or(L"(none)"), another);
}

wchar_t MissingDrive() {
    const DWORD drives = GetLogicalDrives();
    for (wchar_t letter = L'Y'; letter > L'C'; --letter)
        if (!(drives & (1u << (letter - L'A')))) return letter;
    return L'\0';
}

TEST(Installer, RefusesAFolderItCannotInstallInto) {
    SavedRegistryValues selection(kDesktopKey, {L"SCRNSAVE.EXE", L"ScreenSaveActive"});
    InstallFolder fallback(DefaultFolder());
    InstallFolder holding(ShellFolder(CSIDL_LOCAL_APPDATA) + L"\\Zoomorb test files");
    CreateDirectoryW(holding.path.c_str(), nullptr);
    test_files::WriteBytes(holding.File(L"Zoomorb.ini"), "a file");
    ASSERT_NE(MissingDrive(), L'\0');
    const auto selected = ReadString(kDesktopKey, L"SCRNSAVE.EXE");
    const std::string aFile = FolderSwitch(holding.File(L"Zoomorb.ini"));
    const struct {
        const char* what;
        std::string switches;
    } unusable[] = {
        {"an existing file", aFile},
        {"a drive that does not exist", FolderSwitch(std::wstring(1, MissingDrive()) + L":\\Zoomorb")},
        {"an existing file, the switch quoted whole", "\"" + aFile + "\""},
    };
    for (const auto& given : unusable) {
        SCOPED_TRACE(given.what);
        EXPECT_EQ(Install(given.switches), 2u);
        EXPECT_FALSE(Exists(fallback.File(L"Zoomorb.scr"))) << "installed into the default folder instead";
        EXPECT_FALSE(KeyExists(kUninstallKey));
        EXPECT_EQ(ReadString(kDesktopKey, L"SCRNSAVE.EXE"), selected) << "selected";
    }
}

}  // namespace
}  // namespace e2e
