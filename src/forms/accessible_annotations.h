#pragma once
// What assistive technology (screen readers, UI Automation clients) reads
// for a window, where the window's own text says nothing: a scroll bar's name
// and value, a form's role and description. The system keeps these
// annotations for the process; this owner takes back every one it made when
// it goes, or when the windows are about to go.

#include <windows.h>
#include <oleacc.h>

#include <optional>
#include <string>
#include <vector>

#include "forms/handles.h"

namespace forms {

class AccessibleAnnotations {
public:
    AccessibleAnnotations() = default;
    ~AccessibleAnnotations();
    AccessibleAnnotations(const AccessibleAnnotations&) = delete;
    AccessibleAnnotations& operator=(const AccessibleAnnotations&) = delete;

    void SetName(HWND window, const std::wstring& name);
    // Tells listeners that the value changed, so a screen reader says it.
    void SetValue(HWND window, const std::wstring& value);
    void SetDescription(HWND window, const std::wstring& description);
    // A form that is a dialog in all but its window class.
    void SetDialogRole(HWND window);
    // Takes back every annotation made so far, while the windows still exist.
    void Clear();

private:
    // Starts COM on this thread and finds the system's service the first
    // time; false where the system has none.
    bool Ready();
    // The service, once the window is noted for clearing; null without one.
    IAccPropServices* ServicesFor(HWND window);
    void SetText(HWND window, const MSAAPROPID& property, const std::wstring& text);

    struct ComReleaseTraits {
        static void Close(IUnknown* object) { object->Release(); }
    };
    // COM stays started for as long as the service is held.
    class ComApartment {
    public:
        ComApartment();
        ~ComApartment();
        ComApartment(const ComApartment&) = delete;
        ComApartment& operator=(const ComApartment&) = delete;

    private:
        HRESULT started_;
    };

    bool tried_ = false;
    std::optional<ComApartment> apartment_;
    UniqueHandle<IAccPropServices*, ComReleaseTraits> services_;
    std::vector<HWND> annotated_;
};

}  // namespace forms
