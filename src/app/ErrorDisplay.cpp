// The one place where errors reach the user: the error box, the generic box, and the
// application's own message box.
#include "app/Application.h"

#include <new>
#include <stdexcept>
#include <typeinfo>

#include "app/ErrorText.h"
#include "shared/CodePage.h"
#include "shared/Path.h"
#include "controls/TaskWindows.h"
#include "shared/System.h"

namespace app {

namespace {

std::string ModuleBaseName() {
    return shared::FileNameOf(shared::ModuleFileName(), shared::IsSystemLeadByte);
}

// Names the error's class for the generic box, as the program's own errors are named where
// there is one of the same meaning.
std::string ClassNameOf(const std::exception& e) {
    if (dynamic_cast<const std::bad_alloc*>(&e))
        return "EOutOfMemory";
    if (dynamic_cast<const std::out_of_range*>(&e))
        return "ERangeError";
    return ReadableTypeName(typeid(e).name());
}

// The box comes up on its owner's monitor. The owner is the invisible application window,
// so it is moved to the monitor the user is looking at for as long as the box is up.
class TOwnerOnActiveMonitor {
public:
    explicit TOwnerOnActiveMonitor(HWND owner) : owner_(owner) {
        HWND active = GetActiveWindow();
        HMONITOR target = active ? MonitorFromWindow(active, MONITOR_DEFAULTTONEAREST) : nullptr;
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        if (!target || target == MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST) ||
            !GetMonitorInfoA(target, &monitor) || !GetWindowRect(owner, &home_))
            return;
        const RECT& work = monitor.rcWork;
        moved_ =
            SetWindowPos(owner, nullptr, (work.left + work.right) / 2, (work.top + work.bottom) / 2,
                         0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
    }
    TOwnerOnActiveMonitor(const TOwnerOnActiveMonitor&) = delete;
    TOwnerOnActiveMonitor& operator=(const TOwnerOnActiveMonitor&) = delete;
    ~TOwnerOnActiveMonitor() {
        if (moved_)
            SetWindowPos(owner_, nullptr, home_.left, home_.top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

private:
    HWND owner_;
    RECT home_{};
    bool moved_ = false;
};

} // namespace

void ShowStartupFailure(const std::exception_ptr& error) noexcept {
    try {
        std::rethrow_exception(error);
    } catch (const shared::Exception& e) {
        ShowGenericErrorBox(e.ClassName(), e.Message());
    } catch (const std::exception& e) {
        ShowGenericErrorBox(ClassNameOf(e), e.what());
    } catch (...) {
        ShowGenericErrorBox("Exception", "");
    }
}

void ShowGenericErrorBox(const std::string& className, const std::string& message) {
    const std::string text =
        GenericErrorText(className, ModuleBaseName(), __builtin_return_address(0), message);
    MessageBoxA(nullptr, text.c_str(), "Application Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

void TApplication::ReportError(const std::exception_ptr& error) noexcept {
    try {
        // A pressed button or a drag in progress lets go before the box comes up.
        if (HWND capture = GetCapture())
            SendMessageA(capture, WM_CANCELMODE, 0, 0);
        try {
            std::rethrow_exception(error);
        } catch (const shared::EAbort&) {
        } catch (const shared::Exception& e) {
            ShowErrorBox(e);
        } catch (const std::exception& e) {
            ShowGenericErrorBox(ClassNameOf(e), e.what());
        } catch (...) {
            ShowGenericErrorBox("Exception", "");
        }
    } catch (...) {
        // The reporter itself must never let an error unwind into Windows.
    }
}

void TApplication::ShowErrorBox(const shared::Exception& error) {
    ShowAppMessageBox(WrapLongRuns(ErrorBoxText(error.Message(), shared::IsSystemLeadByte),
                                   shared::IsSystemLeadByte),
                      Title(), MB_OK | MB_ICONERROR);
}

int TApplication::ShowAppMessageBox(const std::string& text, const std::string& caption,
                                    UINT flags) {
    const TOwnerOnActiveMonitor placed(Handle());
    const controls::TDisabledTaskWindows disabled(Handle());
    return MessageBoxA(Handle(), text.c_str(), caption.c_str(), flags);
}

} // namespace app
