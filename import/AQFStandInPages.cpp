#include "import/AQFStandInPages.h"

#include "controls/HVRichEditCtrl.h"
#include "import/AddQuestFromSheet.h"

#include <QVBoxLayout>

CAQFPassPage::CAQFPassPage(UINT nIDTemplate, const char* caption, UINT nNext)
    : CAQFPage(nIDTemplate, caption, 0), m_nNext(nNext)
{
    PageLayout()->addStretch(1);
}

BOOL CAQFPassPage::OnInitDialog()
{
    CAQFPage::OnInitDialog();
    m_pInfo->SetPaneText(m_nNext ? "AutoConvert takes the text with its usual settings: numbered questions, each "
                                   "followed by its choices a., b., c. ..."
                                 : "Press Finish to convert the text into questions.");
    return TRUE;
}

BOOL CAQFPassPage::OnSetActive()
{
    CAQFPage::OnSetActive();
    SetButtons(m_nNext ? PSWIZB_BACK | PSWIZB_NEXT : PSWIZB_BACK | PSWIZB_FINISH);
    return TRUE;
}

LRESULT CAQFPassPage::OnWizardNext()
{
    if (!m_nNext)
        return -1;
    PushThisPage();
    return m_nNext;
}

BOOL CAQFPassPage::OnWizardFinish()
{
    CAddQuestFromSheet* pSheet = Sheet();
    return !m_nNext && pSheet && pSheet->CanFinish();
}

CAQFLoadSourcePage::CAQFLoadSourcePage() : CAQFPassPage(IDD_AQF_AC_LINE_FORMAT, "Select Line Format", IDD_AQF_AC_ATTR2)
{
}

BOOL CAQFLoadSourcePage::OnSetActive()
{
    CAQFPassPage::OnSetActive();
    if (CAddQuestFromSheet* pSheet = Sheet())
        pSheet->LoadSourceText();
    return TRUE;
}
