// How errors reach the user through the application frame, and what the frame does for the
// main window: its creation handler, the taskbar button's menu and closing.
#include <gtest/gtest.h>

#include <exception>

#include "win/Form1Fixture.h"

using namespace form1test;

TEST_F(Form1Test, ErrorBoxShowsTitleAndFullStopThenGivesTheWindowBack) {
    ShowActive();
    form->cmbOutput.SetText("out");
    form->btnCreate.Focus();
    ASSERT_EQ(GetFocus(), form->btnCreate.Handle());

    TDialogAnswerer answerer(PressOk, *form);
    form->btnCreate.Click(); // the source is empty: the Create check fails
    ASSERT_TRUE(answerer.Wait());
    EXPECT_EQ(answerer.Seen().caption, "win_tests"); // from win_tests.exe; the first letter stays
    EXPECT_EQ(answerer.Seen().caption, app::Application->Title());
    EXPECT_EQ(answerer.Seen().text, "The specified source does not exist.");
    EXPECT_EQ(answerer.Seen().owner, app::Application->Handle());
    EXPECT_FALSE(answerer.Seen().watchedEnabledWhileUp);

    EXPECT_TRUE(IsWindowEnabled(*form));
    // Given back to the field at fault, not to "Create!".
    EXPECT_EQ(GetParent(GetFocus()), form->cmbSource.Handle());
    EXPECT_EQ(form->cmbOutput.Text(), "out");
    EXPECT_EQ(form->cmbSource.Count(), 0);
    EXPECT_EQ(form->hstOutput.Count(), 0);
}

TEST_F(Form1Test, MouseCaptureIsReleasedBeforeTheBoxAndAbortsStaySilent) {
    ShowWindow(*form, SW_SHOW);
    SetCapture(form->btnCreate);
    ASSERT_EQ(GetCapture(), form->btnCreate.Handle());
    {
        TDialogAnswerer answerer;
        app::Application->ReportError(
            std::make_exception_ptr(shared::Exception("Index out of bounds (10)")));
        ASSERT_TRUE(answerer.Wait());
        EXPECT_EQ(answerer.Seen().captureWhileUp, nullptr);
        EXPECT_EQ(answerer.Seen().text, "Index out of bounds (10)");
    }
    TDialogAnswerer silent;
    app::Application->ReportError(std::make_exception_ptr(shared::EAbort()));
    // ReportError shows its box synchronously, so none has been shown if none is up now.
    EXPECT_EQ(silent.Count(), 0);
}

TEST(AppFrameTest, ErrorInFormCreateIsShownAndTheWindowStillComesUp) {
    struct TFailingCreateForm : gui::TForm1 {
        void FormCreate() override { throw shared::Exception("Cannot read the settings (disk)"); }
    };
    app::TApplication app; // a fresh frame, so this window becomes its main window
    TDialogAnswerer answerer;
    auto* form = app.CreateMainWindow<TFailingCreateForm>();
    ASSERT_TRUE(answerer.Wait());
    EXPECT_EQ(answerer.Seen().text, "Cannot read the settings (disk)");
    EXPECT_EQ(app.MainForm(), form);
    PostQuitMessage(0);
    app.RunMessageLoop();
    EXPECT_TRUE(IsWindowVisible(*form));
    EXPECT_TRUE(app.QuitRequested());
}

// Moving or sizing the invisible window, or maximising it, means nothing to the user.
TEST(AppFrameTest, TaskbarMenuOffersRestoreMinimiseAndClose) {
    HMENU menu = GetSystemMenu(app::Application->Handle(), FALSE);
    ASSERT_NE(menu, nullptr);
    std::vector<UINT> commands;
    for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
        // Separators aside, and "About Wine", which Wine adds to every system menu.
        const UINT id = GetMenuItemID(menu, i);
        constexpr UINT kAboutWine = 0xF141;
        if (id != 0 && id != static_cast<UINT>(-1) && id != kAboutWine)
            commands.push_back(id);
    }
    EXPECT_EQ(commands, (std::vector<UINT>{SC_RESTORE, SC_MINIMIZE, SC_CLOSE}));
}

TEST(AppFrameTest, ClosingRunsTheCloseHandlerAndQuits) {
    struct TCountingForm : gui::TForm1 {
        int closes = 0;
        void FormClose(controls::TCloseAction&) override {
            ++closes;
            throw shared::Exception("Unable to write to C:\\x\\100%s.ini");
        }
    };
    app::TApplication app;
    auto* form = app.CreateMainWindow<TCountingForm>();
    TDialogAnswerer answerer;
    PostMessageA(*form, WM_CLOSE, 0, 0);
    app.RunMessageLoop(); // returns once the quit request is taken off the queue
    ASSERT_TRUE(answerer.Wait());
    EXPECT_EQ(form->closes, 1);
    EXPECT_EQ(answerer.Seen().text, "Unable to write to C:\\x\\100%s.ini.");
    EXPECT_TRUE(app.QuitRequested());
}
