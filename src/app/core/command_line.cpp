#include "command_line.h"

#include <cctype>

#include "forms/core/blanks.h"
#include "forms/core/numbers.h"
#include "forms/core/runtime_error.h"

namespace zoomorb {

CommandLine ParseArgumentText(std::string_view argumentText) {
    CommandLine result;
    size_t begin = 0;
    while (begin < argumentText.size() && forms::IsBlank(argumentText[begin])) ++begin;
    result.argumentText = std::string(argumentText.substr(begin));
    if (result.argumentText.size() >= 2)
        result.modeLetter = std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(result.argumentText[1]))));
    if (result.argumentText.size() > 3) result.handleText = result.argumentText.substr(3);
    return result;
}

SaverMode ModeOf(const CommandLine& commandLine) {
    if (commandLine.modeLetter == "P") return SaverMode::Preview;
    if (commandLine.modeLetter == "A") return SaverMode::PasswordChange;
    if (commandLine.modeLetter == "C") return SaverMode::Settings;
    if (commandLine.modeLetter == "S") return SaverMode::Saver;
    if (commandLine.argumentText.empty()) return SaverMode::SaverNoNotice;
    return SaverMode::None;
}

long long PreviewHandleFromText(std::string_view handleText) {
    return forms::ToInt32(forms::Val(handleText));
}

long long PasswordOwnerFromText(std::string_view handleText) {
    try {
        return forms::ToInt32(forms::ParseNumber(handleText));
    } catch (const forms::RuntimeError&) {
        return 0;
    }
}

}  // namespace zoomorb
