#include "timer.h"

#include "forms/form.h"

namespace forms {
namespace {

UINT_PTR NextTimerId() {
    static UINT_PTR next = 1;
    return next++;
}

}  // namespace

Timer::Timer(Form& form, UINT intervalMs, std::function<void()> onTimer)
    : form_(form), interval_(intervalMs), id_(NextTimerId()), onTimer_(std::move(onTimer)) {
    form.AddTimer(*this);
}

Timer::~Timer() { form_.RemoveTimer(*this); }

void Timer::Start(HWND window) {
    window_ = window;
    SetTimer(window, id_, interval_, nullptr);
}

void Timer::Stop() {
    if (window_) KillTimer(window_, id_);
    window_ = nullptr;
}

}  // namespace forms
