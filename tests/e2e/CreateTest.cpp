// "Create!" through the real window: what reaches the builder, what the user is told when
// the input is wrong, and what the recent-entry lists remember across runs.
#include "AppDirTest.h"
#include "E2eSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

using namespace e2e;

namespace {

// A name with two full stops: the title keeps only the part before the first one, and
// the settings file replaces only the last extension.
constexpr char kExeName[] = "MyFront.Tool.exe";
constexpr char kTitle[] = "Myfront";

class CreateTest : public AppDirTest {
protected:
    CreateTest() : AppDirTest(kExeName) {}

    std::string SettingsPath() const { return app_ / "MyFront.Tool.ini"; }

    void Fill(AppProcess& p, const std::string& source, const std::string& output) {
        SetText(p.Control(gui::idCmbSource), source);
        SetText(p.Control(gui::idCmbOutput), output);
    }

    // Texts typed and boxes checked or cleared, field by field.
    static void Set(AppProcess& p, const std::vector<std::pair<gui::ControlId, std::string>>& texts,
                    const std::vector<std::pair<gui::ControlId, bool>>& checks = {}) {
        for (const auto& [id, text] : texts)
            SetText(p.Control(id), text);
        for (const auto& [id, checked] : checks)
            SetCheck(p.Control(id), checked);
    }

    // A Create of each source and output, in order.
    void CreateEach(AppProcess& p, const std::vector<std::pair<std::string, std::string>>& inputs) {
        for (const auto& [source, output] : inputs) {
            Fill(p, source, output);
            CreateAndRecord(p);
        }
    }

    // Presses "Create!" (with Space, where it has the focus, `byKeyboard`) and returns the
    // parameter string the builder was started with.
    std::string CreateAndRecord(AppProcess& p, bool byKeyboard = false) {
        const size_t before = ReadRecording(app_.Path()).size();
        byKeyboard ? PressKey(p.MainWindow(), VK_SPACE) : Click(p.Control(gui::idBtnCreate));
        if (!WaitUntil([&] { return ReadRecording(app_.Path()).size() > before; })) {
            ADD_FAILURE() << "the builder was not started";
            return "<not started>";
        }
        const Recording r = ReadRecording(app_.Path()).back();
        EXPECT_EQ(r.cwd, work_.Path()) << "the builder must inherit our current directory";
        const auto argv = SplitCommandLine(r.cmdline);
        EXPECT_EQ(argv.empty() ? "<no program>" : argv[0], BuilderPath()) << r.cmdline;
        return ArgsAfterProgram(r.cmdline);
    }

    // Presses "Create!", expects an error box and returns its text.
    std::string CreateAndExpectError(AppProcess& p) {
        Click(p.Control(gui::idBtnCreate));
        auto box = AnswerDialog(OfProcess(p.Pid()));
        if (!box) {
            ADD_FAILURE() << "no error box";
            return "<no box>";
        }
        EXPECT_EQ(box->caption, kTitle);
        EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(p.MainWindow()) != FALSE; }))
            << "the window stays disabled after the box";
        return box->text;
    }
};

} // namespace

TEST_F(CreateTest, BuilderBesideTheExeGetsTheExactParameterString) {
    auto p = Start();
    const std::string src = Folder("src");

    // Nothing optional.
    Fill(*p, src, "O");
    EXPECT_EQ(CreateAndRecord(*p), "-source \"" + src + "\" -out \"O\" -waitonexit");

    // The worked example: a title, "Protected" and priority 3, typed into the advanced
    // block, which is then hidden again.
    ASSERT_TRUE(p->ToggleAdvanced());
    Set(*p, {{gui::idEdtTitle, "T"}, {gui::idSpnPriority, "3"}}, {{gui::idCbxProtected, true}});
    ASSERT_TRUE(p->ToggleAdvanced());
    EXPECT_EQ(CreateAndRecord(*p),
              "-source \"" + src +
                  "\" -out \"O\" -title \"T\" -flagprotected -priority 3 -waitonexit");

    // Everything, in the fixed order whatever order it was filled in; blanks-only texts
    // are kept as typed.
    ASSERT_TRUE(p->ToggleAdvanced());
    SaveArtifact(p->MainWindow(), "create-advanced");
    Set(*p,
        {{gui::idSpnPriority, "1"},
         {gui::idEdtCopyright, "(c) 2024"},
         {gui::idEdtBuild, "42"},
         {gui::idEdtAuthor, "A. Uthor"},
         {gui::idEdtTitle, "   "},
         {gui::idCmbOutput, "  "}},
        {{gui::idCbxMpXfer, true}, {gui::idCbxDev, true}});
    EXPECT_EQ(CreateAndRecord(*p), "-source \"" + src +
                                       "\" -out \"  \" -title \"   \" -author \"A. Uthor\" -build "
                                       "\"42\" -copyright \"(c) 2024\" -flagdev -flagmpxfer "
                                       "-flagprotected -priority 1 -waitonexit");

    // A drive-root-like trailing backslash and a quote in a value stay inside their values.
    const std::string trailing = src + "\\";
    Set(*p,
        {{gui::idCmbSource, trailing},
         {gui::idCmbOutput, "O"},
         {gui::idEdtTitle, "x\" -flagdev -source \"C:\\"},
         {gui::idEdtAuthor, ""},
         {gui::idEdtBuild, ""},
         {gui::idEdtCopyright, ""},
         {gui::idSpnPriority, "0"}},
        {{gui::idCbxDev, false}, {gui::idCbxMpXfer, false}, {gui::idCbxProtected, false}});
    const std::string args = CreateAndRecord(*p);
    EXPECT_EQ(args,
              "-source \"" + src +
                  "\\\\\" -out \"O\" -title \"x\\\" -flagdev -source \\\"C:\\\\\" -waitonexit");
    const auto argv = SplitCommandLine("VKB.exe " + args);
    EXPECT_EQ(argv, (std::vector<std::string>{"VKB.exe", "-source", trailing, "-out", "O", "-title",
                                              "x\" -flagdev -source \"C:\\", "-waitonexit"}));

    EXPECT_FALSE(FileExists(work_ / "VKB.log")) << "a builder in the current directory was used";
    EXPECT_EQ(p->CloseAndWait(), 0u);
}

TEST_F(CreateTest, RelativeSourceIsTheCurrentDirectorysAndPassedAsTyped) {
    work_.MakeFolder("rel src");
    auto p = Start();
    Fill(*p, "rel src", "out.vkpak");
    EXPECT_EQ(CreateAndRecord(*p), "-source \"rel src\" -out \"out.vkpak\" -waitonexit");
    EXPECT_EQ(p->CloseAndWait(), 0u);
}

TEST_F(CreateTest, FailedChecksShowTheirMessageInOrderAndChangeNothing) {
    const std::string good = Folder("good");
    const std::string file = data_ / "plain.txt";
    WriteFileText(file, "not a folder");
    // Entries from an earlier run, not from a Create here: the builder's console would come
    // up while the boxes do, and take the foreground from the window under test.
    WriteFileText(SettingsPath(), "[source]\r\n0=" + good + "\r\n[out]\r\n0=first.vkpak\r\n");
    auto p = Start();
    ASSERT_TRUE(p->ToggleAdvanced());
    SetText(p->Control(gui::idEdtTitle), "kept title");

    // The focus goes to the field at fault, its text selected, once the box is gone.
    struct Case {
        std::string source, output, message;
        int focus;
    };
    const std::string noSource = "The specified source does not exist.";
    const Case cases[] = {
        {"", "", noSource, gui::idCmbSource}, // the source is checked first
        {file, "", noSource, gui::idCmbSource},
        {data_ / "missing", "x.vkpak", noSource, gui::idCmbSource},
        {good, "", "You must specify an output vesk.", gui::idCmbOutput},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("source \"" + c.source + "\", output \"" + c.output + "\"");
        Fill(*p, c.source, c.output);
        EXPECT_EQ(CreateAndExpectError(*p), c.message);
        const HWND field = p->Control(c.focus);
        EXPECT_TRUE(WaitUntil([&] { return GetParent(FocusOf(p->MainWindow())) == field; }));
        const auto length = (c.focus == gui::idCmbSource ? c.source : c.output).size();
        EXPECT_EQ(windrive::Send(field, CB_GETEDITSEL, 0, 0), MAKELONG(0, length));
        EXPECT_EQ(GetText(p->Control(gui::idCmbSource)), c.source);
        EXPECT_EQ(GetText(p->Control(gui::idCmbOutput)), c.output);
        EXPECT_EQ(GetText(p->Control(gui::idEdtTitle)), "kept title");
        ExpectLists(*p, {good}, {"first.vkpak"});
    }

    EXPECT_EQ(p->CloseAndWait(), 0u);
    EXPECT_TRUE(ReadRecording(app_.Path()).empty()) << "a failed check started the builder";
}

TEST_F(CreateTest, HistoriesPutTheLatestFirstAndTheBuilderGetsTheTypedSpelling) {
    const std::string alpha = Folder("Alpha");
    const std::string beta = Folder("Beta");
    auto p = Start();
    CreateEach(*p, {{alpha, "one.vkpak"}, {beta, "two.vkpak"}});
    ExpectLists(*p, {beta, alpha}, {"two.vkpak", "one.vkpak"});

    // The same entries in other letter case: moved to the front with their stored
    // spelling, while the field and the command line keep what was typed.
    const std::string alphaUpper = data_ / "ALPHA";
    Fill(*p, alphaUpper, "ONE.vkpak");
    EXPECT_EQ(CreateAndRecord(*p), "-source \"" + alphaUpper + "\" -out \"ONE.vkpak\" -waitonexit");
    ExpectLists(*p, {alpha, beta}, {"one.vkpak", "two.vkpak"});
    EXPECT_EQ(GetText(p->Control(gui::idCmbSource)), alphaUpper);
    EXPECT_EQ(GetText(p->Control(gui::idCmbOutput)), "ONE.vkpak");
    EXPECT_EQ(p->CloseAndWait(), 0u);
}

TEST_F(CreateTest, HistoriesComeBackAfterARestartWithEmptyFields) {
    const std::string a = Folder("a");
    const std::string b = Folder("b");
    {
        auto p = Start();
        CreateEach(*p, {{a, "a.vkpak"}, {b, "b.vkpak"}});
        EXPECT_EQ(p->CloseAndWait(), 0u);
    }
    EXPECT_EQ(ReadFileText(SettingsPath()),
              "[source]\r\n0=" + b + "\r\n1=" + a + "\r\n[out]\r\n0=b.vkpak\r\n1=a.vkpak\r\n");

    auto p = Start();
    ExpectLists(*p, {b, a}, {"b.vkpak", "a.vkpak"});
    EXPECT_EQ(GetText(p->Control(gui::idCmbSource)), "");
    EXPECT_EQ(GetText(p->Control(gui::idCmbOutput)), "");
    EXPECT_EQ(FindDialog(OfProcess(p->Pid())), nullptr);
    EXPECT_EQ(p->CloseAndWait(), 0u);
}

TEST_F(CreateTest, FirstRunWithoutCreateLeavesNoSection) {
    auto p = Start();
    ExpectLists(*p, {}, {});
    EXPECT_EQ(p->CloseAndWait(), 0u);
    // Nothing recorded, nothing written: not even an empty file.
    EXPECT_FALSE(FileExists(SettingsPath()));
}

TEST_F(CreateTest, UnwritableSettingsAreReportedOnCloseAndTheProgramStillEnds) {
    // A folder where the settings file belongs cannot be written as a file.
    ASSERT_TRUE(CreateDirectoryA(SettingsPath().c_str(), nullptr));
    auto p = Start();
    Fill(*p, Folder("s"), "o.vkpak");
    CreateAndRecord(*p);
    p->Close();
    auto box = AnswerDialog(OfProcess(p->Pid()));
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, kTitle);
    EXPECT_EQ(box->text, "Unable to write to " + SettingsPath() + ".");
    EXPECT_EQ(p->WaitForExit(), 0u);
}

// The priority as the user types it: the field keeps the text, the builder gets the number.
TEST_F(CreateTest, TypedPriorityReachesTheBuilderAsItsNumber) {
    auto p = Start();
    const std::string src = Folder("prio");
    Fill(*p, src, "O");
    ASSERT_TRUE(p->ToggleAdvanced());
    HWND priority = p->Control(gui::idSpnPriority);
    // Keys typed, what the field then shows (letters and blanks are refused as they are typed)
    // and the priority the builder gets, if any.
    const struct {
        std::string keys, shown, priority;
    } cases[] = {{"007", "007", " -priority 7"},
                 {"+7", "+7", " -priority 7"},
                 {"-5", "-5", ""},
                 {"0", "0", ""},
                 {"+0", "+0", ""},
                 {"1.5", "1.5", ""},
                 {"2147483648", "2147483648", ""},
                 {"1 a2", "12", " -priority 12"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        SetText(priority, "");
        for (char key : c.keys)
            PostMessageA(priority, WM_CHAR, static_cast<unsigned char>(key), 1);
        ASSERT_TRUE(WaitUntil([&] { return GetText(priority) == c.shown; })) << GetText(priority);
        // The focus leaving the field does not rewrite what was typed.
        PostMessageA(priority, WM_KILLFOCUS, reinterpret_cast<WPARAM>(p->Control(gui::idEdtTitle)),
                     0);
        EXPECT_EQ(CreateAndRecord(*p),
                  "-source \"" + src + "\" -out \"O\"" + c.priority + " -waitonexit");
        EXPECT_EQ(GetText(priority), c.shown);
    }
    EXPECT_EQ(p->CloseAndWait(), 0u);
}

// A keyboard-only user sets every option: the page tabs are a stop of their own, Right on
// them opens "Misc.", Space checks the boxes and Tab runs on to "Create!".
TEST_F(CreateTest, KeyboardAloneReachesTheMiscPageAndCreates) {
    auto p = Start();
    const std::string src = Folder("keys");
    Fill(*p, src, "K");
    Click(p->Control(gui::idBtnAdvanced));
    ASSERT_TRUE(
        WaitUntil([&] { return FocusOf(p->MainWindow()) == p->Control(gui::idBtnAdvanced); }));
    auto press = [&](UINT vk, int expectedId) {
        EXPECT_TRUE(p->PressKeyFor(vk, expectedId))
            << "key " << vk << ": the focus is not on control " << expectedId;
    };
    // Space checks "Development only" and "Protected", and the priority gets a 4.
    const std::pair<gui::ControlId, UINT> typed[] = {
        {gui::idCbxDev, VK_SPACE}, {gui::idCbxProtected, VK_SPACE}, {gui::idSpnPriority, '4'}};
    for (const auto& [key, id] : KeysFromAdvancedThroughMiscPage()) {
        press(key, id);
        if (id == gui::idPgeAdvanced && key == VK_TAB)
            SaveArtifact(p->MainWindow(), "advanced-tabs-focus");
        for (const auto& [field, vk] : typed)
            if (field == id)
                press(vk, id);
    }
    // A combo box hands the focus to the edit field inside it.
    for (gui::ControlId id : TabStops(gui::idPanel2)) {
        press(VK_TAB, id);
        if (id == gui::idBtnCreate)
            break;
    }
    EXPECT_EQ(CreateAndRecord(*p, true),
              "-source \"" + src + "\" -out \"K\" -flagdev -flagprotected -priority 4 -waitonexit");
    EXPECT_EQ(p->CloseAndWait(), 0u);
}
