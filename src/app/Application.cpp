#include "app/Application.h"

#include <commctrl.h>

#include "app/AppTitle.h"
#include "gui/ControlIds.h"
#include "shared/System.h"

namespace app {

TApplication* Application = nullptr;

namespace {

std::string DeriveTitle() {
    // The system reports the path in the ANSI code page already: converted from OEM as well,
    // any name beyond ASCII came out garbled. The whole path is read, so that a folder of any
    // length never pushes the name out of it.
    return AppTitleFromPath(shared::ModuleFileName(), shared::IsSystemLeadByte,
                            shared::LowerInLocale);
}

HICON LoadAppIcon() {
    if (HICON icon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON"))
        return icon;
    return LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
}

} // namespace

void TApplication::TAppWindow::Create(const controls::TCreateArgs& args) {
    // A zero-sized captioned popup: it carries the taskbar button and owns the main window,
    // which therefore has no button of its own.
    // The class's icon is the one the taskbar button shows; no WM_SETICON is needed, and under
    // Wine each costs a conversion of the icon for the X server.
    RegisterWindowClass(VESK_APP_CLASS, app_.icon_);
    CreateCustom(0, VESK_APP_CLASS, controls::kAppWindowStyle, args);
}

LRESULT TApplication::TAppWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return app_.AppWindowMessage(msg, wParam, lParam);
}

LRESULT TApplication::TAppWindow::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return controls::TCustomWindow::WndProc(msg, wParam, lParam);
}

TApplication::TApplication() : icon_(LoadAppIcon()), window_(*this), previous_(Application) {
    INITCOMMONCONTROLSEX icc{sizeof icc,
                             ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    const std::string title = DeriveTitle();
    window_.Create({nullptr,
                    0,
                    title.c_str(),
                    {GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0},
                    false});
    // The taskbar button's menu: Restore, Minimise and Close. Moving or sizing would act on
    // the invisible window, and there is nothing to maximise.
    if (HMENU menu = GetSystemMenu(Handle(), FALSE))
        for (UINT command : {SC_MOVE, SC_SIZE, SC_MAXIMIZE})
            DeleteMenu(menu, command, MF_BYCOMMAND);
    Application = this;
    previousReporter_ =
        controls::SetErrorReporter([this](const std::exception_ptr& error) { ReportError(error); });
}

TApplication::~TApplication() {
    // The main window and everything it owns go first, without running any handler; the
    // application window goes with its holder.
    mainForm_ = nullptr;
    forms_.clear();
    if (Application == this) {
        Application = previous_;
        controls::SetErrorReporter(std::move(previousReporter_));
    }
}

std::string TApplication::Title() const {
    return window_.Text();
}

void TApplication::AdoptForm(std::unique_ptr<controls::TForm> form) {
    form->Build(*this);
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
    const int showState =
        (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
    ShowMainWindowFirstTime(showState);
    while (!quitRequested_) {
        try {
            if (!ProcessMessage()) {
                if (onIdle)
                    onIdle();
                WaitMessage();
            }
        } catch (...) {
            ReportError(std::current_exception());
        }
    }
}

void TApplication::ShowMainWindowFirstTime(int showState) {
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    if (showState == SW_SHOWMINNOACTIVE) {
        ShowWindow(Handle(), SW_SHOWMINNOACTIVE);
        return;
    }
    mainShown_ = true;
    mainForm_->ShowCentred(showState == SW_SHOWMAXIMIZED ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
}

bool TApplication::ProcessMessage() {
    // The Unicode calls, though the program speaks ANSI: with common controls 6 the edits
    // are Unicode windows, and an ANSI loop would hand them a double-byte character as two
    // single bytes that no longer make a character. Our own ANSI windows get their messages
    // converted on the way, as before.
    MSG msg{};
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (msg.message == WM_QUIT) {
        quitRequested_ = true;
        return true;
    }
    // Tab, arrow keys and mnemonics between the controls of the active window. Only keys
    // concern the dialog manager; asking for the active window costs a round trip to the
    // window server under Wine, which every paint and mouse move need not pay.
    const bool key = msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST;
    HWND active = key ? GetActiveWindow() : nullptr;
    if (controls::TControl* window = controls::TControl::FromHandle(active)) {
        auto* form = dynamic_cast<controls::TForm*>(window);
        if ((form && form->PreTranslateKey(msg)) || IsDialogMessageW(active, &msg))
            return true;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
}

void TApplication::RequestQuit() {
    PostQuitMessage(0);
}

void TApplication::Minimize() {
    if (mainForm_) {
        mainForm_->SaveFocus();
        ShowWindow(*mainForm_, SW_HIDE);
    }
    ShowWindow(Handle(), SW_MINIMIZE);
}

void TApplication::Restore() {
    ShowWindow(Handle(), SW_RESTORE);
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

bool TApplication::SystemCommand(WPARAM command) {
    switch (command & 0xFFF0) {
    case SC_MINIMIZE:
        Minimize();
        return true;
    case SC_RESTORE:
        Restore();
        return true;
    case SC_CLOSE:
        if (mainForm_)
            mainForm_->Close();
        return true;
    default:
        return false;
    }
}

LRESULT TApplication::AppWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SYSCOMMAND:
        if (SystemCommand(wParam))
            return 0;
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
        // Shutdown or log-off: end without the close handler, so nothing is saved. The loop
        // may be asleep in WaitMessage, so it is woken to see the flag now.
        if (wParam) {
            quitRequested_ = true;
            PostMessageA(Handle(), WM_NULL, 0, 0);
        }
        return 0;
    default:
        break;
    }
    return window_.DefaultProc(msg, wParam, lParam);
}

} // namespace app
