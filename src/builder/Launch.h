// Starting the builder, VKB.exe, from the folder of our own executable.
#pragma once

#include <windows.h>

#include <string>

// VKB.exe in the folder of the running executable.
std::string BuilderPath();
// Hands the builder to the shell and returns at once; nothing waits for it, and whatever
// the shell shows when it cannot start it is all the user sees.
void LaunchBuilder(HWND owner, const std::string& builderPath, const std::string& parameters);
