#include "form.h"

#include <algorithm>
#include <cwctype>

#include "forms/core/numbers.h"
#include "forms/core/units.h"
#include "forms/form_class.h"
#include "forms/program.h"
#include "forms/screen.h"
#include "forms/timer.h"
#include "forms/window_binding.h"

namespace forms {
namespace {

// Every form whose window exists, for what concerns them all: whether any
// is left, and stopping every timer when a run-time error ends the program.
std::vector<Form*>& LoadedForms() {
    static std::vector<Form*> forms;
    return forms;
}

void Forget(Form* form) {
    auto& forms = LoadedForms();
    forms.erase(std::remove(forms.begin(), forms.end(), form), forms.end());
}

}  // namespace

void Form::RegisterFormClass() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = &BoundWindowProc<Form>;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kFormClass;
        return RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;
}

int Form::LoadedCount() { return static_cast<int>(LoadedForms().size()); }

void Form::StopAllTimers() {
    for (Form* form : LoadedForms()) form->StopTimers();
}

Form::Form(FormDesign design) : design_(std::move(design)), dpi_(DotsPerInch()) {}

Form::~Form() {
    if (!window_) return;
    // Destroyed without its unload handler, as ending the program does.
    DestroyUnbound(window_);
    Forget(this);
}

void Form::AddTimer(Timer& timer) { timers_.push_back(&timer); }

void Form::SetDpi(int32_t dotsPerInch) {
    if (dotsPerInch <= 0 || dotsPerInch == dpi_) return;
    dpi_ = dotsPerInch;
    ControlsFollowDpi();
}

void Form::RemoveTimer(Timer& timer) {
    timer.Stop();
    timers_.erase(std::remove(timers_.begin(), timers_.end(), &timer), timers_.end());
}

void Form::StopTimers() {
    for (Timer* timer : timers_) timer->Stop();
}

void Form::AddAccessKey(const Label& label, const Control& target) { accessKeys_.push_back({&label, &target}); }

HWND Form::FirstTabStop() const {
    HWND first = GetNextDlgTabItem(window_, nullptr, FALSE);
    const bool tabStop = first && IsChild(window_, first) && (GetWindowLongW(first, GWL_STYLE) & WS_TABSTOP);
    return tabStop ? first : nullptr;
}

bool Form::FocusByAccessKey(wchar_t typed) {
    const auto key = static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(typed)));
    for (const AccessKeyLink& link : accessKeys_) {
        if (link.label->AccessKey() != key || !link.target->Hwnd()) continue;
        SetFocus(link.target->Hwnd());
        return true;
    }
    return false;
}

void Form::CreateWindowForForm() {
    RegisterFormClass();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (design_.pictureResource)
        picture_.Reset(static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(design_.pictureResource),
                                                       IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (design_.iconResource) {
        bigIcon_.Reset(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(design_.iconResource), IMAGE_ICON,
                                                     GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0)));
        smallIcon_.Reset(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(design_.iconResource), IMAGE_ICON,
                                                       GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)));
    }
    background_.Reset(CreateSolidBrush(design_.backColor));

    const DWORD style = (design_.border == BorderStyle::None ? WS_POPUP : WS_OVERLAPPEDWINDOW) | WS_CLIPCHILDREN;
    const DWORD exStyle = design_.toolWindow ? WS_EX_TOOLWINDOW : 0;
    CreateWindowExW(exStyle, kFormClass, design_.caption.c_str(), style, 0, 0, ToPixels(design_.widthTwips),
                    ToPixels(design_.heightTwips), nullptr, nullptr, instance, this);
    if (!window_) Raise(ErrorNumber::OutOfMemory);
    LoadedForms().push_back(this);
    if (bigIcon_) SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
    if (smallIcon_) SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));
    CreateControls();
    for (Timer* timer : timers_) timer->Start(window_);
}

void Form::Load() {
    if (window_) return;
    CreateWindowForForm();
    Form_Load();
}

void Form::Show() {
    const bool firstShow = !window_ || !IsWindowVisible(window_);
    Load();
    if (!window_) return;
    if (firstShow && !focusedControl_) {
        // Activation gives it the focus. A form the keyboard can work opens
        // showing where the keys go, however it was opened.
        focusedControl_ = FirstTabStop();
        if (focusedControl_) SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    }
    ShowWindow(window_, SW_SHOW);
    if (firstShow) Form_Resize();
    UpdateWindow(window_);
}

void Form::ShowModal() {
    Show();
    RunMessageLoop([this] { return window_ == nullptr; }, [this](MSG& message) { return TakesDialogMessage(message); });
}

bool Form::TakesDialogMessage(MSG& message) {
    if (!window_) return false;
    // Labels are drawn by their container and have no window the dialog
    // keyboard could find their access keys in.
    const bool ours = message.hwnd == window_ || IsChild(window_, message.hwnd);
    if (ours && message.message == WM_SYSCHAR && FocusByAccessKey(static_cast<wchar_t>(message.wParam))) return true;
    return IsDialogMessageW(window_, &message) != FALSE;
}

void Form::Unload() {
    if (!window_ || unloading_) return;
    unloading_ = true;
    int cancel = 0;
    Form_Unload(cancel);
    unloading_ = false;
    if (cancel) return;
    DestroyAfterUnload();
}

void Form::DestroyAfterUnload() {
    if (window_) DestroyWindow(window_);
}

RECT Form::OuterPixels() const {
    RECT rect{};
    if (!window_) return rect;
    GetWindowRect(window_, &rect);
    if (GetWindowLongW(window_, GWL_STYLE) & WS_CHILD) {
        // A child's place is relative to its parent's client area.
        MapWindowPoints(HWND_DESKTOP, GetParent(window_), reinterpret_cast<POINT*>(&rect), 2);
    }
    return rect;
}

int32_t Form::Left() const { return ToTwips(OuterPixels().left); }
int32_t Form::Top() const { return ToTwips(OuterPixels().top); }
int32_t Form::Width() const {
    const RECT rect = OuterPixels();
    return ToTwips(rect.right - rect.left);
}
int32_t Form::Height() const {
    const RECT rect = OuterPixels();
    return ToTwips(rect.bottom - rect.top);
}

void Form::SetPicture(UniqueBitmap picture) {
    picture_ = std::move(picture);
    if (window_) InvalidateRect(window_, nullptr, TRUE);
}

void Form::Move(int32_t leftTwips, int32_t topTwips) {
    SetWindowPos(window_, nullptr, ToPixels(leftTwips), ToPixels(topTwips), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::Move(int32_t leftTwips, int32_t topTwips, int32_t widthTwips, int32_t heightTwips) {
    SetWindowPos(window_, nullptr, ToPixels(leftTwips), ToPixels(topTwips), ToPixels(widthTwips),
                 ToPixels(heightTwips), SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetWidth(int32_t widthTwips) {
    const RECT rect = OuterPixels();
    SetWindowPos(window_, nullptr, 0, 0, ToPixels(widthTwips), rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetHeight(int32_t heightTwips) {
    const RECT rect = OuterPixels();
    SetWindowPos(window_, nullptr, 0, 0, rect.right - rect.left, ToPixels(heightTwips),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE Form::FrameSize() const {
    RECT outer{};
    if (window_)
        AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongW(window_, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongW(window_, GWL_EXSTYLE)));
    return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

float Form::ScaleWidth() const {
    RECT client{};
    if (window_) GetClientRect(window_, &client);
    return scaleMode_ == ScaleMode::Pixels ? static_cast<float>(client.right)
                                           : static_cast<float>(client.right) * TwipsPerPixel(dpi_);
}

float Form::ScaleHeight() const {
    RECT client{};
    if (window_) GetClientRect(window_, &client);
    return scaleMode_ == ScaleMode::Pixels ? static_cast<float>(client.bottom)
                                           : static_cast<float>(client.bottom) * TwipsPerPixel(dpi_);
}

float Form::ScaleX(float value, ScaleMode from, ScaleMode to) const {
    if (from == to) return value;
    return from == ScaleMode::Twips ? value / TwipsPerPixel(dpi_) : value * TwipsPerPixel(dpi_);
}

float Form::ScaleY(float value, ScaleMode from, ScaleMode to) const {
    if (from == to) return value;
    return from == ScaleMode::Twips ? value / TwipsPerPixel(dpi_) : value * TwipsPerPixel(dpi_);
}

bool Form::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

void Form::Paint() {
    PaintScope paint(window_);
    if (picture_) {
        BITMAP info{};
        GetObjectW(picture_.Get(), sizeof info, &info);
        UniqueMemoryDc source(CreateCompatibleDC(paint.Dc()));
        SelectionScope selection(source.Get(), picture_.Get());
        BitBlt(paint.Dc(), 0, 0, info.bmWidth, info.bmHeight, source.Get(), 0, 0, SRCCOPY);
    }
    PaintWindowless(paint.Dc());
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (OnMessage(message, wParam, lParam, result)) return result;
    if (HandleControlMessage(message, wParam, lParam, result)) return result;
    switch (message) {
        case WM_ERASEBKGND: {
            RECT client;
            GetClientRect(window_, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, background_.Get());
            return 1;
        }
        case WM_PAINT:
            Paint();
            return 0;
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED && IsWindowVisible(window_)) Form_Resize();
            return 0;
        case WM_TIMER:
            for (Timer* timer : timers_) {
                if (timer->Id() == wParam) {
                    timer->Fire();
                    return 0;
                }
            }
            break;
        case WM_ACTIVATE:
            // As the dialog manager does: the control that had the focus
            // gets it back when the form is activated again.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(window_, focus)) focusedControl_ = focus;
            } else if (!HIWORD(wParam) && focusedControl_ && IsChild(window_, focusedControl_)) {
                SetFocus(focusedControl_);
                return 0;
            }
            break;
        case WM_UPDATEUISTATE: {
            // Labels underline their access keys by the state the system
            // keeps for their container's window.
            const LRESULT result = DefWindowProcW(window_, message, wParam, lParam);
            if (HIWORD(wParam) & UISF_HIDEACCEL)
                RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
            return result;
        }
        case WM_CLOSE:
            OnCloseRequest();
            return 0;
        case WM_DESTROY:
            StopTimers();
            break;
        case WM_NCDESTROY:
            focusedControl_ = nullptr;
            Forget(this);
            // The last form gone, the program has nothing left to do.
            if (LoadedForms().empty()) EndProgram(0);
            break;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace forms
