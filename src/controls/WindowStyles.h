// The window classes and styles of the main window and of each kind of control, as the program
// makes them. The view floor in bench/ (a bare program that makes the same windows and nothing
// else, against which the start-up is measured) makes its windows from the same, so the two
// cannot drift.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "controls/rules/ControlKind.h"

namespace controls {

inline constexpr DWORD kFormStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
inline constexpr DWORD kFormExStyle = WS_EX_CONTROLPARENT | WS_EX_ACCEPTFILES;
inline constexpr DWORD kChildStyle = WS_CHILD | WS_CLIPSIBLINGS;
// The hidden application window: a zero-sized captioned popup that carries the taskbar button.
inline constexpr DWORD kAppWindowStyle =
    WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX;
// The registered class of the plain containers.
inline constexpr const char* kPanelClass = "TPanel";

struct TWindowStyle {
    const char* className;
    DWORD style;
    DWORD exStyle;
};

constexpr TWindowStyle StyleOf(TControlKind kind) {
    switch (kind) {
    case TControlKind::Panel:
        // Tab and arrow-key navigation must walk into the panel's children.
        return {kPanelClass, kChildStyle, WS_EX_CONTROLPARENT};
    case TControlKind::Label:
        // SS_NOPREFIX: an '&' in a caption is shown as itself.
        return {WC_STATICA, kChildStyle | SS_LEFT | SS_NOPREFIX | SS_NOTIFY, 0};
    case TControlKind::Button:
        return {WC_BUTTONA, kChildStyle | WS_TABSTOP | BS_PUSHBUTTON, 0};
    case TControlKind::CheckBox:
        return {WC_BUTTONA, kChildStyle | WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    case TControlKind::ComboBox:
        return {WC_COMBOBOXA,
                kChildStyle | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0};
    case TControlKind::Edit:
    case TControlKind::SpinEdit: // its arrow column is a sibling laid over its right edge
        return {WC_EDITA, kChildStyle | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case TControlKind::PageControl:
        return {WC_TABCONTROLA, kChildStyle | WS_TABSTOP, 0};
    case TControlKind::Bevel:
        return {WC_STATICA, kChildStyle | SS_ETCHEDHORZ, 0};
    }
    return {WC_STATICA, kChildStyle, 0};
}

} // namespace controls
