// The priority field in a real window, driven by keyboard and mouse messages through the
// application's own event loop (with the dialog manager in it, as in the main window).
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "helpers/WinFiles.h"
#include "shared/System.h"
#include "win/SpinEditFixture.h"

namespace {

using namespace spintest;

TEST_F(SpinEditTest, TypedCharactersPassTheFilterOrBeep) {
    FocusSpin();
    EnterText("");
    char separator[8] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator);
    // Each character on its own passes; what they make together need not be a number.
    std::string accepted = std::string("+-0123456789") + separator[0];
    Type(accepted);
    EXPECT_EQ(Spin().Text(), accepted);
    EXPECT_EQ(window->beeps, 0);

    Type("a Z/\x80");
    EXPECT_EQ(Spin().Text(), accepted);
    EXPECT_EQ(window->beeps, 5);

    // Backspace is a control character the filter lets through.
    Type("\b");
    EXPECT_EQ(Spin().Text(), accepted.substr(0, accepted.size() - 1));
    EXPECT_EQ(window->beeps, 5);
}

TEST_F(SpinEditTest, EnterReachesTheFilterThroughTheDialogManagerAndBeeps) {
    FocusSpin();
    EnterText("12");
    PressKey(VK_RETURN);
    EXPECT_EQ(window->beeps, 1);
    EXPECT_EQ(Spin().Text(), "12");
}

TEST_F(SpinEditTest, ArrowKeysStepWithWrapAndNoLowerBound) {
    const struct {
        const char* before;
        UINT key;
        const char* after;
    } steps[] = {
        {"", VK_UP, "1"},
        {"0", VK_DOWN, "-1"},
        {"2147483647", VK_UP, "-2147483648"},
        {"-2147483648", VK_DOWN, "2147483647"},
        {"abc", VK_UP, "1"},
    };
    FocusSpin();
    for (const auto& step : steps) {
        EnterText(step.before);
        PressKey(step.key);
        EXPECT_EQ(Spin().Text(), step.after) << "from \"" << step.before << "\"";
    }
}

TEST_F(SpinEditTest, EveryAutoRepeatedKeyDownIsOneStepAndModifiersDoNotMatter) {
    FocusSpin();
    EnterText("10");
    PressKey(VK_UP);
    PressKey(VK_UP, true);
    PressKey(VK_UP, true);
    EXPECT_EQ(Spin().Value(), 13);

    ::PressKey(VK_DOWN, {VK_SHIFT, VK_CONTROL}, Spin());
    EXPECT_EQ(Spin().Value(), 12);

    PressKey(VK_PRIOR);
    PressKey(VK_NEXT);
    Post(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(Spin().Value(), 12);
    EXPECT_EQ(window->beeps, 0);
}

TEST_F(SpinEditTest, LeavingKeepsTheTextWhenTheBoundCheckChangesNothing) {
    FocusSpin();
    EnterText("");
    Type("007");
    SetFocus(window->before);
    PumpPending();
    EXPECT_EQ(Spin().Text(), "007");
    EXPECT_EQ(Spin().Value(), 7);

    for (const char* text : {"", "12 ", "1.5x", "2147483648"}) {
        EnterAndLeave(text);
        EXPECT_EQ(Spin().Text(), text);
        EXPECT_EQ(Spin().Value(), 0) << text;
    }
}

TEST_F(SpinEditTest, LeavingAppliesRealBoundsAndRewritesOnlyThen) {
    Spin().SetMinValue(1);
    Spin().SetMaxValue(10);
    EnterAndLeave("25");
    EXPECT_EQ(Spin().Text(), "10");
    EnterAndLeave("05");
    EXPECT_EQ(Spin().Text(), "05");
}

TEST_F(SpinEditTest, TabIntoTheFieldSelectsAllButAClickInTheTextDoesNot) {
    EnterText("12345");
    ASSERT_EQ(GetFocus(), window->before.Handle());
    ::PressKey(VK_TAB, {}, window->before);
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == Spin().Handle(); }));
    EXPECT_EQ(SelStart(), 0u);
    EXPECT_EQ(SelEnd(), 5u);

    // Tab is not swallowed by the field: it moves the focus on.
    PressKey(VK_TAB);
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == window->before.Handle(); }));
    EXPECT_EQ(Spin().Text(), "12345");

    Post(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 5));
    Post(WM_LBUTTONUP, 0, MAKELPARAM(3, 5));
    EXPECT_EQ(GetFocus(), Spin().Handle());
    EXPECT_EQ(SelStart(), SelEnd());

    // Without AutoSelect the dialog manager must not select all on its own either.
    SetFocus(window->before);
    Spin().SendMsg(EM_SETSEL, 2, 2);
    Spin().SetAutoSelect(false);
    ::PressKey(VK_TAB, {}, window->before);
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == Spin().Handle(); }));
    EXPECT_EQ(SelStart(), SelEnd());
}

// Alt+Tab back, a restore from the taskbar or a closed message box give the focus back
// from outside the window: the next key must not replace the whole number.
TEST_F(SpinEditTest, FocusGivenBackFromOutsideKeepsTheSelection) {
    FocusSpin();
    EnterText("123");
    Spin().SendMsg(EM_SETSEL, 3, 3);
    SetFocus(nullptr);
    SetFocus(Spin());
    PumpPending();
    EXPECT_EQ(SelStart(), 3u);
    EXPECT_EQ(SelEnd(), 3u);
}

TEST_F(SpinEditTest, PasteAndCutAreUnfilteredUnlessReadOnly) {
    FocusSpin();
    EnterText("$A");
    Spin().SendMsg(EM_SETSEL, 0, -1);
    Spin().SendMsg(WM_CUT);
    EXPECT_EQ(Spin().Text(), "");
    Spin().SendMsg(WM_PASTE);
    EXPECT_EQ(Spin().Text(), "$A");
    EXPECT_EQ(Spin().Value(), 10);
    // A pasted full-width digit does not parse, though its best-fit copy would read as 3.
    SetWindowTextW(Spin(), L"\uFF13");
    EXPECT_EQ(Spin().Value(), 0);
    EnterText("$A");

    Spin().SetReadOnly(true);
    Spin().SendMsg(EM_SETSEL, 0, -1);
    Spin().SendMsg(WM_CUT);
    EXPECT_EQ(Spin().Text(), "$A");
    // Stepping a read-only field only beeps; refused clipboard operations do not.
    PressKey(VK_UP);
    EXPECT_EQ(Spin().Text(), "$A");
    EXPECT_EQ(window->beeps, 1);
}

TEST_F(SpinEditTest, ArrowColumnSitsInsideTheRightEdgeAndFollowsResizing) {
    const int dpi = shared::ScreenDpi();
    const int width = controls::ScaleToDpi(controls::TSpinEdit::kButtonWidth, dpi);
    const int gap = controls::ScaleToDpi(controls::TSpinEdit::kTextGap, dpi);
    auto check = [&] {
        const RECT client = ClientRectOf(Spin());
        // The column is the field's sibling, laid over it: compared in the field's client area.
        RECT onScreen = WindowRectOf(Spin().Button());
        MapWindowPoints(HWND_DESKTOP, Spin(), reinterpret_cast<POINT*>(&onScreen), 2);
        EXPECT_EQ(onScreen.left, client.right - width);
        EXPECT_EQ(onScreen.right - onScreen.left, width);
        EXPECT_EQ(onScreen.top, 0);
        EXPECT_EQ(onScreen.bottom, client.bottom);
        EXPECT_EQ(Spin().Button().UpButton().Bounds().height, client.bottom / 2);
        RECT text{};
        Spin().SendMsg(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
        EXPECT_EQ(text.right, onScreen.left - gap);
    };
    check();
    controls::Rect wider = kSpinBounds;
    wider.width += 40;
    wider.height += 6;
    Spin().SetBounds(wider);
    PumpPending();
    check();
}

// While alive, windows are made from the version 6 common controls, as in the program with
// its manifest. Their edit is a Unicode window even when made through the ANSI API.
class TCommonControls6 {
public:
    TCommonControls6() {
        const winfiles::TempDir dir("vesk-spn");
        const std::string path = dir / "v6.manifest";
        winfiles::WriteFileText(
            path, "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
                  "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">"
                  "<dependency><dependentAssembly><assemblyIdentity type=\"win32\" "
                  "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\" "
                  "processorArchitecture=\"*\" publicKeyToken=\"6595b64144ccf1df\" language=\"*\"/>"
                  "</dependentAssembly></dependency></assembly>");
        ACTCTXA ctx{};
        ctx.cbSize = sizeof ctx;
        ctx.lpSource = path.c_str();
        context_ = CreateActCtxA(&ctx);
        if (context_ != INVALID_HANDLE_VALUE && !ActivateActCtx(context_, &cookie_))
            cookie_ = 0;
    }
    TCommonControls6(const TCommonControls6&) = delete;
    TCommonControls6& operator=(const TCommonControls6&) = delete;
    ~TCommonControls6() {
        if (cookie_)
            DeactivateActCtx(0, cookie_);
        if (context_ != INVALID_HANDLE_VALUE)
            ReleaseActCtx(context_);
    }
    bool Active() const { return cookie_ != 0; }

private:
    HANDLE context_ = INVALID_HANDLE_VALUE;
    ULONG_PTR cookie_ = 0;
};

TEST(SpinEditUnicodeTest, FilterSeesTheAnsiCharacterNotTheLowByteOfItsUtf16) {
    TCommonControls6 v6;
    ASSERT_TRUE(v6.Active());
    TSpinTestWindow window;
    ASSERT_TRUE(IsWindowUnicode(window.spin));
    SetFocus(window.spin);
    window.spin.SetText("");
    // In code page 1252, 0x89 is the per-mille sign U+2030: its low byte reads as '0'.
    for (int c : {0x89, static_cast<int>('7'), 0x80})
        PostMessageA(window.spin, WM_CHAR, c, 1);
    PumpPending();
    EXPECT_EQ(window.spin.Text(), "7");
    EXPECT_EQ(window.beeps, 2);
}

} // namespace
