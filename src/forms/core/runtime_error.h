#pragma once
// The classic run-time errors. Checked conversions and arithmetic throw
// RuntimeError; procedures that "ignore every error" run their steps through
// IgnoreErrors; anything else reaches the window dispatcher, which reports the
// error and ends the program.

#include <string>
#include <utility>

namespace forms {

enum class ErrorNumber : int {
    InvalidProcedureCall = 5,
    Overflow = 6,
    OutOfMemory = 7,
    SubscriptOutOfRange = 9,
    DivisionByZero = 11,
    TypeMismatch = 13,
    // An exception that is none of ours reached an event's guard.
    InternalError = 51,
};

class RuntimeError {
public:
    explicit RuntimeError(ErrorNumber number) : number_(number) {}
    ErrorNumber Number() const { return number_; }
    int Code() const { return static_cast<int>(number_); }
    const char* Description() const;
    // "Run-time error '6':\n\nOverflow", as the standard message box shows it.
    std::string Message() const;

private:
    ErrorNumber number_;
};

[[noreturn]] void Raise(ErrorNumber number);

// Runs one statement of an "ignore every error" procedure: a run-time error
// skips the statement and execution goes on with the next one.
template <typename Statement>
void IgnoreErrors(Statement&& statement) {
    try {
        std::forward<Statement>(statement)();
    } catch (const RuntimeError&) {
    }
}

}  // namespace forms
