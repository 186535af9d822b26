#include "dialogs/InvalidQuestionsMsgBox.h"

#include <QFrame>

CInvalidQuestionsMsgBox::CInvalidQuestionsMsgBox(LPCSTR pszReport, CWnd* pParent)
    : CHVMsgBox("Invalid Questions", RMB_YESNOCANCEL, nullptr, pParent), m_csReport(pszReport ? pszReport : "")
{
    m_csPane1 = "Invalid Questions Found";
    m_csPane4 = m_csReport;
    m_csYes = "Edit";
    m_csNo = "Show report";
    m_csCancel = "Cancel";
}

BOOL CInvalidQuestionsMsgBox::OnInitDialog()
{
    const BOOL result = CHVMsgBox::OnInitDialog();
    // The report stands apart from the heading.
    if (CHVMsgPane* pane = GetPane(3)) {
        pane->setFrameShape(QFrame::StyledPanel);
        pane->setFrameShadow(QFrame::Sunken);
    }
    Relayout();
    return result;
}
