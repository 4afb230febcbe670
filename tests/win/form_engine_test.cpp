// The form engine as the forms rely on it: life and events, geometry in
// twips, timers, persistent drawing, child controls, and errors that reach a
// window procedure.

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "forms/command_button.h"
#include "forms/core/runtime_error.h"
#include "gdi_handles.h"
#include "forms/form.h"
#include "forms/hscroll_bar.h"
#include "forms/label.h"
#include "forms/picture_box.h"
#include "forms/program.h"
#include "forms/screen.h"
#include "forms/timer.h"
#include "resources/resource_ids.h"

namespace {

class TestForm : public forms::Form {
public:
    explicit TestForm(forms::BorderStyle border = forms::BorderStyle::None)
        : forms::Form(Design(border)),
          Box(*this, forms::PictureBoxDesign{forms::TwipsRect{150, 300, 1500, 750}, RGB(10, 20, 30)}),
          Tick(*this, 10, [this] { OnTick(); }) {}

    forms::PictureBox Box;
    forms::Timer Tick;
    std::vector<std::string> events;
    int ticks = 0;
    bool cancelUnload = false;

protected:
    void Form_Load() override { events.push_back("Load"); }
    void Form_Unload(int& cancel) override {
        events.push_back("Unload");
        cancel = cancelUnload ? 1 : 0;
    }
    void Form_Resize() override { events.push_back("Resize"); }

private:
    static forms::FormDesign Design(forms::BorderStyle border) {
        forms::FormDesign design;
        design.caption = L"Engine test form";
        design.border = border;
        design.widthTwips = 3000;
        design.heightTwips = 1500;
        return design;
    }
    void OnTick() { ++ticks; }
};

void PumpFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(1);
    }
}

TEST(FormEngine, LoadShowAndUnloadRaiseTheirEventsInOrder) {
    TestForm form;
    EXPECT_FALSE(form.IsLoaded());
    form.Load();
    EXPECT_TRUE(form.IsLoaded());
    EXPECT_FALSE(IsWindowVisible(form.Hwnd()));
    EXPECT_EQ(form.events, (std::vector<std::string>{"Load"}));
    form.Show();
    EXPECT_TRUE(IsWindowVisible(form.Hwnd()));
    EXPECT_EQ(form.events.at(1), "Resize");

    form.cancelUnload = true;
    form.Unload();
    EXPECT_TRUE(form.IsLoaded()) << "a cancelled unload keeps the window";
    form.cancelUnload = false;
    const int loadedBefore = forms::Form::LoadedCount();
    form.Unload();
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(forms::Form::LoadedCount(), loadedBefore - 1);
    EXPECT_EQ(form.events.back(), "Unload");
}

TEST(FormEngine, AnOutsideCloseRequestUnloadsTheForm) {
    TestForm form;
    form.Show();
    SendMessageW(form.Hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(form.events.back(), "Unload");
}

TEST(FormEngine, GeometryIsKeptInTwips) {
    const float twipsX = forms::TwipsPerPixelX();
    const float twipsY = forms::TwipsPerPixelY();
    TestForm form;
    form.Load();
    form.Move(static_cast<int32_t>(100 * twipsX), static_cast<int32_t>(200 * twipsY),
              static_cast<int32_t>(203 * twipsX), static_cast<int32_t>(197 * twipsY));
    RECT rect;
    GetWindowRect(form.Hwnd(), &rect);
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.top, 200);
    EXPECT_EQ(rect.right - rect.left, 203);
    EXPECT_EQ(rect.bottom - rect.top, 197);
    EXPECT_EQ(form.Left(), static_cast<int32_t>(100 * twipsX));
    EXPECT_EQ(form.Width(), static_cast<int32_t>(203 * twipsX));

    form.SetScaleMode(forms::ScaleMode::Pixels);
    EXPECT_EQ(form.ScaleWidth(), 203.0f) << "no border: the client is the whole window";
    form.SetScaleMode(forms::ScaleMode::Twips);
    EXPECT_EQ(form.ScaleWidth(), 203.0f * twipsX);
    EXPECT_EQ(form.ScaleX(1500.0f, forms::ScaleMode::Twips, forms::ScaleMode::Pixels), 1500.0f / twipsX);

    // The picture box's place (150, 300, 1500 x 750 twips) in its form's pixels.
    RECT box;
    GetWindowRect(form.Box.Hwnd(), &box);
    MapWindowPoints(HWND_DESKTOP, form.Hwnd(), reinterpret_cast<POINT*>(&box), 2);
    EXPECT_EQ(box.left, static_cast<LONG>(150 / twipsX));
    EXPECT_EQ(box.top, static_cast<LONG>(300 / twipsY));
    EXPECT_EQ(form.Box.ScaleWidth(), static_cast<int32_t>(1500 / twipsX));
    EXPECT_EQ(form.Box.ScaleHeight(), static_cast<int32_t>(750 / twipsY));
}

TEST(FormEngine, TimersTickWhileMessagesAreProcessedUntilStoppedGoneOrUnloaded) {
    const struct {
        const char* name;
        std::function<void(TestForm&, std::unique_ptr<forms::Timer>&)> stop;
    } cases[] = {
        {"unloaded with their window", [](TestForm& form, auto&) { form.Unload(); }},
        // A tick already due when they stop raises nothing either.
        {"stopped", [](TestForm& form, auto&) { Sleep(30); form.StopTimers(); }},
        {"the timer gone before its form", [](TestForm&, auto& timer) { timer.reset(); }},
    };
    for (const auto& c : cases) {
        TestForm form;
        int ticks = 0;
        auto timer = std::make_unique<forms::Timer>(form, 10, [&] { ++ticks; });
        form.Load();
        PumpFor(300);
        EXPECT_GE(ticks, 5) << c.name;
        c.stop(form, timer);
        const int ticksAtStop = ticks;
        PumpFor(100);
        EXPECT_EQ(ticks, ticksAtStop) << c.name;
    }
}

TEST(FormEngine, PictureBoxKeepsWhatIsDrawnIntoIt) {
    TestForm form;
    form.Show();
    form.Box.Cls();
    EXPECT_EQ(GetPixel(form.Box.hDC(), 3, 3), RGB(10, 20, 30)) << "cleared to its background";
    form.Box.Line(0, 5, 20, 5, RGB(200, 100, 50));
    EXPECT_EQ(GetPixel(form.Box.hDC(), 0, 5), RGB(200, 100, 50));
    EXPECT_EQ(GetPixel(form.Box.hDC(), 20, 5), RGB(200, 100, 50)) << "both ends of a line are drawn";
    EXPECT_EQ(GetPixel(form.Box.hDC(), 21, 5), RGB(10, 20, 30));
    // A repaint shows the persistent image, not a cleared box.
    InvalidateRect(form.Box.Hwnd(), nullptr, TRUE);
    UpdateWindow(form.Box.Hwnd());
    HDC screen = GetDC(form.Box.Hwnd());
    EXPECT_EQ(GetPixel(screen, 10, 5), RGB(200, 100, 50));
    ReleaseDC(form.Box.Hwnd(), screen);
}

// Every drawing path of the engine, a hundred times over, gives back every
// GDI object it made: a saver draws a hundred times a second.
TEST(FormEngine, DrawingLeavesNoGdiObjectBehind) {
    if (!gdi_handles::CountingWorks()) GTEST_SKIP() << "GDI objects are counted under 64-bit Wine only";
    class PictureForm : public forms::Form {
    public:
        PictureForm() : forms::Form(Design()), Box(*this, BoxDesign()) {}
        forms::PictureBox Box;

    private:
        static forms::FormDesign Design() {
            forms::FormDesign design;
            design.border = forms::BorderStyle::None;
            design.pictureResource = IDB_LENS;
            return design;
        }
        static forms::PictureBoxDesign BoxDesign() {
            forms::PictureBoxDesign design{forms::TwipsRect{150, 300, 1500, 750}};
            design.pictureResource = IDB_PREVIEW;
            return design;
        }
    } form;
    forms::Label label(form, forms::LabelDesign{forms::TwipsRect{0, 0, 1500, 300}, L"Label"});
    form.Show();
    auto drawEverything = [&](int round) {
        form.Box.Cls();
        form.Box.Line(0, round % 50, 40, 5, RGB(200, 100, 50));
        label.SetCaption(round % 2 ? L"Label" : L"Another label");
        RedrawWindow(form.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    };
    drawEverything(0);
    const auto before = gdi_handles::Count(GetCurrentProcess());
    for (int round = 1; round <= 100; ++round) drawEverything(round);
    EXPECT_EQ(gdi_handles::Count(GetCurrentProcess()), before);
    form.Unload();
}

// A form whose one timer runs the given handler, and never ticks by itself.
class FormWithTimer : public forms::Form {
public:
    explicit FormWithTimer(std::function<void()> onTimer)
        : forms::Form(forms::FormDesign{}), Tick(*this, USER_TIMER_MAXIMUM, std::move(onTimer)) {}
    forms::Timer Tick;
};

// A run-time error stops the program before it says so: every timer stops at
// once and none ticks again, the program is asked to end with the error's
// number, and its message is shown once, however many errors follow.
TEST(FormEngine, AnErrorInAnEventStopsEveryTimerThenIsToldOnceAndEndsWithItsNumber) {
    const struct {
        const char* thrown;
        std::function<void()> handler;
        int number;
    } cases[] = {
        {"a run-time error", [] { forms::Raise(forms::ErrorNumber::Overflow); }, 6},
        {"out of memory", [] { throw std::bad_alloc(); }, 7},
        {"the standard library's", [] { (void)std::vector<int>().at(1); }, 51},
        {"no exception class at all", [] { throw 42; }, 51},
        {"an empty callback's", nullptr, 51},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.thrown);
        FormWithTimer failing(c.handler);
        TestForm ticking;
        failing.Load();
        ticking.Load();
        PumpFor(50);
        ASSERT_GT(ticking.ticks, 0);
        // Called directly rather than through the system, so that anything
        // that left the procedure would reach the test.
        const auto procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(failing.Hwnd(), GWLP_WNDPROC));
        const auto fail = [&] {
            try {
                procedure(failing.Hwnd(), WM_TIMER, failing.Tick.Id(), 0);
            } catch (...) {
                ADD_FAILURE() << "escaped the window procedure";
            }
        };
        fail();
        EXPECT_EQ(forms::RequestedExitCode(), c.number);
        const int ticksAtTheError = ticking.ticks;
        EXPECT_EQ(forms::RunMessageLoop(), c.number);

        std::vector<int> told;
        forms::SetRuntimeErrorHook([&](const forms::RuntimeError& error) {
            told.push_back(error.Code());
            PumpFor(30);
            forms::RunEventHandler([&] { c.handler(); });  // another, while the message is up
        });
        forms::ShowRuntimeError();
        // The error raised while the message was up: nothing more to tell.
        forms::ShowRuntimeError();
        forms::SetRuntimeErrorHook(nullptr);
        EXPECT_EQ(told, std::vector<int>{c.number}) << "told more than once, or not at all";
        EXPECT_EQ(ticking.ticks, ticksAtTheError) << "a timer ticked after the error";
    }
    EXPECT_EQ(forms::RunEventHandler([] { return 42; }), 42) << "results pass through";
}

// Every ending asks the loop of the program's entry to return its code: the
// first request stands, and a modal form's own loop leaves it for that one.
TEST(FormEngine, AnEndingIsReturnedByTheEntrysLoopAndTheFirstOneStands) {
    forms::EndProgram(3);
    forms::EndProgram(0);  // the last form going, say
    TestForm modal;
    modal.ShowModal();
    EXPECT_TRUE(modal.IsLoaded()) << "the modal loop went on after the program was asked to end";
    modal.Unload();
    EXPECT_EQ(forms::RunMessageLoop(), 3);
    EXPECT_EQ(forms::RequestedExitCode(), std::nullopt) << "the loop did not take the request";
}

TEST(FormEngine, ControlsForgetTheirWindowsWhenTheParentIsDestroyed) {
    TestForm form;
    forms::CommandButton button(form, forms::CommandButtonDesign{forms::TwipsRect{0, 0, 1200, 300}, L"OK", {}}, {});
    forms::HScrollBar bar(form.Box, forms::HScrollBarDesign{forms::TwipsRect{0, 0, 1200, 255}, 0, 100, 1, 10, 0}, {});
    form.Load();
    ASSERT_TRUE(IsWindow(button.Hwnd()));
    ASSERT_TRUE(IsWindow(bar.Hwnd()));
    form.Unload();
    // The system may give the old handles to new windows: they are not ours
    // to move or destroy any more.
    EXPECT_EQ(button.Hwnd(), nullptr);
    EXPECT_EQ(bar.Hwnd(), nullptr);
    bar.SetValue(40);
    EXPECT_EQ(bar.Value(), 40);
}

TEST(FormEngine, AWindowlessLabelIsClickedByAPressAndReleaseOnIt) {
    TestForm form;
    int clicks = 0;
    forms::Label label(form, forms::LabelDesign{forms::TwipsRect{0, 0, 1500, 300}, L"Click me"}, [&] { ++clicks; });
    form.Show();
    const RECT area = label.PixelRect();
    const LPARAM onLabel = MAKELPARAM(area.left + 2, area.top + 2);
    const LPARAM elsewhere = MAKELPARAM(area.right + 20, area.bottom + 20);
    SendMessageW(form.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, onLabel);
    SendMessageW(form.Hwnd(), WM_LBUTTONUP, 0, onLabel);
    EXPECT_EQ(clicks, 1);
    SendMessageW(form.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, onLabel);
    SendMessageW(form.Hwnd(), WM_LBUTTONUP, 0, elsewhere);
    SendMessageW(form.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, elsewhere);
    SendMessageW(form.Hwnd(), WM_LBUTTONUP, 0, onLabel);
    EXPECT_EQ(clicks, 1) << "a press or a release alone is no click";
    form.Unload();
}

TEST(FormEngine, IgnoredErrorsSkipOnlyTheFailingStatement) {
    std::vector<int> ran;
    forms::IgnoreErrors([&] { ran.push_back(1); });
    forms::IgnoreErrors([&] {
        forms::Raise(forms::ErrorNumber::TypeMismatch);
        ran.push_back(99);
    });
    forms::IgnoreErrors([&] { ran.push_back(3); });
    EXPECT_EQ(ran, (std::vector<int>{1, 3}));
    // Anything else is no run-time error: it goes on to the event's guard.
    EXPECT_THROW(forms::IgnoreErrors([] { throw std::logic_error("not a run-time error"); }), std::logic_error);
}

}  // namespace
