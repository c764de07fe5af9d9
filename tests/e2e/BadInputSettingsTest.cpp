// A hostile settings file under the real window: one that cannot be written at close, and one
// that another program holds at start.
#include "BadInput.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

using namespace badinput;

// Held by another program that shares it with nobody, or only with readers: both stop every
// writer, root under Wine included.
TEST_F(BadInput, UnwritableSettingsFileIsReportedOnCloseAndLeftAsItWas) {
    for (const DWORD sharing : {DWORD{0}, DWORD{FILE_SHARE_READ}}) {
        SCOPED_TRACE(sharing == 0 ? "held open without sharing" : "held open, shared for reading");
        ExpectUnwritableFileKept([&](UniqueHandle& held) {
            held = UniqueHandle(CreateFileA(SettingsPath().c_str(), GENERIC_READ, sharing, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
            EXPECT_TRUE(held.Valid());
            return true;
        });
    }
}

// Marked read-only. Wine keeps the flag as the file's mode bits, which do not stop root, so
// where the file stays writable the test is skipped.
TEST_F(BadInput, ReadOnlySettingsFileIsReportedOnCloseAndLeftAsItWas) {
    ExpectUnwritableFileKept([&](UniqueHandle&) {
        EXPECT_TRUE(SetFileAttributesA(SettingsPath().c_str(), FILE_ATTRIBUTE_READONLY));
        const UniqueHandle probe(CreateFileA(SettingsPath().c_str(), GENERIC_WRITE,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        return !probe.Valid();
    });
}

// Another program holds the settings file while the program starts: the lists come up
// empty, the user is told once, and nothing the file held is lost. Let go before the
// close, the file keeps its entries behind this run's; still held, it is left alone.
TEST_F(BadInput, SettingsFileHeldAtStartIsNeverWipedAtClose) {
    std::string stored = "[source]\r\n";
    std::vector<std::string> sources, outputs;
    for (int i = 0; i < 10; ++i) {
        sources.push_back("C:\\old\\s" + std::to_string(i));
        stored += std::to_string(i) + "=" + sources.back() + "\r\n";
    }
    stored += "[out]\r\n";
    for (int i = 0; i < 10; ++i) {
        outputs.push_back("o" + std::to_string(i) + ".vkpak");
        stored += std::to_string(i) + "=" + outputs.back() + "\r\n";
    }
    const std::string unableToRead = "Unable to read " + SettingsPath() + ".";
    auto startHeld = [&] {
        WriteFileText(SettingsPath(), stored);
        UniqueHandle held(CreateFileA(SettingsPath().c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        EXPECT_TRUE(held.Valid());
        auto p = std::make_unique<AppProcess>(exe_, work_.Path());
        const auto box = AnswerDialog(OfProcess(p->Pid()));
        EXPECT_TRUE(box.has_value() && box->text == unableToRead) << (box ? box->text : "no box");
        EXPECT_NE(p->WaitForMainWindow(), nullptr);
        ExpectLists(*p, {}, {}, "while held");
        return std::make_pair(std::move(p), std::move(held));
    };

    auto [p, held] = startHeld();
    held.Reset();
    const BuilderInputs in{Folder("new"), "new.vkpak"};
    Fill(*p, in);
    ASSERT_TRUE(Create(*p).has_value());
    EXPECT_EQ(p->CloseAndWait(), 0u);
    sources.insert(sources.begin(), in.source);
    outputs.insert(outputs.begin(), in.output);
    sources.pop_back();
    outputs.pop_back();
    ExpectListsAfterRestart(sources, outputs);

    // Held from start to close: the box says what the lock cost.
    auto [q, stillHeld] = startHeld();
    q->Close();
    const auto box = AnswerDialog(OfProcess(q->Pid()));
    const std::string notSaved =
        "Unable to read " + SettingsPath() + ", so this run's recent entries were not saved.";
    EXPECT_TRUE(box.has_value() && box->text == notSaved) << (box ? box->text : "no box");
    EXPECT_EQ(q->WaitForExit(), 0u);
    stillHeld.Reset();
    EXPECT_EQ(ReadFileText(SettingsPath()), stored);
}
