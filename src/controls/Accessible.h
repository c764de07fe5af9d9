// Names for screen readers where the system's own would say too little or nothing: a window
// answers a reader's question for its client area (WM_GETOBJECT, OBJID_CLIENT) with the
// system's standard accessible object for it, wrapped so that only the name, and where given
// the role, differ. oleacc is loaded when a reader first asks, never at start.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace gui {

class TAccessibleName {
public:
    // role: one of the system's ROLE_SYSTEM_ values, or 0 to keep the standard object's.
    TAccessibleName(HWND hwnd, const std::string& name, long role = 0);
    TAccessibleName(const TAccessibleName&) = delete;
    TAccessibleName& operator=(const TAccessibleName&) = delete;
    ~TAccessibleName();

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR refData);
    // The standard object with our name, marshalled for the asker; 0 when none can be made.
    LRESULT Answer(WPARAM flags) const;

    HWND hwnd_;
    std::vector<wchar_t> name_; // with its terminating zero
    long role_;
};

} // namespace gui
