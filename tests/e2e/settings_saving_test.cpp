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

// The settings file beside the program as it lies on a disk that is full:
// the file fills a block of the disk to its end, so that the value one step
// up (90 to 100) needs a new one.
std::string FillingABlock(const std::string& settings) {
    constexpr size_t kBlock = 4096;
    const std::string head = "[Notes]\r\n; ";
    const std::string tail = "\r\n";
    return head + std::string(kBlock - head.size() - tail.size() - settings.size(), '-') + tail + settings;
}

// Where the file beside the program lies: a folder that can be written, one
// that nobody may write (folder and file), one that takes no new file though
// the file may be written, a small disk that is full, or such a folder on it.
enum class Beside { Writable, Locked, FolderLocked, FullDisk, FullDiskFolderLocked };

TEST(SettingsSaving, OkSavesWhereTheNextStartReadsOrSaysItCouldNot) {
    ASSERT_FALSE(CodePageSpells(L"Łódź Łukasz")) << "run under a Western code page, as LC_ALL=C.UTF-8 gives";
    const std::string otherSection = "[Other]\r\nkeep=1\r\n";
    const std::string aBlock = FillingABlock(SettingsWith("90"));
    const struct {
        const char* name;
        Beside beside;
        std::string besideBefore;
        std::optional<std::string> perUserBefore;
        bool perUserLocked;
        int opensAt;
        // After one step right and OK; null: no file.
        bool saved;
        std::string besideAfter;
        std::optional<std::string> perUserAfter;
    } cases[] = {
        {"beside the program", Beside::Writable, SettingsWith("150"), std::nullopt, false, 150, true,
         SettingsWith(" 160"), std::nullopt},
        {"per user, the program's folder locked", Beside::Locked, SettingsWith("150"), std::nullopt, false, 150, true,
         SettingsWith("150"), SettingsWith(" 160")},
        {"beside the program, in place: its folder takes no new file", Beside::FolderLocked, otherSection +
         SettingsWith("150"), std::nullopt, false, 150, true, otherSection + SettingsWith(" 160"), std::nullopt},
        {"beside the program, dropping the per-user value", Beside::Writable, SettingsWith("150"),
         otherSection + SettingsWith("170"), false, 170, true, SettingsWith(" 180"), otherSection + "[Section]\r\n"},
        {"per user, the program's disk full", Beside::FullDisk, aBlock, std::nullopt, false, 90, true, aBlock,
         SettingsWith(" 100")},
        {"per user, the program's disk full, its folder taking no new file", Beside::FullDiskFolderLocked, aBlock,
         std::nullopt, false, 90, true, aBlock, SettingsWith(" 100")},
        {"nowhere: both locked", Beside::Locked, SettingsWith("150"), SettingsWith("170"), true, 170, false,
         SettingsWith("150"), SettingsWith("170")},
        {"nowhere: the program's disk full, the per-user file locked", Beside::FullDisk, aBlock, SettingsWith("170"),
         true, 170, false, aBlock, SettingsWith("170")},
        // Beside the program takes the value, but the per-user one that hides
        // it cannot go: the save is undone.
        {"nowhere: the per-user value locked", Beside::Writable, SettingsWith("150"), SettingsWith("170"), true, 170,
         false, SettingsWith("150"), SettingsWith("170")},
    };
    for (const Folders& folders : kFolders) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (folders.lookAlike ? ", folders in another alphabet" : ""));
            std::optional<RoamingAppDataAt> appData;
            if (folders.roamingAppData) appData.emplace(folders.roamingAppData);
            ProgramCopy program(folders.program);
            std::optional<FullSmallDisk> disk;
            const bool fullDisk = c.beside == Beside::FullDisk || c.beside == Beside::FullDiskFolderLocked;
            if (fullDisk) {
                disk.emplace(program.Directory());
                ASSERT_TRUE(disk->Ready()) << "mount failed: these tests run as root";
            }
            program.WriteFile(L"Zoomorb.ini", c.besideBefore);
            if (disk) ASSERT_TRUE(disk->Fill());
            const std::wstring lookAlike =
                folders.lookAlike ? FolderOf(program.Directory()) + L"\\" + folders.lookAlike : std::wstring();
            if (!lookAlike.empty()) CreateDirectoryW(lookAlike.c_str(), nullptr);
            const std::wstring perUser = PerUserSettingsPath();
            test_files::SetAsideFile userSettings(perUser);
            if (c.perUserBefore) WritePerUserSettings(*c.perUserBefore);
            std::optional<WriteLock> besideLock, perUserLock;
            if (c.beside == Beside::Locked || c.beside == Beside::FolderLocked ||
                c.beside == Beside::FullDiskFolderLocked) {
                std::vector<std::wstring> locked{program.Directory()};
                if (c.beside == Beside::Locked) locked.push_back(program.SettingsPath());
                besideLock.emplace(locked);
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
            EXPECT_FALSE(program.ReadFile(L"Zoomorb.ini.new").has_value()) << "a half-made copy was left";
            if (!lookAlike.empty())
                EXPECT_FALSE(ReadIfThere(lookAlike + L"\\Zoomorb.ini").has_value()) << "written to the look-alike";
        }
    }
}

// A file that another program (a backup tool, a virus scanner) holds open
// without read sharing as the dialog opens is no missing file: the dialog
// says it could not read it, naming it, and OK does not save the default it
// shows over the value it could not read. A value the user then chooses is
// saved, where the file can be written: per user, while it is held.
TEST(SettingsSaving, AFileHeldOpenAsTheDialogOpensIsSaidAndItsValueKept) {
    const struct {
        const char* name;
        int steps;
        std::optional<std::string> perUserAfter;
    } cases[] = {{"OK alone", 0, std::nullopt}, {"a value chosen", 1, SettingsWith(" 210")}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramCopy program;
        program.WriteFile(L"Zoomorb.ini", SettingsWith("350"));
        const std::wstring perUser = PerUserSettingsPath();
        test_files::SetAsideFile userSettings(perUser);
        const HANDLE held = CreateFileW(program.SettingsPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        SaverProcess process(program, "/c");
        const HWND box = WaitForMessageBox(process.Id(), kStartTimeout);
        ASSERT_NE(box, nullptr) << "the dialog did not say it could not read the file";
        EXPECT_NE(MessageBoxText(box).find(program.SettingsPath()), std::wstring::npos);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        const OpenDialog dialog = FindDialog(process);
        ASSERT_NE(dialog.okButton, nullptr);
        EXPECT_EQ(ScrollPosition(dialog.scrollBar), 200);
        for (int step = 0; step < c.steps; ++step) StepRight(dialog.scrollBar);
        PostMessageW(dialog.okButton, BM_CLICK, 0, 0);
        const auto code = process.WaitForExit(kEndsAtOnce);
        CloseHandle(held);
        ASSERT_TRUE(code.has_value()) << "still running after OK";
        EXPECT_EQ(*code, 0u);
        EXPECT_EQ(program.ReadFile(L"Zoomorb.ini").value_or("(no file)"), SettingsWith("350"));
        EXPECT_EQ(ReadIfThere(perUser).value_or("(no file)"), c.perUserAfter.value_or("(no file)"));
    }
}

}  // namespace
}  // namespace e2e
