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

class TForm1 : public gui::TForm {
public:
    TForm1();
    void Build(gui::TFormHost& host) override;
    // Makes the system window, then every control of the design; used by Build.
    void Create(const gui::TCreateArgs& args) override;
    void FormCreate() override;
    void FormClose(gui::TCloseAction& action) override;
    bool PreTranslateKey(const MSG& msg) override;

    void btnBrowseSrcClick();
    void btnBrowseOutClick();
    void btnAdvancedClick();
    void btnCreateClick();
    void lblURLClick();
    void hstSourceChange(THistory& sender);
    void hstOutputChange(THistory& sender);
    std::string BrowseForFolder(const std::string& initialFolder);

    // The builder's arguments as the user filled their fields, each read from its control
    // once.
    TBuilderArguments ReadArguments() const;
    // The control of a design row.
    gui::TControl& Control(ControlId id);
    const gui::TControl& Control(ControlId id) const;

    // The top block: the two paths and their pickers, the link, "Advanced" and "Create!".
    gui::TPanel Panel2{designed_, idPanel2};
    gui::TLabel lblSource{designed_, idLblSource}, lblOutput{designed_, idLblOutput};
    gui::TComboBox cmbSource{designed_, idCmbSource}, cmbOutput{designed_, idCmbOutput};
    gui::TButton btnBrowseSrc{designed_, idBtnBrowseSrc}, btnBrowseOut{designed_, idBtnBrowseOut};
    gui::TButton btnAdvanced{designed_, idBtnAdvanced}, btnCreate{designed_, idBtnCreate};
    gui::TLink lblURL{designed_, idLblURL};
    // The advanced block, its separator line and its two pages.
    gui::TPanel Panel3{designed_, idPanel3};
    gui::TBevel bvlSeparator{designed_, idBvlSeparator};
    gui::TPageControl pgeAdvanced{designed_, idPgeAdvanced};
    gui::TPanel TabSheet1{designed_, idTabSheet1}, TabSheet2{designed_, idTabSheet2};
    // The "Text" page: four labelled edits.
    gui::TLabel lblTitle{designed_, idLblTitle}, lblAuthor{designed_, idLblAuthor};
    gui::TEdit edtTitle{designed_, idEdtTitle}, edtAuthor{designed_, idEdtAuthor};
    gui::TLabel lblBuild{designed_, idLblBuild}, lblCopyright{designed_, idLblCopyright};
    gui::TEdit edtBuild{designed_, idEdtBuild}, edtCopyright{designed_, idEdtCopyright};
    // The "Misc." page: the three flags and the priority.
    gui::TCheckBox cbxDev{designed_, idCbxDev}, cbxMpXfer{designed_, idCbxMpXfer},
        cbxProtected{designed_, idCbxProtected};
    gui::TLabel lblPriority{designed_, idLblPriority};
    gui::TSpinEdit spnPriority{designed_, idSpnPriority};
    THistory hstSource, hstOutput;
    gui::TSaveDialog dlgSave;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // Making (Form1Build.cpp).
    void MakeControls(bool advancedBlock);
    void CreateControl(const gui::TDesignRow& row, const gui::Rect& placed);
    HFONT FontOf(const gui::TDesignRow& row) const;
    static HFONT MakeFont(int dpi, bool underline);
    void WireEvents();
    // Placing and sizing (Form1Layout.cpp).
    gui::Rect Placed(const gui::TDesignRow& row, gui::Rect placed,
                     const gui::TTextMeasure& measure) const;
    void PlaceControls();
    void LayoutControls();
    void AutoSize();
    gui::Size FittingWindowSize() const;
    // Fonts and places for a new DPI; the window takes the suggested rectangle, or grows or
    // shrinks to fit where none is given.
    void ChangeDpi(int dpi, const RECT* suggested);
    void ApplyLinkColour();
    void DropFiles(HDROP drop);
    // Puts the keyboard focus in the field, its text selected, where it can take the focus.
    void FocusField(ControlId id);

    gui::TSession session_;
    int dpi_ = gui::kDesignDpi;
    int laidOutWidth_ = 0;
    TFont font_, linkFont_;
};
