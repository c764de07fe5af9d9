#include "builder/Launch.h"

#include <shellapi.h>

#include "builder/BuilderPath.h"
#include "shared/Exceptions.h"
#include "shared/LateLibrary.h"
#include "shared/System.h"

std::string BuilderPath() {
    return BuilderPathFor(ModuleFileName(), IsSystemLeadByte);
}

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
    const auto execute = LateProc<decltype(&ShellExecuteExA)>(Shell32(), "ShellExecuteExA");
    const bool started = execute(&request) != FALSE;
    const DWORD error = GetLastError();
    const auto result = reinterpret_cast<INT_PTR>(request.hInstApp);
    if (started && result > 32)
        return;
    // The shell's own codes below 32 for a missing file or path and a refused access are the
    // system's error numbers.
    throw Exception("Unable to start " + builderPath + ": " +
                    SystemErrorText(error != ERROR_SUCCESS ? error : static_cast<DWORD>(result)));
}
