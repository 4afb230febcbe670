// Where OK keeps the magnification: beside the program while its folder can
// be written, otherwise in the per-user file, and never silently nowhere nor
// half-way; that the dialog reads the per-user value first; and all of it
// also in folders whose names the system's code page cannot spell.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "../win/file_bytes.h"
#include "dialog_helpers.h"
#include "harness.h"
#include "settings_files.h"

namespace e2e {
namespace {

using test_files::kMagnificationKeyBytes;

std::string SettingsWith(const std::string& value) {
    return "[Section]\r\n" + kMagnificationKeyBytes + "=" + value + "\r\n";
}

std::wstring FolderOf(const std::wstring& file) { return file.substr(0, file.find_last_of(L'\\')); }

std::optional<std::string> ReadIfThere(const std::wstring& path) {
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return test_files::ReadBytes(path);
}

// The folders the program and the user's settings lie in: plain, or named in
// an alphabet the system's code page (Western, 1252, as the tests run) cannot
// spell. There the program lies in "Łódź" beside a "Lódz", the look-alike
// spelling that must never be written instead, and the user is "Łukasz".
struct Folders {
    const wchar_t* program;
    const wchar_t* lookAlike;
    const wchar_t* roamingAppData;
};
constexpr Folders kFolders[] = {
    {L"", nullptr, nullptr},
    {L"Łódź", L"Lódz", L"C:\\users\\Łukasz\\AppData\\Roaming"},
};

bool CodePageSpells(const wchar_t* text) {
    BOOL substituted = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, -1, nullptr, 0, nullptr, &substituted);
    return !substituted;
}

TEST(SettingsSaving, OkSavesWhereTheNextStartReadsOrSaysItCouldNot) {
    ASSERT_FALSE(CodePageSpells(L"Łódź Łukasz")) << "run under a Western code page, as LC_ALL=C.UTF-8 gives";
    const std::string otherSection = "[Other]\r\nkeep=1\r\n";
    const struct {
        const char* name;
        std::optional<std::string> perUserBefore;
        bool besideLocked;
        bool perUserLocked;
        int opensAt;
        // After one step right and OK; null: no file.
        bool saved;
        std::string besideAfter;
        std::optional<std::string> perUserAfter;
    } cases[] = {
        {"beside the program", std::nullopt, false, false, 150, true, SettingsWith("160"), std::nullopt},
        {"per user, the program's folder locked", std::nullopt, true, false, 150, true, SettingsWith("150"),
         SettingsWith("160")},
        {"beside the program, dropping the per-user value", otherSection + SettingsWith("170"), false, false, 170,
         true, SettingsWith("180"), otherSection + "[Section]\r\n"},
        {"nowhere: both locked", SettingsWith("170"), true, true, 170, false, SettingsWith("150"),
         SettingsWith("170")},
        // Beside the program takes the value, but the per-user one that hides
        // it cannot go: the save is undone.
        {"nowhere: the per-user value locked", SettingsWith("170"), false, true, 170, false, SettingsWith("150"),
         SettingsWith("170")},
    };
    for (const Folders& folders : kFolders) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (folders.lookAlike ? ", folders in another alphabet" : ""));
            std::optional<RoamingAppDataAt> appData;
            if (folders.roamingAppData) appData.emplace(folders.roamingAppData);
            ProgramCopy program(folders.program);
            program.WriteFile(L"Zoomorb.ini", SettingsWith("150"));
            const std::wstring lookAlike =
                folders.lookAlike ? FolderOf(program.Directory()) + L"\\" + folders.lookAlike : std::wstring();
            if (!lookAlike.empty()) CreateDirectoryW(lookAlike.c_str(), nullptr);
            const std::wstring perUser = PerUserSettingsPath();
            test_files::SetAsideFile userSettings(perUser);
            if (c.perUserBefore) WritePerUserSettings(*c.perUserBefore);
            std::optional<WriteLock> besideLock, perUserLock;
            if (c.besideLocked) {
                besideLock.emplace(std::vector<std::wstring>{program.Directory(), program.SettingsPath()});
                ASSERT_TRUE(besideLock->Locked()) << "chattr +i failed: these tests run as root on ext4 or alike";
            }
            if (c.perUserLocked) {
                perUserLock.emplace(std::vector<std::wstring>{FolderOf(perUser), perUser});
                ASSERT_TRUE(perUserLock->Locked()) << "chattr +i failed: these tests run as root on ext4 or alike";
            }

            SaverProcess process(program, "/c");
            const OpenDialog dialog = FindDialog(process);
            ASSERT_NE(dialog.okButton, nullptr);
            EXPECT_EQ(ScrollPosition(dialog.scrollBar), c.opensAt);
            StepRight(dialog.scrollBar);
            PostMessageW(dialog.okButton, BM_CLICK, 0, 0);
            if (c.saved) {
                const auto code = process.WaitForExit(kEndsAtOnce);
                ASSERT_TRUE(code.has_value()) << "still running after OK";
                EXPECT_EQ(*code, 0u);
            } else {
                const HWND box = WaitForMessageBox(process.Id(), kEndsAtOnce);
                ASSERT_NE(box, nullptr) << "a failed save was not reported";
                EXPECT_NE(MessageBoxText(box).find(perUser), std::wstring::npos);
                PostMessageW(box, WM_COMMAND, IDOK, 0);
                PumpMessagesFor(500ms);
                EXPECT_TRUE(process.IsRunning());
                EXPECT_TRUE(IsWindowVisible(dialog.window)) << "the dialog went after a failed save";
                PostMessageW(dialog.window, WM_CLOSE, 0, 0);
                EXPECT_TRUE(process.WaitForExit(kEndsAtOnce).has_value());
            }
            EXPECT_EQ(program.ReadFile(L"Zoomorb.ini").value_or("(no file)"), c.besideAfter);
            EXPECT_EQ(ReadIfThere(perUser).value_or("(no file)"), c.perUserAfter.value_or("(no file)"));
            if (!lookAlike.empty())
                EXPECT_FALSE(ReadIfThere(lookAlike + L"\\Zoomorb.ini").has_value()) << "written to the look-alike";
        }
    }
}

}  // namespace
}  // namespace e2e
