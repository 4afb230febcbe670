#include "runtime_error.h"

namespace forms {

const char* RuntimeError::Description() const {
    switch (number_) {
        case ErrorNumber::InvalidProcedureCall: return "Invalid procedure call or argument";
        case ErrorNumber::Overflow: return "Overflow";
        case ErrorNumber::OutOfMemory: return "Out of memory";
        case ErrorNumber::SubscriptOutOfRange: return "Subscript out of range";
        case ErrorNumber::DivisionByZero: return "Division by zero";
        case ErrorNumber::TypeMismatch: return "Type mismatch";
        case ErrorNumber::InternalError: return "Internal error";
    }
    return "Application-defined or object-defined error";
}

std::string RuntimeError::Message() const {
    return "Run-time error '" + std::to_string(Code()) + "':\n\n" + Description();
}

void Raise(ErrorNumber number) { throw RuntimeError(number); }

}  // namespace forms
