// System DLLs that the window does not need to appear: loaded when first used, so that the
// start does not wait for them, and always from the system folder (LoadSystemLibrary), never
// from beside the exe. A DLL that cannot be loaded then, or lacks the function, gives a user
// error that names it, shown like every other.
#pragma once

#include <windows.h>

namespace shared {

class TLateLibrary {
public:
    // Constant: the objects below are ready before any code runs, and load nothing until asked.
    explicit constexpr TLateLibrary(const char* name) : name_(name) {}
    TLateLibrary(const TLateLibrary&) = delete;
    TLateLibrary& operator=(const TLateLibrary&) = delete;
    // Kept loaded for the life of the process, as an import would be: the shell and COM
    // may still run code of theirs when static objects go.
    ~TLateLibrary() = default;

    // The function's address; raises Exception when the DLL or the function is missing.
    FARPROC Proc(const char* function);

private:
    const char* name_;
    // cppcheck-suppress unsafeClassCanLeak ; kept loaded for the process's life, see above
    HMODULE module_ = nullptr;
};

// The function of that name, typed as its header declares it:
//   LateProc<decltype(&GetSaveFileNameA)>(Comdlg32, "GetSaveFileNameA")
template <typename F> F LateProc(TLateLibrary& library, const char* function) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(library.Proc(function)));
}

// One object each for the life of the process, loaded on first use.
inline TLateLibrary Shell32("shell32.dll");
inline TLateLibrary Ole32("ole32.dll");
inline TLateLibrary Comdlg32("comdlg32.dll");
// For screen readers only, when one first asks.
inline TLateLibrary Oleacc("oleacc.dll");
inline TLateLibrary Oleaut32("oleaut32.dll");

} // namespace shared
