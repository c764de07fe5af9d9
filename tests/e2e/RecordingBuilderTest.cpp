// The recording builder is the witness of every end-to-end test: if it misreported how it
// was started, those tests would prove nothing.
#include "E2eSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace e2e;

namespace {

std::string CopyRecorder(const TempDir& dir) {
    const std::string exe = dir / "VKB.exe";
    EXPECT_TRUE(CopyFileA(RecorderExePath().c_str(), exe.c_str(), FALSE));
    return exe;
}

} // namespace

TEST(RecordingBuilder, RecordsRawCommandLineAndCurrentDirectory) {
    TempDir app;
    TempDir work;
    const std::string cwd = work.MakeFolder("odd dir 100%s");
    const std::string exe = CopyRecorder(app);
    // Quotes, a trailing backslash before a quote, doubled blanks, a tab and percent signs
    // must all come through byte for byte.
    const std::string args = "-source \"C:\\\" -title \"a \\\"b\\\"\"  %PATH%\t-x \"\" -waitonexit";

    AppProcess builder(exe, cwd, std::nullopt, args);
    EXPECT_EQ(builder.WaitForExit(), 0u);

    const auto records = ReadRecording(app.Path());
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].cmdline, "\"" + exe + "\" " + args);
    EXPECT_EQ(ArgsAfterProgram(records[0].cmdline), args);
    EXPECT_EQ(records[0].cwd, cwd);
    EXPECT_FALSE(FileExists(cwd + "\\VKB.log")) << "the log belongs beside the exe";
}

TEST(RecordingBuilder, BuildersStartedTogetherEachAppendOneWholeRecord) {
    TempDir app;
    const std::string exe = CopyRecorder(app);
    std::vector<std::unique_ptr<AppProcess>> builders;
    for (int i = 0; i < 4; ++i)
        builders.push_back(
            std::make_unique<AppProcess>(exe, app.Path(), std::nullopt, "run" + std::to_string(i)));
    for (auto& b : builders)
        EXPECT_EQ(b->WaitForExit(), 0u);

    const auto records = ReadRecording(app.Path());
    ASSERT_EQ(records.size(), 4u);
    std::vector<std::string> seen;
    for (const auto& r : records) {
        seen.push_back(ArgsAfterProgram(r.cmdline));
        EXPECT_EQ(r.cwd, app.Path());
    }
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (std::vector<std::string>{"run0", "run1", "run2", "run3"}));
}

TEST(RecordingBuilder, ProgramNameIsCutTheWayTheRuntimeCutsIt) {
    EXPECT_EQ(ArgsAfterProgram("\"C:\\My Apps\\VKB.exe\" -a \"b\""), "-a \"b\"");
    EXPECT_EQ(ArgsAfterProgram("C:\\Apps\\VKB.exe  \t-a"), "-a");
    EXPECT_EQ(ArgsAfterProgram("\"C:\\a\\VKB.exe\""), "");
    EXPECT_EQ(SplitCommandLine("\"C:\\a b\\VKB.exe\" -t \"x \\\"y\\\"\" -s \"C:\\\\\""),
              (std::vector<std::string>{"C:\\a b\\VKB.exe", "-t", "x \"y\"", "-s", "C:\\"}));
}
