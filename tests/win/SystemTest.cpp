// The wrappers of the system's own services that the rest of the program relies on.
#include <gtest/gtest.h>

#include <string>

#include "shared/Exceptions.h"
#include "shared/LateLibrary.h"
#include "shared/Path.h"
#include "shared/System.h"
#include "helpers/WinFiles.h"

namespace {

std::string MessageOf(TLateLibrary& library, const char* function) {
    try {
        library.Proc(function);
    } catch (const Exception& e) {
        return e.Message();
    }
    return "<no error>";
}

} // namespace

// DLLs loaded when first used: one that cannot be loaded then, or lacks the function, is a
// user error that names it, shown like every other, never a crash.
TEST(LateLibrary, AMissingLibraryOrFunctionIsAUserErrorNamingIt) {
    TLateLibrary missing("no-such-library-of-vesk.dll");
    EXPECT_EQ(
        MessageOf(missing, "Anything").rfind("Unable to load no-such-library-of-vesk.dll: ", 0),
        0u);
    EXPECT_EQ(MessageOf(Shell32, "NoSuchFunctionOfVesk"),
              "shell32.dll has no function NoSuchFunctionOfVesk");
    EXPECT_NE(Shell32.Proc("ShellExecuteExA"), nullptr);
}

// A text the code page cannot hold is refused, never changed: best fit in a code page of its
// own, a broken surrogate pair in UTF-8, which Windows may use as its ANSI code page.
TEST(ExactInCodePage, RefusesWhatTheCodePageCannotHoldAndNothingElse) {
    const wchar_t omega[] = L"\u03A9mega";
    EXPECT_EQ(ExactInCodePage(1252, omega, 5), std::nullopt);
    EXPECT_EQ(ExactInCodePage(1252, L"C:\\src \u00E9", 8), "C:\\src \xE9");
    EXPECT_EQ(ExactInCodePage(CP_UTF8, omega, 5), "\xCE\xA9"
                                                  "mega");
    EXPECT_EQ(ExactInCodePage(CP_UTF8,
                              L"a\xD800"
                              L"b",
                              3),
              std::nullopt);
}

// Folders deeper than MAX_PATH, where the ANSI calls fail with error 206: the program looks
// through the wide calls, and hands a short form to the calls that take no longer path.
TEST(LongPaths, DeepFoldersAreFoundAndHaveAShortFormForTheShortCalls) {
    const winfiles::TempDir temp;
    const std::string deep = temp.MakeLongFolder(300);
    EXPECT_TRUE(IsFolder(deep));
    EXPECT_FALSE(IsFolder(deep + "\\missing"));
    const std::string settings = PathForShortCall(deep + "\\Veskmaker.ini");
    EXPECT_LT(settings.size(), static_cast<std::size_t>(MAX_PATH)) << settings;
    EXPECT_TRUE(IsFolder(FolderOf(settings))) << settings;
    EXPECT_EQ(FileNameOf(settings), "Veskmaker.ini");
    EXPECT_EQ(PathForShortCall("C:\\short"), "C:\\short");
}
