// The priority field's arrow buttons: a column of two, each repeating its click while the
// left mouse button is held on it.
#pragma once

#include <functional>
#include <memory>

#include "controls/Window.h"
#include "shared/Handles.h"

namespace controls {

// One arrow button. It never takes the focus; while the left button is held on it, it
// repeats its click from a timer.
class TTimerSpeedButton : public TCustomWindow {
public:
    enum class TArrow { Up, Down };
    static constexpr UINT kInitialRepeatPause = 400;
    static constexpr UINT kRepeatPause = 100;

    // Set before Create: the arrow drawn, and the control that takes the keyboard focus
    // when the button is pressed.
    TArrow arrow = TArrow::Up;
    HWND focusControl = nullptr;

    void Create(const TCreateArgs& args) override;
    bool Pressed() const { return pressed_; }
    // Null until the first press; kept from then on.
    const shared::TWindowTimer* RepeatTimer() const { return timer_.get(); }

    std::function<void()> onClick;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    bool MouseMessage(UINT msg, LPARAM lParam);
    void LeftDown();
    void LeftUp(POINT at);
    void OtherButtonDown();
    void OtherButtonUp();
    void MouseMove(POINT at);
    void TimerExpired();
    void CancelPress();
    void StartRepeat(UINT intervalMs);
    void StopRepeat();
    void SetPressed(bool pressed);
    bool IsOver(POINT at) const;
    void Click();
    void Paint();

    bool pressed_ = false;  // shown pressed
    bool dragging_ = false; // the left button went down on us and is still held
    std::unique_ptr<shared::TWindowTimer> timer_;
};

// The column of two arrow buttons, the upper one stepping up.
class TSpinButton : public TCustomWindow {
public:
    // Set before Create: the control that takes the focus when an arrow is pressed.
    HWND focusControl = nullptr;

    void Create(const TCreateArgs& args) override;
    TTimerSpeedButton& UpButton() { return up_; }
    TTimerSpeedButton& DownButton() { return down_; }

    std::function<void()> onUpClick;
    std::function<void()> onDownClick;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void LayoutButtons();

    TTimerSpeedButton up_;
    TTimerSpeedButton down_;
};

} // namespace controls
