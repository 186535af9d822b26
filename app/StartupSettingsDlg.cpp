#include "app/StartupSettingsDlg.h"

#include "foundation/CorraAppBase.h"
#include "foundation/Util.h"
#include "model/CorraQuestion.h"
#include "platform/core/Services.h"
#include "platform/ui/DataExchange.h"
#include "res/ids/App.h"

#include <QDialogButtonBox>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <cmath>

int AnswerSizeToPercent(double size)
{
    return static_cast<int>(std::lround(RoundTo2Decimals(size) * 100.0));
}

double PercentToAnswerSize(int percent)
{
    return RoundTo2Decimals(percent * 0.01);
}

CStartupSettingsDlg::CStartupSettingsDlg(CWnd* pParent) : CDialog(IDD_STARTUP_SETTINGS, pParent)
{
    CCorraAppBase& app = CorraApp();
    m_bMainMenu = app.GetProfileNumber("Settings", "BoilerPlateAtStartup", 1) ? 1 : 0;
    m_bSplash = app.GetProfileNumber("Settings", "Splash", 1) ? 1 : 0;
    m_bTips = app.GetProfileNumber("Tip", "StartUp", 1) ? 1 : 0;

    setWindowTitle(QStringLiteral("Startup Settings"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CreateCheckBox(IDC_STARTUP_MAINMENU, "Show Main Menu at startup"));
    layout->addWidget(CreateCheckBox(IDC_STARTUP_SPLASH, "Show Splash Screen at startup"));
    layout->addWidget(CreateCheckBox(IDC_STARTUP_TIPS, "Show Tips at startup"));
    auto* group = new QGroupBox(QStringLiteral("Default Answer Size (% of page)"), this);
    auto* grid = new QGridLayout(group);
    struct Field {
        int id;
        const char* label;
    };
    const Field fields[] = {{IDC_STARTUP_ESSAY, "&Essay:"}, {IDC_STARTUP_SHORT, "Short &Answer:"},
                            {IDC_STARTUP_FILLIN, "&Fill-In:"}};
    int row = 0;
    for (const Field& f : fields) {
        QLineEdit* edit = CreateEdit(f.id);
        edit->setMaxLength(3);
        edit->setFixedWidth(60);
        grid->addWidget(CreateStatic(f.label, 0, edit), row, 0);
        grid->addWidget(edit, row, 1);
        ++row;
    }
    grid->setColumnStretch(2, 1);
    layout->addWidget(group);
    layout->addWidget(CreateButtonBox({IDOK, IDCANCEL}));
    MakeFixedSize();
}

void CStartupSettingsDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_STARTUP_MAINMENU, m_bMainMenu);
    DDX_Check(pDX, IDC_STARTUP_SPLASH, m_bSplash);
    DDX_Check(pDX, IDC_STARTUP_TIPS, m_bTips);
    DDX_Text(pDX, IDC_STARTUP_ESSAY, m_nEssay);
    DDV_MinMaxInt(pDX, m_nEssay, 1, 99);
    DDX_Text(pDX, IDC_STARTUP_FILLIN, m_nFillIn);
    DDV_MinMaxInt(pDX, m_nFillIn, 1, 99);
    DDX_Text(pDX, IDC_STARTUP_SHORT, m_nShortAnswer);
    DDV_MinMaxInt(pDX, m_nShortAnswer, 1, 99);
}

void CStartupSettingsDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    CCorraAppBase& app = CorraApp();
    app.WriteProfileInt("Settings", "Splash", m_bSplash);
    app.WriteProfileInt("Settings", "BoilerPlateAtStartup", m_bMainMenu);
    app.WriteProfileInt("Tip", "StartUp", m_bTips);
    EndDialog(IDOK);
}

void RunStartupSettings(CWnd* pParent)
{
    CStartupSettingsDlg dlg(pParent);
    dlg.m_nEssay = AnswerSizeToPercent(CCorraQuestion::GetEssayLen());
    dlg.m_nShortAnswer = AnswerSizeToPercent(CCorraQuestion::GetShortAnswerLen());
    dlg.m_nFillIn = AnswerSizeToPercent(CCorraQuestion::GetFillInLen());
    if (dlg.DoModal() != IDOK)
        return;
    CCorraAppBase& app = CorraApp();
    app.WriteProfileDouble("Settings", "EssayLen", PercentToAnswerSize(dlg.m_nEssay));
    app.WriteProfileDouble("Settings", "ShortAnswerLen", PercentToAnswerSize(dlg.m_nShortAnswer));
    app.WriteProfileDouble("Settings", "FillInLen", PercentToAnswerSize(dlg.m_nFillIn));
    AfxMessageBox("You must close all documents before new settings will take effect.");
}
