#pragma once
// Texts from the program's string tables, in a language the caller chooses.
// LoadString picks the table by the thread's UI language, which the program
// does not choose; this reads the table of the language asked for.

#include <windows.h>

#include <string>

namespace forms {

// String `id` from the program's table of `language`; empty when that table
// lacks it.
std::wstring LoadStringIn(UINT id, LANGID language);

}  // namespace forms
