// Veskmaker: a front end that starts the VKB.exe package builder.
#include "app/Application.h"
#include "gui/Form1.h"

#include <memory>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::unique_ptr<TApplication> application;
    try {
        application = std::make_unique<TApplication>();
        application->CreateMainWindow<TForm1>();
    } catch (...) {
        ShowStartupFailure(std::current_exception());
        return 1;
    }
    application->RunMessageLoop();
    return 0;
}
