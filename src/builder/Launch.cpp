#include "builder/Launch.h"

#include <shellapi.h>

#include "builder/BuilderPath.h"
#include "shared/System.h"

std::string BuilderPath() {
    return BuilderPathFor(ModuleFileName(), IsSystemLeadByte);
}

void LaunchBuilder(HWND owner, const std::string& builderPath, const std::string& parameters) {
    // No working directory: the builder inherits ours, so relative paths mean the same.
    ShellExecuteA(owner, "OPEN", builderPath.c_str(), parameters.c_str(), nullptr, SW_SHOWNORMAL);
}
