#include "platform/ui/Dialog.h"

#include "platform/core/Services.h"
#include "platform/ui/QtString.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

class CModalLoop : public IModalRunHook {
public:
    void RunModal(CDialog& dlg) override { dlg.exec(); }
};

CModalLoop g_modalLoop;
CServiceSlot<IModalRunHook> g_modalRun(g_modalLoop);

} // namespace

CServiceSlot<IModalRunHook>& ModalRunSlot()
{
    return g_modalRun;
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : QDialog(pParentWnd ? pParentWnd->GetWidget() : nullptr), CWnd(this), m_nIDTemplate(nIDTemplate),
      m_pParentWnd(pParentWnd)
{
    SetCreated(FALSE);
    BindCommand(IDOK, [this] { OnOK(); });
    BindCommand(IDCANCEL, [this] { OnCancel(); });
    BindCommand(IDHELP, [this] { OnHelp(); });
}

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal()
{
    if (m_bRunning)
        return -1;
    m_bRunning = TRUE;
    m_bEnded = FALSE;
    m_nResult = IDCANCEL;
    SetCreated(TRUE);
    setModal(true);
    OnInitDialog();
    if (!m_bEnded) {
        if (IModalRunHook* hook = g_modalRun.Installed()) {
            show();
            hook->RunModal(*this);
            if (!m_bEnded)
                EndDialog(IDCANCEL);
        } else {
            g_modalRun.Get().RunModal(*this);
        }
    }
    FinishRun();
    return m_nResult;
}

void CDialog::FinishRun()
{
    hide();
    m_bRunning = FALSE;
    DestroyWindow();
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    if (GetSafeHwnd())
        return FALSE;
    if (nIDTemplate)
        m_nIDTemplate = nIDTemplate;
    if (pParentWnd && pParentWnd != m_pParentWnd) {
        m_pParentWnd = pParentWnd;
        setParent(pParentWnd->GetWidget(), windowFlags());
    }
    setModal(false);
    m_bEnded = FALSE;
    m_nResult = IDCANCEL;
    SetCreated(TRUE);
    OnInitDialog();
    return TRUE;
}

void CDialog::EndDialog(int nResult)
{
    m_nResult = nResult;
    m_bEnded = TRUE;
    QDialog::done(nResult);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::OnHelp()
{
    HelpService().ShowTopic(HID_BASE_RESOURCE + (m_nIDHelp ? m_nIDHelp : m_nIDTemplate));
}

void CDialog::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_F1 && e->modifiers() == Qt::NoModifier) {
        QWidget* help = GetDlgItem(IDHELP);
        if (help && help->isVisibleTo(this) && help->isEnabled()) {
            OnHelp();
            e->accept();
            return;
        }
    }
    QDialog::keyPressEvent(e);
}

void CDialog::accept()
{
    OnCommand(IDOK);
}

void CDialog::reject()
{
    OnCommand(IDCANCEL);
}

QPushButton* CDialog::CreateButton(int nID, const char* text, BOOL bDefault)
{
    auto* button = new QPushButton(ToQString(text), this);
    button->setAutoDefault(false);
    button->setDefault(bDefault != FALSE);
    return AddControl(nID, button);
}

QLineEdit* CDialog::CreateEdit(int nID, const char* text)
{
    return AddControl(nID, new QLineEdit(ToQString(text), this));
}

QCheckBox* CDialog::CreateCheckBox(int nID, const char* text)
{
    return AddControl(nID, new QCheckBox(ToQString(text), this));
}

QRadioButton* CDialog::CreateRadioButton(int nID, const char* text, BOOL bGroupStart)
{
    return AddControl(nID, new QRadioButton(ToQString(text), this), bGroupStart);
}

QLabel* CDialog::CreateStatic(const char* text, int nID, QWidget* buddy)
{
    auto* label = new QLabel(ToQString(text), this);
    if (buddy)
        label->setBuddy(buddy);
    if (nID)
        SetControlId(label, nID);
    return label;
}

QDialogButtonBox* CDialog::CreateButtonBox(std::initializer_list<int> ids)
{
    auto* box = new QDialogButtonBox(this);
    BOOL haveDefault = FALSE;
    for (int id : ids) {
        const char* text = "";
        QDialogButtonBox::ButtonRole role = QDialogButtonBox::ActionRole;
        switch (id) {
        case IDOK: text = "OK"; role = QDialogButtonBox::AcceptRole; break;
        case IDCANCEL: text = "Cancel"; role = QDialogButtonBox::RejectRole; break;
        case IDHELP: text = "&Help"; role = QDialogButtonBox::HelpRole; break;
        case IDYES: text = "&Yes"; role = QDialogButtonBox::YesRole; break;
        case IDNO: text = "&No"; role = QDialogButtonBox::NoRole; break;
        case IDCLOSE: text = "Close"; role = QDialogButtonBox::RejectRole; break;
        default: break;
        }
        BOOL bDefault = !haveDefault && (id == IDOK || id == IDYES);
        haveDefault = haveDefault || bDefault;
        box->addButton(CreateButton(id, text, bDefault), role);
    }
    return box;
}

void CDialog::GotoDlgCtrl(QWidget* control)
{
    if (!control)
        return;
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->selectAll();
    control->setFocus(Qt::OtherFocusReason);
}

void CDialog::MakeFixedSize()
{
    if (QLayout* l = layout())
        l->setSizeConstraint(QLayout::SetFixedSize);
    setSizeGripEnabled(false);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, true);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
}

void CDialog::MapDialogRect(RECT* pRect) const
{
    int baseX = DialogBaseUnitX(font());
    int baseY = QFontMetrics(font()).height();
    pRect->left = MulDiv(pRect->left, baseX, 4);
    pRect->right = MulDiv(pRect->right, baseX, 4);
    pRect->top = MulDiv(pRect->top, baseY, 8);
    pRect->bottom = MulDiv(pRect->bottom, baseY, 8);
}
