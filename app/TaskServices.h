#pragma once
// The neighbours the main frame's tasks and commands call on and that stand above or beside the
// application's own code: the Add Question Wizard with its AutoConvert, the Import Files dialog
// and the View Exported Files dialog. While a slot holds nothing, its commands are disabled and
// its tasks end as if the user had cancelled.

#include "platform/core/ServiceSlot.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"
#include "foundation/PtrListEx.h"
#include "platform/ui/Document.h"

class CCorraDoc;
class CDocument;
class CHVRichEditCtrl;
class CWnd;

// The wizard's own codes of the pages it starts on. The random exam's code has the value of the
// "Main menu" command but is the wizard's, never that command.
constexpr UINT WIZARD_START_AUTOCONVERT = 32776;
constexpr UINT WIZARD_START_AUTOCONVERT_EXAM = 32859;
constexpr UINT WIZARD_START_AUTOCONVERT_DOC = 32860;
constexpr UINT WIZARD_START_RANDOM_EXAM = 32788;
constexpr UINT WIZARD_START_RANDOM_ADD = 32794;
constexpr DWORD WIZARD_SHEET_RANDOM_EXAM = 4;

// How the wizard is started.
struct CWizardRequest {
    CString title;          // the wizard's caption, e.g. "AutoConvert..."
    UINT nStartCommand = 0;  // the wizard's own code of its first page (0: its usual start)
    DWORD dwSheetFlags = 0;
    LPARAM lParam = 0;       // the document a task passed on, or 0
    CDocumentRef doc;        // that document, checked, when the task named it so
};

// What a finished wizard chose.
struct CWizardResult {
    CDocument* pTarget = nullptr;
    int nMethod = -1;        // 0 AutoConvert, 1 to 3 copy from a document, 4 type questions in
    CString sourceText;      // AutoConvert: the text to convert
    CString labelSetting;    // AutoConvert: the choice-label setting ("1." and the like: lower case)
    CString collection;      // the target's collection to fill, or empty
    CString sourcePath;      // copy: the document the questions come from
    CDocumentRef source;     // copy: that document when the wizard has it open (it may have no path)
    int nCopyMode = 0;       // 0 side by side, 1 the source collection's questions (all without one), 2 the list
    CString sourceCollection;
    CPtrListEx questions;    // copy mode 2: the questions chosen (the wizard keeps them)
};

class IAddQuestionWizard {
public:
    virtual ~IAddQuestionWizard() = default;
    // Runs the wizard modally: IDCANCEL (2) when cancelled, IDOK otherwise.
    virtual int Run(const CWizardRequest& request, CWizardResult& result, CWnd* pParent) = 0;
    // After a cancelled run: closes the target document the wizard opened.
    virtual void CancelCleanUp(const CWizardResult& result) = 0;
    // Questions of the target made from a text: a plain text, or the RTF text loaded in pCtrl.
    virtual BOOL AutoConvert(CCorraDoc& target, const CString& text, CHVRichEditCtrl* pCtrl) = 0;
    // After a finished run's transfer (done or failed): the documents the wizard opened for it
    // may go now.
    virtual void TransferDone(CWizardResult& result) {}
};
CServiceSlot<IAddQuestionWizard>& AddQuestionWizardSlot();

// A modal dialog the main frame opens from a command and whose result it does not read.
class ICommandDialog {
public:
    virtual ~ICommandDialog() = default;
    virtual void Run(CWnd* pParent) = 0;
};
CServiceSlot<ICommandDialog>& ImportFilesDialogSlot();
CServiceSlot<ICommandDialog>& ExportedFilesViewerSlot();
