// The program's only window: every input of the builder's command line, the two
// recent-entry histories and the save dialog.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "History/History.h"
#include "builder/Parameters.h"
#include "gui/ComboBox.h"
#include "gui/Controls.h"
#include "gui/Form.h"
#include "gui/Form1Design.h"
#include "gui/PageControl.h"
#include "gui/Pickers.h"
#include "gui/SpinEdit.h"
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

    // Every input of the builder's command line, each read from its control once; a user
    // error names the first field whose text the code page cannot hold.
    BuilderInputs ReadBuilderInputs() const;
    // The control of a design row.
    gui::TControl& Control(ControlId id);

    gui::TPanel Panel2;
    gui::TLabel lblSource, lblOutput, lblURL;
    gui::TButton btnBrowseSrc, btnBrowseOut;
    gui::TComboBox cmbSource, cmbOutput;
    gui::TButton btnAdvanced, btnCreate;
    gui::TPanel Panel3;
    gui::TBevel bvlSeparator;
    gui::TPageControl pgeAdvanced;
    gui::TPanel TabSheet1, TabSheet2;
    gui::TEdit edtTitle, edtAuthor, edtBuild, edtCopyright;
    gui::TLabel lblTitle, lblAuthor, lblBuild, lblCopyright;
    gui::TCheckBox cbxDev, cbxMpXfer, cbxProtected;
    gui::TLabel lblPriority;
    gui::TSpinEdit spnPriority;
    THistory hstSource, hstOutput;
    gui::TSaveDialog dlgSave;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void MakeControls(bool advancedBlock);
    void CreateControl(const gui::TDesignRow& row, const gui::Rect& placed,
                       const gui::TTextMeasure& measure);
    gui::Rect LabelBounds(const gui::TDesignRow& row, gui::Rect placed,
                          const gui::TTextMeasure& measure) const;
    void WireEvents();
    void LayoutControls();
    void AutoSize();
    gui::Size FittingWindowSize() const;
    void DropFiles(HDROP drop);
    void SaveHistory(THistory& history, const std::string& section);
    static std::string FieldText(const gui::TControl& field, ControlId label);

    int dpi_ = gui::kDesignDpi;
    int laidOutWidth_ = 0;
    bool settingsLoaded_ = true; // the settings file could be read when the window was made
    TFont font_, linkFont_;
};

// Where the histories are kept; worked out once when the window is created.
extern std::string SettingsFilePath;
