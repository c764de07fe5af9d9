// The window as a user sees it at the system DPI of the prefix it runs in (the main prefix's,
// and 144 and 192 dpi in prefixes of their own, VESK_DPI): each "..." button as tall as its
// combo box and level with it as designed, the labels at their scaled gap, the link's
// underline ending with its text, the priority field's arrows drawn while it has the focus,
// and screenshots of both views. And what a screen reader hears for every control.
#include "E2eSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using namespace e2e;

namespace {

class LookE2e : public ::testing::Test {
protected:
    void SetUp() override {
        // Our own windows' coordinates, unscaled, whatever the DPI.
        SetProcessDPIAware();
        app_ =
            std::make_unique<AppProcess>(PrepareAppDir(dir_.Path(), "Veskmaker.exe"), dir_.Path());
        ASSERT_NE(app_->WaitForMainWindow(), nullptr);
        const shared::TWindowDc screen(nullptr);
        dpi_ = GetDeviceCaps(screen.Get(), LOGPIXELSY);
        if (const char* wanted = std::getenv("VESK_DPI"); wanted && *wanted) {
            ASSERT_EQ(dpi_, std::atoi(wanted)) << "the prefix is not at the DPI asked for";
        }
    }

    int Scaled(int designPixels) const { return controls::ScaleToDpi(designPixels, dpi_); }
    // A control's rectangle in its parent's client area.
    static RECT Bounds(HWND hwnd) {
        RECT rc = WindowRectOf(hwnd);
        MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
    // The Misc. page shown and the priority field focused, as the keyboard gets there.
    void FocusPriority() const {
        ASSERT_TRUE(app_->ToggleAdvanced());
        ASSERT_TRUE(WaitUntil(
            [&] { return FocusOf(app_->MainWindow()) == app_->Control(gui::idBtnAdvanced); }));
        for (const auto& [key, id] : KeysFromAdvancedThroughMiscPage()) {
            ASSERT_TRUE(app_->PressKeyFor(key, id)) << "key " << key;
            if (id == gui::idSpnPriority)
                return;
        }
    }
    void SaveView(const char* name) const {
        SaveArtifact(app_->MainWindow(), std::string(name) + "-" + std::to_string(dpi_));
    }

    TempDir dir_;
    std::unique_ptr<AppProcess> app_;
    int dpi_ = 96;
};

} // namespace

// Each "..." button and its combo box (its closed field) stand at their scaled designed edges,
// and so as tall as each other to a pixel at any scale.
TEST_F(LookE2e, BrowseButtonsAreAsTallAsTheirComboBoxesAtThisDpi) {
    for (const auto& [button, combo] : {std::pair{gui::idBtnBrowseSrc, gui::idCmbSource},
                                        std::pair{gui::idBtnBrowseOut, gui::idCmbOutput}}) {
        SCOPED_TRACE(gui::DesignRow(combo).name);
        const RECT b = Bounds(app_->Control(button)), c = Bounds(app_->Control(combo));
        for (const auto& [placed, id] : {std::pair{b, button}, std::pair{c, combo}}) {
            const controls::Rect& designed = gui::DesignRow(id).bounds;
            EXPECT_EQ(placed.top, Scaled(designed.top));
            EXPECT_EQ(placed.bottom, Scaled(designed.top + designed.height));
        }
        EXPECT_LE(std::abs((c.bottom - c.top) - (b.bottom - b.top)), 1);
    }
    SaveView("simple");
}

// A label beside its field keeps its right edge at the designed gap, scaled, and is centred on
// the field; the link's underline ends with its text.
TEST_F(LookE2e, LabelsKeepTheirScaledGapAndTheLinkItsUnderline) {
    ASSERT_TRUE(app_->ToggleAdvanced());
    for (const gui::TDesignRow& row : gui::kForm1Design) {
        if (!(row.options & gui::doBeside))
            continue;
        SCOPED_TRACE(row.name);
        const RECT label = Bounds(app_->Control(row.id)), field = Bounds(app_->Control(row.buddy));
        EXPECT_EQ(label.right, field.left - Scaled(controls::kLabelGap));
        EXPECT_EQ(label.top,
                  field.top + ((field.bottom - field.top) - (label.bottom - label.top)) / 2);
    }
    // The underline is the lowest row of link-coloured pixels; it runs under the text only.
    const Pixels link = WindowPixels(app_->Control(gui::idLblURL), true);
    ASSERT_GT(link.rgb.size(), 0u);
    // The right-most link-coloured pixel of each row, or -1.
    std::vector<int> rightmost(static_cast<size_t>(link.height), -1);
    for (int y = 0; y < link.height; ++y)
        for (int x = 0; x < link.width; ++x)
            if (link.rgb[y * link.width + x] == gui::kLinkBlue)
                rightmost[y] = x;
    int underline = link.height - 1;
    while (underline >= 0 && rightmost[underline] < 0)
        --underline;
    ASSERT_GE(underline, 0) << "no link-coloured pixel";
    int textRight = -1; // over the rows above the underline
    for (int y = 0; y < underline; ++y)
        textRight = std::max(textRight, rightmost[y]);
    EXPECT_LE(rightmost[underline], textRight + 1) << "the underline runs past the text";
    SaveView("advanced");
}

// The arrows stay drawn while the field has the focus, while typing and selecting, and after
// the focus has left: each shows its button face and its black triangle, not the edit's white.
TEST_F(LookE2e, PriorityArrowsStayDrawnWithTheFocusInTheField) {
    FocusPriority();
    const std::vector<HWND> arrows = app_->PriorityArrows();
    ASSERT_NE(arrows[1], nullptr);
    auto expectDrawn = [&](const char* when) {
        for (HWND arrow : arrows) {
            // Taken as they stand: painting them anew would hide what the field did to them.
            const Pixels p = WindowPixels(arrow, false);
            EXPECT_GT(p.Count(GetSysColor(COLOR_BTNTEXT)), 0) << when << ": no arrow";
            EXPECT_GT(p.Count(GetSysColor(COLOR_BTNFACE)), p.Count(GetSysColor(COLOR_WINDOW)))
                << when << ": painted over by the field";
        }
    };
    expectDrawn("focused");
    ASSERT_TRUE(app_->PressKeyFor('7', gui::idSpnPriority));
    ASSERT_TRUE(app_->PressKeyFor(VK_HOME, gui::idSpnPriority));
    expectDrawn("typed and moved");
    SaveView("advanced-misc");
    ASSERT_TRUE(app_->PressKeyFor(VK_TAB, gui::idBtnBrowseSrc));
    expectDrawn("left");
}
