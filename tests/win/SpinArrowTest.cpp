// The priority field's arrow buttons, pressed, held, dragged off and released as the mouse does
// it, with their repeat timer.
#include "shared/Exceptions.h"
#include "win/SpinEditFixture.h"

namespace {

using namespace spintest;

class SpinEditArrowTest : public SpinEditTest {
protected:
    controls::TTimerSpeedButton& Up() { return Spin().Button().UpButton(); }
    controls::TTimerSpeedButton& Down() { return Spin().Button().DownButton(); }
    static POINT Centre(HWND button) {
        const RECT rc = ClientRectOf(button);
        return {rc.right / 2, rc.bottom / 2};
    }
    // The real pointer is moved along, so any mouse move the system makes up agrees.
    static void Mouse(HWND button, UINT msg, WPARAM keys, POINT at) {
        POINT screen = at;
        ClientToScreen(button, &screen);
        SetCursorPos(screen.x, screen.y);
        SendMessageA(button, msg, keys, MAKELPARAM(at.x, at.y));
    }
    // Let go: raised, the mouse free again, the repeat timer stopped.
    static void ExpectReleased(controls::TTimerSpeedButton& b) {
        EXPECT_FALSE(b.Pressed());
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_FALSE(b.RepeatTimer()->Running());
    }
    void Click(controls::TTimerSpeedButton& b) {
        Mouse(b, WM_LBUTTONDOWN, MK_LBUTTON, Centre(b));
        Mouse(b, WM_LBUTTONUP, 0, Centre(b));
        PumpPending();
    }
};

TEST_F(SpinEditArrowTest, QuickClickStepsExactlyOnceAtRelease) {
    EnterText("5");
    controls::TTimerSpeedButton& up = Up();
    EXPECT_EQ(up.RepeatTimer(), nullptr);
    Mouse(up, WM_LBUTTONDOWN, MK_LBUTTON, Centre(up));
    EXPECT_TRUE(up.Pressed());
    EXPECT_EQ(GetCapture(), up.Handle());
    ASSERT_NE(up.RepeatTimer(), nullptr);
    EXPECT_TRUE(up.RepeatTimer()->Running());
    EXPECT_EQ(up.RepeatTimer()->Interval(), controls::TTimerSpeedButton::kInitialRepeatPause);
    EXPECT_EQ(Spin().Text(), "5");
    // Pressing an arrow enters the field, which selects its text.
    EXPECT_EQ(GetFocus(), Spin().Handle());
    EXPECT_EQ(SelEnd(), 1u);

    Mouse(up, WM_LBUTTONUP, 0, Centre(up));
    EXPECT_EQ(Spin().Text(), "6");
    ExpectReleased(up);

    Click(Down());
    Click(Down());
    EXPECT_EQ(Spin().Text(), "4");
}

TEST_F(SpinEditArrowTest, DragOffShowsRaisedAndReleaseElsewhereDoesNotStep) {
    EnterText("5");
    controls::TTimerSpeedButton& up = Up();
    POINT off{Centre(up).x, -20};
    Mouse(up, WM_LBUTTONDOWN, MK_LBUTTON, Centre(up));
    Mouse(up, WM_MOUSEMOVE, MK_LBUTTON, off);
    EXPECT_FALSE(up.Pressed());
    Mouse(up, WM_MOUSEMOVE, MK_LBUTTON, Centre(up));
    EXPECT_TRUE(up.Pressed());
    Mouse(up, WM_MOUSEMOVE, MK_LBUTTON, off);
    Mouse(up, WM_LBUTTONUP, 0, off);
    PumpPending();
    EXPECT_EQ(Spin().Text(), "5");
    ExpectReleased(up);
}

TEST_F(SpinEditArrowTest, HoldingRepeatsFromTheTimerThenOnceMoreAtRelease) {
    EnterText("0");
    controls::TTimerSpeedButton& up = Up();
    Mouse(up, WM_LBUTTONDOWN, MK_LBUTTON, Centre(up));
    ASSERT_TRUE(PumpUntil([&] { return Spin().Value() > 2; }, 5000));
    EXPECT_EQ(up.RepeatTimer()->Interval(), controls::TTimerSpeedButton::kRepeatPause);

    // Dragged off, the timer keeps running but its ticks make no steps. The ticks are sent
    // here, so the test need not wait for them.
    Mouse(up, WM_MOUSEMOVE, MK_LBUTTON, {-30, -30});
    std::int32_t frozen = Spin().Value();
    for (int tick = 0; tick < 3; ++tick)
        SendMessageA(up, WM_TIMER, up.RepeatTimer()->Id(), 0);
    EXPECT_EQ(Spin().Value(), frozen);
    EXPECT_TRUE(up.RepeatTimer()->Running());

    Mouse(up, WM_MOUSEMOVE, MK_LBUTTON, Centre(up));
    ASSERT_TRUE(PumpUntil([&] { return Spin().Value() > frozen; }, 2000));
    std::int32_t beforeRelease = Spin().Value();
    Mouse(up, WM_LBUTTONUP, 0, Centre(up));
    EXPECT_EQ(Spin().Value(), beforeRelease + 1);
    EXPECT_FALSE(up.RepeatTimer()->Running());
}

TEST_F(SpinEditArrowTest, RightButtonRunsTheTimerButNeverSteps) {
    EnterText("5");
    controls::TTimerSpeedButton& up = Up();
    Mouse(up, WM_RBUTTONDOWN, MK_RBUTTON, Centre(up));
    EXPECT_FALSE(up.Pressed());
    ASSERT_NE(up.RepeatTimer(), nullptr);
    // The first tick shortens the interval: the timer has fired at least once.
    ASSERT_TRUE(PumpUntil(
        [&] { return up.RepeatTimer()->Interval() == controls::TTimerSpeedButton::kRepeatPause; },
        3000));
    Mouse(up, WM_RBUTTONUP, 0, Centre(up));
    PumpPending();
    EXPECT_EQ(Spin().Text(), "5");
    ExpectReleased(up);
}

TEST_F(SpinEditArrowTest, AStepThatFailsStopsTheTimerAndIsReportedOnce) {
    // A read-only field beeps instead of stepping; a failing beep makes the step fail.
    Spin().SetReadOnly(true);
    int failures = 0;
    Spin().beep = [&] {
        ++failures;
        throw shared::Exception("step failed");
    };
    controls::TTimerSpeedButton& up = Up();
    TDialogAnswerer answerer;
    Mouse(up, WM_LBUTTONDOWN, MK_LBUTTON, Centre(up));
    ASSERT_TRUE(PumpUntil([&] { return answerer.Count() > 0; }, 5000));
    EXPECT_EQ(answerer.Seen().text, "step failed.");
    EXPECT_EQ(failures, 1);
    EXPECT_FALSE(up.RepeatTimer()->Running());
    EXPECT_FALSE(up.Pressed());
    EXPECT_EQ(answerer.Seen().captureWhileUp, nullptr);
}

} // namespace
