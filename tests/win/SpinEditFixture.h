// The priority field in a window of its own, beside an edit that held the focus before it,
// and the keys and characters the tests send it through the application's event loop.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "controls/Controls.h"
#include "controls/SpinEdit.h"
#include "win/WinTestSupport.h"

namespace spintest {

using controls::TSpinEdit;
using controls::TTimerSpeedButton;

constexpr controls::Rect kSpinBounds{8, 40, 93, 22};

class TSpinTestWindow : public controls::TCustomWindow {
public:
    TSpinTestWindow() { Create({nullptr, 0, "Spin test", {120, 120, 240, 140}, false}); }
    void Create(const controls::TCreateArgs& args) override {
        RegisterWindowClass("SpinEditTestWindow");
        CreateCustom(WS_EX_CONTROLPARENT, "SpinEditTestWindow",
                     WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN, args);
        before.Create({hwnd_, 1, "", {8, 8, 93, 21}});
        spin.Create({hwnd_, 2, "", kSpinBounds});
        auto font = reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        before.SetFont(font);
        spin.SetFont(font);
        spin.beep = [this] { ++beeps; };
        ShowWindow(hwnd_, SW_SHOW);
        SetForegroundWindow(hwnd_);
        SetActiveWindow(hwnd_);
    }

    controls::TEdit before;
    controls::TSpinEdit spin;
    int beeps = 0;
};

class SpinEditTest : public testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<TSpinTestWindow>();
        ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == window->Handle(); }));
        SetFocus(window->before);
        PumpPending();
    }
    void TearDown() override {
        window.reset();
        PumpPending();
    }

    controls::TSpinEdit& Spin() { return window->spin; }
    void Post(UINT msg, WPARAM wParam, LPARAM lParam) {
        PostMessageA(Spin(), msg, wParam, lParam);
        PumpPending();
    }
    void PressKey(UINT vk, bool autoRepeat = false) { ::PressKey(vk, {}, Spin(), autoRepeat); }
    void Type(const std::string& chars) {
        for (char c : chars)
            Post(WM_CHAR, static_cast<unsigned char>(c), 1);
    }
    void EnterText(const std::string& text) {
        Spin().SetText(text);
        PumpPending();
    }
    void FocusSpin() {
        SetFocus(Spin());
        PumpPending();
    }
    // The text typed in the field with the focus, which then leaves it for the edit before.
    void EnterAndLeave(const std::string& text) {
        FocusSpin();
        EnterText(text);
        SetFocus(window->before);
        PumpPending();
    }
    DWORD SelStart() const { return LOWORD(window->spin.SendMsg(EM_GETSEL)); }
    DWORD SelEnd() const { return HIWORD(window->spin.SendMsg(EM_GETSEL)); }

    std::unique_ptr<TSpinTestWindow> window;
};

} // namespace spintest
