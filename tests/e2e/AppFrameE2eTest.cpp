// The application frame from outside: the title taken from the exe's name, the window and
// its controls, a user error's box, the start-up show states, and a clean end.
#include "E2eSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

using namespace e2e;

namespace {

// The hidden application window: never visible, so looked for regardless.
HWND AppWindowOf(DWORD pid) {
    return windrive::FindTopLevelWindow(pid, VESK_APP_CLASS, false);
}

// The handler of "http:", which Wine's shell reads under HKCR, set to a program that is not
// there, and put back after.
class TMissingBrowser {
public:
    TMissingBrowser() : had_(Get(saved_)) { Set("\"C:\\nowhere\\no-browser.exe\" \"%1\""); }
    ~TMissingBrowser() {
        had_ ? Set(saved_) : (void)RegDeleteKeyValueA(HKEY_CLASSES_ROOT, kKey, nullptr);
    }
    TMissingBrowser(const TMissingBrowser&) = delete;
    TMissingBrowser& operator=(const TMissingBrowser&) = delete;

private:
    static constexpr const char* kKey = "http\\shell\\open\\command";
    static bool Get(std::string& value) {
        std::array<char, 1024> buffer{};
        DWORD size = buffer.size();
        const bool got = RegGetValueA(HKEY_CLASSES_ROOT, kKey, nullptr, RRF_RT_REG_SZ, nullptr,
                                      buffer.data(), &size) == ERROR_SUCCESS;
        value = buffer.data();
        return got;
    }
    static void Set(const std::string& value) {
        RegSetKeyValueA(HKEY_CLASSES_ROOT, kKey, nullptr, REG_SZ, value.c_str(),
                        static_cast<DWORD>(value.size() + 1));
    }
    std::string saved_;
    bool had_;
};

// Within a pixel of the middle of the screen.
void ExpectCentred(HWND form) {
    const RECT rc = WindowRectOf(form);
    EXPECT_NEAR(rc.left, (GetSystemMetrics(SM_CXSCREEN) - (rc.right - rc.left)) / 2, 1);
    EXPECT_NEAR(rc.top, (GetSystemMetrics(SM_CYSCREEN) - (rc.bottom - rc.top)) / 2, 1);
}

class AppFrameE2e : public ::testing::Test {
protected:
    TempDir dir_;
};

} // namespace

TEST_F(AppFrameE2e, PackerExeShowsItsWindowTitledPackerAndEndsWithCodeZero) {
    AppProcess app(PrepareAppDir(dir_.Path(), "PACKER.EXE"), dir_.Path());
    HWND form = app.WaitForMainWindow();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(GetText(form), "Veskmaker");
    // The hidden application window carries the title and owns the main window.
    HWND appWindow = AppWindowOf(app.Pid());
    ASSERT_NE(appWindow, nullptr);
    EXPECT_EQ(GetText(appWindow), "Packer");
    EXPECT_EQ(GetWindow(form, GW_OWNER), appWindow);
    EXPECT_EQ(GetWindowLongPtrA(form, GWL_STYLE) & WS_MAXIMIZEBOX, 0);

    // Centred on the screen at the first showing.
    ExpectCentred(form);

    struct {
        int id;
        const char* text;
    } controls[] = {{gui::idBtnBrowseSrc, "..."},     {gui::idBtnBrowseOut, "..."},
                    {gui::idBtnAdvanced, "Advanced"}, {gui::idBtnCreate, "Create!"},
                    {gui::idLblSource, "Source"},     {gui::idLblOutput, "Output"},
                    {gui::idCmbSource, ""},           {gui::idCmbOutput, ""}};
    for (auto& c : controls) {
        HWND hwnd = app.Control(c.id);
        ASSERT_NE(hwnd, nullptr) << c.id;
        EXPECT_EQ(GetText(hwnd), c.text) << c.id;
    }
    EXPECT_TRUE(IsWindowVisible(app.Control(gui::idBtnCreate)));
    EXPECT_FALSE(IsWindowVisible(app.Control(gui::idPanel3)));
    // The first control of the tab order has the focus, so Space opens the folder picker.
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(form) == app.Control(gui::idBtnBrowseSrc); }));
    SaveArtifact(form, "simple-view");

    // Shown, and the button then says "Simple".
    ASSERT_TRUE(app.ToggleAdvanced());
    WaitUntil([&] { return IsWindowVisible(app.Control(gui::idEdtTitle)) != FALSE; });
    EXPECT_EQ(GetText(app.Control(gui::idSpnPriority)), "0");
    SaveArtifact(form, "advanced-view");

    // A user error: the box's caption is the title, and the full-stop rule applies.
    Click(app.Control(gui::idBtnCreate));
    auto box = AnswerDialog(OfProcess(app.Pid()));
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, "Packer");
    EXPECT_EQ(box->text, "The specified source does not exist.");
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(form) != FALSE; }));

    EXPECT_EQ(app.CloseAndWait(), 0u);
}

TEST_F(AppFrameE2e, StartedMinimisedWithoutActivationItShowsNoWindowUntilRestored) {
    AppProcess app(PrepareAppDir(dir_.Path(), "packer.old.exe"), dir_.Path(), SW_SHOWMINNOACTIVE);
    HWND form = app.WaitForMainWindow(kTimeoutMs, false);
    ASSERT_NE(form, nullptr);
    HWND appWindow = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (appWindow = AppWindowOf(app.Pid())) != nullptr; }));
    EXPECT_EQ(GetText(appWindow), "packer");
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(appWindow) != FALSE; }));
    EXPECT_FALSE(IsWindowVisible(form));

    // Restoring from the taskbar button shows the window, normal and centred.
    PostMessageA(appWindow, WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(form) != FALSE; }));
    EXPECT_FALSE(IsZoomed(form));
    ExpectCentred(form);

    // Minimising the main window minimises the whole application.
    PostMessageA(form, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(form) && IsIconic(appWindow); }));
    // Close from the taskbar button's menu closes the main window as its close box does.
    PostMessageA(appWindow, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(app.WaitForExit(), 0u);
}

TEST_F(AppFrameE2e, StartedMaximisedItShowsMaximisedWithControlsFollowingTheRightEdge) {
    AppProcess app(PrepareAppDir(dir_.Path(), "Veskmaker.exe"), dir_.Path(), SW_SHOWMAXIMIZED);
    HWND form = app.WaitForMainWindow();
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return IsZoomed(form) != FALSE; }));
    // Anchored right: the button keeps its distance to the edge inside the 8-pixel border.
    auto rightGap = [&] {
        RECT button = WindowRectOf(app.Control(gui::idBtnCreate));
        MapWindowPoints(HWND_DESKTOP, form, reinterpret_cast<POINT*>(&button), 2);
        return ClientRectOf(form).right - button.right;
    };
    EXPECT_TRUE(WaitUntil([&] { return rightGap() == 8; })) << "gap " << rightGap();
    EXPECT_GT(ClientRectOf(form).right, 386);
    EXPECT_EQ(app.CloseAndWait(), 0u);
}

TEST_F(AppFrameE2e, EndOfSessionQuitsWithoutWritingTheSettingsFile) {
    AppProcess app(PrepareAppDir(dir_.Path(), "Veskmaker.exe"), dir_.Path());
    HWND form = app.WaitForMainWindow();
    ASSERT_NE(form, nullptr);
    HWND appWindow = AppWindowOf(app.Pid());
    ASSERT_NE(appWindow, nullptr);
    // Something to save: the close handler would write the file.
    SetText(app.Control(gui::idCmbSource), dir_.Path());
    SetText(app.Control(gui::idCmbOutput), "o.vkpak");
    Click(app.Control(gui::idBtnCreate));
    ASSERT_TRUE(WaitUntil([&] { return !ComboItems(app.Control(gui::idCmbOutput)).empty(); }));
    EXPECT_EQ(SendMessageA(appWindow, WM_QUERYENDSESSION, 0, 0), TRUE);
    SendMessageA(appWindow, WM_ENDSESSION, TRUE, 0);
    // Promptly, with nothing else arriving to wake the event loop.
    EXPECT_EQ(app.WaitForExit(3000), 0u);
    EXPECT_FALSE(FileExists(dir_ / "Veskmaker.ini"));
}

// The system reports the exe's path in the ANSI code page already: a name beyond ASCII is the
// title as it stands, never converted once more as if it were OEM text. Run in a Western
// prefix and, as its own ctest entry, under code page 932.
TEST_F(AppFrameE2e, ARenamedExeIsTitledByItsNameAsTheSystemReportsIt) {
    const UINT codePage = GetACP();
    if (codePage != 1252 && codePage != 932)
        GTEST_SKIP() << "no name of this test's in code page " << codePage;
    // "Véskmäker", or three double-byte characters (katakana "tesuto").
    const std::string name = codePage == 932 ? "\x83\x65\x83\x58\x83\x67" : "V\xe9skm\xe4ker";
    AppProcess app(PrepareAppDir(dir_.Path(), name + ".exe"), dir_.Path());
    ASSERT_NE(app.WaitForMainWindow(), nullptr);
    HWND appWindow = AppWindowOf(app.Pid());
    ASSERT_NE(appWindow, nullptr);
    EXPECT_EQ(GetText(appWindow), name);
    EXPECT_EQ(app.CloseAndWait(), 0u);
}

// The link is the top block's last stop of the keyboard; Enter and Space open it, and where
// the shell cannot, the user is told which address and why.
TEST_F(AppFrameE2e, TheLinkIsReachedByKeyboardAndSaysWhenItCannotOpen) {
    // Wine's shell finds a protocol's handler under HKCR: one that is not there, for as long as
    // the test runs.
    const TMissingBrowser missing;
    AppProcess app(PrepareAppDir(dir_.Path(), "Veskmaker.exe"), dir_.Path());
    ASSERT_NE(app.WaitForMainWindow(), nullptr);
    ASSERT_TRUE(
        WaitUntil([&] { return FocusOf(app.MainWindow()) == app.Control(gui::idBtnBrowseSrc); }));
    for (gui::ControlId id : TabStops(gui::idPanel2)) {
        if (id != gui::idBtnBrowseSrc) { // the first stop has the focus already
            EXPECT_TRUE(app.PressKeyFor(VK_TAB, id)) << "to " << id;
        }
    }
    EXPECT_EQ(TabStops(gui::idPanel2).back(), gui::idLblURL);
    // Its focus is drawn: it looks otherwise with the focus than without.
    const Pixels focused = WindowPixels(app.Control(gui::idLblURL), true);
    SaveArtifact(app.MainWindow(), "link-focus");
    for (UINT key : {VK_SPACE, VK_RETURN}) {
        EXPECT_TRUE(WaitUntil([&] {
            return FocusOf(app.MainWindow()) == app.Control(gui::idLblURL);
        })) << "the focus is not on the link";
        PressKey(app.MainWindow(), key);
        const auto box = AnswerDialog(OfProcess(app.Pid()));
        ASSERT_TRUE(box.has_value()) << "key " << key;
        EXPECT_EQ(box->text.rfind("Unable to open http://www.veskmaker.example: ", 0), 0u)
            << box->text;
    }
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(app.MainWindow()) == app.Control(gui::idLblURL); }));
    ASSERT_TRUE(app.PressKeyFor(VK_TAB, gui::idBtnBrowseSrc));
    EXPECT_NE(WindowPixels(app.Control(gui::idLblURL), true).rgb, focused.rgb) << "no focus drawn";
    EXPECT_EQ(app.CloseAndWait(), 0u);
}
