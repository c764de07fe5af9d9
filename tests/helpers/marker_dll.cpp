// A DLL planted under a system DLL's name beside the program: when anything loads it, it writes
// "<its own path>.loaded", so a test can tell that the planted copy ran instead of the
// system's own.
#include <windows.h>

#include <string>

#include "WinFiles.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    std::string path(MAX_PATH + 1, '\0');
    path.resize(GetModuleFileNameA(instance, path.data(), MAX_PATH));
    const winfiles::UniqueHandle marker(CreateFileA((path + ".loaded").c_str(), GENERIC_WRITE, 0,
                                                    nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                                    nullptr));
    return TRUE;
}
