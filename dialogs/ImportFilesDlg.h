#pragma once
// "Import Files": one button per document kind, each copying files the user picks into the
// program's folder of that kind.

#include "platform/ui/Dialog.h"

class CImportFilesDlg : public CDialog {
public:
    explicit CImportFilesDlg(CWnd* pParent = nullptr);

    // Imports files of one kind (DT_CORRA, DT_EXAM, DT_SRC, DT_IMAGE, DT_DATA).
    void OnImport(int nType);
};
