// Names for screen readers where the system's own would say too little or nothing: a window
// answers a reader's question for its client area (WM_GETOBJECT, OBJID_CLIENT) with the
// system's standard accessible object for it, wrapped so that only the name, and where given
// the role, differ. The question reaches the name through the procedure the control's window
// already has (controls/Window.h), never through a subclass of its own. oleacc is loaded when a
// reader first asks, never at start.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace controls {

class TAccessibleName {
public:
    // role: one of the system's ROLE_SYSTEM_ values, or 0 to keep the standard object's.
    explicit TAccessibleName(const std::string& name, long role = 0);

    // The answer to WM_GETOBJECT sent to the named window: our object for its client area; 0
    // for any other question, or when none can be made, and the window's own procedure answers.
    LRESULT Answer(HWND hwnd, WPARAM wParam, LPARAM lParam) const noexcept;

private:
    // The standard object with our name, marshalled for the asker; 0 when none can be made.
    LRESULT NamedObject(HWND hwnd, WPARAM flags) const;

    std::vector<wchar_t> name_; // with its terminating zero
    long role_;
};

} // namespace controls
