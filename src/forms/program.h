#pragma once
// The program as a whole: its directory and command line, the clock the
// random generator is reseeded from, its one message loop, and the two ways
// a program is asked to end early (End, and a run-time error nobody
// handled). Either way it ends in one place: its entry returns the code.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <type_traits>

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

// The one message loop. It dispatches messages until the program is asked
// to end, then returns the exit code asked for. Nested inside a handler (a
// modal form), it returns as soon as `done` holds, or when the program is
// asked to end, leaving that request for the loop outside; `takes` may take
// a message for itself before it is dispatched (a dialog's keyboard).
int RunMessageLoop(const std::function<bool()>& done = {}, const std::function<bool(MSG&)>& takes = {});

// Asks the program to end with `exitCode` once the running handler returns:
// the message loop of the program's entry returns it. The first request
// stands; a later one (the last form going, say) changes nothing.
void EndProgram(int exitCode = 0);
// The exit code the program has been asked to end with, if it has been.
std::optional<int> RequestedExitCode();

// A run-time error nobody handled ends the program with its number: every
// form's timers stop at once, so nothing moves on, and its message waits
// until the program has put the system right (ShowRuntimeError). The first
// error is the one told; any that follow while the program ends add nothing.
void EndWithRuntimeError(const RuntimeError& error);
// The same for the exception being handled: ours as it is, running out of
// memory as Out of memory, and anything else (the standard library's, an
// empty callback's) as Internal error.
void EndWithCurrentException();
// Shows the standard run-time error message box for the error that ended
// the program, if one did, once; called by the entry after the loop.
void ShowRuntimeError();

// Runs an event handler on behalf of a window procedure: whatever it throws
// ends the program as a run-time error, and the handler's caller gets an
// empty result, so that no exception ever unwinds into the system's code.
template <typename Handler>
auto RunEventHandler(Handler&& handler) -> decltype(handler()) {
    using Result = decltype(handler());
    try {
        return handler();
    } catch (...) {
        EndWithCurrentException();
        if constexpr (!std::is_void_v<Result>) return Result{};
    }
}

// In-process tests replace the message box to observe it; passing an empty
// function restores the real one.
void SetRuntimeErrorHook(std::function<void(const RuntimeError&)> hook);

}  // namespace forms
