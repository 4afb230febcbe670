#pragma once
// A form timer: raises its Timer event every interval while enabled. Ticks are
// dispatched by whatever message loop runs, a system dialog's included.

#include <windows.h>

#include <functional>

namespace forms {

class Form;

class Timer {
public:
    Timer(Form& form, UINT intervalMs, std::function<void()> onTimer);
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    UINT Interval() const { return interval_; }
    UINT_PTR Id() const { return id_; }
    // Called by the form once its window exists.
    void Start(HWND window);
    void Fire() { onTimer_(); }

private:
    UINT interval_;
    UINT_PTR id_;
    std::function<void()> onTimer_;
};

}  // namespace forms
