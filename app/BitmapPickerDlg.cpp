#include "app/BitmapPickerDlg.h"

#include "controls/BitmapPathDlg.h"
#include "controls/HVBitmapButton.h"
#include "platform/core/FileSys.h"
#include "platform/core/Services.h"
#include "platform/ui/DataExchange.h"
#include "res/ids/App.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

struct CPickerRow {
    UINT nEdit;
    UINT nBrowse;
    UINT nCheck;
    const char* checkText;
    const char* browseCaption;
    const char* label;  // of the message when its file is missing
};

// In the order of CBitmapSettings.
constexpr CPickerRow kRows[CBitmapSettings::Count] = {
    {1371, 1260, 1675, "BP Background", "Boiler plate background", "Background file "},
    {1250, 1251, 1676, "Circle Up", "Large Circle Up", "Circle UP file "},
    {1252, 1253, 1677, "Circle Down", "Large Circle Down", "Circle DOWN file "},
    {1254, 1255, 1678, "Circle Focus", "Large Circle Focus", "Circle FOCUS file "},
    {1258, 1259, 1679, "Nav Up", "Large Nav Up", "Nav UP file "},
    {1266, 1267, 1680, "Nav Down", "Large Nav Down", "Nav DOWN file "},
    {1268, 1269, 1681, "Nav Focus", "Large Nav Focus", "Nav FOCUS file "},
    {1270, 1271, 1682, "Back Up", "Back btn Up", "Back UP file "},
    {1272, 1273, 1683, "Back Down", "Back btn Down", "Back DOWN file "},
    {1896, 1897, 1684, "Close Up", "Close btn Up", "Close UP file "},
    {1895, 1894, 1685, "Close Down", "Close btn Down", "Close DOWN file "},
};

// The pictures of each test choice: up, pressed, focus (-1 none).
constexpr int kTestSets[4][3] = {
    {CBitmapSettings::CircleUp, CBitmapSettings::CircleDown, CBitmapSettings::CircleFocus},
    {CBitmapSettings::NavUp, CBitmapSettings::NavDown, CBitmapSettings::NavFocus},
    {CBitmapSettings::SmallNavUp, CBitmapSettings::SmallNavDown, -1},
    {CBitmapSettings::SmallNavUp2, CBitmapSettings::SmallNavDown2, -1},
};
constexpr UINT kTestRadios[4] = {IDC_PICKER_TEST_CIRCLE, IDC_PICKER_TEST_NAV, IDC_PICKER_TEST_SMALL,
                                 IDC_PICKER_TEST_SMALL2};

} // namespace

UINT CHVBitmapPickerDlg::PathEditId(int n)
{
    return kRows[n].nEdit;
}

UINT CHVBitmapPickerDlg::BrowseId(int n)
{
    return kRows[n].nBrowse;
}

UINT CHVBitmapPickerDlg::CheckId(int n)
{
    return kRows[n].nCheck;
}

CHVBitmapPickerDlg::CHVBitmapPickerDlg(CWnd* pParent) : CDialog(IDD_BITMAP_PICKER, pParent)
{
    m_settings.Load();
    setWindowTitle(QStringLiteral("Quorvale Bitmaps"));
    auto* layout = new QHBoxLayout(this);
    auto* pictures = new QGroupBox(QStringLiteral("Load from file"), this);
    auto* grid = new QGridLayout(pictures);
    for (int i = 0; i < CBitmapSettings::Count; ++i) {
        const CPickerRow& row = kRows[i];
        grid->addWidget(CreateCheckBox(row.nCheck, row.checkText), i, 0);
        QLineEdit* edit = CreateEdit(row.nEdit);
        edit->setMinimumWidth(300);
        grid->addWidget(edit, i, 1);
        grid->addWidget(CreateButton(row.nBrowse, "View/Browse..."), i, 2);
        BindCommand(row.nBrowse, [this, i] { OnBrowse(i); });
    }
    grid->setColumnStretch(1, 1);
    layout->addWidget(pictures, 1);

    auto* side = new QVBoxLayout;
    auto* test = new QGroupBox(QStringLiteral("Test"), this);
    auto* testLayout = new QVBoxLayout(test);
    const char* const radioTexts[4] = {"Test Large Circle", "Test Large Nav", "Test Small Nav", "Test Small Nav 2"};
    for (int i = 0; i < 4; ++i) {
        testLayout->addWidget(CreateRadioButton(kTestRadios[i], radioTexts[i], i == 0));
        BindCommand(kTestRadios[i], [this, i] {
            m_nTestChoice = i;
            RebuildTestButton();
        });
    }
    m_pTestArea = new QWidget(test);
    m_pTestArea->setMinimumSize(250, 110);
    testLayout->addWidget(m_pTestArea);
    side->addWidget(test);
    side->addWidget(CreateButton(IDC_PICKER_SELECT_ALL, "Select All"));
    side->addWidget(CreateButton(IDC_PICKER_UNSELECT_ALL, "Unselect All"));
    side->addStretch(1);
    side->addWidget(CreateButtonBox({IDOK, IDCANCEL}));
    layout->addLayout(side);
    BindCommand(IDC_PICKER_SELECT_ALL, [this] { CheckAll(TRUE); });
    BindCommand(IDC_PICKER_UNSELECT_ALL, [this] { CheckAll(FALSE); });
}

void CHVBitmapPickerDlg::DoDataExchange(CDataExchange* pDX)
{
    for (int i = 0; i < CBitmapSettings::Count; ++i) {
        int bChecked = m_settings.fromFile[i] ? 1 : 0;
        DDX_Check(pDX, kRows[i].nCheck, bChecked);
        m_settings.fromFile[i] = bChecked != 0;
        DDX_Text(pDX, kRows[i].nEdit, m_settings.paths[i]);
    }
    DDX_Radio(pDX, IDC_PICKER_TEST_CIRCLE, m_nTestChoice);
}

BOOL CHVBitmapPickerDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    RebuildTestButton();
    return TRUE;
}

void CHVBitmapPickerDlg::CheckAll(BOOL bCheck)
{
    for (const CPickerRow& row : kRows)
        if (auto* box = qobject_cast<QCheckBox*>(GetDlgItem(row.nCheck)))
            box->setChecked(bCheck != FALSE);
}

void CHVBitmapPickerDlg::RebuildTestButton()
{
    UpdateData(TRUE);
    delete m_pTest;
    m_pTest = new CHVBitmapButton("Test", IDC_PICKER_TEST, 0, m_pTestArea);
    const int nChoice = m_nTestChoice >= 0 && m_nTestChoice < 4 ? m_nTestChoice : 0;
    const int* set = kTestSets[nChoice];
    CBitmapButtonSet pictures;
    CString* files[3] = {&pictures.upFile, &pictures.downFile, &pictures.focusFile};
    UINT* ids[3] = {&pictures.upId, &pictures.downId, &pictures.focusId};
    for (int k = 0; k < 3; ++k) {
        if (set[k] < 0)
            continue;
        *files[k] = m_settings.FileOf(set[k]);
        *ids[k] = CBitmapSettings::kDefaultIds[set[k]];
    }
    pictures.font.lfWeight = FW_BOLD;
    m_pTest->LoadImages(pictures);
    m_pTest->SizeToContent();
    m_pTest->move(4, 4);
    m_pTest->show();
}

void CHVBitmapPickerDlg::OnBrowse(int nPicture)
{
    if (nPicture < 0 || nPicture >= CBitmapSettings::Count) {
        AfxMessageBox("CHVBitmapPickerDlg::OnBtnBrowse() - unknown wParam.");
        return;
    }
    CBitmapPathDlg dlg(kRows[nPicture].browseCaption, GetDlgItemText(kRows[nPicture].nEdit), this);
    if (dlg.DoModal() == IDOK)
        SetDlgItemText(kRows[nPicture].nEdit, dlg.m_csPath);
    RebuildTestButton();
}

void CHVBitmapPickerDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    for (int i = 0; i < CBitmapSettings::Count; ++i) {
        if (!m_settings.fromFile[i])
            continue;
        CString path = m_settings.paths[i];
        path.Trim();
        const char* problem = path.IsEmpty() ? " file not specified." : !fsys::IsFile(path) ? " file does not exist." : nullptr;
        if (!problem)
            continue;
        if (auto* edit = qobject_cast<QLineEdit*>(GetDlgItem(kRows[i].nEdit)))
            GotoDlgCtrl(edit);
        AfxMessageBox(CString(kRows[i].label) + problem);
        return;
    }
    m_settings.Save();
    EndDialog(IDOK);
}
