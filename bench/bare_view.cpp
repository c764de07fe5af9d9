// The floor for start-up and memory of the simple view: what Veskmaker's main window costs by
// itself. The same windows as the program makes for it (a hidden owner, the main window with
// the program's styles, a panel with the nine controls at their designed places, themed by the
// same manifest, in the same font) and nothing else: no settings file, no layout pass, no
// handlers beyond closing, no advanced page.
#include <windows.h>
#include <commctrl.h>

#include "BareProgram.h"
#include "gui/ControlIds.h"
#include "gui/Form1Design.h"

namespace {

constexpr const char* kViewClass = "BareView";
constexpr const char* kOwnerClass = "BareViewOwner";
constexpr const char* kPanelClass = "BareViewPanel";
constexpr DWORD kFormStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_CONTROLPARENT | WS_EX_ACCEPTFILES;
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
// The program's combo boxes: the list's item height and how many items it shows.
constexpr int kItemHeight = 13;
constexpr int kVisibleItems = 8;

struct ViewControl {
    ControlId id;
    const char* className;
    DWORD style;
};

// The simple view in the program's creation order; places and captions come from its design.
// NOLINTNEXTLINE(modernize-avoid-c-arrays): the compiler counts the rows
constexpr ViewControl kViewControls[] = {
    {idBtnBrowseSrc, WC_BUTTONA, WS_TABSTOP | BS_PUSHBUTTON},
    {idBtnBrowseOut, WC_BUTTONA, WS_TABSTOP | BS_PUSHBUTTON},
    {idLblSource, WC_STATICA, SS_LEFT | SS_NOPREFIX | SS_NOTIFY},
    {idCmbSource, WC_COMBOBOXA, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL},
    {idLblOutput, WC_STATICA, SS_LEFT | SS_NOPREFIX | SS_NOTIFY},
    {idCmbOutput, WC_COMBOBOXA, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL},
    {idBtnAdvanced, WC_BUTTONA, WS_TABSTOP | BS_PUSHBUTTON},
    {idBtnCreate, WC_BUTTONA, WS_TABSTOP | BS_PUSHBUTTON},
    {idLblURL, WC_STATICA, SS_LEFT | SS_NOPREFIX | SS_NOTIFY},
};

LRESULT CALLBACK ViewProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

int Scale(int designPixels, int dpi) {
    return MulDiv(designPixels, dpi, gui::kDesignDpi);
}

HWND MakeControl(HWND panel, const ViewControl& c, HFONT font, int dpi) {
    const gui::TDesignRow& row = gui::DesignRow(c.id);
    const bool combo = c.style & CBS_DROPDOWN;
    // A drop-down combo box is made as tall as its field and its list together.
    int height = Scale(row.bounds.height, dpi);
    if (combo)
        height += kVisibleItems * kItemHeight + 2;
    HWND hwnd = CreateWindowExA(
        0, c.className, row.text, kChild | c.style, Scale(row.bounds.left, dpi),
        Scale(row.bounds.top, dpi), Scale(row.bounds.width, dpi), height, panel,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), GetModuleHandleA(nullptr), nullptr);
    if (!hwnd)
        return nullptr;
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (combo) {
        SendMessageA(hwnd, CB_SETITEMHEIGHT, 0, kItemHeight);
        SendMessageA(hwnd, CB_SETMINVISIBLE, kVisibleItems, 0);
    }
    return hwnd;
}

// The main window, centred on the screen, sized to the design plus its border.
HWND MakeMainWindow(HINSTANCE instance, HWND owner, int dpi) {
    const int border = Scale(gui::kFormBorder, dpi);
    const gui::Rect& panel = gui::DesignRow(idPanel2).bounds;
    RECT rc{0, 0, Scale(panel.width, dpi) + 2 * border, Scale(panel.height, dpi) + 2 * border};
    AdjustWindowRectEx(&rc, kFormStyle, FALSE, kFormExStyle);
    const int width = rc.right - rc.left, height = rc.bottom - rc.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    return CreateWindowExA(kFormExStyle, kViewClass, "Veskmaker", kFormStyle, x < 0 ? 0 : x,
                           y < 0 ? 0 : y, width, height, owner, nullptr, instance, nullptr);
}

HWND MakePanel(HINSTANCE instance, HWND form, int dpi) {
    const int border = Scale(gui::kFormBorder, dpi);
    const gui::Rect& r = gui::DesignRow(idPanel2).bounds;
    return CreateWindowExA(WS_EX_CONTROLPARENT, kPanelClass, "", kChild, border, border,
                           Scale(r.width, dpi), Scale(r.height, dpi), form,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(idPanel2)), instance,
                           nullptr);
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : gui::kDesignDpi;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi;
}

HFONT MakeFont(int dpi) {
    return CreateFontA(-MulDiv(8, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
}

// The hidden owner, the main window and the view; the main window, or null.
HWND MakeView(HINSTANCE instance, HFONT font, int dpi) {
    if (!bare::RegisterWindowClass(instance, kOwnerClass, DefWindowProcA) ||
        !bare::RegisterWindowClass(instance, kViewClass, ViewProc) ||
        !bare::RegisterWindowClass(instance, kPanelClass, DefWindowProcA))
        return nullptr;
    // Zero-sized and captioned, like the program's application window that owns its form.
    HWND owner =
        CreateWindowExA(0, kOwnerClass, "Veskmaker",
                        WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                        GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
                        nullptr, nullptr, instance, nullptr);
    HWND form = owner ? MakeMainWindow(instance, owner, dpi) : nullptr;
    HWND panel = form ? MakePanel(instance, form, dpi) : nullptr;
    if (!panel)
        return nullptr;
    for (const ViewControl& c : kViewControls)
        if (!MakeControl(panel, c, font, dpi))
            return nullptr;
    return form;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    bare::InitCommonControls();
    const int dpi = ScreenDpi();
    HFONT font = MakeFont(dpi);
    HWND form = font ? MakeView(instance, font, dpi) : nullptr;
    if (!form)
        return 1;
    ShowWindow(form, SW_SHOWNORMAL);
    bare::RunMessageLoop();
    DeleteObject(font);
    return 0;
}
