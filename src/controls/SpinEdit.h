// The priority field: a one-line edit whose text is a whole number, with two small arrow
// buttons at its right edge. The text is the only state; the number is parsed from it on
// every read.
#pragma once

#include <cstdint>
#include <functional>

#include "controls/SpinButton.h"
#include "controls/rules/SpinValue.h"
#include "controls/Window.h"

namespace controls {

// The integer field. Equal MinValue and MaxValue mean no bound at all.
class TSpinEdit : public TControl {
public:
    // Design pixels at 96 dpi.
    static constexpr int kButtonWidth = 15;
    static constexpr int kTextGap = 2;

    // The text is the value: "0" until something else is set, whatever the arguments say.
    TSpinEdit() { SetText(FormatSpinValue(0)); }
    TSpinEdit(TControlRegister& designed, int id) : TControl(designed, id) {
        SetText(FormatSpinValue(0));
    }
    void Create(const TCreateArgs& args) override;

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
    // The DPI of the monitor the window is on, which scales the arrow column.
    void SetDpi(int dpi) override;
    TFieldValue FieldValue() const override { return {ExactText(), false, Value()}; }
    void SelectAll() override { SendMsg(EM_SETSEL, 0, -1); }
    // Names the arrows for screen readers after the field's own name too.
    void SetAccessibleName(const std::string& name, long role = 0) override;

    // The default beep for refused input; a seam for tests.
    std::function<void()> beep = [] { MessageBeep(0); };

protected:
    LRESULT SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Step(bool up);
    void Beep();
    Rect ButtonBounds() const;
    void ApplyTextMargin();
    void FitButton();
    LRESULT OnChar(HWND hwnd, WPARAM wParam, LPARAM lParam);
    LRESULT OnGetDlgCode(HWND hwnd, WPARAM wParam, LPARAM lParam);
    LRESULT OnLeftDown(HWND hwnd, WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFocus(HWND hwnd, WPARAM wParam, LPARAM lParam);
    LRESULT OnKillFocus(HWND hwnd, WPARAM wParam, LPARAM lParam);
    void OnKeyDown(WPARAM key);
    // The arrow column, a sibling of the field, shows, hides and greys out with it.
    void FollowField(UINT msg, WPARAM wParam);

    std::int32_t minValue_ = 0;
    std::int32_t maxValue_ = 0;
    std::int32_t increment_ = 1;
    bool editorEnabled_ = true;
    bool readOnly_ = false;
    bool autoSelect_ = true;

    char decimalSeparator_ = '\0';
    bool clickingIn_ = false;
    int dpi_ = 0; // until set: the window's own, asked when it is made
    TSpinButton button_;
};

} // namespace controls
