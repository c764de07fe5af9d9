// RAII holders for the system handles the program uses: each is released on every path out,
// error paths included, and none can be copied.
#pragma once

#include <windows.h>

namespace shared {

// Owns a GDI object (font, brush) and deletes it.
template <typename T> class TGdiObject {
public:
    TGdiObject() = default;
    explicit TGdiObject(T handle) : handle_(handle) {}
    TGdiObject(const TGdiObject&) = delete;
    TGdiObject& operator=(const TGdiObject&) = delete;
    ~TGdiObject() { Reset(); }
    void Reset(T handle = nullptr) {
        if (handle_)
            DeleteObject(handle_);
        handle_ = handle;
    }
    T Get() const { return handle_; }
    // Gives the object up to whoever took it over (a window takes its region).
    void Release() { handle_ = nullptr; }
    // Trades objects with another holder: a font replaced while windows still use the old one
    // is deleted only when its new holder goes.
    void Swap(TGdiObject& other) noexcept {
        T handle = handle_;
        handle_ = other.handle_;
        other.handle_ = handle;
    }

private:
    T handle_ = nullptr;
};
using TFont = TGdiObject<HFONT>;

// A kernel object's handle (a file, a process), closed when the holder goes. It can be
// handed on, so a function can return the handle it opened.
class TKernelHandle {
public:
    TKernelHandle() = default;
    explicit TKernelHandle(HANDLE handle) : handle_(handle) {}
    TKernelHandle(TKernelHandle&& other) noexcept : handle_(other.handle_) {
        other.handle_ = nullptr;
    }
    TKernelHandle& operator=(TKernelHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = other.handle_;
            other.handle_ = nullptr;
        }
        return *this;
    }
    TKernelHandle(const TKernelHandle&) = delete;
    TKernelHandle& operator=(const TKernelHandle&) = delete;
    ~TKernelHandle() { Reset(); }

    HANDLE Get() const { return handle_; }
    // Failed calls give either null or INVALID_HANDLE_VALUE, depending on the call.
    bool Valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
    void Reset() {
        if (Valid())
            CloseHandle(handle_);
        handle_ = nullptr;
    }

private:
    HANDLE handle_ = nullptr;
};

// A device context of a window (or of the screen, for a null window), released again.
class TWindowDc {
public:
    explicit TWindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    TWindowDc(const TWindowDc&) = delete;
    TWindowDc& operator=(const TWindowDc&) = delete;
    ~TWindowDc() {
        if (dc_)
            ReleaseDC(hwnd_, dc_);
    }
    HDC Get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// The device context of one WM_PAINT.
class TPaintDc {
public:
    explicit TPaintDc(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
    TPaintDc(const TPaintDc&) = delete;
    TPaintDc& operator=(const TPaintDc&) = delete;
    ~TPaintDc() { EndPaint(hwnd_, &ps_); }
    HDC Get() const { return dc_; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// An object selected into a device context until the holder goes.
class TSelection {
public:
    TSelection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    TSelection(const TSelection&) = delete;
    TSelection& operator=(const TSelection&) = delete;
    ~TSelection() {
        if (old_)
            SelectObject(dc_, old_);
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A window timer that dies with its owner, so a destroyed window never gets a late tick.
class TWindowTimer {
public:
    TWindowTimer(HWND hwnd, UINT_PTR id) : hwnd_(hwnd), id_(id) {}
    TWindowTimer(const TWindowTimer&) = delete;
    TWindowTimer& operator=(const TWindowTimer&) = delete;
    ~TWindowTimer() { Stop(); }

    // Restarts the countdown; false when the system has no timer left.
    bool Start(UINT intervalMs) {
        running_ = SetTimer(hwnd_, id_, intervalMs, nullptr) != 0;
        if (running_)
            interval_ = intervalMs;
        return running_;
    }
    void Stop() {
        if (running_ && IsWindow(hwnd_))
            KillTimer(hwnd_, id_);
        running_ = false;
    }
    bool Running() const { return running_; }
    UINT Interval() const { return interval_; }
    UINT_PTR Id() const { return id_; }

private:
    HWND hwnd_;
    UINT_PTR id_;
    UINT interval_ = 0;
    bool running_ = false;
};

} // namespace shared
