// Preview mode seen from outside: a pane of the test process receives the
// preview as a child window that covers it, the instance ignores the
// settings file, and it ends when the pane goes or when there is none.
// (Wine does not draw a child window whose parent belongs to another
// process, so what the preview shows is checked in-process.)

#include <gtest/gtest.h>

#include <string>

#include "dialog_helpers.h"
#include "harness.h"

namespace e2e {
namespace {

constexpr wchar_t kPreviewTitle[] = L"Preview Window";

std::string PreviewArguments(HWND pane) { return "/p " + std::to_string(reinterpret_cast<uintptr_t>(pane)); }

// A pane as the display settings have one: a borderless child of a window
// on the screen, so its window rectangle is its client area.
struct HostedPane {
    HostedPane(int width, int height)
        : host(L"Display settings", false, nullptr, width + 100, height + 100),
          pane(L"Pane", true, host.Get(), width, height) {}
    TitledWindow host;
    TitledWindow pane;
};

RECT ScreenRectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

// The preview's child window once it covers the pane, or null.
HWND WaitForPreviewCovering(HWND pane) {
    HWND preview = WaitForChildWindow(pane, kPreviewTitle, kStartTimeout);
    if (!preview) return nullptr;
    const auto deadline = std::chrono::steady_clock::now() + kEndsAtOnce;
    while (!IsWindowVisible(preview) && std::chrono::steady_clock::now() < deadline) PumpMessagesFor(20ms);
    return preview;
}

void ExpectCovers(HWND preview, HWND pane) {
    const RECT paneRect = ScreenRectOf(pane);
    const RECT previewRect = ScreenRectOf(preview);
    EXPECT_EQ(previewRect.left, paneRect.left);
    EXPECT_EQ(previewRect.top, paneRect.top);
    EXPECT_EQ(SizeOf(previewRect).cx, SizeOf(paneRect).cx);
    EXPECT_EQ(SizeOf(previewRect).cy, SizeOf(paneRect).cy);
    EXPECT_TRUE(IsWindowVisible(preview));
    const LONG style = GetWindowLongW(preview, GWL_STYLE);
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_FALSE(style & WS_POPUP) << "a child must not stay a pop-up";
    EXPECT_EQ(GetAncestor(preview, GA_PARENT), pane);
}

TEST(Preview, ItCoversThePaneIgnoresTheSettingsAndEndsWithThePane) {
    ProgramCopy program;
    program.WriteFile(L"Zoomorb.ini", "abc");
    HostedPane hosted(152, 112);
    SaverProcess process(program, PreviewArguments(hosted.pane.Get()));
    HWND preview = WaitForPreviewCovering(hosted.pane.Get());
    ASSERT_NE(preview, nullptr);
    ExpectCovers(preview, hosted.pane.Get());
    EXPECT_EQ(CountVisibleWindowsOf(process.Id()), 0) << "nothing of its own on the screen";
    EXPECT_EQ(program.ReadFile(L"Zoomorb.ini").value_or(""), "abc");

    hosted.pane.Destroy();
    const auto code = process.WaitForExit(2s);
    ASSERT_TRUE(code.has_value()) << "still running after its pane went";
    EXPECT_EQ(*code, 0u);
}

TEST(Preview, PanesOfAnySizeAreCovered) {
    ProgramCopy program;
    // Larger than the picture; and wider than 2184 pixels, where 16-bit
    // twips would overflow.
    for (const SIZE size : {SIZE{260, 240}, SIZE{2400, 120}}) {
        SCOPED_TRACE(size.cx);
        HostedPane hosted(300, 250);
        SetWindowPos(hosted.pane.Get(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        SaverProcess process(program, PreviewArguments(hosted.pane.Get()));
        HWND preview = WaitForPreviewCovering(hosted.pane.Get());
        ASSERT_NE(preview, nullptr);
        ExpectCovers(preview, hosted.pane.Get());
        PumpMessagesFor(300ms);
        EXPECT_TRUE(process.IsRunning());
    }
}

// No pane, or a window that cannot be one: the desktop, or one that covers
// the screen.
TEST(Preview, WithoutAUsablePaneItEndsAtOnce) {
    ProgramCopy program;
    HWND gone = nullptr;
    {
        TitledWindow window(L"Soon gone");
        gone = window.Get();
    }
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    TitledWindow wholeScreen(L"Whole screen", false, nullptr, screenWidth, screenHeight);
    TitledWindow larger(L"Larger than the screen", false, nullptr, screenWidth + 100, screenHeight + 100);
    for (const std::string& arguments :
         {std::string("/p"), std::string("/p abc"), PreviewArguments(gone), PreviewArguments(GetDesktopWindow()),
          PreviewArguments(wholeScreen.Get()), PreviewArguments(larger.Get())}) {
        SCOPED_TRACE(arguments);
        SaverProcess process(program, arguments);
        const auto code = process.WatchUntilExit(kEndsAtOnce);
        ASSERT_TRUE(code.has_value()) << "still running";
        EXPECT_EQ(*code, 0u);
        EXPECT_TRUE(process.SeenWindowTitles().empty());
    }
}

}  // namespace
}  // namespace e2e
