#pragma once
// "Invalid Questions": what the check of a document found, with "Edit" (IDYES), "Show report"
// (IDNO) and "Cancel" (IDCANCEL).

#include "controls/HVMsgBox.h"

class CInvalidQuestionsMsgBox : public CHVMsgBox {
public:
    explicit CInvalidQuestionsMsgBox(LPCSTR pszReport, CWnd* pParent = nullptr);

    CString m_csReport;

protected:
    BOOL OnInitDialog() override;
};
