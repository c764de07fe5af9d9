// Making the main window and its controls from the design table.
#include "gui/Form1.h"

#include <string>
#include <vector>
#include <stdexcept>
#include <utility>

#include "shared/System.h"

namespace gui {

using controls::Rect;
using gui::TDesignRow;

HFONT TForm1::MakeFont(int dpi, bool underline) {
    HFONT font = CreateFontA(-MulDiv(gui::kFontPoints, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE,
                             underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                             gui::kFontFace);
    if (!font)
        throw std::runtime_error(std::string("Cannot create the font ") + gui::kFontFace);
    return font;
}

controls::TControl& TForm1::Control(ControlId id) {
    return const_cast<controls::TControl&>(static_cast<const TForm1&>(*this).Control(id));
}

const controls::TControl& TForm1::Control(ControlId id) const {
    if (id == idForm)
        return *this;
    if (const controls::TControl* control = designed_.Find(id))
        return *control;
    throw std::logic_error("The main window has no member for the design row " +
                           std::to_string(id));
}

void TForm1::Build(controls::TFormHost& host) {
    host_ = &host;
    dlgSave.Owner = host.OwnerWindow();
    // The system's DPI, which is the primary monitor's, where the window is made.
    dpi_ = shared::ScreenDpi();
    RegisterWindowClass(VESK_FORM_CLASS, host.AppIcon());
    // Made at the size and place of its first showing, so that showing it moves nothing.
    const controls::Size size = FittingWindowSize();
    const controls::Point at = controls::CentreOnScreen(
        GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), size.width, size.height);
    Create({host.OwnerWindow(), 0, "Veskmaker", {at.x, at.y, size.width, size.height}, false});
}

void TForm1::Create(const controls::TCreateArgs& args) {
    font_.Reset(MakeFont(dpi_, false));
    linkFont_.Reset(MakeFont(dpi_, true));
    CreateCustom(controls::kFormExStyle, VESK_FORM_CLASS, controls::kFormStyle, args);
    dlgSave.MainForm = Handle();
    SetFont(font_.Get(), false);
    laidOutWidth_ = controls::ScaleToDpi(gui::kDesignWidth, dpi_);
    // The advanced block is made when it is first shown; until then its control objects hold
    // their values.
    MakeControls(false);
    ApplyLinkColour();
    WireEvents();
    // Made on a monitor of another scale than the primary one, it takes that monitor's at once.
    if (const int dpi = shared::WindowDpi(Handle()); dpi != dpi_)
        ChangeDpi(dpi, nullptr);
}

void TForm1::MakeControls(bool advancedBlock) {
    const std::vector<controls::Rect> placed = gui::PlaceDesign(laidOutWidth_, dpi_);
    const controls::TTextMeasure measure(font_.Get());
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const TDesignRow& row = gui::kForm1Design[i];
        if (gui::WithinBlock(row, idPanel3) == advancedBlock)
            CreateControl(row, Placed(row, placed[i], measure));
    }
    if (advancedBlock)
        pgeAdvanced.SetActivePage(0);
}

void TForm1::CreateControl(const TDesignRow& row, const controls::Rect& placed) {
    controls::TControl& control = Control(row.id);
    control.SetDpi(dpi_);
    control.Create(
        {Control(row.parent).Handle(), row.id, row.text, placed, !(row.options & gui::doHidden)});
    control.SetFont(FontOf(row), false);
    if (row.options & gui::doDisabled)
        control.SetEnabled(false);
    // The design's pages belong to its one page control.
    if (row.options & gui::doPage)
        pgeAdvanced.AddPage(control, row.text);
    // Named for screen readers where the caption says too little.
    if (const std::string name = gui::AccessibleNameOf(row); !name.empty())
        control.SetAccessibleName(name);
}

HFONT TForm1::FontOf(const TDesignRow& row) const {
    return (row.options & gui::doLink) ? linkFont_.Get() : font_.Get();
}

void TForm1::WireEvents() {
    btnBrowseSrc.onClick = [this] { btnBrowseSrcClick(); };
    btnBrowseOut.onClick = [this] { btnBrowseOutClick(); };
    btnAdvanced.onClick = [this] { btnAdvancedClick(); };
    btnCreate.onClick = [this] { btnCreateClick(); };
    lblURL.onClick = [this] { lblURLClick(); };
}

} // namespace gui
