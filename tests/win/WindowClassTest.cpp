// Our window classes show the program's icon in the caption and on the taskbar button at the
// small icon's size: one small image, made once for all of them.
#include <gtest/gtest.h>

#include "win/Form1Fixture.h"

using namespace form1test;

TEST_F(Form1Test, WindowClassesShareOneSmallImageOfTheIcon) {
    WNDCLASSEXA app{};
    WNDCLASSEXA main{};
    app.cbSize = main.cbSize = sizeof app;
    ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), VESK_APP_CLASS, &app));
    ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), VESK_FORM_CLASS, &main));
    ASSERT_NE(app.hIconSm, nullptr);
    EXPECT_EQ(main.hIconSm, app.hIconSm);

    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(app.hIconSm, &info));
    BITMAP mask{};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    DeleteObject(info.hbmMask);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    EXPECT_EQ(mask.bmWidth, GetSystemMetrics(SM_CXSMICON));
}
