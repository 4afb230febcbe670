#include "app/main.h"

#include <windows.h>

#include <optional>

#include "app/core/command_line.h"
#include "app/preview.h"
#include "app/session_lock.h"
#include "forms/form.h"
#include "forms/form_class.h"
#include "forms/handles.h"
#include "forms/program.h"
#include "saver/saver_session.h"
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

// Runs the program's message loop after `start`, which makes what the mode
// shows; whatever `start` throws ends the program as any handler's would.
template <typename Start>
int RunAfter(Start&& start) {
    forms::RunEventHandler(start);
    // Nothing shown, nothing to wait for.
    if (forms::Form::LoadedCount() == 0) forms::EndProgram(0);
    return forms::RunMessageLoop();
}

int RunSaver(bool saverMode) {
    // The session outlives the window: whichever way the saver ends, the
    // window goes first, then the system is put right.
    std::optional<zoomorb::saver::SaverSession> session;
    std::optional<zoomorb::saver::Zoomorb_S> window;
    return RunAfter([&] {
        session.emplace(saverMode);
        window.emplace(*session);
        window->Load();
    });
}

int RunSettingsDialog() {
    std::optional<zoomorb::settings_dialog::Zoomorb_P> dialog;
    return RunAfter([&] {
        dialog.emplace();
        dialog->ShowModal();
    });
}

}  // namespace

int Main() {
    // A saver or settings dialog of ours is already open: leave it alone.
    // Only our own windows count; any program may title a window alike.
    const bool saverOpen = FindWindowW(forms::kFormClass, zoomorb::kSaverCaption) != nullptr;
    const bool dialogOpen = FindWindowW(forms::kFormClass, zoomorb::kSettingsDialogCaption) != nullptr;
    if (saverOpen || dialogOpen) return 0;

    const zoomorb::CommandLine commandLine = zoomorb::ParseArgumentText(forms::ArgumentText());
    const zoomorb::SaverMode mode = zoomorb::ModeOf(commandLine);

    if (mode == zoomorb::SaverMode::Preview)
        return RunAfter([&] { zoomorb::preview::StartPreview(commandLine.handleText); });

    // Held until Main returns.
    std::optional<zoomorb::SessionLock> lock;
    if (mode == zoomorb::SaverMode::Saver || mode == zoomorb::SaverMode::SaverNoNotice ||
        mode == zoomorb::SaverMode::Settings) {
        lock.emplace();
        if (!lock->Held()) return 0;
    }

    LoadSettings();

    switch (mode) {
        case zoomorb::SaverMode::PasswordChange:
            if (!IsWindowsNT()) {
                const auto owner = zoomorb::PasswordOwnerFromText(commandLine.handleText);
                ChangeScreenSaverPassword(reinterpret_cast<HWND>(static_cast<intptr_t>(owner)));
            }
            return 0;
        case zoomorb::SaverMode::Settings:
            return RunSettingsDialog();
        case zoomorb::SaverMode::Saver:
            return RunSaver(true);
        case zoomorb::SaverMode::SaverNoNotice:
            return RunSaver(false);
        case zoomorb::SaverMode::Preview:
        case zoomorb::SaverMode::None:
            break;
    }
    return 0;
}

}  // namespace Zoomorb_B
