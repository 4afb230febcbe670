#pragma once
// Drives the real Zoomorb.scr from outside: each run gets a fresh directory
// with its own copy of the program (the settings file lives beside it), is
// started as a child process and watched through its windows and exit code.

#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;

// Generous limits: Wine's first start in a cold prefix takes a while.
constexpr auto kStartTimeout = 20s;
constexpr auto kEndsAtOnce = 10s;

std::wstring Widen(const std::string& text);

// A fresh directory holding a copy of Zoomorb.scr, removed afterwards; given
// a folder name, the program lies in a folder of that name inside it.
class ProgramCopy {
public:
    explicit ProgramCopy(const std::wstring& folderName = {});
    ~ProgramCopy();
    ProgramCopy(const ProgramCopy&) = delete;
    ProgramCopy& operator=(const ProgramCopy&) = delete;

    const std::wstring& Directory() const { return directory_; }
    std::wstring ProgramPath() const { return directory_ + L"\\Zoomorb.scr"; }
    std::wstring SettingsPath() const { return directory_ + L"\\Zoomorb.ini"; }
    std::wstring PathOf(const std::wstring& name) const { return directory_ + L"\\" + name; }

    void WriteFile(const std::wstring& name, const std::string& bytes) const;
    std::optional<std::string> ReadFile(const std::wstring& name) const;
    // Copies a test double (password.cpl, mpr.dll) beside the program.
    void AddDouble(const char* builtPath, const std::wstring& name) const;

private:
    std::wstring root_;
    std::wstring directory_;
};

// One run of the program (or of another program, such as the installer),
// started in its own directory. The process is ended if it is still running
// when the object goes, which waits until none of its windows is left.
class SaverProcess {
public:
    SaverProcess(const ProgramCopy& program, const std::string& arguments);
    SaverProcess(const std::wstring& programPath, const std::string& arguments);
    ~SaverProcess();
    SaverProcess(const SaverProcess&) = delete;
    SaverProcess& operator=(const SaverProcess&) = delete;

    DWORD Id() const { return info_.dwProcessId; }
    // The exit code once the process has ended within `timeout`.
    std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout);
    bool IsRunning() const;
    // A top-level window of this process with the given title, once it exists.
    HWND WaitForWindow(const wchar_t* title, std::chrono::milliseconds timeout = kStartTimeout) const;
    // Every visible top-level window the process had while it was watched.
    const std::vector<std::wstring>& SeenWindowTitles() const { return seen_; }
    // Waits for the end while noting which visible windows show up.
    std::optional<DWORD> WatchUntilExit(std::chrono::milliseconds timeout);

private:
    void NoteVisibleWindows();
    bool HasWindows() const;
    PROCESS_INFORMATION info_{};
    std::vector<std::wstring> seen_;
};

// The first top-level window (or, given a parent, descendant) that matches,
// in the system's order; nullptr when none does.
HWND FindWindowWhere(const std::function<bool(HWND)>& matches, HWND parent = nullptr);
DWORD OwnerProcessOf(HWND window);

// Registers a window class of the test process with a grey background.
bool RegisterGreyWindowClass(const wchar_t* name, WNDPROC procedure);

// A window of the test process with the given title: blocks or not, as a
// window of another Zoomorb instance would.
class TitledWindow {
public:
    explicit TitledWindow(const wchar_t* title, bool child = false, HWND parent = nullptr, int width = 200,
                          int height = 150);
    ~TitledWindow();
    TitledWindow(const TitledWindow&) = delete;
    TitledWindow& operator=(const TitledWindow&) = delete;
    HWND Get() const { return window_; }
    void Destroy();

private:
    HWND window_ = nullptr;
};

// Wine's settings for Zoomorb.scr alone, while the object lives: the system
// family it reports, and whether our double of mpr.dll replaces Wine's own.
class WineAppDefaults {
public:
    struct Settings {
        bool windows98 = false;
        bool nativeMpr = false;
    };
    explicit WineAppDefaults(Settings settings);
    ~WineAppDefaults();
    WineAppDefaults(const WineAppDefaults&) = delete;
    WineAppDefaults& operator=(const WineAppDefaults&) = delete;
};

// Dispatches this process's messages for a while (the test hosts windows).
void PumpMessagesFor(std::chrono::milliseconds duration);

// Title of a window, as the system reports it.
std::wstring TitleOf(HWND window);

// Reads a system parameter in a fresh process: Wine caches them per process.
std::optional<UINT> ReadSystemParameterFreshly(UINT action);

// Escape pressed and released as from the keyboard: every process sees it.
void PressEscape();
// Reads Escape's "pressed since the last query" bit, which all processes
// share, so that a saver started next does not see an earlier press.
void ForgetEscapePresses();

// Moves the cursor to a screen point and presses the left button there in
// one input, before the saver's next cursor step can move it away.
void ClickAt(POINT point);

// The outer rectangle of a window in screen pixels.
RECT WindowRectOf(HWND window);
// The first child window of `parent`, once it exists.
HWND FirstChildOf(HWND parent);

// A saver started full screen (`/s`) once earlier Escape presses are
// forgotten, with its glass and the lens in it once they are shown; the lens
// is null when either never showed.
struct RunningSaver {
    explicit RunningSaver(const ProgramCopy& program);
    SaverProcess process;
    HWND glass = nullptr;
    HWND lens = nullptr;
};

// Pixels of a screen area, read through the desktop's device context as any
// program reads the screen.
class ScreenImage {
public:
    explicit ScreenImage(const RECT& area);
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Red, green and blue of the pixel at (x, y) from the area's top-left corner.
    BYTE Red(int x, int y) const { return static_cast<BYTE>(PixelAt(x, y) >> 16); }
    BYTE Green(int x, int y) const { return static_cast<BYTE>(PixelAt(x, y) >> 8); }
    BYTE Blue(int x, int y) const { return static_cast<BYTE>(PixelAt(x, y)); }

private:
    uint32_t PixelAt(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    int width_;
    int height_;
    std::vector<uint32_t> pixels_;
};

// Where the cursor was, recorded from a thread of its own every millisecond
// or so while the object lives: one sample per change of position.
class CursorTrail {
public:
    struct Sample {
        std::chrono::steady_clock::time_point time;
        POINT position;
    };
    CursorTrail();
    ~CursorTrail();
    CursorTrail(const CursorTrail&) = delete;
    CursorTrail& operator=(const CursorTrail&) = delete;

    std::vector<Sample> Samples() const;
    std::vector<Sample> SamplesBetween(std::chrono::steady_clock::time_point from,
                                       std::chrono::steady_clock::time_point to) const;

private:
    void Record();
    mutable std::mutex mutex_;
    std::vector<Sample> samples_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace e2e
