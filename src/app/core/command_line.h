#pragma once
// Reading the screen-saver argument: the system starts a saver with a short
// switch whose second character picks the mode ("/s", "-p 1234", "/c:5678").

#include <string>
#include <string_view>

namespace zoomorb {

enum class SaverMode {
    Preview,         // "P": draw into the pane whose handle follows
    PasswordChange,  // "A": the 9x password-change dialog, owned by the handle that follows
    Settings,        // "C": the settings dialog
    Saver,           // "S": run, telling the system a saver is running
    SaverNoNotice,   // no argument at all: run without the system notice
    None,            // anything else: end at once
};

struct CommandLine {
    std::string argumentText;  // after the program's path, leading blanks removed
    std::string modeLetter;    // second character, upper-cased; empty when too short
    std::string handleText;    // from the fourth character on, case kept
};

CommandLine ParseArgumentText(std::string_view argumentText);

SaverMode ModeOf(const CommandLine& commandLine);

// The pane handle of a preview start: the leading number of the handle text,
// 0 when there is none, as a 32-bit value (Overflow beyond it).
long long PreviewHandleFromText(std::string_view handleText);

// The owner handle of a password change. Text that is not a number gives no
// owner (0) rather than an error: the dialog is still worth showing.
long long PasswordOwnerFromText(std::string_view handleText);

}  // namespace zoomorb
