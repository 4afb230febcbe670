#include <gtest/gtest.h>

#include "app/core/command_line.h"
#include "forms/core/argument_text.h"
#include "forms/core/runtime_error.h"
#include "shared/core/settings_value.h"

using zoomorb::ModeOf;
using zoomorb::ParseArgumentText;
using zoomorb::SaverMode;

TEST(CommandLine, ArgumentTextLeavesOutTheProgramPath) {
    EXPECT_EQ(forms::ArgumentTextFromCommandLine("\"C:\\Program Files\\Zoomorb.scr\"  /p 1234"), "/p 1234");
    EXPECT_EQ(forms::ArgumentTextFromCommandLine("C:\\WINDOWS\\ZOOMOR~1.SCR /s"), "/s");
    EXPECT_EQ(forms::ArgumentTextFromCommandLine("Zoomorb.scr"), "");
    EXPECT_EQ(forms::ArgumentTextFromCommandLine("  \"Zoomorb.scr\""), "");
    EXPECT_EQ(forms::ArgumentTextFromCommandLine("\"unterminated /s"), "");
}

TEST(CommandLine, ModeLetterIsTheUpperCasedSecondCharacter) {
    struct Case {
        const char* argument;
        SaverMode mode;
        const char* handle;
    };
    const Case cases[] = {
        {"/s", SaverMode::Saver, ""},
        {"/S", SaverMode::Saver, ""},
        {"-S", SaverMode::Saver, ""},
        {"xs", SaverMode::Saver, ""},
        {"/s anything", SaverMode::Saver, "anything"},
        {"s", SaverMode::None, ""},
        {"S", SaverMode::None, ""},
        {"", SaverMode::SaverNoNotice, ""},
        {"/c", SaverMode::Settings, ""},
        {"/C", SaverMode::Settings, ""},
        {"/c:5678", SaverMode::Settings, "5678"},
        {"/p 1234", SaverMode::Preview, "1234"},
        {"-P 77", SaverMode::Preview, "77"},
        {"/p", SaverMode::Preview, ""},
        {"/x", SaverMode::None, ""},
        {"/a 1234", SaverMode::PasswordChange, "1234"},
        {"/a", SaverMode::PasswordChange, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argument);
        const auto parsed = ParseArgumentText(c.argument);
        EXPECT_EQ(ModeOf(parsed), c.mode);
        EXPECT_EQ(parsed.handleText, c.handle);
    }
    EXPECT_EQ(ParseArgumentText("  /s").modeLetter, "S");  // leading blanks are not part of it
}

TEST(CommandLine, PreviewHandleIsTheLeadingNumber) {
    EXPECT_EQ(zoomorb::PreviewHandleFromText("1234"), 1234);
    EXPECT_EQ(zoomorb::PreviewHandleFromText(" 1234 junk"), 1234);
    EXPECT_EQ(zoomorb::PreviewHandleFromText(""), 0);
    EXPECT_EQ(zoomorb::PreviewHandleFromText("junk"), 0);
    EXPECT_EQ(zoomorb::PreviewHandleFromText("12.5"), 12);
    EXPECT_THROW(zoomorb::PreviewHandleFromText("99999999999"), forms::RuntimeError);
}

TEST(CommandLine, PasswordOwnerFallsBackToNoOwner) {
    EXPECT_EQ(zoomorb::PasswordOwnerFromText("1234"), 1234);
    EXPECT_EQ(zoomorb::PasswordOwnerFromText(" 1234 "), 1234);
    EXPECT_EQ(zoomorb::PasswordOwnerFromText(""), 0);
    EXPECT_EQ(zoomorb::PasswordOwnerFromText("abc"), 0);
    EXPECT_EQ(zoomorb::PasswordOwnerFromText("99999999999"), 0);
}

TEST(SettingsValue, ReadsTheMagnification) {
    EXPECT_EQ(zoomorb::MagnificationFromText(""), 200);
    EXPECT_EQ(zoomorb::MagnificationFromText("150"), 150);
    EXPECT_EQ(zoomorb::MagnificationFromText(" 150 "), 150);
    EXPECT_EQ(zoomorb::MagnificationFromText("150.5"), 150);
    EXPECT_EQ(zoomorb::MagnificationFromText("150.6"), 151);
    EXPECT_EQ(zoomorb::MagnificationFromText("1000"), 1000);  // kept: no clamping
    EXPECT_EQ(zoomorb::MagnificationFromText("1"), 1);
}

TEST(SettingsValue, UnusableValuesFallBackToTheDefault) {
    for (const char* text : {"0", "-50", "abc", "0.4", "99999999999", "150%"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(zoomorb::MagnificationFromText(text), 200);
    }
    EXPECT_EQ(zoomorb::MagnificationToText(200), " 200");
    EXPECT_EQ(zoomorb::MagnificationToText(50), " 50");
}
