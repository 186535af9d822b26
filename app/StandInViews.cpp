#include "app/StandInViews.h"

#include "foundation/Util.h"
#include "platform/core/FileSys.h"
#include "platform/core/Services.h"
#include "platform/ui/DC.h"
#include "platform/ui/FrameworkIds.h"
#include "platform/ui/QtString.h"

#include <QPainter>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

int g_nCounter = 1;
int g_nStartupValue = 0;

const CDocViewKind s_examKind(typeid(CExamStandInDoc), DVK_EXAMDOC);
const CDocViewKind s_sourceKind(typeid(CSourceStandInDoc), DVK_SOURCEDOC);
const CDocViewKind s_paneKind(typeid(CCorraPaneView), DVK_CORRAVIEW);
const CDocViewKind s_collKind(typeid(CCollPaneView), DVK_COLLVIEW);

constexpr int kLineHeight = 18;

} // namespace

BOOL CSourceStandInDoc::ReadFromFile(LPCSTR lpszPathName)
{
    return fsys::ReadFile(lpszPathName, m_text);
}

CCorraPaneView::CCorraPaneView() = default;

void CCorraPaneView::StartupCounterStep()
{
    g_nStartupValue = g_nCounter++;
}

int CCorraPaneView::StartupCounter()
{
    return g_nStartupValue;
}

int CCorraPaneView::GetItemCount() const
{
    auto* pDoc = dynamic_cast<CCorraDoc*>(m_pDocument);
    if (!pDoc)
        return 0;
    // Collections are not told apart yet: the upper pane shows the questions, the lower none.
    return m_nPaneIndex == 0 ? pDoc->GetQuestionCount() : 0;
}

SIZE CCorraPaneView::GetContentSize() const
{
    int n = GetItemCount();
    return {viewport()->width(), n > 0 ? (n + 1) * kLineHeight : 0};
}

CString CCorraPaneView::Summary() const
{
    auto* pDoc = dynamic_cast<CCorraDoc*>(m_pDocument);
    CString text;
    if (!pDoc)
        return text;
    if (m_nPaneIndex == 0) {
        text.Format("%s\n%s\n\n%d questions", static_cast<const char*>(pDoc->m_csTitle1),
                    static_cast<const char*>(pDoc->m_csTitle2), GetItemCount());
    } else {
        text.Format("Collections: %d", GetItemCount());
    }
    return text;
}

void CCorraPaneView::OnDraw(CDC*)
{
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), m_nPaneIndex == 0 ? QColor(255, 255, 255) : QColor(246, 248, 252));
    p.setPen(QColor(28, 42, 116));
    p.drawText(viewport()->rect().adjusted(12, 10, -12, -10), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               ToQString(Summary()));
}

LRESULT CCorraPaneView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CORRA_RESAVE) {
        // The document was repaired or converted while read: it is saved again at once.
        if (m_pDocument)
            m_pDocument->SetModifiedFlag(TRUE);
        PostCommand(ID_FILE_SAVE);
        return 0;
    }
    return CView::WindowProc(message, wParam, lParam);
}

BOOL CCollPaneView::SaveModified()
{
    if (!m_bModified)
        return TRUE;
    ++m_nAsked;
    CString prompt = "Save " + m_csKind + " '" + m_csName + "'?";
    switch (AfxMessageBox(prompt, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDCANCEL: return FALSE;
    case IDYES:
        m_bModified = FALSE;
        if (m_pDocument)
            m_pDocument->SetModifiedFlag(TRUE);
        return TRUE;
    default: return TRUE;
    }
}

CSourcePaneView::CSourcePaneView()
{
    m_pEdit = new QPlainTextEdit(viewport());
    m_pEdit->setReadOnly(true);
    auto* layout = new QVBoxLayout(viewport());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pEdit);
}

void CSourcePaneView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0, nullptr);
}

void CSourcePaneView::OnUpdate(CView*, LPARAM, CObject*)
{
    auto* pDoc = dynamic_cast<CSourceStandInDoc*>(m_pDocument);
    m_pEdit->setPlainText(pDoc ? QString::fromLocal8Bit(pDoc->m_text.data(), static_cast<int>(pDoc->m_text.size()))
                               : QString());
}
