// The wrappers of the system's own services that the rest of the program relies on.
#include <gtest/gtest.h>

#include <string>

#include "native/ErrorOf.h"
#include "shared/LateLibrary.h"
#include "shared/System.h"

namespace {

std::string MessageOf(shared::TLateLibrary& library, const char* function) {
    return ErrorOf([&] { library.Proc(function); });
}

} // namespace

// DLLs loaded when first used: one that cannot be loaded then, or lacks the function, is a
// user error that names it, shown like every other, never a crash.
TEST(LateLibrary, AMissingLibraryOrFunctionIsAUserErrorNamingIt) {
    shared::TLateLibrary missing("no-such-library-of-vesk.dll");
    EXPECT_EQ(
        MessageOf(missing, "Anything").rfind("Unable to load no-such-library-of-vesk.dll: ", 0),
        0u);
    EXPECT_EQ(MessageOf(shared::Shell32, "NoSuchFunctionOfVesk"),
              "shell32.dll has no function NoSuchFunctionOfVesk");
    EXPECT_NE(shared::Shell32.Proc("ShellExecuteExA"), nullptr);
}

// A text the code page cannot hold is refused, never changed: best fit in a code page of its
// own, a broken surrogate pair in UTF-8, which Windows may use as its ANSI code page.
TEST(ExactInCodePage, RefusesWhatTheCodePageCannotHoldAndNothingElse) {
    const wchar_t omega[] = L"\u03A9mega";
    EXPECT_EQ(shared::ExactInCodePage(1252, omega, 5), std::nullopt);
    EXPECT_EQ(shared::ExactInCodePage(1252, L"C:\\src \u00E9", 8), "C:\\src \xE9");
    EXPECT_EQ(shared::ExactInCodePage(CP_UTF8, omega, 5), "\xCE\xA9mega");
    const wchar_t brokenPair[] = {L'a', 0xD800, L'b', 0};
    EXPECT_EQ(shared::ExactInCodePage(CP_UTF8, brokenPair, 3), std::nullopt);
}
