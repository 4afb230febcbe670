#pragma once
// The argument part of a program's command line, as the system hands over
// the whole line.

#include <string>
#include <string_view>

namespace forms {

// Strips the program's path (quoted or not) and the blanks before the argument.
std::string ArgumentTextFromCommandLine(std::string_view fullCommandLine);

}  // namespace forms
