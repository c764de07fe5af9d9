// The main window as built: its control tree, the Advanced/Simple toggle, and how errors
// reach the user through the application frame.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/AnsiText.h"
#include "win/Form1Fixture.h"

using namespace form1test;

TEST_F(Form1Test, ControlsStandWhereDesignedWithTheirTexts) {
    form->btnAdvanced.Click();
    form->btnAdvanced.Click();
    for (const gui::TDesignRow& row : gui::kForm1Design) {
        SCOPED_TRACE(row.name);
        gui::TControl& control = form->Control(row.id);
        EXPECT_EQ(ClassOf(control), ClassOfKind(row.name));
        EXPECT_EQ(control.Text(), row.text);
        ASSERT_NE(control.Handle(), nullptr);
        EXPECT_EQ(control.Id(), row.id);
        // Pages lie over their page control's display area; labels stand beside their field.
        if (row.options & (gui::doPage | gui::doBeside))
            continue;
        const int border = row.parent == idForm ? gui::kFormBorder : 0;
        const gui::Rect r = control.Bounds();
        EXPECT_EQ(r.left, row.bounds.left + border);
        EXPECT_EQ(r.top, row.bounds.top + border);
        if (row.options & gui::doAutoWidth) {
            EXPECT_GE(r.width, row.bounds.width);
        } else {
            EXPECT_EQ(r.width, row.bounds.width);
        }
        // A combo box's field is as high as its font makes it.
        if (row.id != idCmbSource && row.id != idCmbOutput) {
            EXPECT_EQ(r.height, row.bounds.height);
        }
    }
    for (gui::TComboBox* combo : {&form->cmbSource, &form->cmbOutput})
        EXPECT_EQ(GetWindowLongPtrA(*combo, GWL_STYLE) & (CBS_SORT | 3), CBS_DROPDOWN);
    EXPECT_EQ(form->Text(), "Veskmaker");
    EXPECT_EQ(TabCtrl_GetItemCount(form->pgeAdvanced), 2);
}

TEST_F(Form1Test, LabelledEditsPutTheirLabelLeftAndCentred) {
    form->btnAdvanced.Click();
    for (const gui::TDesignRow& row : gui::kForm1Design) {
        if (!(row.options & gui::doBeside))
            continue;
        const gui::Rect label = form->Control(row.id).Bounds();
        const gui::Rect field = form->Control(row.buddy).Bounds();
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
        EXPECT_EQ(GetFocus(), expected) << gui::TControl::FromHandle(expected)->Text();
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
        if (row.buddy == idForm || (row.options & gui::doPage))
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
    EXPECT_EQ(ReadField(*form, idSpnPriority).number, 0);
    form->edtAuthor.SetText("early");
    form->cbxDev.SetChecked(true);
    EXPECT_EQ(ReadField(*form, idEdtAuthor).text, "early");
    EXPECT_TRUE(ReadField(*form, idCbxDev).checked);
    form->btnAdvanced.Click();
    ASSERT_NE(form->edtAuthor.Handle(), nullptr);
    EXPECT_EQ(gui::ExactText(form->edtAuthor), "early");
    EXPECT_EQ(form->cbxDev.SendMsg(BM_GETCHECK), BST_CHECKED);
    EXPECT_EQ(gui::ExactText(form->spnPriority), "0");
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

    EXPECT_EQ(ReadField(*form, idEdtTitle).text, "kept");
    EXPECT_TRUE(ReadField(*form, idCbxProtected).checked);
}

TEST_F(Form1Test, GrownNearTheBottomOfTheScreenTheWindowMovesUpJustEnough) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ASSERT_TRUE(GetMonitorInfoA(MonitorFromWindow(*form, MONITOR_DEFAULTTONEAREST), &monitor));
    const RECT work = monitor.rcWork;
    SetWindowPos(*form, nullptr, 40, work.bottom - WindowSize(*form).cy - 5, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    form->btnAdvanced.Click();
    RECT rc{};
    GetWindowRect(*form, &rc);
    EXPECT_EQ(rc.bottom, work.bottom);
    EXPECT_EQ(rc.left, 40);
    // Back to the simple view it keeps that top; grown where it fits, it keeps its own.
    form->btnAdvanced.Click();
    SetWindowPos(*form, nullptr, 40, work.top + 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    form->btnAdvanced.Click();
    GetWindowRect(*form, &rc);
    EXPECT_EQ(rc.top, work.top + 10);
}

TEST_F(Form1Test, ToggledWhileMaximisedTheRestoredWindowFitsItsContent) {
    // Maximised from a place near the bottom of the screen, it must come back whole on it.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ASSERT_TRUE(GetMonitorInfoA(MonitorFromWindow(*form, MONITOR_DEFAULTTONEAREST), &monitor));
    SetWindowPos(*form, nullptr, 40, monitor.rcWork.bottom - WindowSize(*form).cy - 5, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(*form, SW_SHOWMAXIMIZED);
    form->btnAdvanced.Click();
    // The block made while maximised follows the window's right edge.
    RECT client{};
    GetClientRect(*form, &client);
    const gui::Rect page = form->pgeAdvanced.Bounds(); // in the block's client area
    EXPECT_EQ(form->Panel3.Bounds().left + page.left + page.width + gui::kFormBorder, client.right);
    ShowWindow(*form, SW_RESTORE);
    PumpPending();
    GetClientRect(*form, &client);
    EXPECT_EQ(client.right, 386);
    EXPECT_EQ(client.bottom, 278);
    RECT rc{};
    GetWindowRect(*form, &rc);
    EXPECT_LE(rc.bottom, monitor.rcWork.bottom);
}

// What the user sees in a field is what the builder receives, or nothing starts.
TEST_F(Form1Test, TextsTheCodePageCannotHoldAreRefusedNamingTheField) {
    winfiles::TempDir source;
    ShowActive();
    form->cmbSource.SetText(source.Path());
    ASSERT_TRUE(IsWindowUnicode(form->cmbOutput));
    SetWindowTextW(form->cmbOutput.EditHandle(), L"\u03A9mega.vkpak");
    TBoxAnswerer answerer(*form);
    form->btnCreate.Click();
    ASSERT_TRUE(answerer.Wait());
    EXPECT_EQ(answerer.text, "The Output field contains characters that the system's code page "
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

namespace {

// A plain function, not a lambda: the callback is __stdcall in the 32-bit build.
BOOL CALLBACK NoteTooltip(HWND hwnd, LPARAM found) {
    char cls[64] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (std::string(cls) == TOOLTIPS_CLASSA)
        *reinterpret_cast<bool*>(found) = true;
    return TRUE;
}

} // namespace

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
