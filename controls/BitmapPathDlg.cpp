#include "controls/BitmapPathDlg.h"

#include "controls/BitmapWnd.h"
#include "controls/MRUPathComboBox.h"
#include "foundation/CorraAppBase.h"
#include "platform/core/FileSys.h"
#include "platform/core/Services.h"
#include "platform/ui/FileDialog.h"
#include "res/ids/App.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QLabel>
#include <QVBoxLayout>

#include <cctype>

namespace {

constexpr const char* kBitmapsSection = "Bitmaps";

CString LowerExtension(LPCSTR path)
{
    CString p(path ? path : "");
    const int dot = p.ReverseFind('.');
    const int slash = std::max(p.ReverseFind('/'), p.ReverseFind('\\'));
    if (dot < 0 || dot < slash)
        return CString();
    CString ext = p.Mid(dot + 1);
    ext.MakeLower();
    return ext;
}

} // namespace

int BitmapFilterOfPath(LPCSTR path)
{
    static const char* const kExtensions[BITMAP_FILTER_COUNT][2] = {
        {"bmp", nullptr}, {"tif", "tiff"}, {"gif", nullptr}, {"jpg", "jpeg"}, {"png", nullptr}};
    const CString ext = LowerExtension(path);
    for (int i = 0; i < BITMAP_FILTER_COUNT; ++i)
        for (const char* e : kExtensions[i])
            if (e && ext == e)
                return i + 1;
    return 0;
}

CBitmapPathDlg::CBitmapPathDlg(LPCSTR caption, LPCSTR path, CWnd* pParent)
    : CDialog(IDD_BITMAP_PATH, pParent), m_csCaption(caption ? caption : ""), m_csPath(path ? path : "")
{
    setWindowTitle(QStringLiteral("Picture File"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CreateStatic("", IDC_BITMAP_PATH_CAPTION));
    auto* row = new QHBoxLayout;
    m_pCombo = AddControl(IDC_BITMAP_PATH_COMBO, new CMRUPathComboBox(this));
    m_pCombo->setMinimumWidth(360);
    row->addWidget(m_pCombo, 1);
    row->addWidget(CreateButton(IDC_BITMAP_PATH_BROWSE, "&Browse..."));
    layout->addLayout(row);
    m_pPreview = new CBitmapWnd(this);
    m_pPreview->setMinimumSize(360, 220);
    layout->addWidget(m_pPreview, 1);
    layout->addWidget(CreateButtonBox({IDOK, IDCANCEL}));
    BindCommand(IDC_BITMAP_PATH_BROWSE, [this] { OnBrowse(); });
    BindNotify(IDC_BITMAP_PATH_COMBO, CBN_SELCHANGE, [this] { OnSelChange(); });
}

BOOL CBitmapPathDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_pCombo->Init("Bitmap Dlg MRU");
    if (!m_csCaption.IsEmpty()) {
        SetWindowText(m_csCaption);
        SetDlgItemText(IDC_BITMAP_PATH_CAPTION, m_csCaption);
    }
    if (!m_csPath.IsEmpty()) {
        m_pCombo->Add(m_csPath);
        if (m_pCombo->GetCount() > 0) {
            m_pCombo->SetCurSel(0);
            m_csPath = m_pCombo->GetLBText(0);
        }
    }
    const CString shown = m_csPath.IsEmpty() ? m_pCombo->GetWindowText() : m_csPath;
    if (!shown.IsEmpty())
        Preview(shown);
    return TRUE;
}

BOOL CBitmapPathDlg::Preview(LPCSTR path)
{
    if (!m_pPreview->Load(path) || (m_pPreview->Picture() && m_pPreview->Picture()->IsBroken())) {
        AfxMessageBox("Failed to load image.");
        return FALSE;
    }
    return TRUE;
}

void CBitmapPathDlg::OnSelChange()
{
    const int nSel = m_pCombo->GetCurSel();
    if (nSel < 0) {
        AfxMessageBox("No current selection.");
        return;
    }
    Preview(m_pCombo->GetLBText(nSel));
}

void CBitmapPathDlg::OnBrowse()
{
    CString current = m_pCombo->GetWindowText();
    if (current.IsEmpty() && m_pCombo->GetCount() > 0)
        current = m_pCombo->GetLBText(0);
    current.Trim();
    CCorraAppBase& app = CorraApp();
    int nType = app.GetProfileInt(kBitmapsSection, "LastType", 1, TRUE);
    // A stored type that names no filter starts with the first.
    if (nType < 1 || nType > BITMAP_FILTER_COUNT) {
        nType = 1;
        app.WriteProfileInt(kBitmapsSection, "LastType", nType);
    }
    CFileDialogRequest request;
    request.title = m_csCaption;
    request.folder = current.IsEmpty() ? CString() : fsys::Folder(current);
    request.filter = BITMAP_FILE_FILTERS;
    request.nFilterIndex = nType;
    CString path;
    if (!ChooseFilePath(request, path))
        return;
    m_pCombo->Add(path);
    m_pCombo->SetWindowText(path);
    if (const int nChosen = BitmapFilterOfPath(path))
        app.WriteProfileInt(kBitmapsSection, "LastType", nChosen);
    Preview(path);
}

void CBitmapPathDlg::OnOK()
{
    m_csPath = m_pCombo->GetWindowText();
    m_csPath.Trim();
    m_pCombo->Add(m_csPath);
    m_pCombo->Save();
    EndDialog(IDOK);
}
