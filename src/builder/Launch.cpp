#include "builder/Launch.h"

#include <shellapi.h>

#include "shared/Exceptions.h"
#include "shared/LateLibrary.h"
#include "shared/System.h"

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

void LaunchBuilder(HWND owner, const std::string& builderPath, const std::string& parameters) {
    SHELLEXECUTEINFOA request{};
    request.cbSize = sizeof request;
    request.fMask = SEE_MASK_FLAG_NO_UI;
    request.hwnd = owner;
    request.lpVerb = "OPEN";
    request.lpFile = builderPath.c_str();
    request.lpParameters = parameters.c_str();
    // No working directory: the builder inherits ours, so relative paths mean the same.
    request.lpDirectory = nullptr;
    request.nShow = SW_SHOWNORMAL;
    const auto execute = LateProc<decltype(&ShellExecuteExA)>(Shell32, "ShellExecuteExA");
    const bool started = execute(&request) != FALSE;
    const DWORD error = GetLastError();
    const auto result = reinterpret_cast<INT_PTR>(request.hInstApp);
    if (started && result > 32)
        return;
    throw Exception("Unable to start " + builderPath + ": " +
                    (error != ERROR_SUCCESS ? SystemErrorText(error) : ShellErrorText(result)));
}
