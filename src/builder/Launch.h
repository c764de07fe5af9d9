// Starting the builder, VKB.exe, and opening anything else through the shell.
#pragma once

#include <windows.h>

#include <string>

namespace builder {

// Hands the file to the shell's "OPEN" verb and returns at once; nothing waits for what it
// starts. When the shell cannot, raises a user error: `failure`, a colon and the system's
// reason. The shell shows no box of its own, so the user reads one message, not two.
void ShellOpen(HWND owner, const std::string& file, const char* parameters,
               const std::string& failure);
// Starts the builder with the parameters; when the shell cannot, raises "Unable to start "
// with the path and the system's reason.
void LaunchBuilder(HWND owner, const std::string& builderPath, const std::string& parameters);

} // namespace builder
