#include "program.h"

#include <windows.h>

#include <new>

#include "forms/core/argument_text.h"
#include "forms/form.h"
#include "forms/text.h"

namespace forms {
namespace {

std::function<void()>& EndProgramHook() {
    static std::function<void()> hook;
    return hook;
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

void ProcessMessages() {
    // Only what is waiting now: a timer whose handler takes longer than its
    // interval is due again each time the queue is looked at, and waiting
    // for an empty queue would then never end. A message stamped after the
    // start is the last one dispatched.
    const DWORD start = GetTickCount();
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Leave the quit request for the loop that owns it.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
        if (static_cast<LONG>(message.time - start) > 0) return;
    }
}

void RunMessageLoop() {
    MSG message;
    while (Form::LoadedCount() > 0 && GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void EndProgram() {
    if (auto& hook = EndProgramHook()) hook();
    ExitProcess(0);
}

void ReportRuntimeError(const RuntimeError& error) {
    if (auto& hook = RuntimeErrorHook()) hook(error);
    MessageBoxW(nullptr, Widen(error.Message()).c_str(), L"Zoomorb", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    ExitProcess(static_cast<UINT>(error.Code()));
}

void ReportCurrentException() {
    try {
        throw;
    } catch (const RuntimeError& error) {
        ReportRuntimeError(error);
    } catch (const std::bad_alloc&) {
        ReportRuntimeError(RuntimeError(ErrorNumber::OutOfMemory));
    } catch (...) {
        ReportRuntimeError(RuntimeError(ErrorNumber::InternalError));
    }
}

void SetEndProgramHook(std::function<void()> hook) { EndProgramHook() = std::move(hook); }
void SetRuntimeErrorHook(std::function<void(const RuntimeError&)> hook) { RuntimeErrorHook() = std::move(hook); }

}  // namespace forms
