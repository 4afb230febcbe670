#include "harness.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>
#include <utility>

#include "app/session_lock.h"

namespace e2e {
namespace {

std::wstring TempRoot() {
    wchar_t buffer[MAX_PATH];
    GetTempPathW(MAX_PATH, buffer);
    return buffer;
}

void RemoveTree(const std::wstring& directory) {
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((directory + L"\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = directory + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryW(directory.c_str());
}

}  // namespace

std::wstring Widen(const std::string& text) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::wstring TitleOf(HWND window) {
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    return title;
}

ProgramCopy::ProgramCopy(const std::wstring& folderName) {
    static int counter = 0;
    root_ = TempRoot() + L"zoomorb-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
    directory_ = folderName.empty() ? root_ : root_ + L"\\" + folderName;
    RemoveTree(root_);
    CreateDirectoryW(root_.c_str(), nullptr);
    CreateDirectoryW(directory_.c_str(), nullptr);
    CopyFileW(Widen(ZOOMORB_SCR).c_str(), ProgramPath().c_str(), FALSE);
}

ProgramCopy::~ProgramCopy() { RemoveTree(root_); }

void ProgramCopy::WriteFile(const std::wstring& name, const std::string& bytes) const {
    std::ofstream file(PathOf(name).c_str(), std::ios::binary | std::ios::trunc);
    file << bytes;
}

std::optional<std::string> ProgramCopy::ReadFile(const std::wstring& name) const {
    std::ifstream file(PathOf(name).c_str(), std::ios::binary);
    if (!file) return std::nullopt;
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void ProgramCopy::AddDouble(const char* builtPath, const std::wstring& name) const {
    CopyFileW(Widen(builtPath).c_str(), PathOf(name).c_str(), FALSE);
}

SaverProcess::SaverProcess(const ProgramCopy& program, const std::string& arguments)
    : SaverProcess(program.ProgramPath(), arguments) {}

SaverProcess::SaverProcess(const std::wstring& programPath, const std::string& arguments) {
    std::wstring commandLine = L"\"" + programPath + L"\"";
    if (!arguments.empty()) commandLine += L" " + Widen(arguments);
    const std::wstring directory = programPath.substr(0, programPath.find_last_of(L"\\/"));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(), &startup,
                   &info_);
}

SaverProcess::~SaverProcess() {
    if (!info_.hProcess) return;
    if (IsRunning()) TerminateProcess(info_.hProcess, 99);
    // The next test starts only once this saver is gone, windows and all: a
    // glass still on the screen would make the next start end at once.
    WaitForSingleObject(info_.hProcess, 5000);
    const auto deadline = std::chrono::steady_clock::now() + kEndsAtOnce;
    while (HasWindows() && std::chrono::steady_clock::now() < deadline) PumpMessagesFor(20ms);
    // Nor may its session lock linger: the next start would end at once.
    // Taking the lock once shows it free (a test that holds it itself takes
    // it again at once).
    if (HANDLE lock = OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, zoomorb::kSessionLockName)) {
        const DWORD taken = WaitForSingleObject(lock, 5000);
        if (taken == WAIT_OBJECT_0 || taken == WAIT_ABANDONED) ReleaseMutex(lock);
        CloseHandle(lock);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool SaverProcess::IsRunning() const {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> SaverProcess::WaitForExit(std::chrono::milliseconds timeout) {
    if (!info_.hProcess) return std::nullopt;
    if (WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

namespace {

BOOL CALLBACK VisitWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<std::pair<const std::function<bool(HWND)>*, HWND>*>(parameter);
    if (!(*search->first)(window)) return TRUE;
    search->second = window;
    return FALSE;
}

}  // namespace

HWND FindWindowWhere(const std::function<bool(HWND)>& matches, HWND parent) {
    std::pair<const std::function<bool(HWND)>*, HWND> search{&matches, nullptr};
    if (parent)
        EnumChildWindows(parent, &VisitWindow, reinterpret_cast<LPARAM>(&search));
    else
        EnumWindows(&VisitWindow, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

DWORD OwnerProcessOf(HWND window) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    return owner;
}

bool SaverProcess::HasWindows() const {
    return FindWindowWhere([&](HWND window) { return OwnerProcessOf(window) == info_.dwProcessId; }) != nullptr;
}

void SaverProcess::NoteVisibleWindows() {
    FindWindowWhere([&](HWND window) {
        if (OwnerProcessOf(window) == info_.dwProcessId && IsWindowVisible(window)) seen_.push_back(TitleOf(window));
        return false;
    });
}

std::optional<DWORD> SaverProcess::WatchUntilExit(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        NoteVisibleWindows();
        if (auto code = WaitForExit(20ms)) return code;
    }
    return std::nullopt;
}

HWND SaverProcess::WaitForWindow(const wchar_t* title, std::chrono::milliseconds timeout) const {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    do {
        HWND found = FindWindowWhere(
            [&](HWND window) { return OwnerProcessOf(window) == info_.dwProcessId && TitleOf(window) == title; });
        if (found && IsWindowVisible(found)) return found;
        PumpMessagesFor(20ms);
    } while (std::chrono::steady_clock::now() < deadline && IsRunning());
    return nullptr;
}

bool RegisterGreyWindowClass(const wchar_t* name, WNDPROC procedure) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    windowClass.lpszClassName = name;
    return RegisterClassW(&windowClass) != 0;
}

TitledWindow::TitledWindow(const wchar_t* title, bool child, HWND parent, int width, int height) {
    static const bool registered = RegisterGreyWindowClass(L"ZoomorbTestWindow", DefWindowProcW);
    (void)registered;
    window_ = CreateWindowExW(0, L"ZoomorbTestWindow", title,
                              child ? (WS_CHILD | WS_VISIBLE) : (WS_OVERLAPPEDWINDOW | WS_VISIBLE), child ? 0 : 50,
                              child ? 0 : 50, width, height, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    PumpMessagesFor(50ms);
}

TitledWindow::~TitledWindow() { Destroy(); }

void TitledWindow::Destroy() {
    if (window_) DestroyWindow(window_);
    window_ = nullptr;
    PumpMessagesFor(20ms);
}

namespace {

constexpr wchar_t kAppDefaults[] = L"Software\\Wine\\AppDefaults\\Zoomorb.scr";

void SetString(const wchar_t* keyPath, const wchar_t* name, const std::wstring& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

constexpr wchar_t kAppDllOverrides[] = L"Software\\Wine\\AppDefaults\\Zoomorb.scr\\DllOverrides";

}  // namespace

WineAppDefaults::WineAppDefaults(Settings settings) {
    if (settings.windows98) SetString(kAppDefaults, L"Version", L"win98");
    if (settings.nativeMpr) SetString(kAppDllOverrides, L"mpr", L"native,builtin");
}

WineAppDefaults::~WineAppDefaults() {
    RegDeleteKeyW(HKEY_CURRENT_USER, kAppDllOverrides);
    RegDeleteKeyW(HKEY_CURRENT_USER, kAppDefaults);
}

void PumpMessagesFor(std::chrono::milliseconds duration) {
    const auto deadline = std::chrono::steady_clock::now() + duration;
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        std::this_thread::sleep_for(5ms);
    } while (std::chrono::steady_clock::now() < deadline);
}

std::optional<UINT> ReadSystemParameterFreshly(UINT action) {
    // Runs this very test program again in a mode that only prints the value.
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(self) + L"\" --read-system-parameter=" + std::to_wstring(action);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return std::nullopt;
    std::optional<UINT> value;
    if (WaitForSingleObject(info.hProcess, 30000) == WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(info.hProcess, &code);
        if (code != 0xFFFF) value = code;
    } else {
        TerminateProcess(info.hProcess, 1);
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return value;
}

void PressEscape() {
    keybd_event(VK_ESCAPE, 0, 0, 0);
    std::this_thread::sleep_for(30ms);
    keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
}

void ForgetEscapePresses() {
    // Wine answers a key found up less than 50 ms ago from a cache of the
    // thread's own, which leaves the shared bit as it is: wait that out.
    Sleep(60);
    GetAsyncKeyState(VK_ESCAPE);
}

namespace {

const ProgramCopy& AfterForgettingEscapePresses(const ProgramCopy& program) {
    ForgetEscapePresses();
    return program;
}

}  // namespace

RunningSaver::RunningSaver(const ProgramCopy& program)
    : process(AfterForgettingEscapePresses(program), "/s"),
      glass(process.WaitForWindow(L"Zoomorb_Main")),
      lens(glass ? FirstChildOf(glass) : nullptr) {}

void ClickAt(POINT point) {
    const DWORD x = static_cast<DWORD>(MulDiv(point.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1);
    const DWORD y = static_cast<DWORD>(MulDiv(point.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1);
    mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTDOWN, x, y, 0, 0);
    std::this_thread::sleep_for(20ms);
    mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTUP, x, y, 0, 0);
}

RECT WindowRectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

HWND FirstChildOf(HWND parent) {
    const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
    HWND child = nullptr;
    while (!(child = GetWindow(parent, GW_CHILD)) && IsWindow(parent) &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(10ms);
    return child;
}

ScreenImage::ScreenImage(const RECT& area)
    : width_(area.right - area.left), height_(area.bottom - area.top),
      pixels_(static_cast<size_t>(width_) * height_) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;  // top-down, like the screen
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width_, height_, screen, area.left, area.top, SRCCOPY);
        GdiFlush();
        std::memcpy(pixels_.data(), bits, pixels_.size() * sizeof(uint32_t));
        SelectObject(memory, previous);
    }
    if (bitmap) DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

CursorTrail::CursorTrail() : thread_([this] { Record(); }) {}

CursorTrail::~CursorTrail() {
    stop_ = true;
    thread_.join();
}

void CursorTrail::Record() {
    POINT last{-100000, -100000};
    while (!stop_) {
        POINT now{};
        if (GetCursorPos(&now) && (now.x != last.x || now.y != last.y)) {
            std::lock_guard<std::mutex> lock(mutex_);
            samples_.push_back({std::chrono::steady_clock::now(), now});
            last = now;
        }
        Sleep(1);
    }
}

std::vector<CursorTrail::Sample> CursorTrail::Samples() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return samples_;
}

std::vector<CursorTrail::Sample> CursorTrail::SamplesBetween(std::chrono::steady_clock::time_point from,
                                                             std::chrono::steady_clock::time_point to) const {
    std::vector<Sample> chosen;
    std::lock_guard<std::mutex> lock(mutex_);
    for (const Sample& sample : samples_)
        if (sample.time >= from && sample.time <= to) chosen.push_back(sample);
    return chosen;
}

}  // namespace e2e
