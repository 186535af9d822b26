#pragma once
// "Source File Properties": where a source document's file is, the title and description
// picked from its text, and how many paragraphs the text has.

#include "platform/core/String.h"
#include "platform/ui/Dialog.h"

class CSourcePropDlg : public CDialog {
public:
    explicit CSourcePropDlg(CWnd* pParent = nullptr);

    CString m_csLocation;
    CString m_csTitle;
    CString m_csDescription;
    int m_nParagraphs = 0;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
};

// Paragraphs of a plain text as AutoConvert cuts them: runs of lines between blank lines.
int CountSourceParagraphs(LPCSTR text);
