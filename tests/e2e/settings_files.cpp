#include "settings_files.h"

#include <shlobj.h>

#include <chrono>
#include <fstream>
#include <optional>
#include <sstream>
#include <thread>

#include "../win/file_bytes.h"
#include "harness.h"

namespace e2e {
namespace {

// Wine's own conversions between its Windows paths and the host's.
using UnixFileName = char*(CDECL*)(LPCWSTR);
using DosFileName = WCHAR*(CDECL*)(LPCSTR);

template <typename Function>
Function WineExport(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), name)));
}

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

std::optional<std::wstring> UnixPathOf(const std::wstring& path) {
    const auto convert = WineExport<UnixFileName>("wine_get_unix_file_name");
    char* unixPath = convert ? convert(path.c_str()) : nullptr;
    if (!unixPath) return std::nullopt;
    std::wstring wide = Widen(unixPath);
    HeapFree(GetProcessHeap(), 0, unixPath);
    return wide;
}

std::optional<std::wstring> DosPathOf(const char* unixPath) {
    const auto convert = WineExport<DosFileName>("wine_get_dos_file_name");
    WCHAR* dosPath = convert ? convert(unixPath) : nullptr;
    if (!dosPath) return std::nullopt;
    std::wstring path = dosPath;
    HeapFree(GetProcessHeap(), 0, dosPath);
    return path;
}

// Runs `sh -c script sh arguments...` on the host and waits for its exit
// status: true when it succeeded. Wine starts Unix programs too, but gives no
// handle to wait for them, so the status comes back through a file.
bool RunOnHost(const std::wstring& script, const std::vector<std::wstring>& arguments) {
    static int counter = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring status = std::wstring(temp) + L"zoomorb-host-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                std::to_wstring(++counter) + L".status";
    DeleteFileW(status.c_str());
    const auto shell = DosPathOf("/bin/sh");
    const auto unixStatus = UnixPathOf(status);
    if (!shell || !unixStatus) return false;
    // The command line is split as Windows splits one: quotes inside the
    // script are escaped.
    std::wstring body = L"{ " + script + L"; }; echo $? > \"" + *unixStatus + L"\"";
    for (size_t quote = body.find(L'"'); quote != std::wstring::npos; quote = body.find(L'"', quote + 2))
        body.insert(quote, 1, L'\\');
    std::wstring commandLine = L"sh -c \"" + body + L"\" sh";
    for (const std::wstring& argument : arguments) commandLine += L" " + Quoted(argument);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(shell->c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info))
        return false;
    if (info.hThread) CloseHandle(info.hThread);
    if (info.hProcess) CloseHandle(info.hProcess);

    const auto deadline = std::chrono::steady_clock::now() + 20s;
    std::string text;
    while (std::chrono::steady_clock::now() < deadline) {
        std::ifstream file(status.c_str());
        std::ostringstream bytes;
        bytes << file.rdbuf();
        text = bytes.str();
        if (!text.empty() && text.back() == '\n') break;
        std::this_thread::sleep_for(20ms);
    }
    DeleteFileW(status.c_str());
    return text == "0\n";
}

// The host's names of Windows paths; nothing when one has none.
std::optional<std::vector<std::wstring>> UnixPathsOf(const std::vector<std::wstring>& paths) {
    std::vector<std::wstring> unixPaths;
    for (const std::wstring& path : paths) {
        const auto unixPath = UnixPathOf(path);
        if (!unixPath) return std::nullopt;
        unixPaths.push_back(*unixPath);
    }
    return unixPaths;
}

bool Chattr(const wchar_t* flag, const std::vector<std::wstring>& paths) {
    const auto unixPaths = UnixPathsOf(paths);
    return unixPaths && RunOnHost(L"chattr " + std::wstring(flag) + L" -- \"$@\"", *unixPaths);
}

constexpr wchar_t kShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
constexpr wchar_t kAppData[] = L"AppData";

void SetAppData(const std::wstring& folder) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kShellFolders, kAppData, REG_EXPAND_SZ, folder.c_str(),
                    static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
}

}  // namespace

std::string Utf16File(const std::wstring& text) {
    return "\xFF\xFE" + std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

std::string Utf8File(const std::wstring& text) {
    std::string bytes(text.size() * 3, '\0');
    bytes.resize(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                         bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr)));
    return "\xEF\xBB\xBF" + bytes;
}

RoamingAppDataAt::RoamingAppDataAt(const std::wstring& folder) {
    wchar_t value[MAX_PATH] = {};
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, kShellFolders, kAppData, RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, value,
                     &size) == ERROR_SUCCESS)
        previous_ = value;
    for (size_t slash = folder.find(L'\\', 3); ; slash = folder.find(L'\\', slash + 1)) {
        const std::wstring part = folder.substr(0, slash);
        if (CreateDirectoryW(part.c_str(), nullptr)) made_.push_back(part);
        if (slash == std::wstring::npos) break;
    }
    SetAppData(folder);
}

RoamingAppDataAt::~RoamingAppDataAt() {
    if (previous_)
        SetAppData(*previous_);
    else
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kShellFolders, kAppData);
    for (auto folder = made_.rbegin(); folder != made_.rend(); ++folder) RemoveDirectoryW(folder->c_str());
}

std::wstring PerUserSettingsPath() {
    PWSTR folder = nullptr;
    std::wstring path;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &folder)))
        path = std::wstring(folder) + L"\\Zoomorb\\Zoomorb.ini";
    CoTaskMemFree(folder);
    return path;
}

void WritePerUserSettings(const std::string& bytes) {
    const std::wstring path = PerUserSettingsPath();
    CreateDirectoryW(path.substr(0, path.find_last_of(L'\\')).c_str(), nullptr);
    test_files::WriteBytes(path, bytes);
}

WriteLock::WriteLock(std::vector<std::wstring> paths) : paths_(std::move(paths)) {
    locked_ = Chattr(L"+i", paths_);
}

WriteLock::~WriteLock() { Chattr(L"-i", paths_); }

FullSmallDisk::FullSmallDisk(const std::wstring& folder) : folder_(folder) {
    const auto unixFolder = UnixPathOf(folder_);
    if (!unixFolder) return;
    unixFolder_ = *unixFolder;
    // The program stays where it was built, too large for this disk: a link
    // names it, and the program's folder is the small disk's.
    mounted_ = RunOnHost(L"mount -t tmpfs -o size=16k zoomorb-e2e \"$1\"", {unixFolder_});
    linked_ = mounted_ && RunOnHost(L"ln -s \"$2\" \"$1/Zoomorb.scr\"", {unixFolder_, Widen(ZOOMORB_SCR)});
}

FullSmallDisk::~FullSmallDisk() {
    // Lazily, should a process still hold a file there.
    if (mounted_) RunOnHost(L"umount \"$1\" || umount -l \"$1\"", {unixFolder_});
}

bool FullSmallDisk::Fill() const {
    const HANDLE created = CreateFileW((folder_ + L"\\filler").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created == INVALID_HANDLE_VALUE) return false;
    const std::string block(4096, ' ');
    DWORD written = 0;
    bool full = false;
    // Far more blocks than the disk holds.
    for (int i = 0; i < 16 && !full; ++i)
        full = !WriteFile(created, block.data(), static_cast<DWORD>(block.size()), &written, nullptr) ||
               written < block.size();
    CloseHandle(created);
    return full;
}

}  // namespace e2e
