#pragma once
// The Add Question Wizard as the main window's tasks reach it: runs the wizard's sheet for a
// start code, hands over what its pages chose, converts with its settings, and closes the
// documents it opened once the transfer is done.

#include "app/TaskServices.h"
#include "import/AQFConvertSettings.h"
#include "platform/ui/Document.h"

#include <memory>
#include <vector>

class CAddQuestionWizard : public IAddQuestionWizard {
public:
    CAddQuestionWizard();
    ~CAddQuestionWizard() override;
    int Run(const CWizardRequest& request, CWizardResult& result, CWnd* pParent) override;
    void CancelCleanUp(const CWizardResult& result) override;
    BOOL AutoConvert(CCorraDoc& target, const CString& text, CHVRichEditCtrl* pCtrl) override;
    void TransferDone(CWizardResult& result) override;

private:
    static void CloseDocs(std::vector<CDocumentRef>& docs);

    std::unique_ptr<class IConversionSupport> m_pSupport;
    CAQFConvertSettings m_settings;
    std::vector<CDocumentRef> m_toClose;        // sources the wizard opened, after the transfer
    std::vector<CDocumentRef> m_cancelTargets;  // targets it made or opened, after a cancel
};
