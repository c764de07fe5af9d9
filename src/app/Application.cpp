#include "app/Application.h"

#include <commctrl.h>

#include <new>
#include <stdexcept>
#include <typeinfo>

#include "app/AppTitle.h"
#include "app/ErrorText.h"
#include "gui/Form.h"

TApplication* Application = nullptr;

namespace {

const char kAppClass[] = "TApplication";

bool IsLeadByte(unsigned char c) {
    return IsDBCSLeadByte(c) != FALSE;
}

std::string LowerInLocale(const std::string& text) {
    std::string lowered = text;
    if (!lowered.empty())
        CharLowerBuffA(lowered.data(), static_cast<DWORD>(lowered.size()));
    return lowered;
}

std::string DeriveTitle() {
    char path[256] = {};
    GetModuleFileNameA(nullptr, path, 256); // the title never needs more than 255 characters
    OemToCharA(path, path);
    return AppTitleFromPath(path, IsLeadByte, LowerInLocale);
}

std::string ModuleBaseName() {
    char path[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string full = path;
    size_t slash = full.find_last_of("\\/");
    return slash == std::string::npos ? full : full.substr(slash + 1);
}

// Names the error's class for the generic box. The runtime's demangler would add tens of
// kilobytes to the exe for a box that should never show, so the common cases are named here.
std::string ClassNameOf(const std::exception& e) {
    if (dynamic_cast<const std::bad_alloc*>(&e))
        return "EOutOfMemory";
    if (dynamic_cast<const std::out_of_range*>(&e))
        return "ERangeError";
    return typeid(e).name();
}

} // namespace

void ReportEscapedError() noexcept {
    if (Application)
        Application->ReportError(std::current_exception());
}

void ShowStartupFailure(std::exception_ptr error) noexcept {
    try {
        std::rethrow_exception(error);
    } catch (const Exception& e) {
        ShowGenericErrorBox(e.ClassName(), e.Message());
    } catch (const std::exception& e) {
        ShowGenericErrorBox(ClassNameOf(e), e.what());
    } catch (...) {
        ShowGenericErrorBox("Exception", "");
    }
}

void ShowGenericErrorBox(const std::string& className, const std::string& message) {
    std::string text =
        GenericErrorText(className, ModuleBaseName(), __builtin_return_address(0), message);
    MessageBoxA(nullptr, text.c_str(), "Application Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

TApplication::TApplication() : previous_(Application) {
    Application = this;
    INITCOMMONCONTROLSEX icc{sizeof icc,
                             ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);

    icon_ = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
    if (!icon_)
        icon_ = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));

    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = AppWndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hIcon = icon_;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = kAppClass;
    RegisterClassExA(&wc);

    // A zero-sized captioned popup: it carries the taskbar button and owns the main window,
    // which therefore has no button of its own.
    std::string title = DeriveTitle();
    int x = GetSystemMetrics(SM_CXSCREEN) / 2, y = GetSystemMetrics(SM_CYSCREEN) / 2;
    handle_ = CreateWindowExA(0, kAppClass, title.c_str(),
                              WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                              x, y, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr), this);
    if (!handle_) {
        Application = previous_;
        throw std::runtime_error("Cannot create the application window");
    }
    SendMessageA(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageA(handle_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
}

TApplication::~TApplication() {
    // The main window and everything it owns go first, without running any handler.
    mainForm_ = nullptr;
    forms_.clear();
    if (handle_)
        DestroyWindow(handle_);
    if (Application == this)
        Application = previous_;
}

std::string TApplication::Title() const {
    char caption[256] = {};
    GetWindowTextA(handle_, caption, sizeof caption);
    return caption;
}

void TApplication::AdoptForm(std::unique_ptr<gui::TForm> form) {
    form->Build();
    try {
        form->FormCreate();
    } catch (...) {
        ReportError(std::current_exception());
    }
    if (!mainForm_)
        mainForm_ = form.get();
    forms_.push_back(std::move(form));
}

void TApplication::RunMessageLoop() {
    if (!mainForm_)
        return;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    int showState = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
    ShowMainWindowFirstTime(showState);
    while (!quitRequested_) {
        try {
            if (!ProcessMessage())
                WaitMessage();
        } catch (...) {
            ReportError(std::current_exception());
        }
    }
}

void TApplication::ShowMainWindowFirstTime(int showState) {
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    if (showState == SW_SHOWMINNOACTIVE) {
        ShowWindow(handle_, SW_SHOWMINNOACTIVE);
        return;
    }
    mainShown_ = true;
    mainForm_->ShowCentred(showState == SW_SHOWMAXIMIZED ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
}

bool TApplication::ProcessMessage() {
    MSG msg{};
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (msg.message == WM_QUIT) {
        quitRequested_ = true;
        return true;
    }
    // Tab, arrow keys and mnemonics between the controls of the active window.
    HWND active = GetActiveWindow();
    if (active && gui::TControl::FromHandle(active) && IsDialogMessageA(active, &msg))
        return true;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
}

void TApplication::RequestQuit() {
    PostQuitMessage(0);
}

void TApplication::ReportError(std::exception_ptr error) noexcept {
    try {
        // A pressed button or a drag in progress lets go before the box comes up.
        if (HWND capture = GetCapture())
            SendMessageA(capture, WM_CANCELMODE, 0, 0);
        try {
            std::rethrow_exception(error);
        } catch (const EAbort&) {
        } catch (const Exception& e) {
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

void TApplication::ShowErrorBox(const Exception& error) {
    ShowAppMessageBox(ErrorBoxText(error.Message(), IsLeadByte), Title(), MB_OK | MB_ICONERROR);
}

int TApplication::ShowAppMessageBox(const std::string& text, const std::string& caption,
                                    UINT flags) {
    // The box comes up on its owner's monitor; the owner is the invisible application
    // window, so move it to the monitor the user is looking at for as long as the box is up.
    HWND active = GetActiveWindow();
    RECT home{};
    GetWindowRect(handle_, &home);
    HMONITOR target = active ? MonitorFromWindow(active, MONITOR_DEFAULTTONEAREST) : nullptr;
    bool moved = false;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (target && target != MonitorFromWindow(handle_, MONITOR_DEFAULTTONEAREST) &&
        GetMonitorInfoA(target, &monitor)) {
        const RECT& work = monitor.rcWork;
        SetWindowPos(handle_, nullptr, (work.left + work.right) / 2, (work.top + work.bottom) / 2,
                     0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        moved = true;
    }
    int result = 0;
    {
        TDisabledTaskWindows disabled;
        result = MessageBoxA(handle_, text.c_str(), caption.c_str(), flags);
    }
    if (moved)
        SetWindowPos(handle_, nullptr, home.left, home.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return result;
}

void TApplication::Minimize() {
    if (mainForm_) {
        mainForm_->SaveFocus();
        ShowWindow(*mainForm_, SW_HIDE);
    }
    ShowWindow(handle_, SW_MINIMIZE);
}

void TApplication::Restore() {
    ShowWindow(handle_, SW_RESTORE);
    if (!mainForm_)
        return;
    if (!mainShown_) {
        mainShown_ = true;
        mainForm_->ShowCentred(SW_SHOWNORMAL);
    } else {
        ShowWindow(*mainForm_, SW_SHOW);
    }
    SetActiveWindow(*mainForm_);
    mainForm_->RestoreFocus();
}

LRESULT CALLBACK TApplication::AppWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE)
        SetWindowLongPtrA(
            hwnd, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<TApplication*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self || !self->handle_)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    return gui::Guarded([&] { return self->AppWindowMessage(msg, wParam, lParam); });
}

LRESULT TApplication::AppWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_MINIMIZE:
            Minimize();
            return 0;
        case SC_RESTORE:
            Restore();
            return 0;
        case SC_CLOSE:
            if (mainForm_)
                mainForm_->Close();
            return 0;
        default:
            break;
        }
        break;
    case WM_CLOSE:
        if (mainForm_)
            mainForm_->Close();
        return 0;
    case WM_ACTIVATE:
        // Activation that lands on the invisible application window belongs to the main one.
        if (LOWORD(wParam) != WA_INACTIVE && mainForm_ && IsWindowVisible(*mainForm_) &&
            IsWindowEnabled(*mainForm_))
            SetActiveWindow(*mainForm_);
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        // Shutdown or log-off: end without the close handler, so nothing is saved.
        if (wParam)
            quitRequested_ = true;
        return 0;
    default:
        break;
    }
    return DefWindowProcA(handle_, msg, wParam, lParam);
}

namespace {
BOOL CALLBACK CollectVisibleEnabled(HWND hwnd, LPARAM list) {
    if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd))
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
    return TRUE;
}
} // namespace

TDisabledTaskWindows::TDisabledTaskWindows() : active_(GetActiveWindow()), focus_(GetFocus()) {
    EnumThreadWindows(GetCurrentThreadId(), CollectVisibleEnabled,
                      reinterpret_cast<LPARAM>(&disabled_));
    for (HWND hwnd : disabled_)
        EnableWindow(hwnd, FALSE);
}

TDisabledTaskWindows::~TDisabledTaskWindows() {
    for (HWND hwnd : disabled_)
        if (IsWindow(hwnd))
            EnableWindow(hwnd, TRUE);
    if (active_ && IsWindow(active_))
        SetActiveWindow(active_);
    if (focus_ && IsWindow(focus_) && IsWindowVisible(focus_) && IsWindowEnabled(focus_))
        SetFocus(focus_);
}
