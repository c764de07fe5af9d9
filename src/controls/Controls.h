// One small class per simple standard control kind. Each owns its HWND; events are callback
// members that the owning window sets.
#pragma once

#include <functional>
#include <string>

#include "controls/Window.h"
#include "shared/Handles.h"

namespace controls {

class TButton : public TControl {
public:
    using TControl::TControl;
    void Create(const TCreateArgs& args) override;
    void Click() { SendMsg(BM_CLICK); }
    std::function<void()> onClick;
    void OnCommand(WORD code) override;
};

class TCheckBox : public TControl {
public:
    using TControl::TControl;
    void Create(const TCreateArgs& args) override;
    // Held by the object until the window is made.
    bool Checked() const { return hwnd_ ? SendMsg(BM_GETCHECK) == BST_CHECKED : checked_; }
    void SetChecked(bool checked);
    TFieldValue FieldValue() const override { return {std::nullopt, Checked()}; }
    // Kept with the control but never shown: hints are off for the whole window.
    std::string hint;

private:
    bool checked_ = false;
};

// Sizes of one-line texts in a font, as auto-sized labels take them; one device context
// for a whole window's labels.
class TTextMeasure {
public:
    explicit TTextMeasure(HFONT font) : screen_(nullptr), font_(screen_.Get(), font) {}
    Size Extent(const std::string& text) const;

private:
    shared::TWindowDc screen_;
    shared::TSelection font_;
};

class TLabel : public TControl {
public:
    using TControl::TControl;
    void Create(const TCreateArgs& args) override;
    std::function<void()> onClick;
    // CLR_INVALID: the system's text colour.
    COLORREF textColor = CLR_INVALID;
    void OnCommand(WORD code) override;
    HBRUSH OnCtlColor(HDC dc) override;
};

// A label that opens something: clicked, or with Enter or Space while it has the keyboard
// focus, which is a tab stop of its own and draws the focus rectangle; a screen reader hears
// it as a link.
class TLink : public TLabel {
public:
    using TLabel::TLabel;
    void Create(const TCreateArgs& args) override;

protected:
    LRESULT SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
};

class TEdit : public TControl {
public:
    using TControl::TControl;
    void Create(const TCreateArgs& args) override;
    void SelectAll() override { SendMsg(EM_SETSEL, 0, -1); }
};

// A sunken horizontal line.
class TBevel : public TControl {
public:
    using TControl::TControl;
    void Create(const TCreateArgs& args) override;
};

// A plain container without a border; it passes its children's notifications back to them.
class TPanel : public TCustomWindow {
public:
    using TCustomWindow::TCustomWindow;
    void Create(const TCreateArgs& args) override;
};

} // namespace controls
