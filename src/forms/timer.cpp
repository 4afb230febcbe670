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
    : interval_(intervalMs), id_(NextTimerId()), onTimer_(std::move(onTimer)) {
    form.AddTimer(*this);
}

void Timer::Start(HWND window) { SetTimer(window, id_, interval_, nullptr); }

}  // namespace forms
