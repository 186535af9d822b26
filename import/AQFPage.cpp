#include "import/AQFPage.h"

#include "controls/HVRichEditCtrl.h"
#include "foundation/FileUtil.h"
#include "foundation/Log.h"
#include "foundation/Util.h"
#include "import/AddQuestFromSheet.h"
#include "platform/core/Services.h"
#include "platform/ui/SysColor.h"

#include <QVBoxLayout>

#include <climits>

CAQFPage::CAQFPage(UINT nIDTemplate, const char* caption, UINT nInfoId)
    : CPropertyPage(nIDTemplate, caption), m_nInfoId(nInfoId)
{
    m_pLayout = new QVBoxLayout(this);
    m_pLayout->setContentsMargins(4, 4, 4, 4);
    m_pInfo = MakePane(IDC_AQF_INFO, 40);
    m_pLayout->addWidget(m_pInfo);
}

CInfoRichEdit* CAQFPage::MakePane(int nID, int nHeight)
{
    auto* pane = AddControl(nID, new CInfoRichEdit(this));
    pane->setFixedHeight(nHeight);
    // A pane holds a line or two: it never scrolls.
    pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return pane;
}

CAddQuestFromSheet* CAQFPage::Sheet() const
{
    return dynamic_cast<CAddQuestFromSheet*>(GetSheet());
}

BOOL CAQFPage::OnInitDialog()
{
    m_pInfo->Init(1, AQF_INFO_COLOR, m_nInfoId, GetSysColor(COLOR_BTNFACE));
    return CPropertyPage::OnInitDialog();
}

LRESULT CAQFPage::OnWizardBack()
{
    CAddQuestFromSheet* pSheet = Sheet();
    if (!pSheet || pSheet->m_History.empty())
        return 0;
    return pSheet->m_History.pop_front();
}

void CAQFPage::SetButtons(DWORD dwFlags)
{
    if (CPropertySheet* pSheet = GetSheet())
        pSheet->SetWizardButtons(dwFlags);
}

void CAQFPage::PushThisPage()
{
    if (CAddQuestFromSheet* pSheet = Sheet())
        pSheet->m_History.push_front(static_cast<int>(GetTemplateId()));
}

void CAQFPage::ShowMessage(const CString& text, const CString& more, const CString& last)
{
    CRichMessage msg;
    msg.title = "Message";
    msg.pane[0] = text;
    msg.pane[1] = more;
    msg.pane[2] = last;
    RichMessageBox(msg);
}

int ParseAQFCount(const CString& text)
{
    if (!IsAllDigits(text))
        return -1;
    long long n = 0;
    for (int i = 0; i < text.GetLength(); ++i) {
        n = n * 10 + (text[i] - '0');
        if (n > INT_MAX)
            return INT_MAX;
    }
    return static_cast<int>(n);
}

// --- the report file ----------------------------------------------------------------------------

CString GetAQFLogPath()
{
    CString folder;
    GetServerDirectory(folder);
    folder.TrimRight();
    CString path;
    JoinPath(path, folder, "AQFLog.txt");
    return path;
}

void ResetAQFLog()
{
    if (FILE* f = std::fopen(GetAQFLogPath(), "w"))
        std::fclose(f);
}

FILE* OpenAQFLog()
{
    return std::fopen(GetAQFLogPath(), "a");
}

void CloseAQFLog(FILE* pFile)
{
    if (pFile)
        std::fclose(pFile);
}

void ViewAQFLog()
{
    if (!ViewLogFile(GetAQFLogPath(), "notepad"))
        AfxMessageBox("Failed to view log file.");
}
