// A thread of a test's own. The compilers use the Win32 thread model, whose C++ library has
// no std::thread in this version.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <utility>

namespace winproc {

class TThread {
public:
    explicit TThread(std::function<void()> body) {
        auto owned = std::make_unique<std::function<void()>>(std::move(body));
        handle_ = CreateThread(nullptr, 0, &TThread::Run, owned.get(), 0, nullptr);
        if (handle_)
            static_cast<void>(owned.release()); // the thread owns it now
    }
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;
    ~TThread() { Join(); }

    void Join() {
        if (handle_)
            WaitForSingleObject(handle_, INFINITE);
        Detach();
    }
    // The thread runs on by itself; its body must own what it uses.
    void Detach() {
        if (handle_)
            CloseHandle(handle_);
        handle_ = nullptr;
    }

private:
    static DWORD WINAPI Run(void* param) {
        const std::unique_ptr<std::function<void()>> body(
            static_cast<std::function<void()>*>(param));
        (*body)();
        return 0;
    }

    HANDLE handle_ = nullptr;
};

} // namespace winproc
