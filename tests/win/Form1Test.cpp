// The main window as built: its control tree, the Advanced/Simple toggle, and how errors
// reach the user through the application frame.
#include <gtest/gtest.h>

#include <memory>

#include "gui/ControlIds.h"
#include "gui/Form1.h"
#include "win/WinTestSupport.h"

namespace {

std::string ClassOf(HWND hwnd) {
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

SIZE WindowSize(HWND hwnd) {
    RECT rc{};
    GetWindowRect(hwnd, &rc);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

class Form1Test : public testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TForm1>();
        form->Build();
    }
    void TearDown() override {
        form.reset();
        PumpPending();
    }
    std::unique_ptr<TForm1> form;
};

} // namespace

TEST_F(Form1Test, ControlsStandWhereDesignedWithTheirTexts) {
    struct Expected {
        gui::TControl& control;
        const char* cls;
        const char* text;
        gui::Rect r;
    } expected[] = {
        {form->btnBrowseSrc, "Button", "...", {344, 0, 26, 21}},
        {form->btnBrowseOut, "Button", "...", {344, 27, 26, 21}},
        {form->btnAdvanced, "Button", "Advanced", {215, 55, 75, 25}},
        {form->btnCreate, "Button", "Create!", {295, 54, 75, 25}},
        {form->lblSource, "Static", "Source", {0, 3, -1, 13}},
        {form->lblOutput, "Static", "Output", {0, 29, -1, 13}},
        {form->lblURL, "Static", kMakerHost, {9, 60, -1, 13}},
        {form->edtTitle, "Edit", "", {72, 16, 282, 21}},
        {form->edtAuthor, "Edit", "", {72, 44, 282, 21}},
        {form->edtBuild, "Edit", "", {72, 72, 282, 21}},
        {form->edtCopyright, "Edit", "", {72, 100, 282, 21}},
        {form->cbxDev, "Button", "Development only", {8, 8, 177, 17}},
        {form->cbxMpXfer, "Button", "Allow multiplayer transfer", {8, 32, 169, 17}},
        {form->cbxProtected, "Button", "Protected", {8, 56, 169, 17}},
        {form->lblPriority, "Static", "Priority", {8, 81, -1, 13}},
        {form->spnPriority, "Edit", "0", {54, 78, 93, 22}},
    };
    for (auto& e : expected) {
        SCOPED_TRACE(e.text);
        EXPECT_EQ(ClassOf(e.control), e.cls);
        EXPECT_EQ(e.control.Text(), e.text);
        gui::Rect r = e.control.Bounds();
        EXPECT_EQ(r.left, e.r.left);
        EXPECT_EQ(r.top, e.r.top);
        if (e.r.width >= 0) {
            EXPECT_EQ(r.width, e.r.width);
        }
        EXPECT_EQ(r.height, e.r.height);
    }
    // Combo boxes: the field is where designed; the window also holds the drop-down list.
    for (gui::TComboBox* combo : {&form->cmbSource, &form->cmbOutput}) {
        EXPECT_EQ(ClassOf(*combo), "ComboBox");
        EXPECT_EQ(combo->Text(), "");
        EXPECT_EQ(combo->Bounds().left, 56);
        EXPECT_EQ(combo->Bounds().width, 280);
        EXPECT_EQ(GetWindowLongPtrA(*combo, GWL_STYLE) & (CBS_SORT | 3), CBS_DROPDOWN);
    }
    EXPECT_EQ(form->cmbOutput.Bounds().top, 26);
    EXPECT_EQ(form->Text(), "Veskmaker");
    EXPECT_EQ(ClassOf(form->pgeAdvanced), "SysTabControl32");
    EXPECT_EQ(TabCtrl_GetItemCount(form->pgeAdvanced), 2);
}

TEST_F(Form1Test, LabelledEditsPutTheirLabelLeftAndCentred) {
    for (auto* pair : {&form->lblTitle, &form->lblAuthor, &form->lblBuild, &form->lblCopyright}) {
        gui::Rect label = pair->Bounds();
        gui::Rect field = (pair == &form->lblTitle    ? form->edtTitle
                           : pair == &form->lblAuthor ? form->edtAuthor
                           : pair == &form->lblBuild  ? form->edtBuild
                                                      : form->edtCopyright)
                              .Bounds();
        EXPECT_EQ(label.left + label.width, field.left - 3) << pair->Text();
        EXPECT_EQ(label.top, field.top + (field.height - label.height) / 2) << pair->Text();
    }
}

TEST_F(Form1Test, TabOrderRunsThroughTheTopBlockAndSkipsTheHiddenOne) {
    std::vector<HWND> order;
    HWND item = GetNextDlgTabItem(*form, nullptr, FALSE);
    for (int i = 0; i < 7 && item; ++i) {
        order.push_back(item);
        item = GetNextDlgTabItem(*form, item, FALSE);
    }
    std::vector<HWND> expected = {form->btnBrowseSrc, form->btnBrowseOut, form->cmbSource,
                                  form->cmbOutput,    form->btnAdvanced,  form->btnCreate,
                                  form->btnBrowseSrc};
    ASSERT_EQ(order.size(), expected.size());
    for (size_t i = 0; i < order.size(); ++i) {
        HWND got = order[i];
        // The dialog manager may hand out a combo box's edit field instead of the box.
        if (GetParent(got) == form->cmbSource || GetParent(got) == form->cmbOutput)
            got = GetParent(got);
        EXPECT_EQ(got, expected[i]) << "position " << i;
    }
}

TEST_F(Form1Test, AdvancedToggleGrowsAndShrinksAndKeepsValues) {
    SIZE simple = WindowSize(*form);
    EXPECT_FALSE(form->Panel3.Visible());
    EXPECT_FALSE(form->Panel3.Enabled());
    RECT client{};
    GetClientRect(*form, &client);
    EXPECT_EQ(client.right, 386);
    EXPECT_EQ(client.bottom, 96);

    form->edtTitle.SetText("kept");
    form->cbxProtected.SetChecked(true);
    form->btnAdvanced.Click();
    EXPECT_EQ(form->btnAdvanced.Text(), "Simple");
    EXPECT_TRUE(form->Panel3.Visible());
    EXPECT_TRUE(form->Panel3.Enabled());
    GetClientRect(*form, &client);
    EXPECT_EQ(client.right, 386);
    EXPECT_EQ(client.bottom, 278);
    SIZE advanced = WindowSize(*form);
    EXPECT_EQ(advanced.cy - simple.cy, 182);

    form->btnAdvanced.Click();
    EXPECT_EQ(form->btnAdvanced.Text(), "Advanced");
    EXPECT_FALSE(form->Panel3.Enabled());
    SIZE again = WindowSize(*form);
    EXPECT_EQ(again.cx, simple.cx);
    EXPECT_EQ(again.cy, simple.cy);

    BuilderInputs in = form->ReadBuilderInputs();
    EXPECT_EQ(in.title, "kept");
    EXPECT_TRUE(in.isProtected);
}

TEST_F(Form1Test, CheckBoxesCarryHintsThatAreNeverShown) {
    EXPECT_EQ(form->cbxDev.hint, " development-only vesk (not for retail usage)");
    EXPECT_EQ(form->cbxMpXfer.hint, "allow transfer during multiplayer");
    EXPECT_EQ(form->cbxProtected.hint,
              "this is protected content (for optional use by extractors)");
    // No tooltip window belongs to our thread.
    bool tooltip = false;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM p) -> BOOL {
            char cls[64] = {};
            GetClassNameA(hwnd, cls, sizeof cls);
            if (std::string(cls) == TOOLTIPS_CLASSA)
                *reinterpret_cast<bool*>(p) = true;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&tooltip));
    EXPECT_FALSE(tooltip);
}

TEST_F(Form1Test, EnterAndEscapePressNothing) {
    int clicks = 0;
    form->btnCreate.onClick = [&] { ++clicks; };
    form->btnAdvanced.onClick = [&] { ++clicks; };
    SendMessageA(*form, WM_COMMAND, IDOK, 0);
    SendMessageA(*form, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(GetWindowLongPtrA(form->btnCreate, GWL_STYLE) & BS_DEFPUSHBUTTON, 0);
}

TEST_F(Form1Test, ErrorBoxShowsTitleAndFullStopThenGivesTheWindowBack) {
    ShowWindow(*form, SW_SHOW);
    SetForegroundWindow(*form);
    SetActiveWindow(*form);
    form->cmbOutput.SetText("out");
    form->btnCreate.Focus();
    HWND focusBefore = GetFocus();
    ASSERT_EQ(focusBefore, form->btnCreate.Handle());

    TBoxAnswerer answerer(*form);
    form->btnCreate.Click(); // the source is empty: the Create check fails
    ASSERT_TRUE(answerer.Wait());
    EXPECT_EQ(answerer.caption, "win_tests"); // from win_tests.exe; the first letter stays
    EXPECT_EQ(answerer.caption, Application->Title());
    EXPECT_EQ(answerer.text, "The specified source does not exist.");
    EXPECT_EQ(answerer.owner, Application->Handle());
    EXPECT_FALSE(answerer.watchedEnabledWhileUp);

    EXPECT_TRUE(IsWindowEnabled(*form));
    EXPECT_EQ(GetFocus(), focusBefore);
    EXPECT_EQ(form->cmbOutput.Text(), "out");
    EXPECT_EQ(form->cmbSource.Count(), 0);
    EXPECT_EQ(form->hstOutput.Count(), 0);
}

TEST_F(Form1Test, MouseCaptureIsReleasedBeforeTheBoxAndAbortsStaySilent) {
    ShowWindow(*form, SW_SHOW);
    SetCapture(form->btnCreate);
    ASSERT_EQ(GetCapture(), form->btnCreate.Handle());
    {
        TBoxAnswerer answerer;
        try {
            throw Exception("Index out of bounds (10)");
        } catch (...) {
            Application->ReportError(std::current_exception());
        }
        ASSERT_TRUE(answerer.Wait());
        EXPECT_EQ(answerer.captureWhileUp, nullptr);
        EXPECT_EQ(answerer.text, "Index out of bounds (10)");
    }
    TBoxAnswerer silent;
    try {
        throw EAbort();
    } catch (...) {
        Application->ReportError(std::current_exception());
    }
    // ReportError shows its box synchronously, so none has been shown if none is up now.
    EXPECT_EQ(silent.Count(), 0);
}

namespace {
class TFailingCreateForm : public TForm1 {
public:
    void FormCreate() override { throw Exception("Cannot read the settings (disk)"); }
};
} // namespace

TEST(AppFrameTest, ErrorInFormCreateIsShownAndTheWindowStillComesUp) {
    TApplication app; // a fresh frame, so this window becomes its main window
    TBoxAnswerer answerer;
    auto* form = app.CreateMainWindow<TFailingCreateForm>();
    ASSERT_TRUE(answerer.Wait());
    EXPECT_EQ(answerer.text, "Cannot read the settings (disk)");
    EXPECT_EQ(app.MainForm(), form);
    PostQuitMessage(0);
    app.RunMessageLoop();
    EXPECT_TRUE(IsWindowVisible(*form));
    EXPECT_TRUE(app.QuitRequested());
}

TEST(AppFrameTest, ClosingRunsTheCloseHandlerAndQuits) {
    struct TCountingForm : TForm1 {
        int closes = 0;
        void FormClose(gui::TCloseAction&) override {
            ++closes;
            throw Exception("Unable to write to C:\\x\\100%s.ini");
        }
    };
    TApplication app;
    auto* form = app.CreateMainWindow<TCountingForm>();
    TBoxAnswerer answerer;
    PostMessageA(*form, WM_CLOSE, 0, 0);
    app.RunMessageLoop(); // returns once the quit request is taken off the queue
    ASSERT_TRUE(answerer.Wait());
    EXPECT_EQ(form->closes, 1);
    EXPECT_EQ(answerer.text, "Unable to write to C:\\x\\100%s.ini.");
    EXPECT_TRUE(app.QuitRequested());
}
