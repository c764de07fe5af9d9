#include "E2eSupport.h"

#include <objbase.h>
#include <oleacc.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <stdexcept>
#include <type_traits>

#include "controls/WindowStyles.h"

namespace e2e {

std::string VeskExePath() {
    return WinPath(VESK_EXE_PATH);
}
std::string RecorderExePath() {
    return WinPath(RECORDER_EXE_PATH);
}

std::string PrepareAppDir(const std::string& dir, const std::string& exeName) {
    const std::string exe = dir + "\\" + exeName;
    const std::string builder = dir + "\\VKB.exe";
    for (const auto& [from, to] :
         {std::pair{VeskExePath(), exe}, std::pair{RecorderExePath(), builder}})
        if (!winfiles::CopyTo(from, to))
            throw std::runtime_error(LastErrorText("copying " + from));
    return exe;
}

void Click(HWND button) {
    PostMessageA(button, BM_CLICK, 0, 0);
}

std::vector<gui::ControlId> TabStops(gui::ControlId parent) {
    std::vector<gui::ControlId> stops;
    for (const gui::TDesignRow& row : gui::kForm1Design)
        if (row.parent == parent &&
            ((controls::StyleOf(row.kind).style & WS_TABSTOP) || (row.options & gui::doLink)))
            stops.push_back(row.id);
    return stops;
}

std::vector<std::pair<UINT, gui::ControlId>> KeysFromAdvancedThroughMiscPage() {
    std::vector<std::pair<UINT, gui::ControlId>> keys;
    const std::vector<gui::ControlId> top = TabStops(gui::idPanel2);
    for (auto it = std::find(top.begin(), top.end(), gui::idBtnAdvanced) + 1; it < top.end(); ++it)
        keys.emplace_back(VK_TAB, *it);
    // The page tabs are a stop of their own; Right on them opens the next page.
    keys.emplace_back(VK_TAB, gui::idPgeAdvanced);
    keys.emplace_back(VK_RIGHT, gui::idPgeAdvanced);
    for (gui::ControlId id : TabStops(gui::idTabSheet2))
        keys.emplace_back(VK_TAB, id);
    return keys;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gui) ? gui.hwndFocus
                                                                             : nullptr;
}

void PressKey(HWND window, UINT vk) {
    const HWND target = FocusOf(window);
    const auto scan = static_cast<LPARAM>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC)) << 16;
    PostMessageA(target, WM_KEYDOWN, vk, scan | 1);
    PostMessageA(target, WM_KEYUP, vk, scan | 1 | 3u << 30);
}

ButtonPress::ButtonPress(HWND button)
    : sender_([done = done_, button] {
          // No time limit of its own: a box may stay up as long as the test wants.
          SendMessageA(button, BM_CLICK, 0, 0);
          *done = true;
      }) {}

ButtonPress::~ButtonPress() {
    // Not joined: a program that never answers is ended by its own holder, which ends the send.
    sender_.Detach();
}

bool ButtonPress::WaitDone(DWORD timeoutMs) const {
    return WaitUntil([this] { return done_->load(); }, timeoutMs);
}

// The name a reader hears for the window, or what went wrong.
std::string HeardName(HWND hwnd) {
    // The proxy for another process's object lives in this thread's apartment.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IAccessible* object = nullptr;
    std::string heard = "<no object>";
    if (SUCCEEDED(AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT),
                                             IID_IAccessible, reinterpret_cast<void**>(&object))) &&
        object) {
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR name = nullptr;
        heard = SUCCEEDED(object->get_accName(self, &name)) && name ? Narrow(name) : "<no name>";
        SysFreeString(name);
        object->Release();
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    return heard;
}

bool IsChecked(HWND button) {
    return Send(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetCheck(HWND button, bool checked) {
    Send(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::vector<std::string> ComboItems(HWND combo) {
    // An ANSI combo box of another process hands its item texts back as UTF-16 here.
    std::vector<std::string> items;
    const LRESULT count = Send(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT len = SendW(combo, CB_GETLBTEXTLEN, i, 0);
        if (len == CB_ERR)
            break;
        // The length may count bytes or characters; bytes are the upper bound.
        std::wstring buf(static_cast<size_t>(len) * 2 + 2, L'\0');
        const LRESULT got = SendW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&buf[0]));
        if (got == CB_ERR)
            break;
        buf.resize(std::wcslen(buf.c_str()));
        items.push_back(Narrow(buf));
    }
    return items;
}

namespace {

// The window's screen pixels, bottom-up 24-bit rows; false when they cannot be read.
bool CaptureWindow(HWND hwnd, BITMAPINFO& bi, std::vector<char>& bits) {
    RECT r;
    if (!GetWindowRect(hwnd, &r))
        return false;
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    if (width <= 0 || height <= 0)
        return false;

    const shared::TWindowDc screen(nullptr);
    if (!screen.Get())
        return false;
    // A memory device context like the screen's, deleted again.
    const std::unique_ptr<std::remove_pointer_t<HDC>, decltype(&DeleteDC)> mem(
        CreateCompatibleDC(screen.Get()), &DeleteDC);
    const shared::TGdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
    if (!mem || !bitmap.Get())
        return false;
    {
        const shared::TSelection selected(mem.get(), bitmap.Get());
        if (!BitBlt(mem.get(), 0, 0, width, height, screen.Get(), r.left, r.top, SRCCOPY))
            return false;
    }
    bi = BITMAPINFO{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    bi.bmiHeader.biSizeImage = stride * static_cast<DWORD>(height);
    bits.assign(bi.bmiHeader.biSizeImage, 0);
    return GetDIBits(mem.get(), bitmap.Get(), 0, static_cast<UINT>(height), bits.data(), &bi,
                     DIB_RGB_COLORS) == height;
}

// The window's pixels once two captures agree: a window that just grew or was redrawn may
// not have reached the screen yet. `repaint`: have the program paint everything first.
bool SettledCapture(HWND hwnd, bool repaint, BITMAPINFO& bi, std::vector<char>& bits) {
    if (repaint)
        RedrawWindow(hwnd, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Send(hwnd, WM_NULL, 0, 0);
    std::vector<char> previous;
    WaitUntil(
        [&] {
            previous.swap(bits);
            return CaptureWindow(hwnd, bi, bits) && !previous.empty() && previous == bits;
        },
        2000);
    return !bits.empty();
}

} // namespace

Pixels WindowPixels(HWND hwnd, bool repaint) {
    BITMAPINFO bi = {};
    std::vector<char> bits;
    Pixels pixels;
    if (!SettledCapture(hwnd, repaint, bi, bits))
        return pixels;
    pixels.width = bi.bmiHeader.biWidth;
    pixels.height = bi.bmiHeader.biHeight;
    const size_t stride = (static_cast<size_t>(pixels.width) * 3 + 3) & ~size_t{3};
    for (int y = pixels.height - 1; y >= 0; --y)
        for (int x = 0; x < pixels.width; ++x) {
            const auto* p = reinterpret_cast<const unsigned char*>(&bits[y * stride + x * 3]);
            pixels.rgb.push_back(RGB(p[2], p[1], p[0]));
        }
    return pixels;
}

int Pixels::Count(COLORREF colour) const {
    return static_cast<int>(std::count(rgb.begin(), rgb.end(), colour));
}

bool SaveWindowBitmap(HWND hwnd, const std::string& path) {
    BITMAPINFO bi = {};
    std::vector<char> bits;
    if (!SettledCapture(hwnd, true, bi, bits))
        return false;

    BITMAPFILEHEADER fh = {};
    fh.bfType = 0x4D42; // "BM"
    fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(bits.size());
    std::string data(reinterpret_cast<const char*>(&fh), sizeof fh);
    data.append(reinterpret_cast<const char*>(&bi.bmiHeader), sizeof bi.bmiHeader);
    data.append(bits.data(), bits.size());
    try {
        WriteFileText(path, data);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

void SaveArtifact(HWND hwnd, const std::string& name) {
    char dir[MAX_PATH + 1] = {};
    DWORD n = GetEnvironmentVariableA("VESK_ARTIFACTS", dir, sizeof dir);
    if (n == 0 || n > MAX_PATH)
        return;
    SaveWindowBitmap(hwnd, std::string(dir, n) + "\\" + name + ".bmp");
}

HWND AppProcess::WaitForMainWindow(DWORD timeoutMs, bool mustBeVisible) {
    WaitUntil(
        [&] {
            main_ = FindTopLevelWindow(Pid(), VESK_FORM_CLASS, mustBeVisible);
            return main_ != nullptr || !Running();
        },
        timeoutMs);
    // Said on the test's output: a start that fails now and then is told from a slow one.
    if (const DWORD code = WaitForExit(0); !main_ && code != STILL_ACTIVE)
        std::printf("[ ended    ] the program ended before its window came up, code 0x%lx\n",
                    static_cast<unsigned long>(code));
    return main_;
}

HWND AppProcess::Control(int id) const {
    return main_ ? FindChildById(main_, id) : nullptr;
}

bool AppProcess::ToggleAdvanced() {
    const bool shown = IsWindowVisible(Control(gui::idPanel3)) != FALSE;
    Click(Control(gui::idBtnAdvanced));
    return WaitUntil([&] {
        return (IsWindowVisible(Control(gui::idPanel3)) != FALSE) != shown &&
               GetText(Control(gui::idBtnAdvanced)) == (shown ? "Advanced" : "Simple");
    });
}

bool AppProcess::PressKeyFor(UINT vk, int expectedId) {
    PressKey(main_, vk);
    return WaitUntil([&] {
        HWND focus = FocusOf(main_);
        return focus && (focus == Control(expectedId) || GetParent(focus) == Control(expectedId));
    });
}

std::vector<HWND> AppProcess::PriorityArrows() const {
    HWND column = FindWindowExA(Control(gui::idTabSheet2), nullptr, "TSpinButton", nullptr);
    if (!column)
        column = FindWindowExA(Control(gui::idSpnPriority), nullptr, "TSpinButton", nullptr);
    HWND up = FindWindowExA(column, nullptr, "TTimerSpeedButton", nullptr);
    return {up, FindWindowExA(column, up, "TTimerSpeedButton", nullptr)};
}

void AppProcess::Close() {
    if (main_)
        PostMessageA(main_, WM_CLOSE, 0, 0);
}

} // namespace e2e
