#include "app/TaskServices.h"

namespace {

// Nothing installed: the wizard is cancelled at once and converts nothing.
class CNoWizard : public IAddQuestionWizard {
public:
    int Run(const CWizardRequest&, CWizardResult&, CWnd*) override { return IDCANCEL; }
    void CancelCleanUp(const CWizardResult&) override {}
    BOOL AutoConvert(CCorraDoc&, const CString&, CHVRichEditCtrl*) override { return FALSE; }
};

class CNoDialog : public ICommandDialog {
public:
    void Run(CWnd*) override {}
};

CNoWizard g_noWizard;
CNoDialog g_noImport;
CNoDialog g_noExported;
CServiceSlot<IAddQuestionWizard> g_wizardSlot(g_noWizard);
CServiceSlot<ICommandDialog> g_importSlot(g_noImport);
CServiceSlot<ICommandDialog> g_exportedSlot(g_noExported);

} // namespace

CServiceSlot<IAddQuestionWizard>& AddQuestionWizardSlot()
{
    return g_wizardSlot;
}

CServiceSlot<ICommandDialog>& ImportFilesDialogSlot()
{
    return g_importSlot;
}

CServiceSlot<ICommandDialog>& ExportedFilesViewerSlot()
{
    return g_exportedSlot;
}
