#include "builder/Launch.h"

#include <shellapi.h>

#include "shared/Exceptions.h"
#include "shared/LateLibrary.h"
#include "shared/System.h"

namespace builder {

void ShellOpen(HWND owner, const std::string& file, const char* parameters,
               const std::string& failure) {
    SHELLEXECUTEINFOA request{};
    request.cbSize = sizeof request;
    request.fMask = SEE_MASK_FLAG_NO_UI;
    request.hwnd = owner;
    request.lpVerb = "OPEN";
    request.lpFile = file.c_str();
    request.lpParameters = parameters;
    // No working directory: a program started inherits ours, so relative paths mean the same.
    request.lpDirectory = nullptr;
    request.nShow = SW_SHOWNORMAL;
    const auto execute =
        shared::LateProc<decltype(&ShellExecuteExA)>(shared::Shell32, "ShellExecuteExA");
    const bool started = execute(&request) != FALSE;
    const DWORD error = GetLastError();
    const auto result = reinterpret_cast<INT_PTR>(request.hInstApp);
    if (started && result > 32)
        return;
    throw shared::Exception(failure + ": " + shared::ShellFailureText(error, result));
}

void LaunchBuilder(HWND owner, const std::string& builderPath, const std::string& parameters) {
    // The shell starts no program by a path of MAX_PATH or more.
    ShellOpen(owner, shared::PathForShortCall(builderPath), parameters.c_str(),
              "Unable to start " + builderPath);
}

} // namespace builder
