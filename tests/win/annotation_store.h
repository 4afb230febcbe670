#pragma once
// A stand-in for the system's accessibility annotation service, registered
// for its class in this process while the object lives: it keeps what the
// program annotates, so a test reads what a screen reader would be told.
// Wine's own service is a stub that keeps nothing.

#include <windows.h>
#include <oleacc.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace test_accessibility {

class AnnotationStore final : public IAccPropServices, public IClassFactory {
public:
    AnnotationStore() {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        CoRegisterClassObject(CLSID_AccPropServices, static_cast<IClassFactory*>(this), CLSCTX_INPROC_SERVER,
                              REGCLS_MULTIPLEUSE, &cookie_);
    }
    ~AnnotationStore() {
        CoRevokeClassObject(cookie_);
        CoUninitialize();
    }
    AnnotationStore(const AnnotationStore&) = delete;
    AnnotationStore& operator=(const AnnotationStore&) = delete;

    std::optional<std::wstring> Text(HWND window, const MSAAPROPID& property) const {
        const Entry* entry = Find(window, property);
        if (!entry || entry->value.vt != VT_EMPTY) return std::nullopt;
        return entry->text;
    }
    std::optional<LONG> Number(HWND window, const MSAAPROPID& property) const {
        const Entry* entry = Find(window, property);
        if (!entry || entry->value.vt != VT_I4) return std::nullopt;
        return entry->value.lVal;
    }
    size_t Count() const { return entries_.size(); }

    // One object, living as long as the test needs it: counting is moot.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (id == IID_IUnknown || id == IID_IClassFactory) {
            *object = static_cast<IClassFactory*>(this);
        } else if (id == IID_IAccPropServices) {
            *object = static_cast<IAccPropServices*>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID id, void** object) override {
        if (outer) return CLASS_E_NOAGGREGATION;
        return QueryInterface(id, object);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

    HRESULT STDMETHODCALLTYPE SetHwndPropStr(HWND window, DWORD object, DWORD child, MSAAPROPID property,
                                             LPCWSTR text) override {
        if (object != static_cast<DWORD>(OBJID_CLIENT) || child != CHILDID_SELF) return E_INVALIDARG;
        Put(Entry{window, property, text, VARIANT{}});
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetHwndProp(HWND window, DWORD object, DWORD child, MSAAPROPID property,
                                          VARIANT value) override {
        if (object != static_cast<DWORD>(OBJID_CLIENT) || child != CHILDID_SELF || value.vt != VT_I4)
            return E_INVALIDARG;
        Put(Entry{window, property, L"", value});
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ClearHwndProps(HWND window, DWORD object, DWORD child, const MSAAPROPID* properties,
                                             int count) override {
        if (object != static_cast<DWORD>(OBJID_CLIENT) || child != CHILDID_SELF) return E_INVALIDARG;
        for (int i = 0; i < count; ++i)
            entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                          [&](const Entry& e) {
                                              return e.window == window && IsEqualGUID(e.property, properties[i]);
                                          }),
                           entries_.end());
        return S_OK;
    }

    // Ways of annotating the program does not use.
    HRESULT STDMETHODCALLTYPE SetPropValue(const BYTE*, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetPropServer(const BYTE*, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                                            AnnoScope) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE ClearProps(const BYTE*, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetHwndPropServer(HWND, DWORD, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                                                AnnoScope) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE ComposeHwndIdentityString(HWND, DWORD, DWORD, BYTE**, DWORD*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DecomposeHwndIdentityString(const BYTE*, DWORD, HWND*, DWORD*, DWORD*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetHmenuProp(HMENU, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetHmenuPropStr(HMENU, DWORD, MSAAPROPID, LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetHmenuPropServer(HMENU, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                                                 AnnoScope) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE ClearHmenuProps(HMENU, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ComposeHmenuIdentityString(HMENU, DWORD, BYTE**, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DecomposeHmenuIdentityString(const BYTE*, DWORD, HMENU*, DWORD*) override {
        return E_NOTIMPL;
    }

private:
    struct Entry {
        HWND window;
        MSAAPROPID property;
        std::wstring text;
        VARIANT value;  // VT_EMPTY for a text
    };
    const Entry* Find(HWND window, const MSAAPROPID& property) const {
        for (const Entry& entry : entries_)
            if (entry.window == window && IsEqualGUID(entry.property, property)) return &entry;
        return nullptr;
    }
    void Put(Entry entry) {
        for (Entry& existing : entries_) {
            if (existing.window == entry.window && IsEqualGUID(existing.property, entry.property)) {
                existing = entry;
                return;
            }
        }
        entries_.push_back(entry);
    }

    DWORD cookie_ = 0;
    std::vector<Entry> entries_;
};

}  // namespace test_accessibility
