// The one way an error leaves an entry from Windows: every window procedure, subclass
// procedure and callback runs its work through Guarded, and whatever escapes goes to the
// reporter that the application frame installed.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>

namespace controls {

using TErrorReporter = std::function<void(std::exception_ptr)>;

// Installs the reporter and returns the one it replaces, so a frame that goes can put the
// previous one back.
TErrorReporter SetErrorReporter(TErrorReporter reporter);

// Hands the exception being handled to the reporter; never throws.
void ReportEscapedError() noexcept;

// Runs a handler and stops anything it throws at the Win32 boundary: the error is reported
// and Windows sees the message as handled.
template <typename F> LRESULT Guarded(F&& handler) noexcept {
    try {
        return handler();
    } catch (...) {
        ReportEscapedError();
        return 0;
    }
}

} // namespace controls
