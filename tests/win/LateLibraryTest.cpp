// DLLs loaded when first used: one that cannot be loaded then, or lacks the function, is a
// user error that names it, shown like every other, never a crash.
#include <gtest/gtest.h>

#include <string>

#include "shared/Exceptions.h"
#include "shared/LateLibrary.h"

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

TEST(LateLibrary, AMissingLibraryOrFunctionIsAUserErrorNamingIt) {
    TLateLibrary missing("no-such-library-of-vesk.dll");
    EXPECT_EQ(
        MessageOf(missing, "Anything").rfind("Unable to load no-such-library-of-vesk.dll: ", 0),
        0u);
    EXPECT_EQ(MessageOf(Shell32(), "NoSuchFunctionOfVesk"),
              "shell32.dll has no function NoSuchFunctionOfVesk");
    EXPECT_NE(Shell32().Proc("ShellExecuteExA"), nullptr);
}
