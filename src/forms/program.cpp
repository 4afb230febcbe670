#include "program.h"

#include <windows.h>

#include <new>

#include "forms/core/argument_text.h"
#include "forms/form.h"
#include "forms/text.h"

namespace forms {
namespace {

// How the program is asked to end: the code its entry will return, and the
// run-time error whose message waits to be shown.
struct Ending {
    std::optional<int> exitCode;
    std::optional<RuntimeError> error;
    bool showingError = false;
};

Ending& TheEnding() {
    static Ending ending;
    return ending;
}

std::function<void(const RuntimeError&)>& RuntimeErrorHook() {
    static std::function<void(const RuntimeError&)> hook;
    return hook;
}

}  // namespace

std::wstring ProgramDirectory() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return L".";
    // A program in a drive's root keeps its backslash ("C:\"), as a directory name must.
    return path.substr(0, slash == 2 && path[1] == L':' ? slash + 1 : slash);
}

std::string ArgumentText() { return ArgumentTextFromCommandLine(Narrow(GetCommandLineW())); }

double SecondsSinceMidnight() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now.wHour * 3600.0 + now.wMinute * 60.0 + now.wSecond + now.wMilliseconds / 1000.0;
}

Random& SharedRandom() {
    static Random random;
    return random;
}

int RunMessageLoop(const std::function<bool()>& done, const std::function<bool(MSG&)>& takes) {
    // Only the entry's loop runs until the end; a modal form's runs while
    // the form is there, and leaves any request to end for the entry's.
    const bool entrys = !done;
    MSG message{};
    while (!(done && done())) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            if (!entrys) PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got < 0) {
            // No queue to read: nothing more will ever come.
            EndProgram(0);
            break;
        }
        if (takes && takes(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    Ending& ending = TheEnding();
    const int exitCode = ending.exitCode.value_or(0);
    // The entry's loop has taken the request: a program that runs the loop
    // again (the in-process tests do) starts afresh.
    if (entrys) ending.exitCode.reset();
    return exitCode;
}

void EndProgram(int exitCode) {
    Ending& ending = TheEnding();
    if (ending.exitCode) return;
    ending.exitCode = exitCode;
    PostQuitMessage(exitCode);
}

std::optional<int> RequestedExitCode() { return TheEnding().exitCode; }

void EndWithRuntimeError(const RuntimeError& error) {
    Ending& ending = TheEnding();
    if (ending.error || ending.showingError) return;
    ending.error = error;
    Form::StopAllTimers();
    // An earlier request to end gives way: the error's number is the code.
    ending.exitCode.reset();
    EndProgram(error.Code());
}

void EndWithCurrentException() {
    try {
        throw;
    } catch (const RuntimeError& error) {
        EndWithRuntimeError(error);
    } catch (const std::bad_alloc&) {
        EndWithRuntimeError(RuntimeError(ErrorNumber::OutOfMemory));
    } catch (...) {
        EndWithRuntimeError(RuntimeError(ErrorNumber::InternalError));
    }
}

void ShowRuntimeError() {
    Ending& ending = TheEnding();
    if (!ending.error) return;
    const RuntimeError error = *ending.error;
    ending.error.reset();
    ending.showingError = true;
    // A request to end still queued (a form gone after the loop) would close
    // the box before anyone read it.
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    if (auto& hook = RuntimeErrorHook()) {
        hook(error);
    } else {
        MessageBoxW(nullptr, Widen(error.Message()).c_str(), L"Zoomorb", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    }
    ending.showingError = false;
}

void SetRuntimeErrorHook(std::function<void(const RuntimeError&)> hook) { RuntimeErrorHook() = std::move(hook); }

}  // namespace forms
