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

// The default answer sizes kept in "Settings" ("EssayLen", "ShortAnswerLen", "FillInLen").
struct CAnswerSizes {
    double essay = 0.33;
    double shortAnswer = 0.16;
    double fillIn = 0.05;
    static CAnswerSizes Read();
    void Write() const;
};

// The command: shows the dialog with the sizes and, on OK, keeps the new sizes and says that
// they apply to documents opened afterwards.
void RunStartupSettings(CWnd* pParent);
