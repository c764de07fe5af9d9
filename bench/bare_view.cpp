// The floor for start-up and memory of the simple view: what Veskmaker's main window costs by
// itself. The same windows as the program makes for it (a hidden owner, the main window, a
// panel with its controls at their designed places, themed by the same manifest, in the same
// font), made from the program's own design and window styles so the floor cannot drift from
// it, and nothing else: no settings file, no layout pass, no handlers beyond closing, no
// advanced block.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "BareProgram.h"
#include "gui/Form1Design.h"
#include "controls/ComboBox.h"
#include "controls/WindowStyles.h"

namespace {

constexpr const char* kViewClass = "BareView";
constexpr const char* kOwnerClass = "BareViewOwner";

int Scale(int designPixels, int dpi) {
    return MulDiv(designPixels, dpi, controls::kDesignDpi);
}

HWND MakeControl(HWND parent, const gui::TDesignRow& row, const controls::Rect& at, HFONT font) {
    const gui::Kind kind = row.kind;
    const controls::TWindowStyle style = controls::StyleOf(kind);
    const bool combo = kind == controls::TControlKind::ComboBox;
    // A drop-down combo box is made as tall as its field and its list together.
    const int height =
        at.height + (combo ? controls::kListVisibleItems * controls::kListItemHeight + 2 : 0);
    HWND hwnd = CreateWindowExA(style.exStyle, style.className, row.text, style.style | WS_VISIBLE,
                                at.left, at.top, at.width, height, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)),
                                GetModuleHandleA(nullptr), nullptr);
    if (!hwnd)
        return nullptr;
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (combo) {
        SendMessageA(hwnd, CB_SETITEMHEIGHT, 0, controls::kListItemHeight);
        SendMessageA(hwnd, CB_SETMINVISIBLE, controls::kListVisibleItems, 0);
    }
    return hwnd;
}

// The main window, centred on the screen, sized to the design plus its border.
HWND MakeMainWindow(HINSTANCE instance, HWND owner, int dpi) {
    const int border = Scale(controls::kFormBorder, dpi);
    const controls::Rect& panel = gui::DesignRow(gui::idPanel2).bounds;
    RECT rc{0, 0, Scale(panel.width, dpi) + 2 * border, Scale(panel.height, dpi) + 2 * border};
    AdjustWindowRectEx(&rc, controls::kFormStyle, FALSE, controls::kFormExStyle);
    const int width = rc.right - rc.left, height = rc.bottom - rc.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    return CreateWindowExA(controls::kFormExStyle, kViewClass, "Veskmaker", controls::kFormStyle,
                           x < 0 ? 0 : x, y < 0 ? 0 : y, width, height, owner, nullptr, instance,
                           nullptr);
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : controls::kDesignDpi;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi;
}

HFONT MakeFont(int dpi) {
    return CreateFontA(-MulDiv(gui::kFontPoints, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, gui::kFontFace);
}

// The hidden owner, the main window and the simple view's rows; the main window, or null.
HWND MakeView(HINSTANCE instance, HFONT font, int dpi) {
    if (!bare::RegisterWindowClass(instance, kOwnerClass, DefWindowProcA) ||
        !bare::RegisterWindowClass(instance, kViewClass, bare::MainProc) ||
        !bare::RegisterWindowClass(instance, controls::kPanelClass, DefWindowProcA))
        return nullptr;
    // Zero-sized and captioned, like the program's application window that owns its form.
    HWND owner = CreateWindowExA(
        0, kOwnerClass, "Veskmaker", controls::kAppWindowStyle, GetSystemMetrics(SM_CXSCREEN) / 2,
        GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr, nullptr, instance, nullptr);
    HWND form = owner ? MakeMainWindow(instance, owner, dpi) : nullptr;
    if (!form)
        return nullptr;
    const std::vector<controls::Rect> placed = gui::PlaceDesign(Scale(gui::kDesignWidth, dpi), dpi);
    HWND panel = nullptr;
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const gui::TDesignRow& row = gui::kForm1Design[i];
        if (gui::WithinBlock(row, gui::idPanel3))
            continue;
        HWND made = MakeControl(row.parent == gui::idForm ? form : panel, row, placed[i], font);
        if (!made)
            return nullptr;
        if (row.id == gui::idPanel2)
            panel = made;
    }
    return form;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    BARE_MARK("winmain");
    bare::InitCommonControls();
    const int dpi = ScreenDpi();
    HFONT font = MakeFont(dpi);
    HWND form = font ? MakeView(instance, font, dpi) : nullptr;
    if (!form)
        return 1;
    BARE_MARK("window");
    bare::MarkLoopStart(form);
    ShowWindow(form, SW_SHOWNORMAL);
    bare::RunMessageLoop();
    DeleteObject(font);
    bare::WriteMarks(commandLine);
    return 0;
}
