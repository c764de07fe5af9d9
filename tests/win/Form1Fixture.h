// The main window built inside the test's application object, with the helpers its tests
// share: class names, sizes and what "Create!" reads.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "gui/ControlIds.h"
#include "gui/Form1.h"
#include "shared/System.h"
#include "win/WinTestSupport.h"

namespace form1test {

inline std::string ClassOf(HWND hwnd) {
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

// What "Create!" reads from the field of that id.
inline builder::TBuilderArgument ReadField(const gui::TForm1& form, gui::ControlId id) {
    const builder::TBuilderArguments arguments = form.ReadArguments();
    for (const builder::TBuilderArgument& option : arguments.options)
        if (option.field == id)
            return option;
    ADD_FAILURE() << "no argument is read from the field " << id;
    return {};
}

inline SIZE WindowSize(HWND hwnd) {
    const RECT rc = WindowRectOf(hwnd);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

class Form1Test : public testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<gui::TForm1>();
        form->Build(*app::Application);
    }
    void TearDown() override {
        form.reset();
        PumpPending();
    }
    void ShowActive() {
        ShowWindow(*form, SW_SHOW);
        SetForegroundWindow(*form);
        SetActiveWindow(*form);
        PumpPending();
    }
    // Moves the window to 5 pixels above the bottom of its monitor's work area, which it returns.
    RECT MoveNearTheBottom() {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        EXPECT_TRUE(GetMonitorInfoA(MonitorFromWindow(*form, MONITOR_DEFAULTTONEAREST), &monitor));
        SetWindowPos(*form, nullptr, 40, monitor.rcWork.bottom - WindowSize(*form).cy - 5, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return monitor.rcWork;
    }
    std::unique_ptr<gui::TForm1> form;
};

} // namespace form1test
