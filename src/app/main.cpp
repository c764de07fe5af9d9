// Veskmaker: a front end that starts the VKB.exe package builder.
#include "app/Application.h"
#include "gui/Form1.h"
#include "shared/System.h"

#include <cstdlib>
#include <memory>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    shared::RestrictDllSearch();
    std::unique_ptr<app::TApplication> application;
    try {
        application = std::make_unique<app::TApplication>();
        application->CreateMainWindow<gui::TForm1>();
    } catch (...) {
        app::ShowStartupFailure(std::current_exception());
        return 1;
    }
    application->RunMessageLoop();
    return 0;
}

// The runtime's default terminate handler prints the demangled name of an uncaught
// exception to stderr, which a windowed program does not have; replacing it keeps the
// demangler (tens of kilobytes) out of the exe. Nothing reaches it: every entry from
// Windows catches what escapes.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx
