// The main window as built: its controls, the keyboard's way through them, the advanced block
// made when first shown, and what "Create!" refuses. Its size: Form1SizeTest.cpp.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "controls/AnsiText.h"
#include "win/Form1Fixture.h"

using namespace form1test;

namespace {

// How a control's rectangle is checked: exactly; as wide as its caption, the designed width at
// least; as high as its font makes it; or not here (a page lies over its page control's
// display area, a label beside its field has a test of its own).
enum TPlaced { kExactly, kWidthAtLeast, kAnyHeight, kElsewhere };

struct TBuiltControl {
    gui::ControlId id;
    const char* windowClass;
    const char* text;
    controls::Rect bounds; // at 96 dpi, in its parent's client area
    TPlaced placed = kExactly;
};

// Every control of the main window as built at 96 dpi, the advanced block made: the window's
// own children stand inside its 8-pixel border.
// clang-format off
const TBuiltControl kBuilt[] = {
    {gui::idPanel2, "TPanel", "", {8, 8, 370, 80}},
    {gui::idBtnBrowseSrc, "Button", "...", {344, 0, 26, 21}},
    {gui::idBtnBrowseOut, "Button", "...", {344, 27, 26, 21}},
    {gui::idLblSource, "Static", "Source", {0, 3, 34, 13}, kWidthAtLeast},
    {gui::idCmbSource, "ComboBox", "", {56, 0, 280, 0}, kAnyHeight},
    {gui::idLblOutput, "Static", "Output", {0, 29, 32, 13}, kWidthAtLeast},
    {gui::idCmbOutput, "ComboBox", "", {56, 26, 280, 0}, kAnyHeight},
    {gui::idBtnAdvanced, "Button", "Advanced", {215, 55, 75, 25}},
    {gui::idBtnCreate, "Button", "Create!", {295, 54, 75, 25}},
    {gui::idLblURL, "Static", "www.veskmaker.example", {9, 60, 105, 13}, kWidthAtLeast},
    {gui::idPanel3, "TPanel", "", {8, 96, 370, 174}},
    {gui::idPgeAdvanced, "SysTabControl32", "", {0, 10, 370, 164}},
    {gui::idTabSheet1, "TPanel", "Text", {}, kElsewhere},
    {gui::idLblTitle, "Static", "Title", {}, kElsewhere},
    {gui::idEdtTitle, "Edit", "", {72, 16, 282, 21}},
    {gui::idLblAuthor, "Static", "Author", {}, kElsewhere},
    {gui::idEdtAuthor, "Edit", "", {72, 44, 282, 21}},
    {gui::idLblBuild, "Static", "Build", {}, kElsewhere},
    {gui::idEdtBuild, "Edit", "", {72, 72, 282, 21}},
    {gui::idLblCopyright, "Static", "Copyright", {}, kElsewhere},
    {gui::idEdtCopyright, "Edit", "", {72, 100, 282, 21}},
    {gui::idTabSheet2, "TPanel", "Misc.", {}, kElsewhere},
    {gui::idCbxDev, "Button", "Development only", {8, 8, 177, 17}},
    {gui::idCbxMpXfer, "Button", "Allow multiplayer transfer", {8, 32, 169, 17}},
    {gui::idCbxProtected, "Button", "Protected", {8, 56, 169, 17}},
    {gui::idLblPriority, "Static", "Priority", {8, 81, 31, 13}, kWidthAtLeast},
    {gui::idSpnPriority, "Edit", "0", {54, 78, 93, 22}},
    {gui::idBvlSeparator, "Static", "", {0, 0, 370, 2}},
};
// clang-format on

void ExpectPlaced(const controls::Rect& r, const TBuiltControl& built) {
    if (built.placed == kElsewhere)
        return;
    EXPECT_EQ(r.left, built.bounds.left);
    EXPECT_EQ(r.top, built.bounds.top);
    if (built.placed == kWidthAtLeast) {
        EXPECT_GE(r.width, built.bounds.width);
    } else {
        EXPECT_EQ(r.width, built.bounds.width);
    }
    if (built.placed != kAnyHeight) {
        EXPECT_EQ(r.height, built.bounds.height);
    }
}

// A plain function, not a lambda: the callback is __stdcall in the 32-bit build.
BOOL CALLBACK NoteTooltip(HWND hwnd, LPARAM found) {
    if (ClassOf(hwnd) == TOOLTIPS_CLASSA)
        *reinterpret_cast<bool*>(found) = true;
    return TRUE;
}

} // namespace

TEST_F(Form1Test, ControlsStandWhereDesignedWithTheirTexts) {
    form->btnAdvanced.Click();
    form->btnAdvanced.Click();
    // A control the design gains is a row here too.
    ASSERT_EQ(std::size(kBuilt), std::size(gui::kForm1Design));
    for (const TBuiltControl& built : kBuilt) {
        SCOPED_TRACE(built.id);
        controls::TControl& control = form->Control(built.id);
        ASSERT_NE(control.Handle(), nullptr);
        EXPECT_EQ(ClassOf(control), built.windowClass);
        EXPECT_EQ(control.Text(), built.text);
        EXPECT_EQ(control.Id(), built.id);
        ExpectPlaced(control.Bounds(), built);
    }
    for (controls::TComboBox* combo : {&form->cmbSource, &form->cmbOutput})
        EXPECT_EQ(GetWindowLongPtrA(*combo, GWL_STYLE) & (CBS_SORT | 3), CBS_DROPDOWN);
    EXPECT_EQ(form->Text(), "Veskmaker");
    EXPECT_EQ(TabCtrl_GetItemCount(form->pgeAdvanced), 2);
}

TEST_F(Form1Test, LabelledEditsPutTheirLabelLeftAndCentred) {
    form->btnAdvanced.Click();
    for (const gui::TDesignRow& row : gui::kForm1Design) {
        if (!(row.options & gui::doBeside))
            continue;
        const controls::Rect label = form->Control(row.id).Bounds();
        const controls::Rect field = form->Control(row.buddy).Bounds();
        EXPECT_EQ(label.left + label.width, field.left - 3) << row.name;
        EXPECT_EQ(label.top, field.top + (field.height - label.height) / 2) << row.name;
    }
}

TEST_F(Form1Test, TabOrderRunsThroughTheTopBlockAndSkipsTheHiddenOne) {
    form->btnAdvanced.Click(); // made and hidden again, not merely never made
    form->btnAdvanced.Click();
    std::vector<HWND> order;
    HWND item = GetNextDlgTabItem(*form, nullptr, FALSE);
    for (int i = 0; i < 8 && item; ++i) {
        order.push_back(item);
        item = GetNextDlgTabItem(*form, item, FALSE);
    }
    std::vector<HWND> expected = {form->btnBrowseSrc, form->btnBrowseOut, form->cmbSource,
                                  form->cmbOutput,    form->btnAdvanced,  form->btnCreate,
                                  form->lblURL,       form->btnBrowseSrc};
    ASSERT_EQ(order.size(), expected.size());
    for (size_t i = 0; i < order.size(); ++i) {
        HWND got = order[i];
        // The dialog manager may hand out a combo box's edit field instead of the box.
        if (GetParent(got) == form->cmbSource || GetParent(got) == form->cmbOutput)
            got = GetParent(got);
        EXPECT_EQ(got, expected[i]) << "position " << i;
    }
}

// A keyboard-only user reaches every field: the page tabs are a stop of their own, the arrow
// keys on them and Ctrl+(Shift+)Tab anywhere in the block switch pages.
TEST_F(Form1Test, KeyboardReachesThePageTabsAndBothPages) {
    ShowActive();
    form->btnAdvanced.Click();
    form->lblURL.Focus(); // the top block's last stop
    const std::vector<HWND> order = {form->pgeAdvanced, form->edtTitle,     form->edtAuthor,
                                     form->edtBuild,    form->edtCopyright, form->btnBrowseSrc};
    for (HWND expected : order) {
        PressKey(VK_TAB);
        EXPECT_EQ(GetFocus(), expected) << controls::TControl::FromHandle(expected)->Text();
    }
    PressKey(VK_TAB, {VK_SHIFT});
    EXPECT_EQ(GetFocus(), form->edtCopyright.Handle());

    form->pgeAdvanced.Focus();
    PressKey(VK_RIGHT);
    EXPECT_EQ(form->pgeAdvanced.ActivePage(), 1);
    EXPECT_TRUE(form->TabSheet2.Visible());
    EXPECT_FALSE(form->TabSheet1.Visible());
    PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), form->cbxDev.Handle());

    PressKey(VK_TAB, {VK_CONTROL});
    EXPECT_EQ(form->pgeAdvanced.ActivePage(), 0);
    EXPECT_EQ(GetFocus(), form->edtTitle.Handle());
    PressKey(VK_TAB, {VK_CONTROL, VK_SHIFT});
    EXPECT_EQ(form->pgeAdvanced.ActivePage(), 1);
    EXPECT_EQ(GetFocus(), form->cbxDev.Handle());
    PressKey(VK_LEFT, {}, form->pgeAdvanced);
    EXPECT_EQ(form->pgeAdvanced.ActivePage(), 0);
}

// A screen reader names a field after the label just before it in z-order.
TEST_F(Form1Test, EveryLabelStandsDirectlyBeforeItsField) {
    form->btnAdvanced.Click();
    for (const gui::TDesignRow& row : gui::kForm1Design) {
        if (row.buddy == gui::idForm || (row.options & gui::doPage))
            continue;
        ASSERT_NE(form->Control(row.id).Handle(), nullptr) << row.name;
        EXPECT_EQ(GetWindow(form->Control(row.buddy), GW_HWNDPREV), form->Control(row.id).Handle())
            << row.name;
    }
}

// Its windows are made when the block is first shown; until then the control objects hold
// their values, and "Create!" reads them the same.
TEST_F(Form1Test, AdvancedBlockIsMadeWhenFirstShownWithWhatItHeld) {
    EXPECT_EQ(form->Panel3.Handle(), nullptr);
    EXPECT_EQ(form->edtTitle.Handle(), nullptr);
    EXPECT_EQ(ReadField(*form, gui::idSpnPriority).number, 0);
    form->edtAuthor.SetText("early");
    form->cbxDev.SetChecked(true);
    EXPECT_EQ(ReadField(*form, gui::idEdtAuthor).text, "early");
    EXPECT_TRUE(ReadField(*form, gui::idCbxDev).checked);
    form->btnAdvanced.Click();
    ASSERT_NE(form->edtAuthor.Handle(), nullptr);
    EXPECT_EQ(controls::ExactText(form->edtAuthor), "early");
    EXPECT_EQ(form->cbxDev.SendMsg(BM_GETCHECK), BST_CHECKED);
    EXPECT_EQ(controls::ExactText(form->spnPriority), "0");
}

// What the user sees in a field is what the builder receives, or nothing starts.
TEST_F(Form1Test, TextsTheCodePageCannotHoldAreRefusedNamingTheField) {
    winfiles::TempDir source;
    ShowActive();
    form->cmbSource.SetText(source.Path());
    ASSERT_TRUE(IsWindowUnicode(form->cmbOutput));
    SetWindowTextW(form->cmbOutput.EditHandle(), L"\u03A9mega.vkpak");
    TDialogAnswerer answerer(PressOk, *form);
    form->btnCreate.Click();
    ASSERT_TRUE(answerer.Wait());
    EXPECT_EQ(answerer.Seen().text,
              "The Output field contains characters that the system's code page "
              "cannot represent, so the builder would receive other ones.");
    EXPECT_EQ(form->hstSource.Count(), 0);
    EXPECT_EQ(form->hstOutput.Count(), 0);
}

// Every change of a history rebuilds its list, also one that leaves the entries as they were,
// so a Create of the entries already first resets the list's selection as any other does.
TEST_F(Form1Test, AnUnchangedHistoryStillRebuildsItsList) {
    form->hstSource.Add("C:\\a");
    form->cmbSource.SendMsg(CB_SETCURSEL, 0);
    ASSERT_EQ(form->cmbSource.SendMsg(CB_GETCURSEL), 0);
    form->hstSource.Add("C:\\a");
    EXPECT_EQ(form->cmbSource.SendMsg(CB_GETCURSEL), CB_ERR);
    EXPECT_EQ(form->cmbSource.Items(), std::vector<std::string>{"C:\\a"});
    EXPECT_EQ(form->cmbSource.Text(), "C:\\a");
}

// The system tells top-level windows only; the priority field with the focus must hear it.
TEST_F(Form1Test, SettingsChangesReachThePriorityField) {
    // The prefix's locale is kept on disk: it starts from the point, whatever a run that was
    // cut short left behind, and goes back to it.
    struct TSeparator {
        TSeparator() { SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, "."); }
        ~TSeparator() { SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, "."); }
    } restore;
    ShowActive();
    form->btnAdvanced.Click();
    form->pgeAdvanced.SetActivePage(1);
    form->spnPriority.Focus();
    form->spnPriority.SetText("1");
    ASSERT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, ","));
    SendMessageA(*form, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("intl"));
    SendMessageA(form->spnPriority, EM_SETSEL, 1, 1);
    PostMessageA(form->spnPriority, WM_CHAR, ',', 1);
    PumpPending();
    EXPECT_EQ(form->spnPriority.Text(), "1,");
}

TEST_F(Form1Test, CheckBoxesCarryHintsThatAreNeverShown) {
    EXPECT_EQ(form->cbxDev.hint, " development-only vesk (not for retail usage)");
    EXPECT_EQ(form->cbxMpXfer.hint, "allow transfer during multiplayer");
    EXPECT_EQ(form->cbxProtected.hint,
              "this is protected content (for optional use by extractors)");
    // No tooltip window belongs to our thread.
    bool tooltip = false;
    EnumThreadWindows(GetCurrentThreadId(), NoteTooltip, reinterpret_cast<LPARAM>(&tooltip));
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
