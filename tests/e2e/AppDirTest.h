// A test fixture for the end-to-end tests that start the real program: its own folder with
// the exe under a chosen name and the recording builder as VKB.exe, a current directory
// elsewhere, a folder for source folders, and the recent-entry lists to check.
#pragma once

#include "E2eSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace e2e {

class AppDirTest : public ::testing::Test {
protected:
    explicit AppDirTest(std::string exeName) : exeName_(std::move(exeName)) {}
    void SetUp() override { exe_ = PrepareAppDir(app_.Path(), exeName_); }

    std::string BuilderPath() const { return app_ / "VKB.exe"; }

    // Starts the program with the current directory elsewhere than its own folder; without
    // its window there is nothing to test, so that ends the test.
    std::unique_ptr<AppProcess> Start() {
        auto p = std::make_unique<AppProcess>(exe_, work_.Path());
        if (!p->WaitForMainWindow())
            throw std::runtime_error("no main window");
        return p;
    }

    // A folder that exists, under the data folder.
    std::string Folder(const std::string& name) const { return data_.MakeFolder(name); }

    // Both recent-entry lists as the window shows them, newest first.
    static void ExpectLists(AppProcess& p, const std::vector<std::string>& sources,
                            const std::vector<std::string>& outputs, const std::string& when = "") {
        EXPECT_EQ(ComboItems(p.Control(gui::idCmbSource)), sources) << "sources " << when;
        EXPECT_EQ(ComboItems(p.Control(gui::idCmbOutput)), outputs) << "outputs " << when;
    }

    TempDir app_;  // the program, VKB.exe and the settings file
    TempDir work_; // the current directory
    TempDir data_; // source folders
    std::string exe_;

private:
    std::string exeName_;
};

} // namespace e2e
