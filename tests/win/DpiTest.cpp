// The main window moved to a monitor of another scale: told so by WM_DPICHANGED, it takes the
// rectangle the system suggests, makes its font for the new DPI and lays out every control from
// the design at that DPI, the advanced block, the arrow column and the labels included.
#include <gtest/gtest.h>

#include <vector>

#include "win/Form1Fixture.h"

using namespace form1test;

namespace {

// The height of the font a window draws with, as a LOGFONT gives it.
LONG FontHeightOf(HWND hwnd) {
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfHeight;
}

class DpiTest : public Form1Test {
protected:
    // Sends the change as the system does: the new DPI twice, and the window rectangle for it,
    // here the present one grown by the ratio of the two DPIs.
    RECT ChangeDpi(int from, int to) {
        const RECT rc = WindowRectOf(*form);
        const RECT suggested{rc.left, rc.top, rc.left + MulDiv(rc.right - rc.left, to, from),
                             rc.top + MulDiv(rc.bottom - rc.top, to, from)};
        SendMessageA(*form, WM_DPICHANGED, MAKEWPARAM(to, to),
                     reinterpret_cast<LPARAM>(&suggested));
        PumpPending();
        return suggested;
    }

    // Every control of the design where the design puts it at that DPI, for the window's width.
    void ExpectDesignedAt(int dpi) {
        const int border = controls::ScaleToDpi(controls::kFormBorder, dpi);
        const std::vector<controls::Rect> placed =
            gui::PlaceDesign(ClientRectOf(*form).right - 2 * border, dpi);
        for (std::size_t i = 0; i < placed.size(); ++i) {
            const gui::TDesignRow& row = gui::kForm1Design[i];
            SCOPED_TRACE(row.name);
            const controls::Rect r = form->Control(row.id).Bounds();
            if (row.options & gui::doBeside) {
                const controls::Rect field = form->Control(row.buddy).Bounds();
                EXPECT_EQ(r.left + r.width,
                          field.left - controls::ScaleToDpi(controls::kLabelGap, dpi));
                continue;
            }
            if (row.options & gui::doPage)
                continue;
            EXPECT_EQ(r.left, placed[i].left);
            EXPECT_EQ(r.top, placed[i].top);
            if (row.options & gui::doAutoWidth) {
                EXPECT_GE(r.width, placed[i].width);
            } else {
                EXPECT_EQ(r.width, placed[i].width);
                EXPECT_EQ(r.height, placed[i].height);
            }
        }
        for (HWND text : {form->edtTitle.Handle(), form->lblURL.Handle()})
            EXPECT_EQ(FontHeightOf(text), -MulDiv(gui::kFontPoints, dpi, 72));
        EXPECT_EQ(form->spnPriority.Button().Bounds().width,
                  controls::ScaleToDpi(controls::TSpinEdit::kButtonWidth, dpi));
    }
};

} // namespace

TEST_F(DpiTest, WindowTakesTheSuggestedRectangleAndLaysOutEveryControlAtEachDpi) {
    form->btnAdvanced.Click();
    const int system = shared::WindowDpi(*form);
    int from = system;
    for (int dpi : {120, 144, 192, 216, system}) {
        SCOPED_TRACE("at " + std::to_string(dpi) + " dpi");
        const RECT suggested = ChangeDpi(from, dpi);
        const RECT now = WindowRectOf(*form);
        EXPECT_TRUE(EqualRect(&now, &suggested));
        ExpectDesignedAt(dpi);
        from = dpi;
    }
}

// The advanced block made after a change is made at the new DPI too.
TEST_F(DpiTest, AdvancedBlockMadeAfterAChangeIsMadeAtTheNewDpi) {
    ChangeDpi(shared::WindowDpi(*form), 144);
    form->btnAdvanced.Click();
    ExpectDesignedAt(144);
}
