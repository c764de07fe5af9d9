// Veskmaker built from src/ with a main of our own that notes when each phase of the start
// has finished, so a start-up gap to the bare window can be put down to its cause. The
// program is otherwise the same: same sources, resources, flags and start sequence.
#include <windows.h>

#include "ProbeMarks.h"
#include "app/Application.h"
#include "gui/Form1.h"
#include "shared/System.h"

namespace {

class TProbeForm : public gui::TForm1 {
public:
    void Build(controls::TFormHost& host) override {
        probe::Mark("form_object");
        gui::TForm1::Build(host);
        probe::Mark("build");
    }
    void FormCreate() override {
        gui::TForm1::FormCreate();
        probe::Mark("form_create");
        PostMessageA(Handle(), probe::kLoopRunning, 0, 0);
    }

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == probe::kLoopRunning) {
            probe::Mark("shown_loop");
            return 0;
        }
        if (msg == WM_PAINT && !painted_) {
            painted_ = true;
            LRESULT result = gui::TForm1::WndProc(msg, wParam, lParam);
            probe::Mark("first_paint");
            return result;
        }
        return gui::TForm1::WndProc(msg, wParam, lParam);
    }

private:
    bool painted_ = false;
};

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    probe::Mark("winmain");
    shared::RestrictDllSearch();
    {
        app::TApplication application;
        probe::Mark("application");
        application.onIdle = probe::MarkIdleOnce;
        application.CreateMainWindow<TProbeForm>();
        application.RunMessageLoop();
    }
    probe::Write(commandLine);
    return 0;
}
