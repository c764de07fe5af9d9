// Veskmaker built from src/ with a main of our own that notes when each part of the start
// has finished, so a start-up gap to the bare window can be put down to its cause. The
// program is otherwise the same: same sources, resources, flags and start sequence.
//
// The times (milliseconds since the process was created) go to the file named on the
// command line when the program ends.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/Application.h"
#include "gui/Form1.h"

namespace {

constexpr UINT kLoopRunning = WM_APP + 0x51;

std::vector<std::pair<const char*, double>> g_marks;
ULONGLONG g_created = 0; // process creation, in 100 ns units

ULONGLONG Now100ns() {
    FILETIME ft;
    GetSystemTimePreciseAsFileTime(&ft);
    return (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

void Mark(const char* phase) {
    g_marks.emplace_back(phase, static_cast<double>(Now100ns() - g_created) / 10000.0);
}

class TProbeForm : public TForm1 {
public:
    void Build() override {
        Mark("form_object");
        TForm1::Build();
        Mark("build");
    }
    void FormCreate() override {
        TForm1::FormCreate();
        Mark("form_create");
        PostMessageA(Handle(), kLoopRunning, 0, 0);
    }

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == kLoopRunning) {
            Mark("shown_loop");
            return 0;
        }
        if (msg == WM_PAINT && !painted_) {
            painted_ = true;
            LRESULT result = TForm1::WndProc(msg, wParam, lParam);
            Mark("first_paint");
            return result;
        }
        return TForm1::WndProc(msg, wParam, lParam);
    }

private:
    bool painted_ = false;
};

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    g_created = (static_cast<ULONGLONG>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
    Mark("winmain");
    {
        TApplication application;
        Mark("application");
        application.CreateMainWindow<TProbeForm>();
        application.RunMessageLoop();
    }
    if (commandLine && *commandLine) {
        std::unique_ptr<FILE, int (*)(FILE*)> out(std::fopen(commandLine, "w"), std::fclose);
        if (out)
            for (const auto& [phase, ms] : g_marks)
                std::fprintf(out.get(), "%s %.3f\n", phase, ms);
    }
    return 0;
}
