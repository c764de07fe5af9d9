#include "shared/System.h"

#include <windows.h>
#include <shellapi.h>

#include <array>
#include <climits>
#include <cstddef>
#include <cwchar>
#include <string_view>
#include <string>
#include <utility>
#include <vector>

#include "shared/Handles.h"
#include "shared/Path.h"
#include "shared/SameText.h"
#include "shared/Text.h"

namespace shared {

namespace {

// From the Windows 8 SDK on; known to Windows 7 with KB2533623.
constexpr DWORD kSearchSystem32 = 0x00000800; // LOAD_LIBRARY_SEARCH_SYSTEM32

// Longest path the system hands out, with its "\\?\" prefix.
constexpr DWORD kLongestPath = 32768;
constexpr int kDefaultDpi = 96;

// A function that older systems lack, of a system DLL the process has loaded already; null
// where the system has none.
template <typename F> F LoadedProc(const char* dll, const char* name) {
    return reinterpret_cast<F>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(dll), name)));
}

} // namespace

bool IsSystemLeadByte(unsigned char c) {
    return IsDBCSLeadByte(c) != FALSE;
}

void RestrictDllSearch() {
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const auto setDefault =
        LoadedProc<SetDefaultDllDirectoriesFn>("kernel32.dll", "SetDefaultDllDirectories");
    if (!setDefault || !setDefault(kSearchSystem32))
        SetDllDirectoryA("");
}

HMODULE LoadSystemLibrary(const char* name) {
    if (HMODULE module = LoadLibraryExA(name, nullptr, kSearchSystem32))
        return module;
    if (GetLastError() != ERROR_INVALID_PARAMETER)
        return nullptr;
    // A system that does not know the flag: the full path into the system folder.
    const std::string folder =
        ReadGrowing(MAX_PATH + 1, kLongestPath, 1, [](char* buffer, std::size_t size) {
            return GetSystemDirectoryA(buffer, static_cast<UINT>(size));
        });
    return folder.empty() ? nullptr : LoadLibraryA((folder + "\\" + name).c_str());
}

std::string ModuleFileName() {
    // A path cut at MAX_PATH would name another folder, so grow until it fits. A result
    // that fills the buffer may have been cut, whatever the system version says.
    return ReadGrowing(MAX_PATH + 1, kLongestPath, 1, [](char* buffer, std::size_t size) {
        return GetModuleFileNameA(nullptr, buffer, static_cast<DWORD>(size));
    });
}

std::vector<wchar_t> WideFromAnsi(const std::string& ansi) {
    const int size = ansi.size() > INT_MAX ? 0 : static_cast<int>(ansi.size());
    const int length = size > 0 ? MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0) : 0;
    std::vector<wchar_t> wide(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, wide.data(), length);
    return wide;
}

std::vector<wchar_t> WidePath(const std::string& path) {
    return WidePath(WideFromAnsi(path));
}

std::vector<wchar_t> WidePath(std::vector<wchar_t> wide) {
    const auto length = static_cast<DWORD>(wide.size() - 1);
    if (length < MAX_PATH)
        return wide;
    std::vector<wchar_t> full(length + 16, L'\0');
    DWORD made =
        GetFullPathNameW(wide.data(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (made == 0 || made >= full.size()) {
        full.resize(made + 16);
        made = GetFullPathNameW(wide.data(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (made == 0 || made >= full.size())
            return wide;
    }
    // "\\server\share\..." becomes "\\?\UNC\server\share\...", "C:\..." "\\?\C:\...".
    const bool unc = full[0] == L'\\' && full[1] == L'\\';
    if (unc && full[2] == L'?')
        return full;
    const std::wstring_view prefix = unc ? L"\\\\?\\UNC" : L"\\\\?\\";
    full.insert(full.begin(), prefix.begin(), prefix.end());
    if (unc)
        full.erase(full.begin() + static_cast<std::ptrdiff_t>(prefix.size()));
    return full;
}

DWORD PathAttributes(const std::string& path) {
    return GetFileAttributesW(WidePath(path).data());
}

DWORD PathAttributes(std::vector<wchar_t> widePath) {
    return GetFileAttributesW(WidePath(std::move(widePath)).data());
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = PathAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

// The short (8.3) form of an existing path, zero-terminated, without the "\\?\" the wide calls
// took it with; nothing where the code page cannot hold it either.
std::optional<std::string> ShortForm(const std::vector<wchar_t>& wide) {
    std::vector<wchar_t> made(wide.size(), L'\0');
    const DWORD length =
        GetShortPathNameW(wide.data(), made.data(), static_cast<DWORD>(made.size()));
    if (length == 0 || length >= made.size())
        return std::nullopt;
    std::size_t skip = 0;
    if (std::wcsncmp(made.data(), L"\\\\?\\UNC\\", 8) == 0) {
        skip = 6; // "\\?\UNC\server" as "\\server"
        made[skip] = L'\\';
    } else if (std::wcsncmp(made.data(), L"\\\\?\\", 4) == 0) {
        skip = 4;
    }
    return ExactAnsi(made.data() + skip, length - skip);
}

} // namespace

TReachablePath ReachableExePath() {
    std::vector<wchar_t> path(kLongestPath, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), kLongestPath);
    if (length == 0 || length >= kLongestPath)
        return {};
    const std::optional<std::string> exact = ExactAnsi(path.data(), length);
    if (exact)
        return {*exact};
    std::size_t name = length;
    while (name > 0 && path[name - 1] != L'\\' && path[name - 1] != L'/')
        --name;
    const std::optional<std::string> exactName = ExactAnsi(path.data() + name, length - name);
    path.resize(length + 1);
    return ReachablePath(exact, exactName, ShortForm(WidePath(std::move(path))), IsSystemLeadByte);
}

std::string PathForShortCall(const std::string& path) {
    if (path.size() < MAX_PATH)
        return path;
    // A file still to be made has no short form of its own: then its folder's, and its name.
    const std::string folder = FolderOf(path, IsSystemLeadByte);
    for (const std::string& head : {path, folder}) {
        const std::optional<std::string> shortHead =
            head.empty() ? std::nullopt : ShortForm(WidePath(head));
        if (shortHead && shortHead->size() < head.size())
            return *shortHead + path.substr(head.size());
    }
    return path;
}

std::optional<std::string> ExactInCodePage(unsigned codePage, const wchar_t* wide,
                                           std::size_t length) {
    if (length == 0)
        return std::string();
    if (length > INT_MAX / 4)
        return std::nullopt;
    const int units = static_cast<int>(length);
    // Best fit would turn an Omega into an O and a Cyrillic letter into a question mark. UTF-8
    // holds every character but takes neither best fit nor a default character: there only
    // a broken surrogate pair cannot be written, and the call then fails.
    const bool utf8 = codePage == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* const defaulted = utf8 ? nullptr : &usedDefault;
    const int size =
        WideCharToMultiByte(codePage, flags, wide, units, nullptr, 0, nullptr, defaulted);
    if (size <= 0 || usedDefault)
        return std::nullopt;
    std::string text(static_cast<size_t>(size), '\0');
    const int written =
        WideCharToMultiByte(codePage, flags, wide, units, text.data(), size, nullptr, defaulted);
    // cppcheck-suppress knownConditionTrueFalse ; the call writes it through `defaulted`
    if (written != size || usedDefault)
        return std::nullopt;
    return text;
}

std::optional<std::string> ExactAnsi(const wchar_t* wide, std::size_t length) {
    return ExactInCodePage(GetACP(), wide, length);
}

std::string SystemErrorText(unsigned long error) {
    std::array<char, 512> buffer{};
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                       0, buffer.data(), static_cast<DWORD>(buffer.size()), nullptr);
    std::string text(buffer.data(), length < buffer.size() ? length : 0);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text.empty() ? "error " + std::to_string(error) : text;
}

namespace {

// The shell's own result where it left no system error. Its codes up to 11 are the system's
// error numbers; those from 26 on are its own.
std::string ShellErrorText(INT_PTR result) {
    switch (result) {
    case SE_ERR_SHARE:
        return "a sharing violation occurred";
    case SE_ERR_ASSOCINCOMPLETE:
    case SE_ERR_NOASSOC:
        return "no program is associated with it";
    case SE_ERR_DDETIMEOUT:
    case SE_ERR_DDEFAIL:
    case SE_ERR_DDEBUSY:
        return "the shell's request failed";
    case SE_ERR_DLLNOTFOUND:
        return "a library it needs was not found";
    default:
        return result > 0 && result <= 11
                   ? SystemErrorText(static_cast<DWORD>(result))
                   : "the shell gave no reason (" + std::to_string(result) + ")";
    }
}

} // namespace

std::string ShellFailureText(unsigned long error, INT_PTR result) {
    return error != ERROR_SUCCESS ? SystemErrorText(error) : ShellErrorText(result);
}

int ScreenDpi() {
    // The system DPI is fixed for the life of a DPI-aware process: asked once.
    static const int dpi = [] {
        const TWindowDc screen(nullptr);
        const int asked = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
        return asked > 0 ? asked : kDefaultDpi;
    }();
    return dpi;
}

int WindowDpi(HWND hwnd) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpi = LoadedProc<GetDpiForWindowFn>("user32.dll", "GetDpiForWindow");
    const UINT dpi = getDpi && hwnd ? getDpi(hwnd) : 0;
    return dpi > 0 ? static_cast<int>(dpi) : ScreenDpi();
}

void AdjustWindowRectForDpi(RECT& rc, DWORD style, DWORD exStyle, int dpi) {
    // At the system's own DPI the plain call answers the same, without working out the
    // system's metrics for a DPI anew.
    if (dpi == ScreenDpi()) {
        AdjustWindowRectEx(&rc, style, FALSE, exStyle);
        return;
    }
    using AdjustFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjust = LoadedProc<AdjustFn>("user32.dll", "AdjustWindowRectExForDpi");
    if (!adjust || !adjust(&rc, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&rc, style, FALSE, exStyle);
}

bool HighContrast() {
    HIGHCONTRASTA contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

char DecimalSeparator() {
    std::array<char, 8> buffer{};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer.data(),
                       static_cast<int>(buffer.size())) > 0)
        return buffer[0];
    return '\0';
}

std::string LowerInLocale(const std::string& text) {
    std::string lowered = text;
    if (!lowered.empty())
        CharLowerBuffA(lowered.data(), static_cast<DWORD>(lowered.size()));
    return lowered;
}

bool SameText(const std::string& a, const std::string& b) {
    if (a.size() > INT_MAX || b.size() > INT_MAX)
        return false;
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(),
                          static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

} // namespace shared
