// Watches a running saver from outside for bench/run: lays the coordinate
// pattern of the end-to-end tests over the desktop (so that every redraw of
// the lens changes what it shows), waits for the saver window, lets it run
// undisturbed for a while (the script measures CPU then), and then counts
// how often the lens content, the cursor and the window change, and notes
// how old the oldest part of the desktop the lens showed was, as the saver
// counts it below 100 %. Reads the saver's GDI handle count at the start
// and at the end, and finally asks it to close.
//
//   lens_probe.exe [--idle SECONDS] [--sample SECONDS]

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "desktop_pattern.h"
#include "gdi_handles.h"
#include "harness.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

double SecondsArgument(int argc, char** argv, const char* name, double fallback) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], name) == 0) return std::atof(argv[i + 1]);
    return fallback;
}

HWND WaitForSaverWindow() {
    const auto deadline = Clock::now() + 60s;
    while (Clock::now() < deadline) {
        if (HWND saver = FindWindowW(nullptr, L"Zoomorb_Main"); saver && IsWindowVisible(saver)) return saver;
        std::this_thread::sleep_for(20ms);
    }
    return nullptr;
}

uint64_t LensFingerprint(const e2e::ScreenImage& lens) {
    // The middle of the lens: always inside its ellipse.
    uint64_t hash = 1469598103934665603ull;
    for (int y = lens.Height() / 4; y < lens.Height() * 3 / 4; ++y) {
        for (int x = lens.Width() / 4; x < lens.Width() * 3 / 4; ++x) {
            hash = (hash ^ lens.Red(x, y)) * 1099511628211ull;
            hash = (hash ^ lens.Green(x, y)) * 1099511628211ull;
            hash = (hash ^ lens.Blue(x, y)) * 1099511628211ull;
        }
    }
    return hash;
}

// How old, in milliseconds, the oldest part of the desktop the reduced lens
// showed in the last second was: the saver keeps one more than that in a
// property of the lens window for this probe alone. None at 100 % and above.
std::optional<uintptr_t> OldestShownMs(HWND lens) {
    if (HANDLE value = GetPropW(lens, L"Zoomorb.OldestShownMs")) return reinterpret_cast<uintptr_t>(value) - 1;
    return std::nullopt;
}

void PrintGdiCount(const char* when, const std::optional<size_t>& count) {
    if (count) std::printf("GDI handles of the saver %s: %zu\n", when, *count);
    else std::printf("GDI handles of the saver %s: not readable\n", when);
}

}  // namespace

int main(int argc, char** argv) {
    const double idleSeconds = SecondsArgument(argc, argv, "--idle", 65);
    const double sampleSeconds = SecondsArgument(argc, argv, "--sample", 10);
    std::setvbuf(stdout, nullptr, _IONBF, 0);

    e2e::DesktopPattern pattern;
    std::printf("pattern shown\n");
    HWND saver = WaitForSaverWindow();
    if (!saver) {
        std::printf("no saver window appeared\n");
        return 1;
    }
    DWORD saverId = 0;
    GetWindowThreadProcessId(saver, &saverId);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, saverId);
    const bool countable = gdi_handles::CountingWorks();
    if (!countable) std::printf("GDI handle counting does not work here (the table is read under 64-bit Wine only)\n");

    std::this_thread::sleep_for(1s);  // let set-up finish
    const auto atStart = countable ? gdi_handles::Count(process) : std::nullopt;
    PrintGdiCount("at start", atStart);

    std::this_thread::sleep_for(std::chrono::duration<double>(idleSeconds));

    HWND lens = GetWindow(saver, GW_CHILD);
    size_t lensReads = 0, lensChanges = 0, windowSteps = 0;
    uint64_t lastFingerprint = 0;
    RECT lastPlace = e2e::WindowRectOf(saver);
    size_t cursorStepsBefore = 0;
    size_t cursorSteps = 0;
    double sampledSeconds = 0;
    std::optional<uintptr_t> oldestShownMs;
    {
        e2e::CursorTrail trail;
        std::this_thread::sleep_for(100ms);
        cursorStepsBefore = trail.Samples().size();
        const auto started = Clock::now();
        while (Clock::now() - started < std::chrono::duration<double>(sampleSeconds) && IsWindow(saver)) {
            const e2e::ScreenImage image(e2e::WindowRectOf(lens));
            const uint64_t fingerprint = LensFingerprint(image);
            lensChanges += lensReads > 0 && fingerprint != lastFingerprint;
            lastFingerprint = fingerprint;
            ++lensReads;
            const RECT place = e2e::WindowRectOf(saver);
            windowSteps += place.left != lastPlace.left || place.top != lastPlace.top;
            lastPlace = place;
            if (const auto oldest = OldestShownMs(lens)) oldestShownMs = std::max(oldestShownMs.value_or(0), *oldest);
            std::this_thread::sleep_for(1ms);
        }
        sampledSeconds = std::chrono::duration<double>(Clock::now() - started).count();
        cursorSteps = trail.Samples().size() - cursorStepsBefore;
    }
    std::printf("lens redraws per second: %.1f (the lens read %.0f times a second)\n", lensChanges / sampledSeconds,
                lensReads / sampledSeconds);
    std::printf("cursor steps per second: %.1f\n", cursorSteps / sampledSeconds);
    std::printf("window steps per second: %.1f\n", windowSteps / sampledSeconds);
    if (oldestShownMs)
        std::printf("oldest part of the desktop the lens showed: %u ms\n", static_cast<unsigned>(*oldestShownMs));
    else
        std::printf("oldest part of the desktop the lens showed: none kept (the lens reads the screen itself)\n");

    const auto atEnd = countable ? gdi_handles::Count(process) : std::nullopt;
    PrintGdiCount("at end", atEnd);
    PostMessageW(saver, WM_CLOSE, 0, 0);
    if (process) CloseHandle(process);
    return atStart && atEnd && *atEnd > *atStart ? 2 : 0;
}
