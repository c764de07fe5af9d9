#include "E2eSupport.h"

#include <shellapi.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace e2e {

namespace {

std::string LastErrorText(const std::string& what) {
    return what + " failed (error " + std::to_string(GetLastError()) + ")";
}

std::wstring Widen(const std::string& s) {
    if (s.empty())
        return std::wstring();
    int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), &w[0], n);
    return w;
}

std::string Narrow(const std::wstring& w) {
    if (w.empty())
        return std::string();
    int n = WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), &s[0], n, nullptr,
                        nullptr);
    return s;
}

// Sends with a timeout, so a hung program fails the test instead of wedging it.
LRESULT SendTimed(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, bool wide = false) {
    DWORD_PTR result = 0;
    if (wide)
        SendMessageTimeoutW(hwnd, msg, wp, lp, SMTO_ABORTIFHUNG, 5000, &result);
    else
        SendMessageTimeoutA(hwnd, msg, wp, lp, SMTO_ABORTIFHUNG, 5000, &result);
    return static_cast<LRESULT>(result);
}

// Small owners for the GDI handles used below.
struct ScreenDC {
    HDC dc = GetDC(nullptr);
    ~ScreenDC() {
        if (dc)
            ReleaseDC(nullptr, dc);
    }
};
struct MemoryDC {
    HDC dc;
    ~MemoryDC() {
        if (dc)
            DeleteDC(dc);
    }
};
struct GdiObject {
    HGDIOBJ obj;
    ~GdiObject() {
        if (obj)
            DeleteObject(obj);
    }
};
struct Selection {
    HDC dc;
    HGDIOBJ old;
    ~Selection() { SelectObject(dc, old); }
};
struct ArgvMemory {
    LPWSTR* argv;
    ~ArgvMemory() {
        if (argv)
            LocalFree(argv);
    }
};

struct WindowSearch {
    DWORD pid;
    const char* className;
    bool mustBeVisible;
    HWND found;
};

BOOL CALLBACK FindTopLevel(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<WindowSearch*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != search->pid)
        return TRUE;
    if (search->mustBeVisible && !IsWindowVisible(hwnd))
        return TRUE;
    char cls[64] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (std::strcmp(cls, search->className) != 0)
        return TRUE;
    search->found = hwnd;
    return FALSE;
}

HWND FindTopLevelWindow(DWORD pid, const char* className, bool mustBeVisible) {
    WindowSearch search{pid, className, mustBeVisible, nullptr};
    EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct ChildSearch {
    int id;
    HWND found;
};

BOOL CALLBACK FindChild(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<ChildSearch*>(lp);
    if (GetDlgCtrlID(hwnd) != search->id)
        return TRUE;
    search->found = hwnd;
    return FALSE;
}

} // namespace

std::string WinPath(const std::string& linuxPath) {
    std::string out = "Z:" + linuxPath;
    for (char& c : out)
        if (c == '/')
            c = '\\';
    return out;
}

std::string VeskExePath() {
    return WinPath(VESK_EXE_PATH);
}
std::string RecorderExePath() {
    return WinPath(RECORDER_EXE_PATH);
}

bool WaitUntil(const std::function<bool()>& predicate, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (predicate())
            return true;
        if (GetTickCount64() >= deadline)
            return predicate();
        Sleep(15);
    }
}

std::string PrepareAppDir(const std::string& dir, const std::string& exeName) {
    const std::string exe = dir + "\\" + exeName;
    if (!CopyFileA(VeskExePath().c_str(), exe.c_str(), FALSE))
        throw std::runtime_error(LastErrorText("copying " + VeskExePath()));
    const std::string builder = dir + "\\VKB.exe";
    if (!CopyFileA(RecorderExePath().c_str(), builder.c_str(), FALSE))
        throw std::runtime_error(LastErrorText("copying " + RecorderExePath()));
    return exe;
}

bool FileExists(const std::string& path) {
    DWORD attr = GetFileAttributesA(path.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
    DWORD attr = GetFileAttributesA(path.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadFileText(const std::string& path) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        return std::string();
    std::string out;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(file.Get(), buf, sizeof buf, &got, nullptr) && got > 0)
        out.append(buf, got);
    return out;
}

void WriteFileText(const std::string& path, const std::string& content) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        throw std::runtime_error(LastErrorText("creating " + path));
    DWORD written = 0;
    if (!WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written,
                   nullptr) ||
        written != content.size())
        throw std::runtime_error(LastErrorText("writing " + path));
}

std::vector<Recording> ReadRecording(const std::string& dir) {
    const std::string text = ReadFileText(dir + "\\VKB.log");
    std::vector<Recording> records;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find("\r\n", pos);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(pos, end - pos);
        pos = end + 2;
        if (line.compare(0, 8, "CMDLINE ") == 0)
            records.push_back({line.substr(8), std::string()});
        else if (line.compare(0, 4, "CWD ") == 0 && !records.empty())
            records.back().cwd = line.substr(4);
    }
    return records;
}

std::string ArgsAfterProgram(const std::string& cmdline) {
    // The program name follows simpler rules than the arguments: quotes toggle, nothing
    // is escaped, and it ends at the first blank or tab outside quotes.
    size_t i = 0;
    bool quoted = false;
    for (; i < cmdline.size(); ++i) {
        const char c = cmdline[i];
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == ' ' || c == '\t'))
            break;
    }
    while (i < cmdline.size() && (cmdline[i] == ' ' || cmdline[i] == '\t'))
        ++i;
    return cmdline.substr(i);
}

std::vector<std::string> SplitCommandLine(const std::string& cmdline) {
    int argc = 0;
    ArgvMemory args{CommandLineToArgvW(Widen(cmdline).c_str(), &argc)};
    std::vector<std::string> out;
    for (int i = 0; args.argv && i < argc; ++i)
        out.push_back(Narrow(args.argv[i]));
    return out;
}

std::string GetText(HWND hwnd) {
    const LRESULT len = SendTimed(hwnd, WM_GETTEXTLENGTH, 0, 0);
    std::string buf(static_cast<size_t>(len) + 1, '\0');
    const LRESULT got = SendTimed(hwnd, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(&buf[0]));
    buf.resize(got >= 0 && static_cast<size_t>(got) < buf.size() ? static_cast<size_t>(got) : 0);
    return buf;
}

void SetText(HWND hwnd, const std::string& text) {
    SendTimed(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Click(HWND button) {
    PostMessageA(button, BM_CLICK, 0, 0);
}

bool IsChecked(HWND button) {
    return SendTimed(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetCheck(HWND button, bool checked) {
    SendTimed(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::vector<std::string> ComboItems(HWND combo) {
    // An ANSI combo box of another process hands its item texts back as UTF-16 here.
    std::vector<std::string> items;
    const LRESULT count = SendTimed(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT len = SendTimed(combo, CB_GETLBTEXTLEN, i, 0, true);
        if (len == CB_ERR)
            break;
        // The length may count bytes or characters; bytes are the upper bound.
        std::wstring buf(static_cast<size_t>(len) * 2 + 2, L'\0');
        const LRESULT got =
            SendTimed(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&buf[0]), true);
        if (got == CB_ERR)
            break;
        buf.resize(std::wcslen(buf.c_str()));
        items.push_back(Narrow(buf));
    }
    return items;
}

HWND FindChildById(HWND parent, int id) {
    ChildSearch search{id, nullptr};
    EnumChildWindows(parent, FindChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindMessageBox(DWORD pid) {
    return FindTopLevelWindow(pid, "#32770", true);
}

std::optional<MessageBoxInfo> WaitForMessageBox(DWORD pid, DWORD timeoutMs) {
    HWND box = nullptr;
    if (!WaitUntil([&] { return (box = FindMessageBox(pid)) != nullptr; }, timeoutMs))
        return std::nullopt;
    MessageBoxInfo info;
    info.caption = GetText(box);
    if (HWND text = GetDlgItem(box, 0xFFFF))
        info.text = GetText(text);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    if (!WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 2000)) {
        // Not an OK box after all: press whichever button it has.
        if (HWND button = FindWindowExA(box, nullptr, "Button", nullptr))
            Click(button);
        WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, timeoutMs);
    }
    return info;
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

    ScreenDC screen;
    if (!screen.dc)
        return false;
    MemoryDC mem{CreateCompatibleDC(screen.dc)};
    GdiObject bitmap{CreateCompatibleBitmap(screen.dc, width, height)};
    if (!mem.dc || !bitmap.obj)
        return false;
    {
        Selection selected{mem.dc, SelectObject(mem.dc, bitmap.obj)};
        if (!BitBlt(mem.dc, 0, 0, width, height, screen.dc, r.left, r.top, SRCCOPY))
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
    return GetDIBits(mem.dc, static_cast<HBITMAP>(bitmap.obj), 0, static_cast<UINT>(height),
                     bits.data(), &bi, DIB_RGB_COLORS) == height;
}

} // namespace

bool SaveWindowBitmap(HWND hwnd, const std::string& path) {
    // Have the program paint everything now, then wait until two captures agree: a window
    // that just grew may not have reached the screen yet.
    RedrawWindow(hwnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    SendTimed(hwnd, WM_NULL, 0, 0);
    BITMAPINFO bi = {};
    std::vector<char> bits, previous;
    WaitUntil(
        [&] {
            previous.swap(bits);
            if (!CaptureWindow(hwnd, bi, bits))
                return false;
            return !previous.empty() && previous == bits;
        },
        2000);
    if (bits.empty())
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

AppProcess::AppProcess(const std::string& exePath, const std::string& currentDir,
                       std::optional<WORD> showState, const std::string& arguments) {
    std::string cmdline = "\"" + exePath + "\"";
    if (!arguments.empty())
        cmdline += " " + arguments;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    if (showState) {
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = *showState;
    }
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(exePath.c_str(), &cmdline[0], nullptr, nullptr, FALSE, 0, nullptr,
                        currentDir.empty() ? nullptr : currentDir.c_str(), &si, &pi))
        throw std::runtime_error(LastErrorText("starting " + exePath));
    process_ = UniqueHandle(pi.hProcess);
    thread_ = UniqueHandle(pi.hThread);
    pid_ = pi.dwProcessId;
}

AppProcess::~AppProcess() {
    if (Running()) {
        TerminateProcess(process_.Get(), 1);
        WaitForSingleObject(process_.Get(), 5000);
    }
}

HWND AppProcess::WaitForMainWindow(DWORD timeoutMs, bool mustBeVisible) {
    WaitUntil(
        [&] {
            main_ = FindTopLevelWindow(pid_, VESK_FORM_CLASS, mustBeVisible);
            return main_ != nullptr || !Running();
        },
        timeoutMs);
    return main_;
}

HWND AppProcess::Control(int id) const {
    return main_ ? FindChildById(main_, id) : nullptr;
}

void AppProcess::Close() {
    if (main_)
        PostMessageA(main_, WM_CLOSE, 0, 0);
}

DWORD AppProcess::WaitForExit(DWORD timeoutMs) {
    if (WaitForSingleObject(process_.Get(), timeoutMs) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.Get(), &code);
    return code;
}

bool AppProcess::Running() const {
    return process_.Valid() && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

} // namespace e2e
