// The rules behind the main window, without a window: what "Create!" checks, records and
// hands to the builder, and what the settings file keeps when it could not be read.
#include "gui/Session.h"

#include <gtest/gtest.h>

#include <set>

#include "native/BuilderInputs.h"
#include "native/MemoryIni.h"

namespace {

constexpr const char* kPath = "C:\\Apps\\front.ini";

class SessionTest : public testing::Test {
protected:
    SessionTest() : session(sources, outputs, System()) {
        sources.SetMaxItems(10);
        outputs.SetMaxItems(10);
    }

    gui::TSessionSystem System() {
        gui::TSessionSystem system;
        system.isFolder = [this](const std::string& path) { return folders.count(path) > 0; };
        system.settingsUnreadable = [this](const std::string&) { return unreadable; };
        system.withSettings = [this](const std::string& path,
                                     const std::function<void(TCustomIniFile&)>& use) {
            EXPECT_EQ(path, kPath);
            use(ini);
        };
        return system;
    }

    // The fields as the window would read them for these inputs.
    static std::vector<gui::TFieldValue> Fields(const BuilderInputs& in) {
        std::vector<gui::TFieldValue> fields;
        for (const TBuilderArgument& a : Arguments(in))
            fields.push_back({a.text, a.checked, a.number});
        return fields;
    }

    // The message of the user error the call raises, or "" when it raises none.
    template <typename F> static std::string ErrorOf(F call) {
        try {
            call();
        } catch (const Exception& e) {
            return e.Message();
        }
        return "";
    }

    THistory sources, outputs;
    std::set<std::string> folders{"C:\\src", "c:\\SRC"};
    bool unreadable = false;
    MemoryIni ini;
    gui::TSession session;
};

} // namespace

// Each check in its order; a failed one records nothing.
TEST_F(SessionTest, CreateChecksInOrderAndRecordsNothingOnFailure) {
    auto create = [&](const std::vector<gui::TFieldValue>& fields) {
        return ErrorOf([&] { session.Create(fields, "C:\\Apps\\VKB.exe"); });
    };
    EXPECT_EQ(create(Fields({})), "The specified source does not exist");
    EXPECT_EQ(create(Fields({"C:\\src\\file.txt", "o.vkpak"})),
              "The specified source does not exist");
    EXPECT_EQ(create(Fields({"C:\\src", ""})), "You must specify an output vesk.");
    // A field the code page cannot hold is named by its label before anything is looked at.
    std::vector<gui::TFieldValue> fields = Fields({"", ""});
    fields[3].text.reset();
    EXPECT_EQ(create(fields), "The Author field contains characters that the system's code "
                              "page cannot represent, so the builder would receive other ones");
    fields = Fields({"C:\\src", "o.vkpak", std::string(32767, 't')});
    EXPECT_EQ(create(fields), "The texts are too long to be passed to the builder");
    EXPECT_EQ(sources.Count(), 0);
    EXPECT_EQ(outputs.Count(), 0);
}

TEST_F(SessionTest, CreateRecordsBothAndReturnsTheParameterString) {
    BuilderInputs in{"C:\\src", "  ", "T"};
    in.isProtected = true;
    in.priority = 3;
    EXPECT_EQ(
        session.Create(Fields(in), "C:\\Apps\\VKB.exe"),
        "-source \"C:\\src\" -out \"  \" -title \"T\" -flagprotected -priority 3 -waitonexit");
    session.Create(Fields({"c:\\SRC", "b.vkpak"}), "C:\\Apps\\VKB.exe");
    EXPECT_EQ(sources.Items(), std::vector<std::string>{"C:\\src"});
    EXPECT_EQ(outputs.Items(), (std::vector<std::string>{"b.vkpak", "  "}));
}

TEST_F(SessionTest, SettingsLoadAtStartAndSaveAtClose) {
    ini.sections["source"] = {{"0", "C:\\a"}, {"1", "C:\\b"}};
    ini.sections["out"] = {{"0", "a.vkpak"}};
    session.LoadSettings(kPath);
    EXPECT_EQ(SettingsFilePath, kPath);
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
    EXPECT_EQ(ErrorOf([&] { session.LoadSettings(kPath); }),
              std::string("Unable to read ") + kPath);
    EXPECT_EQ(sources.Count(), 0);
    sources.Add("C:\\new");
    EXPECT_EQ(ErrorOf([&] { session.SaveSettings(); }), std::string("Unable to read ") + kPath);
    EXPECT_EQ(ini.sections["source"], (Keys{{"0", "C:\\old"}}));
    unreadable = false;
    session.SaveSettings();
    EXPECT_EQ(ini.sections["source"], (Keys{{"0", "C:\\new"}, {"1", "C:\\old"}}));
}

// One history's failed save costs the other nothing, and the user hears of the first failure.
TEST_F(SessionTest, BothHistoriesAreSavedWhenTheFirstFails) {
    session.LoadSettings(kPath);
    sources.Add("C:\\s");
    outputs.Add("o.vkpak");
    ini.failSection = "source";
    EXPECT_EQ(ErrorOf([&] { session.SaveSettings(); }), std::string("Unable to write to ") + kPath);
    EXPECT_EQ(ini.sections["out"], (Keys{{"0", "o.vkpak"}}));
}
