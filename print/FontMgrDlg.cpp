#include "print/FontMgrDlg.h"

#include "controls/HVRichEditCtrl.h"
#include "foundation/Log.h"
#include "model/Update.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/Document.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/SysColor.h"
#include "platform/ui/WinApp.h"
#include "print/FontDlg.h"
#include "print/SetDocumentFontsDlg.h"
#include "render/FontMgr.h"
#include "res/ids/FontDialogs.h"

#include <QGridLayout>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <cstring>

CFontMgrDlg::CFontMgrDlg(int nSlot, CWnd* pParent)
    : CDialog(IDD_FONT_MANAGER, pParent), m_nStartSlot(CFontMgr::ResolveSlot(nSlot))
{
    setWindowTitle("Font Manager");
    auto* layout = new QHBoxLayout(this);
    m_pSlots = AddControl(IDC_FM_SLOTS, new CListBox(this));
    m_pSlots->setMinimumWidth(190);
    m_pSlots->setMinimumHeight(300);
    auto* left = new QVBoxLayout;
    left->addWidget(CreateStatic("&Fonts:", 0, m_pSlots));
    left->addWidget(m_pSlots);
    layout->addLayout(left, 1);

    auto* right = new QVBoxLayout;
    auto* shown = new QGroupBox("Font", this);
    auto* grid = new QGridLayout(shown);
    m_pFace = AddControl(IDC_FM_FACE, new CInfoRichEdit(this));
    m_pSize = AddControl(IDC_FM_SIZE, new CInfoRichEdit(this));
    grid->addWidget(CreateStatic("Face:"), 0, 0);
    grid->addWidget(m_pFace, 0, 1);
    grid->addWidget(CreateStatic("Size:"), 1, 0);
    grid->addWidget(m_pSize, 1, 1);
    grid->addWidget(CreateCheckBox(IDC_FM_BOLD, "&Bold"), 2, 0, 1, 2);
    grid->addWidget(CreateCheckBox(IDC_FM_ITALIC, "&Italic"), 3, 0, 1, 2);
    grid->addWidget(CreateCheckBox(IDC_FM_UNDERLINE, "&Underline"), 4, 0, 1, 2);
    grid->addWidget(CreateButton(IDC_FM_CHANGE, "&Change..."), 5, 0, 1, 2, Qt::AlignLeft);
    right->addWidget(shown);
    right->addStretch();
    right->addWidget(CreateButtonBox({IDOK, IDCANCEL, IDHELP}));
    layout->addLayout(right);

    BindNotify(IDC_FM_SLOTS, LBN_SELCHANGE, [this] { OnSelChange(); });
    BindNotify(IDC_FM_CHANGE, BN_CLICKED, [this] { OnChange(); });
    BindNotify(IDC_FM_BOLD, BN_CLICKED, [this] { OnBold(); });
    BindNotify(IDC_FM_ITALIC, BN_CLICKED, [this] { OnItalic(); });
    BindNotify(IDC_FM_UNDERLINE, BN_CLICKED, [this] { OnUnderline(); });
}

BOOL CFontMgrDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const COLORREF face = ::GetSysColor(COLOR_3DFACE);
    m_pFace->InitPoints(10, RGB(0, 0, 128), 0, face);
    m_pSize->InitPoints(10, RGB(0, 0, 128), 0, face);
    for (int slot = 0; slot < FM_COUNT; ++slot) {
        const int item = m_pSlots->AddString(CFontMgr::GetSlotName(slot));
        m_pSlots->SetItemData(item, static_cast<DWORD_PTR>(slot));
    }
    m_pSlots->SetCurSel(m_nStartSlot);
    m_edited.clear();
    m_bModified = FALSE;
    ShowSlot();
    return TRUE;
}

int CFontMgrDlg::GetSelectedSlot() const
{
    const int item = m_pSlots->GetCurSel();
    return item < 0 ? -1 : static_cast<int>(m_pSlots->GetItemData(item));
}

LOGFONT CFontMgrDlg::ShownFont(int nSlot) const
{
    const auto it = m_edited.find(nSlot);
    if (it != m_edited.end())
        return it->second;
    LOGFONT lf{};
    CFontMgr::GetSlotLogFont(lf, nSlot);
    return lf;
}

void CFontMgrDlg::ShowSlot()
{
    const int slot = GetSelectedSlot();
    if (slot < 0) {
        LogOutput("FMD: select name.", 3, LOG_HERE);
    } else {
        const LOGFONT lf = ShownFont(slot);
        m_pFace->SetPaneText(CString(lf.lfFaceName, static_cast<int>(strnlen(lf.lfFaceName, LF_FACESIZE))));
        m_pSize->SetPaneText(CString::Formatted("%d", CFontMgr::HeightToPoints(lf)));
        // One line each, not the stretch of the box.
        m_pFace->FitHeightToText(80);
        m_pSize->FitHeightToText(80);
        CheckDlgButton(IDC_FM_BOLD, CFontMgr::IsBold(lf));
        CheckDlgButton(IDC_FM_ITALIC, lf.lfItalic != 0);
        CheckDlgButton(IDC_FM_UNDERLINE, lf.lfUnderline != 0);
    }
    UpdateControls();
}

void CFontMgrDlg::UpdateControls()
{
    const BOOL selected = GetSelectedSlot() >= 0;
    EnableDlgItem(IDC_FM_CHANGE, selected);
    for (int id : {IDC_FM_BOLD, IDC_FM_ITALIC, IDC_FM_UNDERLINE})
        EnableDlgItem(id, selected);
    EnableDlgItem(IDOK, m_bModified);
}

void CFontMgrDlg::Store(int nSlot, const LOGFONT& lf)
{
    m_edited[nSlot] = lf;
    m_bModified = TRUE;
    ShowSlot();
}

void CFontMgrDlg::OnSelChange() { ShowSlot(); }

void CFontMgrDlg::OnChange()
{
    const int slot = GetSelectedSlot();
    if (slot < 0)
        return;
    LOGFONT lf = ShownFont(slot);
    CFontDlg dlg("Select Default Font", &lf, nullptr, this);
    if (dlg.DoModal() != IDOK)
        return;
    // The face's character set and pitch are kept at once, as the chooser's memory of the face.
    CFontMgr::SaveFaceCharset(dlg.m_lf);
    dlg.m_lf.lfPitchAndFamily |= 0x03;
    Store(slot, dlg.m_lf);
}

template <typename F>
void CFontMgrDlg::EditShown(F&& edit)
{
    const int slot = GetSelectedSlot();
    if (slot < 0)
        return;
    LOGFONT lf = ShownFont(slot);
    edit(lf);
    Store(slot, lf);
}

void CFontMgrDlg::OnBold()
{
    EditShown([this](LOGFONT& lf) {
        if (!IsDlgButtonChecked(IDC_FM_BOLD))
            lf.lfWeight = FW_NORMAL;
        else if (lf.lfWeight <= FW_MEDIUM)
            lf.lfWeight = FW_BOLD;
    });
}

void CFontMgrDlg::OnItalic()
{
    EditShown([this](LOGFONT& lf) { lf.lfItalic = IsDlgButtonChecked(IDC_FM_ITALIC) ? 1 : 0; });
}

void CFontMgrDlg::OnUnderline()
{
    EditShown([this](LOGFONT& lf) { lf.lfUnderline = IsDlgButtonChecked(IDC_FM_UNDERLINE) ? 1 : 0; });
}

void CFontMgrDlg::OnOK()
{
    if (m_bModified) {
        for (const auto& [slot, lf] : m_edited)
            CFontMgr::SetSlotLogFont(lf, slot);
        CFontMgr::TouchFonts();
        // Every open document redraws in the new fonts.
        if (CWinApp* pApp = AfxGetApp()) {
            for (POSITION t = pApp->GetFirstDocTemplatePosition(); t;) {
                CDocTemplate* pTemplate = pApp->GetNextDocTemplate(t);
                for (POSITION d = pTemplate->GetFirstDocPosition(); d;)
                    pTemplate->GetNextDoc(d)->UpdateAllViews(nullptr, HINT_SETTINGS_CHANGED, nullptr);
            }
        }
    }
    EndDialog(IDOK);
}

BOOL CFontManagerDialogService::Run(int nSlot, QWidget* pParent)
{
    CFontMgrDlg dlg(nSlot, CWnd::FromHandle(pParent));
    return dlg.DoModal() == IDOK;
}

void InstallFontDialogs()
{
    static CFontManagerDialogService service;
    FontManagerDialogSlot().Set(&service);
    static CDocumentFontsDialogService documentFonts;
    DocumentFontsDialogSlot().Set(&documentFonts);
}
