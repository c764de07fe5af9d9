// Starting the builder, VKB.exe, from the folder of our own executable.
#pragma once

#include <windows.h>

#include <string>

// Hands the builder to the shell and returns at once; nothing waits for it. When the shell
// cannot start it, raises a user error "Unable to start " with the path and the system's
// reason; the shell shows no box of its own, so the user reads one message, not two.
void LaunchBuilder(HWND owner, const std::string& builderPath, const std::string& parameters);
