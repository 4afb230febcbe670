#include "app/main.h"

#include <windows.h>

#include "app/core/command_line.h"
#include "app/preview.h"
#include "app/session_lock.h"
#include "forms/form_class.h"
#include "forms/handles.h"
#include "forms/program.h"
#include "saver/zoomorb_s.h"
#include "settings_dialog/zoomorb_p.h"
#include "shared/captions.h"
#include "shared/settings.h"
#include "shared/system.h"

namespace Zoomorb_B {
namespace {

// The 9x family's password-change dialog lives in mpr; on other systems the
// export is missing or does nothing, so it is looked up at run time.
void ChangeScreenSaverPassword(HWND owner) {
    using ChangePassword = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, DWORD);
    forms::UniqueModule mpr(LoadLibraryW(L"mpr.dll"));
    if (!mpr) return;
    auto change = reinterpret_cast<ChangePassword>(
        reinterpret_cast<void*>(GetProcAddress(mpr.Get(), "PwdChangePasswordA")));
    if (change) change("SCRSAVE", owner, 0, 0);
}

}  // namespace

void Main() {
    // A saver or settings dialog of ours is already open: leave it alone.
    // Only our own windows count; any program may title a window alike.
    const bool saverOpen = FindWindowW(forms::kFormClass, zoomorb::kSaverCaption) != nullptr;
    const bool dialogOpen = FindWindowW(forms::kFormClass, zoomorb::kSettingsDialogCaption) != nullptr;
    if (saverOpen || dialogOpen) forms::EndProgram();

    const zoomorb::CommandLine commandLine = zoomorb::ParseArgumentText(forms::ArgumentText());
    const zoomorb::SaverMode mode = zoomorb::ModeOf(commandLine);

    if (mode == zoomorb::SaverMode::Preview) {
        zoomorb::preview::StartPreview(commandLine.handleText);
        return;
    }

    if (mode == zoomorb::SaverMode::Saver || mode == zoomorb::SaverMode::SaverNoNotice ||
        mode == zoomorb::SaverMode::Settings) {
        // Held until the process ends.
        static const zoomorb::SessionLock lock;
        if (!lock.Held()) forms::EndProgram();
    }

    LoadSettings();

    switch (mode) {
        case zoomorb::SaverMode::PasswordChange:
            if (!IsWindowsNT()) {
                const auto owner = zoomorb::PasswordOwnerFromText(commandLine.handleText);
                ChangeScreenSaverPassword(reinterpret_cast<HWND>(static_cast<intptr_t>(owner)));
            }
            forms::EndProgram();
        case zoomorb::SaverMode::Settings:
            zoomorb::settings_dialog::SettingsDialog().ShowModal();
            forms::EndProgram();
        case zoomorb::SaverMode::Saver:
            SetSaverStopped(false);
            zoomorb::saver::SaverWindow().SetSaverMode(true);
            zoomorb::saver::SaverWindow().Load();
            return;
        case zoomorb::SaverMode::SaverNoNotice:
            zoomorb::saver::SaverWindow().Load();
            return;
        case zoomorb::SaverMode::Preview:
        case zoomorb::SaverMode::None:
            break;
    }
    forms::EndProgram();
}

}  // namespace Zoomorb_B
