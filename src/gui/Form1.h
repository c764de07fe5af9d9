// The program's only window: every input of the builder's command line, the two
// recent-entry histories and the save dialog. Each control is a member made with its design
// row's id; the row (Form1Design.h) says everything else about it.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "History/History.h"
#include "controls/ComboBox.h"
#include "controls/Controls.h"
#include "controls/Form.h"
#include "gui/Form1Design.h"
#include "controls/PageControl.h"
#include "gui/Pickers.h"
#include "gui/Session.h"
#include "controls/SpinEdit.h"
#include "shared/Handles.h"

namespace gui {

class TForm1 : public controls::TForm {
public:
    TForm1();
    void Build(controls::TFormHost& host) override;
    // Makes the system window, then every control of the design; used by Build.
    void Create(const controls::TCreateArgs& args) override;
    void FormCreate() override;
    void FormClose(controls::TCloseAction& action) override;
    bool PreTranslateKey(const MSG& msg) override;

    void btnBrowseSrcClick();
    void btnBrowseOutClick();
    void btnAdvancedClick();
    void btnCreateClick();
    void lblURLClick();
    void hstSourceChange(History::THistory& sender);
    void hstOutputChange(History::THistory& sender);
    std::string BrowseForFolder(const std::string& initialFolder);

    // The builder's arguments as the user filled their fields, each read from its control
    // once.
    builder::TBuilderArguments ReadArguments() const;
    // The control of a design row.
    controls::TControl& Control(ControlId id);
    const controls::TControl& Control(ControlId id) const;

    // The top block: the two paths and their pickers, the link, "Advanced" and "Create!".
    controls::TPanel Panel2{designed_, idPanel2};
    controls::TLabel lblSource{designed_, idLblSource}, lblOutput{designed_, idLblOutput};
    controls::TComboBox cmbSource{designed_, idCmbSource}, cmbOutput{designed_, idCmbOutput};
    controls::TButton btnBrowseSrc{designed_, idBtnBrowseSrc},
        btnBrowseOut{designed_, idBtnBrowseOut};
    controls::TButton btnAdvanced{designed_, idBtnAdvanced}, btnCreate{designed_, idBtnCreate};
    controls::TLink lblURL{designed_, idLblURL};
    // The advanced block, its separator line and its two pages.
    controls::TPanel Panel3{designed_, idPanel3};
    controls::TBevel bvlSeparator{designed_, idBvlSeparator};
    controls::TPageControl pgeAdvanced{designed_, idPgeAdvanced};
    controls::TPanel TabSheet1{designed_, idTabSheet1}, TabSheet2{designed_, idTabSheet2};
    // The "Text" page: four labelled edits.
    controls::TLabel lblTitle{designed_, idLblTitle}, lblAuthor{designed_, idLblAuthor};
    controls::TEdit edtTitle{designed_, idEdtTitle}, edtAuthor{designed_, idEdtAuthor};
    controls::TLabel lblBuild{designed_, idLblBuild}, lblCopyright{designed_, idLblCopyright};
    controls::TEdit edtBuild{designed_, idEdtBuild}, edtCopyright{designed_, idEdtCopyright};
    // The "Misc." page: the three flags and the priority.
    controls::TCheckBox cbxDev{designed_, idCbxDev}, cbxMpXfer{designed_, idCbxMpXfer},
        cbxProtected{designed_, idCbxProtected};
    controls::TLabel lblPriority{designed_, idLblPriority};
    controls::TSpinEdit spnPriority{designed_, idSpnPriority};
    History::THistory hstSource, hstOutput;
    gui::TSaveDialog dlgSave;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // Making (Form1Build.cpp).
    void MakeControls(bool advancedBlock);
    void CreateControl(const gui::TDesignRow& row, const controls::Rect& placed);
    HFONT FontOf(const gui::TDesignRow& row) const;
    static HFONT MakeFont(int dpi, bool underline);
    void WireEvents();
    // Placing and sizing (Form1Layout.cpp).
    controls::Rect Placed(const gui::TDesignRow& row, controls::Rect placed,
                          const controls::TTextMeasure& measure) const;
    void PlaceControls();
    void LayoutControls();
    void AutoSize();
    controls::Size FittingWindowSize() const;
    // Fonts and places for a new DPI; the window takes the suggested rectangle, or grows or
    // shrinks to fit where none is given.
    void ChangeDpi(int dpi, const RECT* suggested);
    void ApplyLinkColour();
    void DropFiles(HDROP drop);
    // Puts the keyboard focus in the field, its text selected, where it can take the focus.
    void FocusField(ControlId id);

    gui::TSession session_;
    int dpi_ = controls::kDesignDpi;
    int laidOutWidth_ = 0;
    shared::TFont font_, linkFont_;
};

} // namespace gui
