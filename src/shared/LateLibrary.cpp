#include "shared/LateLibrary.h"

#include <string>

#include "shared/Exceptions.h"
#include "shared/System.h"

namespace shared {

FARPROC TLateLibrary::Proc(const char* function) {
    if (!module_) {
        module_ = LoadSystemLibrary(name_);
        if (!module_)
            throw Exception(std::string("Unable to load ") + name_ + ": " +
                            SystemErrorText(GetLastError()));
    }
    FARPROC proc = GetProcAddress(module_, function);
    if (!proc)
        throw Exception(std::string(name_) + " has no function " + function);
    return proc;
}

} // namespace shared
