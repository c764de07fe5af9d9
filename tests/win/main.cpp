// The Win32 tests run inside one application object, as the program itself does.
#include <gtest/gtest.h>

#include "app/Application.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    app::TApplication application;
    return RUN_ALL_TESTS();
}
