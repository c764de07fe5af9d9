// The procedure we put before a standard control's own, for a reader's name or for typing:
// every message passes it, so it must not leave a property to be looked up (a round trip to
// Wine's window server each time), nor turn a Unicode window into an ANSI one.
#include <gtest/gtest.h>

#include <windows.h>

#include <array>

#include "controls/ComboBox.h"
#include "win/SpinEditFixture.h"

namespace {

BOOL CALLBACK CountProperty(HWND /*hwnd*/, LPSTR /*name*/, HANDLE /*data*/, ULONG_PTR count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

struct TWindowState {
    int properties = 0;
    bool unicode = false;
    LONG_PTR procedure = 0;
};

TWindowState StateOf(HWND hwnd) {
    TWindowState state;
    EnumPropsExA(hwnd, CountProperty, reinterpret_cast<LPARAM>(&state.properties));
    state.unicode = IsWindowUnicode(hwnd) != FALSE;
    state.procedure = GetWindowLongPtrW(hwnd, GWLP_WNDPROC);
    return state;
}

TEST(Subclass, NamedAndTypedIntoControlsGainNoPropertyAndKeepTheirCharacterSet) {
    spintest::TSpinTestWindow host;
    controls::TButton button;
    controls::TComboBox combo;
    button.Create({host.Handle(), 3, "...", {110, 8, 26, 21}});
    combo.Create({host.Handle(), 4, "", {8, 70, 120, 21}});
    const std::array<HWND, 3> windows{button, combo, combo.EditHandle()};
    std::array<TWindowState, 3> before;
    for (size_t i = 0; i < windows.size(); ++i)
        before[i] = StateOf(windows[i]);

    button.SetAccessibleName("Browse");
    combo.SetAccessibleName("Source");
    SetFocus(combo.EditHandle()); // the edit is subclassed for completion when focused
    PumpPending();
    for (size_t i = 0; i < windows.size(); ++i) {
        const TWindowState after = StateOf(windows[i]);
        EXPECT_NE(after.procedure, before[i].procedure) << "window " << i << " not subclassed";
        EXPECT_EQ(after.properties, before[i].properties) << "window " << i;
        EXPECT_EQ(after.unicode, before[i].unicode) << "window " << i;
    }
}

} // namespace
