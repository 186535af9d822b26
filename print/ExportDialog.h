#pragma once
// "Export": the file type, the output file (or, for HTML with a page per file, the output
// folder), the pages, the layout; and the list of exported files, each of which opens in the
// program suited to it. "View Exported Files" is that list alone.
//
// The dialog works on the export record it is given: after OK it holds the type, the output
// path, the open-after flag and the page range. Nothing is created here: OK only checks that
// the output can be written.

#include "controls/FixedFontDialog.h"
#include "platform/core/String.h"

class CCorraDoc;
class CMRUFileComboBox;
class QLabel;
class QGroupBox;
struct CExportContext;

// The list of exported files and its folder text, shared by both dialogs.
constexpr const char* EXPORTED_FILES_LIST = "ViewPrevExpFiles";

class CExportDialog : public CFixedFontDialog {
public:
    CExportDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParent, CExportContext& ctx, CCorraDoc& doc);

    void OnOK() override;

    static constexpr const char* kSection = "ExportDlg";

    // The type's index in the list ("LastSelected") and "Open after export".
    int m_nLastSelected = 0;
    BOOL m_bOpenAfter = TRUE;

    // Commands (also reached by tests).
    void OnTypeChange();
    void OnSetup();
    void OnChoose();
    void OnChangeStyle();
    void OnViewFile();
    // The output path the edits give (only the folder for one file per page).
    CString GetOutputPath() const;
    // Proposes an output path for the type: the document's name in the folder of the newest
    // exported file of its kind, else in the type's folder.
    void ProposeOutputPath();
    void RefreshAttributes();
    CMRUFileComboBox* GetFilesCombo() const { return m_pFiles; }

protected:
    BOOL OnInitDialog() override;

private:
    BOOL IsFilePerPage() const;
    int SelectedType() const;

    CExportContext& m_ctx;
    CCorraDoc& m_doc;
    CMRUFileComboBox* m_pFiles = nullptr;
    QGroupBox* m_pOutputGroup = nullptr;
};

class CExportedFileViewerDlg : public CFixedFontDialog {
public:
    explicit CExportedFileViewerDlg(CWnd* pParent = nullptr);

    void OnViewFile();
    void RefreshFolder();
    CMRUFileComboBox* GetFilesCombo() const { return m_pFiles; }

protected:
    BOOL OnInitDialog() override;

private:
    CMRUFileComboBox* m_pFiles = nullptr;
};

// "View File..." of both dialogs: the selected entry of the list shown by its kind's program;
// a file that has gone is said and taken off the list. TRUE when a file was shown.
BOOL ViewExportedFile(CWnd* pOwner, CMRUFileComboBox& files);
