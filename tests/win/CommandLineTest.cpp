// The builder must receive exactly the options and values we meant, split by the system's
// own rules; and it must be looked for beside our executable.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "builder/BuilderPath.h"
#include "builder/Launch.h"
#include "helpers/BuilderInputs.h"
#include "helpers/WinDrive.h"
#include "helpers/WinFiles.h"
#include "helpers/WinProcess.h"
#include "native/ArgvCorpus.h"
#include "shared/System.h"

namespace {

using winproc::Narrow;
using winproc::Widen;

// The arguments a program started with the parameter string sees after its own name.
std::vector<std::string> ArgumentsSeenByBuilder(const std::string& parameters) {
    std::vector<std::string> argv =
        winproc::SplitCommandLine("\"C:\\Program Files\\VKB.exe\" " + parameters);
    if (!argv.empty())
        argv.erase(argv.begin());
    return argv;
}

// Leaves the stack below the caller filled with a byte that is no path's end.
[[gnu::noinline]] void FillStackBelow() {
    volatile char used[32768];
    for (volatile char& c : used)
        c = 'x';
}

// Whether the system starts a program whose full name is MAX_PATH or more, named by its short
// name on the command line, as the shell names it. Wine (8.0) takes the started program's name
// from GetLongPathNameW into a MAX_PATH buffer and, where the long name does not fit, goes on
// with that buffer unfilled: the start then succeeds or fails by what the stack held before.
// Filled first, the stack gives one answer every time.
bool StartsAProgramDeeperThanMaxPath() {
    const winfiles::TempDir temp;
    const std::string probe = temp.MakeLongFolder(300) + "\\probe.exe";
    if (!winfiles::CopyTo(winfiles::WinPath(RECORDER_EXE_PATH), probe))
        return false;
    // Asked with "\\?\", the short name comes back with it; the command line takes it without.
    wchar_t shortName[MAX_PATH] = {};
    const DWORD length = GetShortPathNameW(winfiles::LongPath(probe).c_str(), shortName, MAX_PATH);
    if (length <= 4 || length >= MAX_PATH)
        return false;
    std::wstring commandLine = L"\"" + std::wstring(shortName + 4) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    FillStackBelow();
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started))
        return false;
    const winfiles::UniqueHandle process(started.hProcess);
    const winfiles::UniqueHandle thread(started.hThread);
    return WaitForSingleObject(process.Get(), 10000) == WAIT_OBJECT_0;
}

std::string Directory(const std::string& path) {
    return path.substr(0, path.rfind('\\') + 1);
}

} // namespace

TEST(CommandLine, CorpusSplitsBackIntoExactlyTheOptionsAndValues) {
    // Bytes 128-255 must survive the trip through the ANSI code page for this to mean much.
    const std::string high = AllHighBytes();
    ASSERT_EQ(Narrow(Widen(high).c_str()), high) << "code page " << GetACP();

    int failures = 0;
    for (const std::string& value : argv_corpus::Values()) {
        const std::string parameters = BuildParameters(argv_corpus::InEveryText(value));
        const auto seen = ArgumentsSeenByBuilder(parameters);
        const auto expected = argv_corpus::EveryTextArguments(value);
        EXPECT_EQ(seen, expected) << "parameter string: " << parameters;
        if (seen != expected && ++failures >= 5)
            break;
    }
}

TEST(CommandLine, InjectionAttemptAndDriveRootStayWithinTheirValues) {
    const BuilderInputs in{"C:\\", "D:\\out dir\\", "x\" -flagdev -source \"C:\\"};
    EXPECT_EQ(ArgumentsSeenByBuilder(BuildParameters(in)),
              (std::vector<std::string>{"-source", "C:\\", "-out", "D:\\out dir\\", "-title",
                                        "x\" -flagdev -source \"C:\\", "-waitonexit"}));
}

TEST(BuilderLocation, IsVkbExeBesideTheRunningExecutable) {
    char reference[4096] = {};
    const DWORD n = GetModuleFileNameA(nullptr, reference, sizeof reference);
    ASSERT_GT(n, 0u);
    const std::string self = shared::ModuleFileName();
    EXPECT_EQ(self, std::string(reference, n));
    ASSERT_GE(self.size(), 3u);
    EXPECT_EQ(self.substr(1, 2), ":\\") << self;
    EXPECT_EQ(self.substr(self.size() - 4), ".exe") << self;

    const std::string builder = builder::BuilderPathFor(self, shared::IsSystemLeadByte);
    EXPECT_EQ(builder, Directory(self) + "VKB.exe");
    EXPECT_EQ(Directory(builder), Directory(self));
}

// The builder beside an exe in a folder deeper than MAX_PATH is started, with the parameters as
// ever; the shell starts no program by so long a path.
TEST(BuilderLocation, ABuilderDeeperThanMaxPathIsStarted) {
    if (!StartsAProgramDeeperThanMaxPath())
        GTEST_SKIP() << "this system starts no program whose full name is MAX_PATH or more";
    const winfiles::TempDir temp;
    const std::string deep = temp.MakeLongFolder(300);
    ASSERT_TRUE(winfiles::CopyTo(winfiles::WinPath(RECORDER_EXE_PATH), deep + "\\VKB.exe"));
    builder::LaunchBuilder(nullptr, deep + "\\VKB.exe", "-source \"S\" -waitonexit");
    ASSERT_TRUE(windrive::WaitUntil([&] { return !winproc::ReadRecording(deep).empty(); }));
    EXPECT_EQ(winproc::ArgsAfterProgram(winproc::ReadRecording(deep).back().cmdline),
              "-source \"S\" -waitonexit");
}
