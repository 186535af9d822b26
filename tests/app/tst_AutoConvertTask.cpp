// A teacher's own typed test, turned into a bank through the main window's AutoConvert task.

#include "app/MainFrm.h"
#include "app/TaskServices.h"
#include "controls/HVRichEditCtrl.h"
#include "import/AQFConvertSettings.h"
#include "import/FileBuf.h"
#include "import/SourceDoc.h"
#include "import/SourceMgr.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "platform/core/FileSys.h"
#include "platform/ui/DocTemplate.h"
#include "res/ids/QuestionTypes.h"
#include "tests/app/AppFixture.h"

#include <string>
#include <vector>

namespace {

// The wizard as a teacher finishes it: AutoConvert into the bank it names, with the text the
// pages left, through the engine.
class CConvertingWizard : public IAddQuestionWizard {
public:
    int Run(const CWizardRequest&, CWizardResult& result, CWnd*) override
    {
        result.pTarget = target;
        result.nMethod = 0;
        result.sourceText = text;
        return IDOK;
    }
    void CancelCleanUp(const CWizardResult&) override {}
    BOOL AutoConvert(CCorraDoc& doc, const CString& t, CHVRichEditCtrl* pCtrl) override
    {
        return AutoConvertText(doc, t, pCtrl, settings);
    }
    CDocument* target = nullptr;
    CString text;
    CAQFConvertSettings settings;
};

class AutoConvertTaskTest : public MainWindowTest {};

TEST_F(AutoConvertTaskTest, ATeachersTypedTestBecomesABankThatOpensAgain)
{
    StartApp();
    ASSERT_NE(m_pMain, nullptr);
    // The pages load the file and take the numbers and leaders out in their control.
    CFileBuf source;
    ASSERT_TRUE(source.Load(TestDataPath("autoconvert/teacher.txt")));
    CSourceMgrParser parser;
    CServiceScope<IIdentifierParser> parserScope(IdentifierParserSlot(), parser);
    CHVRichEditCtrl ctrl;
    ctrl.SetText(source.GetWorkingText(), SF_TEXT);
    CConvertingWizard wizard;
    const CChoiceLabelRule rule = wizard.settings.LabelRule();
    EXPECT_GT(ctrl.RemoveIdentifiers('.') + ctrl.RemoveIdentifiers(".)", "0123456789", &rule), 0);
    ASSERT_EQ(CSourceDoc::AutoConvert2(&ctrl, nullptr, &wizard.settings), 0);
    // At Finish the wizard keeps the control's text as RTF.
    ctrl.StreamOutText(wizard.text, SF_RTF);

    CDocument* pNew = m_app->m_pCorraTemplate->OpenDocumentFile(nullptr);
    ASSERT_NE(pNew, nullptr);
    wizard.target = pNew;
    CServiceScope<IAddQuestionWizard> scope(AddQuestionWizardSlot(), wizard);
    CWizardRequest request;
    request.title = "AutoConvert...";
    CWizardResult result;
    ASSERT_EQ(m_pMain->RunWizard(request, result), IDOK);
    EXPECT_TRUE(pNew->IsModified());
    const CString path = HomePath("Converted.crr");
    ASSERT_TRUE(pNew->DoSave(path));
    m_app->CloseAllDocuments(FALSE);

    auto* pBank = dynamic_cast<CCorraDoc*>(m_app->OpenDocumentFile(path));
    ASSERT_NE(pBank, nullptr);
    std::vector<CCorraQuestion*> qs;
    for (POSITION pos = pBank->m_plQuestions.GetHeadPosition(); pos;)
        qs.push_back(static_cast<CCorraQuestion*>(pBank->m_plQuestions.GetNext(pos)));
    ASSERT_EQ(qs.size(), 4u);
    const std::vector<std::string> texts = {
        "Which organelle makes energy for the cell?", "Which is a producer?",
        "Read the passage. The caf\xe9 owner grows basil on the roof.\n\nHow many leaves does the basil plant in the "
        "passage have?",
        "At sea level water boils at"};
    const std::vector<std::vector<std::string>> choices = {
        {"mitochondrion", "ribosome", "vacuole"}, {"grass", "rabbit", "fox"}, {"39", "49", "59"},
        {"100 degrees", "50 degrees"}};
    for (size_t i = 0; i < qs.size(); ++i) {
        // The text as the editor shows it (the program's own plain text marks accents with "@").
        CHVRichEditCtrl shown;
        shown.SetText(qs[i]->m_cszQuestionText, SF_RTF);
        CString text = shown.StreamOut(SF_TEXT);
        EXPECT_EQ(text.Trim().str(), texts[i]) << i;
        EXPECT_EQ(qs[i]->m_nType, static_cast<int>(IDS_QTYPE_MC)) << i;
        EXPECT_TRUE(qs[i]->m_cszAnswer.IsEmpty()) << i;
        ASSERT_EQ(qs[i]->GetChoicesCount(), static_cast<int>(choices[i].size())) << i;
        for (size_t c = 0; c < choices[i].size(); ++c)
            EXPECT_EQ(qs[i]->GetChoice(static_cast<int>(c), TRUE).Trim().str(), choices[i][c]) << i << "," << c;
    }
}

} // namespace
