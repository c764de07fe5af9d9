// Child-window ids of the main window's controls. Tests outside the process find the
// controls by these ids. They start above IDOK/IDCANCEL, which the dialog manager sends
// for Enter and Escape: those keys must press nothing here.
#pragma once

namespace gui {

enum ControlId : int {
    idForm = 0, // the main window itself; in a design row that names no control
    idPanel2 = 100,
    idLblSource,
    idLblOutput,
    idLblURL,
    idBtnBrowseSrc,
    idBtnBrowseOut,
    idCmbSource,
    idCmbOutput,
    idBtnAdvanced,
    idBtnCreate,
    idPanel3,
    idBvlSeparator,
    idPgeAdvanced,
    idTabSheet1,
    idTabSheet2,
    idEdtTitle,
    idLblTitle,
    idEdtAuthor,
    idLblAuthor,
    idEdtBuild,
    idLblBuild,
    idEdtCopyright,
    idLblCopyright,
    idCbxDev,
    idCbxMpXfer,
    idCbxProtected,
    idLblPriority,
    idSpnPriority,
};

// Window classes of our own, for finding windows from outside.
#define VESK_FORM_CLASS "TForm1"
#define VESK_APP_CLASS "TApplication"

} // namespace gui
