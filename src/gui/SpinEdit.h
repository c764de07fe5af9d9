// The priority field: a one-line edit whose text is a whole number, with two small arrow
// buttons at its right edge. The text is the only state; the number is parsed from it on
// every read.
#pragma once

#include "gui/Window.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace gui {

// A window timer that dies with its owner, so a destroyed button never gets a late tick.
class TWindowTimer {
public:
    TWindowTimer(HWND hwnd, UINT_PTR id) : hwnd_(hwnd), id_(id) {}
    TWindowTimer(const TWindowTimer&) = delete;
    TWindowTimer& operator=(const TWindowTimer&) = delete;
    ~TWindowTimer() { Stop(); }

    // Restarts the countdown; raises EOutOfResources when the system has no timer left.
    void Start(UINT intervalMs);
    void Stop();
    bool Running() const { return running_; }
    UINT Interval() const { return interval_; }
    UINT_PTR Id() const { return id_; }

private:
    HWND hwnd_;
    UINT_PTR id_;
    UINT interval_ = 0;
    bool running_ = false;
};

// One arrow button. It never takes the focus; while the left button is held on it, it
// repeats its click from a timer.
class TTimerSpeedButton : public TCustomWindow {
public:
    enum class TArrow { Up, Down };
    static constexpr UINT kInitialRepeatPause = 400;
    static constexpr UINT kRepeatPause = 100;

    // focusControl takes the keyboard focus when the button is pressed.
    void Create(HWND parent, TArrow arrow, HWND focusControl, const Rect& r);
    bool Pressed() const { return pressed_; }
    // Null until the first press; kept from then on.
    const TWindowTimer* RepeatTimer() const { return timer_.get(); }

    std::function<void()> onClick;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void LeftDown();
    void LeftUp(POINT at);
    void OtherButtonDown();
    void OtherButtonUp();
    void MouseMove(POINT at);
    void TimerExpired();
    void CancelPress();
    void StartRepeat();
    void StopRepeat();
    void SetPressed(bool pressed);
    bool IsOver(POINT at) const;
    void Click();
    void Paint();

    TArrow arrow_ = TArrow::Up;
    HWND focusControl_ = nullptr;
    bool pressed_ = false;  // shown pressed
    bool dragging_ = false; // the left button went down on us and is still held
    std::unique_ptr<TWindowTimer> timer_;
};

// The column of two arrow buttons, the upper one stepping up.
class TSpinButton : public TCustomWindow {
public:
    void Create(HWND parent, HWND focusControl, const Rect& r);
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

// The integer field. Equal MinValue and MaxValue mean no bound at all.
class TSpinEdit : public TSubclassedControl {
public:
    // Design pixels at 96 dpi.
    static constexpr int kButtonWidth = 15;
    static constexpr int kTextGap = 2;

    void Create(HWND parent, int id, const Rect& r);

    std::int32_t Value() const;
    void SetValue(std::int32_t value);
    void UpClick() { Step(true); }
    void DownClick() { Step(false); }

    std::int32_t MinValue() const { return minValue_; }
    void SetMinValue(std::int32_t v) { minValue_ = v; }
    std::int32_t MaxValue() const { return maxValue_; }
    void SetMaxValue(std::int32_t v) { maxValue_ = v; }
    std::int32_t Increment() const { return increment_; }
    void SetIncrement(std::int32_t v) { increment_ = v; }
    bool EditorEnabled() const { return editorEnabled_; }
    void SetEditorEnabled(bool v) { editorEnabled_ = v; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v);
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool v) { autoSelect_ = v; }

    TSpinButton& Button() { return button_; }

    // The default beep for refused input; a seam for tests.
    std::function<void()> beep = [] { MessageBeep(0); };

protected:
    LRESULT SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Step(bool up);
    void Beep();
    Rect ButtonBounds() const;
    void ApplyTextMargin();
    LRESULT OnChar(HWND hwnd, WPARAM wParam, LPARAM lParam);
    LRESULT OnGetDlgCode(HWND hwnd, WPARAM wParam, LPARAM lParam);

    std::int32_t minValue_ = 0;
    std::int32_t maxValue_ = 0;
    std::int32_t increment_ = 1;
    bool editorEnabled_ = true;
    bool readOnly_ = false;
    bool autoSelect_ = true;

    char decimalSeparator_ = '\0';
    bool clickingIn_ = false;
    int dpi_ = kDesignDpi;
    TSpinButton button_;
};

} // namespace gui
