// The rules behind the main window, without a window: what "Create!" checks, records and
// starts, and what the settings file keeps.
#include "gui/Session.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "helpers/BuilderInputs.h"
#include "native/ErrorOf.h"
#include "native/MemoryIni.h"

namespace {

constexpr const char* kExe = "C:\\Apps\\front.exe";
constexpr const char* kPath = "C:\\Apps\\front.ini";
constexpr const char* kBuilder = "C:\\Apps\\VKB.exe";

class SessionTest : public testing::Test {
protected:
    explicit SessionTest(std::string exe = kExe, bool beyondCodePage = false)
        : session(sources, outputs, System(std::move(exe), beyondCodePage)) {
        sources.SetMaxItems(10);
        outputs.SetMaxItems(10);
    }

    std::string CreateError(const builder::TBuilderArguments& arguments) {
        return ErrorOf([&] { session.Create(arguments); });
    }

    gui::TSessionSystem System(std::string exe, bool beyondCodePage) {
        gui::TSessionSystem system;
        system.exePath = std::move(exe);
        system.exeBeyondCodePage = beyondCodePage;
        system.isFolder = [this](const std::string& path) { return folders.count(path) > 0; };
        system.settingsUnreadable = [this](const std::string&) { return unreadable; };
        system.withSettings = [this](const std::string& path,
                                     const std::function<void(History::TCustomIniFile&)>& use) {
            EXPECT_EQ(path, kPath);
            use(ini);
        };
        system.launch = [this](const std::string& builder, const std::string& parameters) {
            launches.emplace_back(builder, parameters);
        };
        return system;
    }

    History::THistory sources, outputs;
    std::set<std::string> folders{"C:\\src", "c:\\SRC"};
    bool unreadable = false;
    MemoryIni ini;
    std::vector<std::pair<std::string, std::string>> launches;
    gui::TSession session;
};

} // namespace

// Each check in its order; a failed one records and starts nothing.
TEST_F(SessionTest, CreateChecksInOrderAndRecordsNothingOnFailure) {
    EXPECT_EQ(CreateError(Arguments({})), "The specified source does not exist");
    EXPECT_EQ(CreateError(Arguments({"C:\\src\\file.txt", "o.vkpak"})),
              "The specified source does not exist");
    EXPECT_EQ(CreateError(Arguments({"C:\\src", ""})), "You must specify an output vesk.");
    // A field the code page cannot hold is named by its label, after the two paths' checks;
    // the source's own refusal comes first, before its best-fit copy is looked at.
    const std::string refusal = " field contains characters that the system's code page "
                                "cannot represent, so the builder would receive other ones";
    builder::TBuilderArguments arguments = Arguments({"", ""});
    arguments.options[1].text.reset();
    EXPECT_EQ(CreateError(arguments), "The specified source does not exist");
    arguments.source.text.reset();
    EXPECT_EQ(CreateError(arguments), "The Source" + refusal);
    arguments = Arguments({"C:\\src", "o.vkpak"});
    arguments.options[1].text.reset();
    EXPECT_EQ(CreateError(arguments), "The Author" + refusal);
    arguments.output.text.reset();
    EXPECT_EQ(CreateError(arguments), "The Output" + refusal);
    EXPECT_EQ(CreateError(Arguments({"C:\\src", "o.vkpak", std::string(32767, 't')})),
              "The texts are too long to be passed to the builder");
    EXPECT_EQ(sources.Count(), 0);
    EXPECT_EQ(outputs.Count(), 0);
    EXPECT_TRUE(launches.empty());
}

TEST_F(SessionTest, CreateRecordsBothAndStartsTheBuilderBesideTheExe) {
    BuilderInputs in{"C:\\src", "  ", "T"};
    in.isProtected = true;
    in.priority = 3;
    session.Create(Arguments(in));
    session.Create(Arguments({"c:\\SRC", "b.vkpak"}));
    EXPECT_EQ(sources.Items(), std::vector<std::string>{"C:\\src"});
    EXPECT_EQ(outputs.Items(), (std::vector<std::string>{"b.vkpak", "  "}));
    ASSERT_EQ(launches.size(), 2u);
    EXPECT_EQ(launches[0].first, kBuilder);
    EXPECT_EQ(
        launches[0].second,
        "-source \"C:\\src\" -out \"  \" -title \"T\" -flagprotected -priority 3 -waitonexit");
}

// Without a folder of its own, the program neither starts a builder found along the search
// path nor keeps a settings file in whatever folder is current; it says so instead.
class SessionWithoutFolder : public SessionTest {
protected:
    SessionWithoutFolder() : SessionTest("front.exe") {}
};

TEST_F(SessionWithoutFolder, RefusesTheBuilderAndTheSettingsFile) {
    EXPECT_EQ(session.SettingsPath(), "");
    EXPECT_EQ(ErrorOf([&] { session.LoadSettings(); }),
              "The folder of this program is unknown, so its recent entries cannot be kept");
    EXPECT_EQ(CreateError(Arguments({"C:\\src", "o.vkpak"})),
              "Unable to start VKB.exe: the folder of this program is unknown");
    EXPECT_TRUE(launches.empty());
    session.SaveSettings();
    EXPECT_TRUE(ini.sections.empty());
}

// In a folder (or under a name) that the code page cannot hold and that has no short name,
// the user is told once at start how to get out; "Create!" says the same, and closing nothing.
class SessionBeyondCodePage : public SessionTest {
protected:
    SessionBeyondCodePage() : SessionTest("", true) {}
};

TEST_F(SessionBeyondCodePage, SaysOnceWhereToMoveTheProgram) {
    const std::string message =
        "This program's path has characters that the system's code page cannot represent, and "
        "the system keeps no short name for it, so the builder and the settings file beside "
        "the program cannot be reached. Move the program to a folder whose name the code page "
        "can hold (and rename it where its own name has such characters)";
    EXPECT_EQ(ErrorOf([&] { session.LoadSettings(); }), message);
    EXPECT_EQ(CreateError(Arguments({"C:\\src", "o.vkpak"})), message);
    EXPECT_EQ(sources.Count(), 0);
    EXPECT_TRUE(launches.empty());
    EXPECT_EQ(ErrorOf([&] { session.SaveSettings(); }), "");
    EXPECT_TRUE(ini.sections.empty());
}

TEST_F(SessionTest, SettingsLoadAtStartAndSaveAtClose) {
    ini.sections["source"] = {{"0", "C:\\a"}, {"1", "C:\\b"}};
    ini.sections["out"] = {{"0", "a.vkpak"}};
    session.LoadSettings();
    EXPECT_EQ(session.SettingsPath(), kPath);
    EXPECT_EQ(sources.Items(), (std::vector<std::string>{"C:\\a", "C:\\b"}));
    EXPECT_EQ(outputs.Items(), std::vector<std::string>{"a.vkpak"});
    outputs.Add("new.vkpak");
    session.SaveSettings();
    EXPECT_EQ(ini.sections["out"], (Keys{{"0", "new.vkpak"}, {"1", "a.vkpak"}}));
    EXPECT_EQ(ini.sections["source"], (Keys{{"0", "C:\\a"}, {"1", "C:\\b"}}));
}

// A file that could not be read at start is never rewritten from this run's lists alone: its
// entries stay behind this run's, or, while it still cannot be read, it is left alone.
TEST_F(SessionTest, AnUnreadableSettingsFileIsNeverWiped) {
    ini.sections["source"] = {{"0", "C:\\old"}};
    unreadable = true;
    EXPECT_EQ(ErrorOf([&] { session.LoadSettings(); }), std::string("Unable to read ") + kPath);
    EXPECT_EQ(sources.Count(), 0);
    sources.Add("C:\\new");
    // The message says what the lock cost.
    EXPECT_EQ(ErrorOf([&] { session.SaveSettings(); }),
              std::string("Unable to read ") + kPath +
                  ", so this run's recent entries were not saved");
    EXPECT_EQ(ini.sections["source"], (Keys{{"0", "C:\\old"}}));
    unreadable = false;
    session.SaveSettings();
    EXPECT_EQ(ini.sections["source"], (Keys{{"0", "C:\\new"}, {"1", "C:\\old"}}));
}

// One history's failed save costs the other nothing, and the user hears of the first failure.
TEST_F(SessionTest, BothHistoriesAreSavedWhenTheFirstFails) {
    session.LoadSettings();
    sources.Add("C:\\s");
    outputs.Add("o.vkpak");
    ini.failSection = "source";
    EXPECT_EQ(ErrorOf([&] { session.SaveSettings(); }), std::string("Unable to write to ") + kPath);
    EXPECT_EQ(ini.sections["out"], (Keys{{"0", "o.vkpak"}}));
}

// Another copy of the program in the same folder recorded entries since this one started:
// they stay behind this run's, up to the limit, instead of being lost to whichever copy closes
// last.
TEST_F(SessionTest, EntriesAnotherCopyRecordedAreKept) {
    ini.sections["source"] = {{"0", "C:\\a"}};
    session.LoadSettings();
    sources.Add("C:\\mine");
    // More than a history holds by default: the file is read to this run's own maximum.
    ini.sections["source"] = {{"0", "C:\\theirs"}, {"1", "C:\\A"},  {"2", "C:\\t2"},
                              {"3", "C:\\t3"},     {"4", "C:\\t4"}, {"5", "C:\\t5"}};
    session.SaveSettings();
    const Keys kept = {{"0", "C:\\mine"}, {"1", "C:\\a"},  {"2", "C:\\theirs"}, {"3", "C:\\t2"},
                       {"4", "C:\\t3"},   {"5", "C:\\t4"}, {"6", "C:\\t5"}};
    EXPECT_EQ(ini.sections["source"], kept);
}
