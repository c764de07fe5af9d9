// The main window's size: the Advanced/Simple toggle grows and shrinks it, near the bottom of
// the screen and maximised too.
#include <gtest/gtest.h>

#include "win/Form1Fixture.h"

using namespace form1test;

TEST_F(Form1Test, AdvancedToggleGrowsAndShrinksAndKeepsValues) {
    SIZE simple = WindowSize(*form);
    EXPECT_FALSE(form->Panel3.Visible());
    EXPECT_FALSE(form->Panel3.Enabled());
    EXPECT_EQ(ClientRectOf(*form).right, 386);
    EXPECT_EQ(ClientRectOf(*form).bottom, 96);

    form->edtTitle.SetText("kept");
    form->cbxProtected.SetChecked(true);
    form->btnAdvanced.Click();
    EXPECT_EQ(form->btnAdvanced.Text(), "Simple");
    EXPECT_TRUE(form->Panel3.Visible());
    EXPECT_TRUE(form->Panel3.Enabled());
    EXPECT_EQ(ClientRectOf(*form).right, 386);
    EXPECT_EQ(ClientRectOf(*form).bottom, 278);
    SIZE advanced = WindowSize(*form);
    EXPECT_EQ(advanced.cy - simple.cy, 182);

    form->btnAdvanced.Click();
    EXPECT_EQ(form->btnAdvanced.Text(), "Advanced");
    EXPECT_FALSE(form->Panel3.Enabled());
    SIZE again = WindowSize(*form);
    EXPECT_EQ(again.cx, simple.cx);
    EXPECT_EQ(again.cy, simple.cy);

    EXPECT_EQ(ReadField(*form, gui::idEdtTitle).text, "kept");
    EXPECT_TRUE(ReadField(*form, gui::idCbxProtected).checked);
}

TEST_F(Form1Test, GrownNearTheBottomOfTheScreenTheWindowMovesUpJustEnough) {
    const RECT work = MoveNearTheBottom();
    form->btnAdvanced.Click();
    const RECT rc = WindowRectOf(*form);
    EXPECT_EQ(rc.bottom, work.bottom);
    EXPECT_EQ(rc.left, 40);
    // Back to the simple view it keeps that top; grown where it fits, it keeps its own.
    form->btnAdvanced.Click();
    SetWindowPos(*form, nullptr, 40, work.top + 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    form->btnAdvanced.Click();
    EXPECT_EQ(WindowRectOf(*form).top, work.top + 10);
}

TEST_F(Form1Test, ToggledWhileMaximisedTheRestoredWindowFitsItsContent) {
    // Maximised from a place near the bottom of the screen, it must come back whole on it.
    const RECT work = MoveNearTheBottom();
    ShowWindow(*form, SW_SHOWMAXIMIZED);
    form->btnAdvanced.Click();
    // The block made while maximised follows the window's right edge.
    const controls::Rect page = form->pgeAdvanced.Bounds(); // in the block's client area
    EXPECT_EQ(form->Panel3.Bounds().left + page.left + page.width + controls::kFormBorder,
              ClientRectOf(*form).right);
    ShowWindow(*form, SW_RESTORE);
    PumpPending();
    EXPECT_EQ(ClientRectOf(*form).right, 386);
    EXPECT_EQ(ClientRectOf(*form).bottom, 278);
    EXPECT_LE(WindowRectOf(*form).bottom, work.bottom);
}
