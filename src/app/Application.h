// The application frame: title and icon, the hidden application window that carries the
// taskbar button, the main window, the event loop and the one place where errors reach
// the user.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/Form.h"
#include "controls/Guarded.h"
#include "shared/Exceptions.h"

namespace app {

class TApplication final : public controls::TFormHost {
public:
    TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;
    ~TApplication();

    // Read back from the application window's caption, as everything else shows it.
    std::string Title() const;
    HICON Icon() const { return icon_; }
    HWND Handle() const { return window_.Handle(); }
    controls::TForm* MainForm() const { return mainForm_; }

    // Builds a window of that class; the first one becomes the main window. An error while
    // building passes on to the caller and records nothing.
    template <typename TFormClass> TFormClass* CreateMainWindow() {
        auto form = std::make_unique<TFormClass>();
        TFormClass* raw = form.get();
        AdoptForm(std::move(form));
        return raw;
    }
    void RunMessageLoop();
    // The idle work: called whenever the loop finds no message waiting, before it sleeps.
    std::function<void()> onIdle;
    void RequestQuit() override;
    bool QuitRequested() const { return quitRequested_; }

    void ReportError(const std::exception_ptr& error) noexcept;
    void ShowErrorBox(const shared::Exception& error);
    int ShowAppMessageBox(const std::string& text, const std::string& caption, UINT flags);

    void Minimize() override;
    void Restore();
    // Runs one pass of the event loop; false when the queue was empty. For tests and
    // modal loops of our own.
    bool ProcessMessage();

    HWND OwnerWindow() const override { return Handle(); }
    HICON AppIcon() const override { return icon_; }

private:
    // The hidden application window; its messages go to AppWindowMessage.
    class TAppWindow final : public controls::TCustomWindow {
    public:
        explicit TAppWindow(TApplication& app) : app_(app) {}
        void Create(const controls::TCreateArgs& args) override;
        LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);

    protected:
        LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    private:
        TApplication& app_;
    };

    void AdoptForm(std::unique_ptr<controls::TForm> form);
    void ShowMainWindowFirstTime(int showState);
    LRESULT AppWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    bool SystemCommand(WPARAM command);

    HICON icon_ = nullptr;
    TAppWindow window_;
    std::vector<std::unique_ptr<controls::TForm>> forms_;
    controls::TForm* mainForm_ = nullptr;
    bool quitRequested_ = false;
    bool mainShown_ = false;
    TApplication* previous_ = nullptr; // a test may run its own application for a while
    controls::TErrorReporter previousReporter_;
};

// The one application object of the process; set while it exists.
extern TApplication* Application;

// The generic box for errors that are not of our kind, and for a main window that could
// not be built.
void ShowGenericErrorBox(const std::string& className, const std::string& message);
// The generic box for whatever stopped the main window from being built.
void ShowStartupFailure(const std::exception_ptr& error) noexcept;

} // namespace app
