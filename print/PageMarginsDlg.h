#pragma once
// "Print Page Setup": the four page margins in inches, under a caption the caller gives. Only
// the bottom margin is checked here (0 to 4.25): printing itself refuses margins it cannot
// print with.

#include "controls/FixedFontDialog.h"
#include "platform/core/String.h"

class CPageMarginsDlg : public CFixedFontDialog {
public:
    explicit CPageMarginsDlg(LPCSTR caption, CWnd* pParent = nullptr);

    void DoDataExchange(CDataExchange* pDX) override;

    double m_dBottom = 0;
    double m_dLeft = 0;
    double m_dRight = 0;
    double m_dTop = 0;

protected:
    BOOL OnInitDialog() override;

private:
    CString m_csCaption;
};
