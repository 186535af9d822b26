#pragma once
// Startup Settings: what the program shows at start-up, and the default answer sizes of new
// questions in per cent of a page.

#include "platform/ui/Dialog.h"

// An answer size (a fraction of a page) as the whole per cent the dialog shows: rounded, so
// that 0.29 shows 29.
int AnswerSizeToPercent(double size);
// A per cent back to the size kept: per cent times 0.01, rounded to two decimals.
double PercentToAnswerSize(int percent);

class CStartupSettingsDlg : public CDialog {
public:
    // The check boxes come from the profile; the caller sets the sizes.
    explicit CStartupSettingsDlg(CWnd* pParent = nullptr);

    void DoDataExchange(CDataExchange* pDX) override;
    // Writes the check boxes to the profile once the fields validate.
    void OnOK() override;

    int m_bMainMenu = 1;
    int m_bSplash = 1;
    int m_bTips = 1;
    int m_nEssay = 33;
    int m_nFillIn = 5;
    int m_nShortAnswer = 16;
};

// The command: shows the dialog with the question model's default answer sizes and, on OK,
// writes the new sizes to "Settings" ("EssayLen", "ShortAnswerLen", "FillInLen") and says that
// they apply once the documents are opened again.
void RunStartupSettings(CWnd* pParent);
