// Veskmaker: a front end that starts the VKB.exe package builder.
#include "app/Application.h"
#include "gui/Form1.h"

#include <memory>
#include <typeinfo>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::unique_ptr<TApplication> application;
    try {
        application = std::make_unique<TApplication>();
        application->CreateMainWindow<TForm1>();
    } catch (const Exception& e) {
        ShowGenericErrorBox(e.ClassName(), e.Message());
        return 1;
    } catch (const std::exception& e) {
        ShowGenericErrorBox(typeid(e).name(), e.what());
        return 1;
    } catch (...) {
        ShowGenericErrorBox("Exception", "");
        return 1;
    }
    application->RunMessageLoop();
    return 0;
}
