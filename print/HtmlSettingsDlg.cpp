#include "print/HtmlSettingsDlg.h"

#include "model/HtmlSettings.h"
#include "platform/core/Services.h"
#include "platform/ui/DataExchange.h"
#include "res/ids/Html.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

struct CPatternRow {
    UINT nLabel;
    UINT nEdit;
    const char* text;
};

constexpr CPatternRow kPatternRows[] = {
    {IDC_HTML_CBNAME_LABEL, IDC_HTML_CBNAME, "Checkbox names:"},
    {IDC_HTML_RBCOMMON_LABEL, IDC_HTML_RBCOMMON, "Radio button common"},
    {IDC_HTML_RBVALUE_LABEL, IDC_HTML_RBVALUE, "Radio button value"},
    {IDC_HTML_HREF_LABEL, IDC_HTML_HREF, "Href target"},
    {IDC_HTML_TANAME_LABEL, IDC_HTML_TANAME, "Textarea name"},
    {IDC_HTML_TAINIT_LABEL, IDC_HTML_TAINIT, "Textarea initial value"},
    {IDC_HTML_FILE_LABEL, IDC_HTML_FILE, "File name (multi-page)"},
};

} // namespace

CHtmlSettingsDlg::CHtmlSettingsDlg(CHtmlSettings* pSettings, CWnd* pParent)
    : CFixedFontDialog(IDD_HTML_SETTINGS, pParent), m_pSettings(pSettings)
{
    m_nTemplateId = IDD_HTML_SETTINGS;
    const CHtmlSettings& s = *pSettings;
    m_nDivision = s.m_nDivType == 1 ? 0 : 1;
    m_bBdrHdr = s.m_bBdrHdr ? 1 : 0;
    m_bBdrFtr = s.m_bBdrFtr ? 1 : 0;
    m_bBdrQText = s.m_bBdrQText ? 1 : 0;
    m_bBdrChoices = s.m_bBdrChoices ? 1 : 0;
    m_nChoice = s.m_nChoiceTagType >= 1 && s.m_nChoiceTagType <= 3 ? s.m_nChoiceTagType - 1 : 0;
    m_csCBName = s.m_csCBName;
    m_csRBCommon = s.m_csRBCommon;
    m_csRBValue = s.m_csRBValue;
    m_csHrefTarget = s.m_csHrefTarget;
    m_csTAName = s.m_csTAName;
    m_csTAInitText = s.m_csTAInitText;
    m_csQuestFile = s.m_csQuestFile;

    setWindowTitle(QStringLiteral("HTML Settings"));
    auto* layout = new QHBoxLayout(this);

    auto* left = new QVBoxLayout;
    auto* output = new QGroupBox(this);
    auto* outputLayout = new QVBoxLayout(output);
    outputLayout->addWidget(CreateRadioButton(IDC_HTML_SINGLE_FILE, "Single file", TRUE));
    outputLayout->addWidget(CreateRadioButton(IDC_HTML_MULTI_FILE, "Multiple files (one file for each question)"));
    outputLayout->addWidget(CreateCheckBox(IDC_HTML_BDR_HDR, "Header border"));
    outputLayout->addWidget(CreateCheckBox(IDC_HTML_BDR_FTR, "Footer border"));
    outputLayout->addWidget(CreateCheckBox(IDC_HTML_BDR_QTEXT, "Question border"));
    outputLayout->addWidget(CreateCheckBox(IDC_HTML_BDR_CHOICES, "Choices border"));
    left->addWidget(output);
    auto* choice = new QGroupBox(QStringLiteral("Choice Control"), this);
    auto* choiceLayout = new QVBoxLayout(choice);
    choiceLayout->addWidget(CreateRadioButton(IDC_HTML_CHECKBOXES, "Checkboxes", TRUE));
    choiceLayout->addWidget(CreateRadioButton(IDC_HTML_RADIOS, "Radio Buttons"));
    choiceLayout->addWidget(CreateRadioButton(IDC_HTML_LINKS, "Hyperlinks"));
    left->addWidget(choice);
    left->addStretch(1);
    layout->addLayout(left);

    auto* buttons = new QVBoxLayout;
    QDialogButtonBox* box = CreateButtonBox({IDOK, IDCANCEL, IDHELP});
    box->setOrientation(Qt::Vertical);
    buttons->addWidget(box);
    buttons->addWidget(CreateButton(IDC_HTML_MORE, "Advanced"));
    buttons->addStretch(1);
    layout->addLayout(buttons);

    m_pFormats = new QGroupBox(QStringLiteral("Form element formats"), this);
    auto* grid = new QGridLayout(m_pFormats);
    int row = 0;
    for (const CPatternRow& r : kPatternRows) {
        QLineEdit* edit = CreateEdit(r.nEdit);
        edit->setMinimumWidth(180);
        grid->addWidget(CreateStatic(r.text, r.nLabel, edit), row, 0);
        grid->addWidget(edit, row, 1);
        ++row;
    }
    grid->addWidget(CreateButton(IDC_HTML_DEFAULTS, "Defaults"), row, 1, Qt::AlignRight);
    layout->addWidget(m_pFormats, 1);

    for (UINT id : {IDC_HTML_SINGLE_FILE, IDC_HTML_MULTI_FILE, IDC_HTML_CHECKBOXES, IDC_HTML_RADIOS, IDC_HTML_LINKS})
        BindCommand(id, [this] { OnRadio(); });
    BindCommand(IDC_HTML_MORE, [this] { OnMore(); });
    BindCommand(IDC_HTML_DEFAULTS, [this] { OnDefaults(); });
}

void CHtmlSettingsDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Radio(pDX, IDC_HTML_SINGLE_FILE, m_nDivision);
    DDX_Check(pDX, IDC_HTML_BDR_HDR, m_bBdrHdr);
    DDX_Check(pDX, IDC_HTML_BDR_FTR, m_bBdrFtr);
    DDX_Check(pDX, IDC_HTML_BDR_QTEXT, m_bBdrQText);
    DDX_Check(pDX, IDC_HTML_BDR_CHOICES, m_bBdrChoices);
    DDX_Radio(pDX, IDC_HTML_CHECKBOXES, m_nChoice);
    DDX_Text(pDX, IDC_HTML_CBNAME, m_csCBName);
    DDX_Text(pDX, IDC_HTML_RBCOMMON, m_csRBCommon);
    DDX_Text(pDX, IDC_HTML_RBVALUE, m_csRBValue);
    DDX_Text(pDX, IDC_HTML_HREF, m_csHrefTarget);
    DDX_Text(pDX, IDC_HTML_TANAME, m_csTAName);
    DDX_Text(pDX, IDC_HTML_TAINIT, m_csTAInitText);
    DDX_Text(pDX, IDC_HTML_FILE, m_csQuestFile);
}

BOOL CHtmlSettingsDlg::OnInitDialog()
{
    for (CString* pattern : {&m_csCBName, &m_csRBCommon, &m_csRBValue, &m_csHrefTarget, &m_csTAName})
        *pattern = CHtmlSettings::Unquote(*pattern);
    CFixedFontDialog::OnInitDialog();
    m_bAdvanced = FALSE;
    UpdateControls();
    return TRUE;
}

void CHtmlSettingsDlg::UpdateControls()
{
    if (auto* more = GetDlgItemAs<QPushButton>(IDC_HTML_MORE))
        more->setText(m_bAdvanced ? QStringLiteral("Simple") : QStringLiteral("Advanced"));
    m_pFormats->setVisible(m_bAdvanced);
    auto enable = [this](UINT label, UINT edit, bool on) {
        for (UINT id : {label, edit})
            if (QWidget* w = GetDlgItem(id))
                w->setEnabled(on);
    };
    enable(IDC_HTML_CBNAME_LABEL, IDC_HTML_CBNAME, m_nChoice == 0);
    enable(IDC_HTML_RBCOMMON_LABEL, IDC_HTML_RBCOMMON, m_nChoice == 1);
    enable(IDC_HTML_RBVALUE_LABEL, IDC_HTML_RBVALUE, m_nChoice == 1);
    enable(IDC_HTML_HREF_LABEL, IDC_HTML_HREF, m_nChoice == 2);
    enable(IDC_HTML_FILE_LABEL, IDC_HTML_FILE, m_nDivision == 1);
    adjustSize();
}

void CHtmlSettingsDlg::OnMore()
{
    UpdateData(TRUE);
    m_bAdvanced = !m_bAdvanced;
    UpdateControls();
}

void CHtmlSettingsDlg::OnRadio()
{
    UpdateData(TRUE);
    UpdateControls();
}

void CHtmlSettingsDlg::OnDefaults()
{
    if (AfxMessageBox(IDS_HTML_DEFAULTS_ASK, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    UpdateData(TRUE);
    m_csCBName = "QID%d_CB_%s";
    m_csRBCommon = "QID%d_RB";
    m_csRBValue = "%s";
    m_csHrefTarget = "QID%d_Selected_%s";
    m_csTAName = "QID%d_TA";
    m_csTAInitText = "Enter answer here";
    m_csQuestFile = "Q%d.htm";
    UpdateData(FALSE);
    UpdateControls();
}

void CHtmlSettingsDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    const CString file = CHtmlSettings::WithHtmExtension(m_csQuestFile);
    // A page file must stay in the chosen folder and tell the questions' pages apart.
    if (m_nDivision == 1 && !CHtmlSettings::IsPlainPageFilePattern(file)) {
        AfxMessageBox(IDS_HTML_BAD_PAGE_FILE, MB_OK | MB_ICONEXCLAMATION);
        if (QWidget* edit = GetDlgItem(IDC_HTML_FILE)) {
            if (!m_bAdvanced) {
                m_bAdvanced = TRUE;
                UpdateControls();
            }
            GotoDlgCtrl(edit);
        }
        return;
    }
    CHtmlSettings& s = *m_pSettings;
    s.m_nDivType = m_nDivision == 0 ? 1 : 2;
    s.m_nChoiceTagType = m_nChoice + 1;
    s.m_bBdrHdr = m_bBdrHdr;
    s.m_bBdrFtr = m_bBdrFtr;
    s.m_bBdrQText = m_bBdrQText;
    s.m_bBdrChoices = m_bBdrChoices;
    s.m_csCBName = CHtmlSettings::Quote(m_csCBName);
    s.m_csRBCommon = CHtmlSettings::Quote(m_csRBCommon);
    s.m_csRBValue = CHtmlSettings::Quote(m_csRBValue);
    s.m_csHrefTarget = CHtmlSettings::Quote(m_csHrefTarget);
    s.m_csTAName = CHtmlSettings::Quote(m_csTAName);
    s.m_csTAInitText = m_csTAInitText;
    s.m_csQuestFile = file;
    EndDialog(IDOK);
}
