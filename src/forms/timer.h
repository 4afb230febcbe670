#pragma once
// A form timer: raises its Timer event every interval while it runs, from
// the moment its form is loaded. Ticks are dispatched by whatever message
// loop runs, a system dialog's included.

#include <windows.h>

#include <functional>

namespace forms {

class Form;

class Timer {
public:
    Timer(Form& form, UINT intervalMs, std::function<void()> onTimer);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    UINT Interval() const { return interval_; }
    UINT_PTR Id() const { return id_; }
    // Called by the form once its window exists.
    void Start(HWND window);
    void Stop();
    // A tick that was queued before Stop raises nothing.
    void Fire() {
        if (window_) onTimer_();
    }

private:
    Form& form_;
    UINT interval_;
    UINT_PTR id_;
    std::function<void()> onTimer_;
    HWND window_ = nullptr;
};

}  // namespace forms
