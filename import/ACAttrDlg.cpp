#include "import/ACAttrDlg.h"

#include "platform/ui/ComboBox.h"
#include "platform/ui/DataExchange.h"
#include "controls/HVRichEditCtrl.h"
#include "res/ids/Wizard.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

class CNoConversionSupport : public IConversionSupport {
public:
    BOOL Offer(LPCSTR) override { return FALSE; }
};
CNoConversionSupport g_noSupport;
CServiceSlot<IConversionSupport> g_supportSlot(g_noSupport);

} // namespace

CServiceSlot<IConversionSupport>& ConversionSupportSlot()
{
    return g_supportSlot;
}

CACAttrDlg::CACAttrDlg(CWnd* pParent) : CQuestionDlg(IDD_AC_ATTR, pParent)
{
    setWindowTitle("Choose Attributes for Auto Convert");
    // Only the attributes are laid out; the text panes stay out of sight.
    for (QWidget* w : std::initializer_list<QWidget*>{m_pQuestionPane, m_pChoicesPane, m_pAnswerPane, m_pAnswerLetter,
                                                     m_pTrue, m_pFalse, m_pIdEdit})
        w->hide();
    auto* grid = new QGridLayout;
    grid->addWidget(CreateStatic("T&ype:", 0, m_pTypeCombo), 0, 0);
    grid->addWidget(m_pTypeCombo, 0, 1);
    grid->addWidget(CreateStatic("&Level:", 0, m_pLevelCombo), 0, 2);
    grid->addWidget(m_pLevelCombo, 0, 3);
    grid->addWidget(CreateStatic("I&ndex:", 0, m_pIndexEdit), 1, 0);
    grid->addWidget(m_pIndexEdit, 1, 1);
    grid->addWidget(GetDlgItem(IDC_QD_SUBJECTS), 2, 0);
    grid->addWidget(m_pSubjectsText, 2, 1, 1, 3);
    grid->addWidget(GetDlgItem(IDC_QD_BOOKS), 3, 0);
    grid->addWidget(m_pBooksText, 3, 1, 1, 3);
    grid->setColumnStretch(3, 1);
    m_pSubjectsText->setMinimumWidth(280);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CreateButton(IDC_QD_RESET, "&Reset"));
    buttons->addStretch(1);
    buttons->addWidget(CreateButtonBox({IDOK, IDCANCEL, IDHELP}));
    layout->addLayout(buttons);
}

BOOL CACAttrDlg::OnInitDialog()
{
    CQuestionDlg::OnInitDialog();
    for (QWidget* w : std::initializer_list<QWidget*>{m_pQuestionPane, m_pChoicesPane, m_pAnswerPane, m_pAnswerLetter,
                                                     m_pTrue, m_pFalse, m_pIdEdit})
        w->hide();
    return TRUE;
}

void CACAttrDlg::DoDataExchange(CDataExchange* pDX)
{
    // The attributes, and the choices the question came with (a template usually has none), so
    // that OK neither drops them nor refuses a question without them.
    ExchangeType(pDX);
    ExchangeLevel(pDX);
    ExchangeSubjects(pDX, TRUE);
    ExchangeBooks(pDX, TRUE);
    ExchangeChoices(pDX);
    ExchangeIndex(pDX);
}
