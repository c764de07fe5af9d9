// Hostile input through the real window, the fixture its suites share: texts of any length
// put into the fields (the builder's inputs that the tests share), Creates pressed and their
// outcome read once the click has ended, and the lists compared with what they should hold.
#pragma once

#include "AppDirTest.h"
#include "E2eSupport.h"
#include "helpers/BuilderInputs.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace badinput {

using namespace e2e;

inline constexpr char kNoSource[] = "The specified source does not exist.";
inline constexpr size_t kMegabyte = 1024 * 1024;
// The longest command line CreateProcess takes: 32,767 characters with the closing zero.
inline constexpr size_t kLongestCommandLine = 32766;

// Any length: short texts as one WM_SETTEXT, as a program would set them; long ones in
// slices appended at the end, after lifting any limit on typed text (which WM_SETTEXT
// would ignore).
void PutText(HWND control, const std::string& text);
// Reads a text of any length back.
std::string TextOf(HWND control);
// A text of exactly `size` bytes made of `unit` over and over.
std::string Repeated(const std::string& unit, size_t size);

class BadInput : public AppDirTest {
protected:
    BadInput() : AppDirTest("Veskmaker.exe") {}

    std::string SettingsPath() const { return app_ / "Veskmaker.ini"; }
    void Fill(AppProcess& p, const BuilderInputs& in) {
        PutText(p.Control(gui::idCmbSource), in.source);
        PutText(p.Control(gui::idCmbOutput), in.output);
        // The advanced fields are reached as a user reaches them, by showing the block; until
        // it is first shown they hold nothing.
        const bool texts = !(in.title + in.author + in.build + in.copyright).empty();
        if (!p.Control(gui::idEdtTitle) && texts) {
            ASSERT_TRUE(p.ToggleAdvanced());
        }
        if (!p.Control(gui::idEdtTitle))
            return;
        PutText(p.Control(gui::idEdtTitle), in.title);
        PutText(p.Control(gui::idEdtAuthor), in.author);
        PutText(p.Control(gui::idEdtBuild), in.build);
        PutText(p.Control(gui::idEdtCopyright), in.copyright);
    }

    // False when the program is gone; counted and reported once per process.
    bool Alive(AppProcess& p) {
        if (p.Running())
            return true;
        if (ended_.insert(p.Pid()).second)
            ADD_FAILURE() << "the program ended by itself with code " << p.WaitForExit(0);
        return false;
    }

    // What one press of "Create!" did once its handler had returned: the box it showed, if
    // any (answered with OK), and the raw command lines of the builders it started.
    struct Outcome {
        std::optional<std::string> box;
        std::vector<std::string> started;
    };
    Outcome PressCreate(AppProcess& p);

    // Presses "Create!" and returns the builder's raw command line, or nothing when no
    // builder was started; a box is a failure.
    std::optional<std::string> Create(AppProcess& p) {
        const Outcome out = PressCreate(p);
        EXPECT_FALSE(out.box.has_value()) << *out.box;
        EXPECT_LE(out.started.size(), 1u);
        return out.started.empty() ? std::nullopt : std::optional(out.started.back());
    }

    // Presses "Create!" for inputs it must refuse: the box's text; a builder started is a
    // failure.
    std::string CreateAndExpectBox(AppProcess& p) {
        const Outcome out = PressCreate(p);
        EXPECT_TRUE(out.started.empty()) << "started: " << out.started.front().substr(0, 80);
        EXPECT_TRUE(out.box.has_value()) << "no box";
        return out.box.value_or("<no box>");
    }

    // Both lists as the next start of the program loads them from the settings file.
    void ExpectListsAfterRestart(const std::vector<std::string>& sources,
                                 const std::vector<std::string>& outputs) {
        auto p = Start();
        ExpectLists(*p, sources, outputs, "after a restart");
        EXPECT_EQ(p->CloseAndWait(), 0u);
    }

    void ExpectUnwritableFileKept(const std::function<bool(UniqueHandle&)>& lock);

    std::set<DWORD> ended_;
};

} // namespace badinput
