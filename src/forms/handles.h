#pragma once
// One move-only owner per kind of release, so that every GDI and USER handle
// the program creates is given back exactly once, on every path.

#include <windows.h>
#include <objbase.h>

#include <utility>

namespace forms {

template <typename Handle, typename Traits>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    // Gives the handle away, for instance to SetWindowRgn, which owns it from then on.
    Handle Release() { return std::exchange(handle_, nullptr); }
    void Reset(Handle handle = nullptr) {
        if (handle_) Traits::Close(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = nullptr;
};

struct GdiObjectTraits {
    static void Close(HGDIOBJ object) { DeleteObject(object); }
};
struct MemoryDcTraits {
    static void Close(HDC dc) { DeleteDC(dc); }
};
struct ModuleTraits {
    static void Close(HMODULE module) { FreeLibrary(module); }
};
struct CursorTraits {
    static void Close(HCURSOR cursor) { DestroyCursor(cursor); }
};
struct IconTraits {
    static void Close(HICON icon) { DestroyIcon(icon); }
};
struct WindowTraits {
    static void Close(HWND window) { DestroyWindow(window); }
};
struct KernelHandleTraits {
    static void Close(HANDLE handle) { CloseHandle(handle); }
};
// Text the shell allocates for its caller (a known folder's path).
struct CoTaskMemoryTraits {
    static void Close(void* memory) { CoTaskMemFree(memory); }
};

using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectTraits>;
using UniqueRegion = UniqueHandle<HRGN, GdiObjectTraits>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiObjectTraits>;
using UniquePen = UniqueHandle<HPEN, GdiObjectTraits>;
using UniqueFont = UniqueHandle<HFONT, GdiObjectTraits>;
using UniqueMemoryDc = UniqueHandle<HDC, MemoryDcTraits>;
using UniqueModule = UniqueHandle<HMODULE, ModuleTraits>;
using UniqueCursor = UniqueHandle<HCURSOR, CursorTraits>;
using UniqueIcon = UniqueHandle<HICON, IconTraits>;
using UniqueWindow = UniqueHandle<HWND, WindowTraits>;
using UniqueKernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>;
using UniqueCoTaskText = UniqueHandle<PWSTR, CoTaskMemoryTraits>;

// A handle whose release needs the context it came from: a device context
// with the window it was borrowed from, a selection with its device context.
template <typename Context, typename Handle, typename Traits>
class UniqueHandleIn {
public:
    UniqueHandleIn() = default;
    UniqueHandleIn(Context context, Handle handle) : context_(context), handle_(handle) {}
    ~UniqueHandleIn() { Reset(); }
    UniqueHandleIn(UniqueHandleIn&& other) noexcept
        : context_(std::exchange(other.context_, Context{})), handle_(std::exchange(other.handle_, Handle{})) {}
    UniqueHandleIn& operator=(UniqueHandleIn&& other) noexcept {
        if (this != &other) {
            Reset();
            context_ = std::exchange(other.context_, Context{});
            handle_ = std::exchange(other.handle_, Handle{});
        }
        return *this;
    }
    UniqueHandleIn(const UniqueHandleIn&) = delete;
    UniqueHandleIn& operator=(const UniqueHandleIn&) = delete;

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != Handle{}; }
    void Reset() {
        if (handle_ != Handle{}) Traits::Close(context_, handle_);
        context_ = Context{};
        handle_ = Handle{};
    }

private:
    Context context_{};
    Handle handle_{};
};

struct WindowDcTraits {
    static void Close(HWND window, HDC dc) { ReleaseDC(window, dc); }
};
struct SelectionTraits {
    static void Close(HDC dc, HGDIOBJ previous) { SelectObject(dc, previous); }
};

// A device context borrowed with GetDC, released with the window it came from.
class WindowDc : public UniqueHandleIn<HWND, HDC, WindowDcTraits> {
public:
    WindowDc() = default;
    explicit WindowDc(HWND window) : UniqueHandleIn(window, GetDC(window)) {}
};

// Selects an object into a DC and selects the previous one back when it goes
// (or is Reset); movable, so an object that keeps something selected for its
// whole life holds it as a member.
class SelectionScope : public UniqueHandleIn<HDC, HGDIOBJ, SelectionTraits> {
public:
    SelectionScope() = default;
    SelectionScope(HDC dc, HGDIOBJ object) : UniqueHandleIn(dc, Previous(SelectObject(dc, object))) {}

private:
    // A failed selection has nothing to put back.
    static HGDIOBJ Previous(HGDIOBJ selected) { return selected == HGDI_ERROR ? nullptr : selected; }
};

// BeginPaint / EndPaint for one WM_PAINT.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
    ~PaintScope() { EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC Dc() const { return dc_; }
    const RECT& Area() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

}  // namespace forms
