// Tells scripts/run where a window of the saver is: waits until a visible
// top-level window with the given title exists on the given desktop (Wine's
// "explorer /desktop=NAME" desktop, which other desktops cannot see into),
// then prints its rectangle as "left top right bottom".
//
//   window_probe.exe DESKTOP TITLE SECONDS
//
// Exit code 0 when found, 1 when the window did not appear in time, 2 for
// bad arguments or a desktop that does not exist.

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

struct Search {
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK MatchTitle(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    if (IsWindowVisible(window) && std::wcscmp(text, search->title) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fputs("usage: window_probe.exe DESKTOP TITLE SECONDS\n", stderr);
        return 2;
    }
    // Window lookups see only the calling thread's desktop, so move there.
    HDESK desktop = OpenDesktopW(argv[1], 0, FALSE, DESKTOP_READOBJECTS | DESKTOP_ENUMERATE);
    if (!desktop || !SetThreadDesktop(desktop)) {
        std::fprintf(stderr, "cannot look into the desktop named %ls\n", argv[1]);
        return 2;
    }
    const DWORD deadline = GetTickCount() + static_cast<DWORD>(_wtoi(argv[3])) * 1000;
    Search search{argv[2], nullptr};
    int status = 1;
    for (;;) {
        EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&search));
        RECT place{};
        if (search.found && GetWindowRect(search.found, &place)) {
            std::printf("%ld %ld %ld %ld\n", place.left, place.top, place.right, place.bottom);
            status = 0;
            break;
        }
        if (static_cast<LONG>(GetTickCount() - deadline) >= 0) break;
        Sleep(100);
    }
    CloseDesktop(desktop);
    return status;
}
