#pragma once
// The program as a whole: its directory and command line, the clock the
// random generator is reseeded from, message processing, and the two ways a
// program ends early (End, and a run-time error nobody handled).

#include <functional>
#include <string>

#include "forms/core/random.h"
#include "forms/core/runtime_error.h"

namespace forms {

// The program's directory, without a trailing backslash unless it is a root.
std::wstring ProgramDirectory();
// The argument part of the command line: no program path, no leading blanks.
std::string ArgumentText();

// Seconds since midnight, local time, with the milliseconds as a fraction.
double SecondsSinceMidnight();

// The generator every form draws from.
Random& SharedRandom();

// Dispatches every message waiting in the queue, then returns.
void ProcessMessages();
// Runs the message loop until no form is loaded any more.
void RunMessageLoop();

// Stops the process at once: loaded forms go without their unload handlers.
[[noreturn]] void EndProgram();
// Shows the standard run-time error message box, then ends the program.
[[noreturn]] void ReportRuntimeError(const RuntimeError& error);
// Reports the exception being handled as a run-time error, then ends the
// program: ours as it is, running out of memory as Out of memory, and
// anything else (the standard library's, an empty callback's) as Internal
// error.
[[noreturn]] void ReportCurrentException();

// Runs an event handler on behalf of a window procedure: whatever it throws
// is reported here and ends the program, so that no exception ever unwinds
// into the system's code.
template <typename Handler>
auto RunEventHandler(Handler&& handler) -> decltype(handler()) {
    try {
        return handler();
    } catch (...) {
        ReportCurrentException();
    }
}

// In-process tests replace these two to observe them; the replacement must
// not return normally (throw instead). Passing an empty function restores
// the real behaviour. What a replacement throws inside an event handler is
// caught by the handler's guard like anything else.
void SetEndProgramHook(std::function<void()> hook);
void SetRuntimeErrorHook(std::function<void(const RuntimeError&)> hook);

}  // namespace forms
