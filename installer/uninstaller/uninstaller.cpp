// Uninstall.exe, the program that removes Zoomorb: the one the list of
// installed apps, the user or a script starts. The uninstall itself is an
// NSIS uninstaller that this program carries. It runs from a copy in a
// folder of its own under the temporary folder, since Windows deletes no
// running program's file; this program waits for it and ends with its exit
// code: 0 when the install is removed, 1 when the user cancelled, 2 when it
// was refused and nothing changed. (An NSIS uninstaller started directly
// hands over to its copy and ends at once with 0, whatever the copy does.)
//
// The copy is told the install folder, the one this program stands in,
// with _?=, which makes it work there instead of handing over again. It
// moves this program's file, which cannot be deleted while it waits, out of
// the install folder into its own folder under the temporary one: a running
// program's file can be moved. That file stays there when this one ends,
// until a later run clears it away.

#include <windows.h>

#include <string>

#include "forms/handles.h"
#include "uninstaller_resources.h"

namespace {

constexpr DWORD kRefused = 2;
constexpr wchar_t kWorkFolderStem[] = L"Zoomorb uninstall ";
// The names the copy and this program's moved file have in a work folder;
// Uninstall.nsi gives the second.
constexpr const wchar_t* kWorkFiles[] = {L"\\Uninstall.exe", L"\\Started.exe"};

struct FindTraits {
    static void Close(HANDLE search) { FindClose(search); }
};

std::wstring ThisProgram() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) return path.substr(0, length);
        path.resize(path.size() * 2);
    }
}

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

std::wstring TemporaryFolder() {
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    return length == 0 || length > MAX_PATH ? std::wstring() : std::wstring(temp, length);
}

// What earlier runs left: the folders of those still running stay, their
// files in use.
void RemoveEarlierWorkFolders(const std::wstring& temp) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((temp + kWorkFolderStem + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    forms::UniqueHandle<HANDLE, FindTraits> searching(search);
    do {
        const std::wstring folder = temp + found.cFileName;
        for (const wchar_t* file : kWorkFiles) DeleteFileW((folder + file).c_str());
        RemoveDirectoryW(folder.c_str());
    } while (FindNextFileW(searching.Get(), &found));
}

// A new folder of this run's own under the temporary folder; empty when
// none could be made.
std::wstring MakeWorkFolder(const std::wstring& temp) {
    const std::wstring stem = temp + kWorkFolderStem + std::to_wstring(GetCurrentProcessId());
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::wstring folder = stem + L"-" + std::to_wstring(attempt);
        if (CreateDirectoryW(folder.c_str(), nullptr)) return folder;
        if (GetLastError() != ERROR_ALREADY_EXISTS) return {};
    }
    return {};
}

bool WriteUninstallCopy(const std::wstring& path) {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(IDR_UNINSTALL_WORK), RT_RCDATA);
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return false;
    const DWORD size = SizeofResource(nullptr, found);
    HANDLE created = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created == INVALID_HANDLE_VALUE) return false;
    forms::UniqueKernelHandle file(created);
    DWORD written = 0;
    return WriteFile(file.Get(), bytes, size, &written, nullptr) && written == size;
}

// Runs the copy on the install folder and waits for its exit code; false
// when it could not be started.
bool RunToEnd(const std::wstring& copy, const std::wstring& arguments, const std::wstring& installFolder,
              DWORD& exitCode) {
    std::wstring commandLine = L"\"" + copy + L"\" " + arguments + L" _?=" + installFolder;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(copy.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started))
        return false;
    forms::UniqueKernelHandle process(started.hProcess);
    forms::UniqueKernelHandle thread(started.hThread);
    WaitForSingleObject(process.Get(), INFINITE);
    return GetExitCodeProcess(process.Get(), &exitCode) != 0;
}

// NSIS's switch for a run without pages or messages: /S as a word of its own.
bool IsSilent(const std::wstring& arguments) {
    for (size_t at = arguments.find(L"/S"); at != std::wstring::npos; at = arguments.find(L"/S", at + 1)) {
        const bool starts = at == 0 || arguments[at - 1] == L' ';
        const bool ends = at + 2 == arguments.size() || arguments[at + 2] == L' ';
        if (starts && ends) return true;
    }
    return false;
}

void SayItCouldNotStart() {
    const bool japanese = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE;
    const wchar_t* text = japanese ? L"アンインストールを開始できませんでした。一時フォルダーにコピーを書き込めないか、"
                                     L"実行できませんでした。何も変更していません。"
                                   : L"The uninstall could not start: its copy could not be written to the "
                                     L"temporary folder or run. Nothing was changed.";
    MessageBoxW(nullptr, text, L"Zoomorb", MB_OK | MB_ICONSTOP);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandArguments, int) {
    const std::wstring arguments = commandArguments;
    const std::wstring program = ThisProgram();
    const std::wstring temp = TemporaryFolder();
    if (!temp.empty()) RemoveEarlierWorkFolders(temp);
    const std::wstring workFolder = temp.empty() ? std::wstring() : MakeWorkFolder(temp);
    const std::wstring copy = workFolder + kWorkFiles[0];
    DWORD exitCode = kRefused;
    // Nor may this program's working folder keep the install folder from
    // going: the copy inherits the work folder as its own.
    const bool ran = !program.empty() && !workFolder.empty() && SetCurrentDirectoryW(workFolder.c_str()) &&
                     WriteUninstallCopy(copy) && RunToEnd(copy, arguments, FolderOf(program), exitCode);
    if (!ran && !IsSilent(arguments)) SayItCouldNotStart();
    if (!workFolder.empty()) {
        DeleteFileW(copy.c_str());
        // Stays when it holds this program's own file, moved there.
        RemoveDirectoryW(workFolder.c_str());
    }
    return static_cast<int>(ran ? exitCode : kRefused);
}
