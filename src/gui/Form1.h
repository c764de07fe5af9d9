// The program's only window: every input of the builder's command line, the two
// recent-entry histories and the save dialog.
#pragma once

#include <string>

#include "History/History.h"
#include "builder/Parameters.h"
#include "gui/Controls.h"
#include "gui/Form.h"
#include "gui/Pickers.h"
#include "gui/SpinEdit.h"

// The maker's web site: shown as the link's caption, opened with "http://" in front.
constexpr char kMakerHost[] = "www.veskmaker.example";

class TForm1 : public gui::TForm {
public:
    TForm1();
    ~TForm1() override;
    void Build() override;
    void FormCreate() override;
    void FormClose(gui::TCloseAction& action) override;

    void btnBrowseSrcClick();
    void btnBrowseOutClick();
    void btnAdvancedClick();
    void btnCreateClick();
    void lblURLClick();
    void hstSourceChange(THistory& sender);
    void hstOutputChange(THistory& sender);
    std::string BrowseForFolder(const std::string& initialFolder);

    // Every input of the builder's command line, read from the controls right now.
    BuilderInputs ReadBuilderInputs() const;

    gui::TPanel Panel2;
    gui::TLabel lblSource, lblOutput, lblURL;
    gui::TButton btnBrowseSrc, btnBrowseOut;
    gui::TComboBox cmbSource, cmbOutput;
    gui::TButton btnAdvanced, btnCreate;
    gui::TPanel Panel3;
    gui::TBevel bvlSeparator;
    gui::TPageControl pgeAdvanced;
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
    void CreateControls();
    void LayoutControls();
    void AutoSize();
    void DropFiles(HDROP drop);

    int dpi_ = gui::kDesignDpi;
    int laidOutWidth_ = 0;
    gui::TFont font_, linkFont_;
};

// The main window, once built.
extern TForm1* Form1;
// Where the histories are kept; worked out once when the window is created.
extern std::string SettingsFilePath;
