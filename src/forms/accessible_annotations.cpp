#include "accessible_annotations.h"

#include <algorithm>
#include <iterator>

namespace forms {
namespace {

// Every property this owner may set, so that clearing takes back all of them.
const MSAAPROPID kProperties[] = {PROPID_ACC_NAME, PROPID_ACC_VALUE, PROPID_ACC_DESCRIPTION, PROPID_ACC_ROLE};

}  // namespace

AccessibleAnnotations::ComApartment::ComApartment()
    : started_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}

AccessibleAnnotations::ComApartment::~ComApartment() {
    // Another mode already started on this thread is not ours to end.
    if (SUCCEEDED(started_)) CoUninitialize();
}

AccessibleAnnotations::~AccessibleAnnotations() { Clear(); }

bool AccessibleAnnotations::Ready() {
    if (!tried_) {
        tried_ = true;
        apartment_.emplace();
        IAccPropServices* services = nullptr;
        if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                       reinterpret_cast<void**>(&services))))
            services_.Reset(services);
    }
    return static_cast<bool>(services_);
}

IAccPropServices* AccessibleAnnotations::ServicesFor(HWND window) {
    if (!window || !Ready()) return nullptr;
    if (std::find(annotated_.begin(), annotated_.end(), window) == annotated_.end()) annotated_.push_back(window);
    return services_.Get();
}

void AccessibleAnnotations::SetText(HWND window, const MSAAPROPID& property, const std::wstring& text) {
    if (IAccPropServices* services = ServicesFor(window))
        services->SetHwndPropStr(window, OBJID_CLIENT, CHILDID_SELF, property, text.c_str());
}

void AccessibleAnnotations::SetName(HWND window, const std::wstring& name) { SetText(window, PROPID_ACC_NAME, name); }

void AccessibleAnnotations::SetValue(HWND window, const std::wstring& value) {
    SetText(window, PROPID_ACC_VALUE, value);
    if (window) NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
}

void AccessibleAnnotations::SetDescription(HWND window, const std::wstring& description) {
    SetText(window, PROPID_ACC_DESCRIPTION, description);
}

void AccessibleAnnotations::SetDialogRole(HWND window) {
    IAccPropServices* services = ServicesFor(window);
    if (!services) return;
    VARIANT role{};
    role.vt = VT_I4;
    role.lVal = ROLE_SYSTEM_DIALOG;
    services->SetHwndProp(window, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_ROLE, role);
}

void AccessibleAnnotations::Clear() {
    for (HWND window : annotated_)
        services_.Get()->ClearHwndProps(window, OBJID_CLIENT, CHILDID_SELF, kProperties, std::size(kProperties));
    annotated_.clear();
}

}  // namespace forms
