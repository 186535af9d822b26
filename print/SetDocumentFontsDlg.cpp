#include "print/SetDocumentFontsDlg.h"

#include "foundation/CorraAppBase.h"
#include "foundation/Log.h"
#include "foundation/ScreenUnits.h"
#include "model/CorraDoc.h"
#include "platform/core/Services.h"
#include "platform/ui/ListBox.h"
#include "print/FontDlg.h"
#include "render/FontMgr.h"
#include "res/ids/FontDialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cstring>

namespace {

CString FaceOf(const LOGFONT& lf)
{
    return CString(lf.lfFaceName, static_cast<int>(strnlen(lf.lfFaceName, LF_FACESIZE)));
}

// A flag kept as 0 or 1; anything else is taken as the default.
int ReadFlag(CCorraAppBase& app, const CString& section, const CString& key, int def, int max, bool& odd)
{
    const int value = app.GetProfileNumber(section, key, def);
    if (value < 0 || value > max) {
        odd = true;
        return def;
    }
    return value;
}

// The item's font in the application's five-key form ("_Height" in points, "_Weight",
// "_Italic", "_Underline", "_FaceName") over the slot's font; a missing font leaves the slot's.
void ReadItemFont(CCorraAppBase& app, const CString& section, const CString& prefix, LOGFONT& lf, bool& odd)
{
    if (!app.Profile().HasKey(section, prefix + "_FaceName"))
        return;
    const int dpi = GetScreenLogPixels(TRUE);
    const int points = app.GetProfileNumber(section, prefix + "_Height", 0);
    if (points > 0 && points <= 1638)
        lf.lfHeight = -MulDiv(points, dpi, 72);
    else
        odd = true;
    const int weight = app.GetProfileNumber(section, prefix + "_Weight", static_cast<int>(lf.lfWeight));
    // Weights run from 0 to 1000: a larger one is taken as the heaviest.
    if (weight < 0 || weight > 1000)
        odd = true;
    if (weight >= 0)
        lf.lfWeight = weight > 1000 ? 1000 : weight;
    lf.lfItalic = app.GetProfileNumber(section, prefix + "_Italic", lf.lfItalic) ? 1 : 0;
    lf.lfUnderline = app.GetProfileNumber(section, prefix + "_Underline", lf.lfUnderline) ? 1 : 0;
    const CString face = app.GetProfileString(section, prefix + "_FaceName", "");
    if (face.IsEmpty() || face.GetLength() >= LF_FACESIZE)
        odd = true;
    else
        SetLogFontFaceName(lf, face);
}

} // namespace

LOGFONT CDocFontRecord::ShownFont() const
{
    if (!bUseDefault)
        return lf;
    LOGFONT slot{};
    CFontMgr::GetSlotLogFont(slot, nSlot);
    return slot;
}

CString CDocFontRecord::Describe() const
{
    return CSetDocumentFontsDlg::Describe(ShownFont());
}

DWORD CDocFontRecord::Mask() const
{
    if (nAffects == 0)
        return CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_FACE | CFM_CHARSET | CFM_SIZE;
    DWORD mask = 0;
    if (bFace)
        mask |= CFM_FACE | CFM_CHARSET;
    if (bSize)
        mask |= CFM_SIZE;
    if (bStyles)
        mask |= CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE;
    return mask;
}

CSetDocumentFontsDlg::CSetDocumentFontsDlg(CCorraDoc* pDoc, CWnd* pParent)
    : CDialog(IDD_SET_DOCUMENT_FONTS, pParent), m_pDoc(pDoc)
{
    setWindowTitle("Set Document Fonts");
    auto* layout = new QHBoxLayout(this);
    m_pItems = AddControl(IDC_SDF_ITEMS, new CListBox(this));
    m_pItems->setMinimumWidth(190);
    m_pItems->setMinimumHeight(300);
    auto* left = new QVBoxLayout;
    left->addWidget(CreateStatic("Font &Items:", 0, m_pItems));
    left->addWidget(m_pItems);
    layout->addLayout(left, 1);

    auto* right = new QVBoxLayout;
    auto* range = new QGroupBox("Range", this);
    auto* rangeLayout = new QVBoxLayout(range);
    rangeLayout->addWidget(CreateRadioButton(IDC_SDF_ENTIRE, "&Entire Document", TRUE));
    rangeLayout->addWidget(CreateRadioButton(IDC_SDF_SELECTED, "Selected &Questions"));
    right->addWidget(range);

    right->addWidget(CreateCheckBox(IDC_SDF_CHANGE, "&Change"));
    auto* to = new QGroupBox("Change Font To", this);
    auto* toLayout = new QVBoxLayout(to);
    toLayout->addWidget(CreateRadioButton(IDC_SDF_DEFAULT, "Set &Default", TRUE));
    toLayout->addWidget(CreateRadioButton(IDC_SDF_FONT, "&Font..."));
    auto* description = AddControl(IDC_SDF_DESCRIPTION, new QLineEdit(this));
    description->setReadOnly(true);
    description->setMinimumWidth(220);
    toLayout->addWidget(description);
    right->addWidget(to);

    auto* apply = new QGroupBox("Apply To", this);
    auto* applyLayout = new QVBoxLayout(apply);
    applyLayout->addWidget(CreateRadioButton(IDC_SDF_ALL_ATTRIBUTES, "&Affects All Attributes", TRUE));
    applyLayout->addWidget(CreateRadioButton(IDC_SDF_THESE_ONLY, "&These Attributes Only"));
    auto* which = new QHBoxLayout;
    which->addSpacing(16);
    which->addWidget(CreateCheckBox(IDC_SDF_FACE, "Fac&e"));
    which->addWidget(CreateCheckBox(IDC_SDF_SIZE, "&Size"));
    which->addWidget(CreateCheckBox(IDC_SDF_STYLES, "St&yles"));
    which->addStretch();
    applyLayout->addLayout(which);
    right->addWidget(apply);
    right->addStretch();
    right->addWidget(CreateButtonBox({IDOK, IDCANCEL, IDHELP}));
    layout->addLayout(right);

    BindNotify(IDC_SDF_ITEMS, LBN_SELCHANGE, [this] { OnSelChange(); });
    for (int id : {IDC_SDF_CHANGE, IDC_SDF_DEFAULT, IDC_SDF_ALL_ATTRIBUTES, IDC_SDF_THESE_ONLY, IDC_SDF_FACE,
                   IDC_SDF_SIZE, IDC_SDF_STYLES})
        BindNotify(id, BN_CLICKED, [this] { OnChoice(); });
    BindNotify(IDC_SDF_FONT, BN_CLICKED, [this] { OnFont(); });

    ReadRecords();
}

CString CSetDocumentFontsDlg::ProfileSection(const CCorraDoc& doc)
{
    return doc.GetProfileSection() + "SetFontDlg";
}

CString CSetDocumentFontsDlg::Describe(const LOGFONT& lf)
{
    CString text = CString::Formatted("%s/%dpt", FaceOf(lf).GetString(), CFontMgr::HeightToPoints(lf));
    // Bold as everywhere else: the question slots' default weight 500 is not.
    if (CFontMgr::IsBold(lf))
        text += "/b";
    if (lf.lfItalic)
        text += "/i";
    if (lf.lfUnderline)
        text += "/u";
    return text;
}

void CSetDocumentFontsDlg::ReadRecords()
{
    CFontMgrInit init;
    m_csSection = m_pDoc ? ProfileSection(*m_pDoc) : CString(CCorraDoc::PROFILE_SECTION) + "SetFontDlg";
    CCorraAppBase& app = CorraApp();
    bool odd = false;
    m_records.assign(FM_COUNT, CDocFontRecord());
    for (int slot = 0; slot < FM_COUNT; ++slot) {
        CDocFontRecord& r = m_records[static_cast<size_t>(slot)];
        r.nSlot = slot;
        r.csName = CFontMgr::GetSlotName(slot);
        CFontMgr::GetSlotLogFont(r.lf, slot);
        r.bChange = ReadFlag(app, m_csSection, r.csName + "ChangeFlag", 0, 1, odd);
        r.bUseDefault = ReadFlag(app, m_csSection, r.csName + "UseDefaultFlag", 1, 1, odd);
        r.nAffects = ReadFlag(app, m_csSection, r.csName + "AffectsRadio", 0, 1, odd);
        r.bFace = ReadFlag(app, m_csSection, r.csName + "Face", 1, 1, odd);
        r.bSize = ReadFlag(app, m_csSection, r.csName + "Size", 1, 1, odd);
        r.bStyles = ReadFlag(app, m_csSection, r.csName + "Styles", 1, 1, odd);
        ReadItemFont(app, m_csSection, r.csName + "lf", r.lf, odd);
        r.csDescription = r.Describe();
    }
    m_nCurSel = app.GetProfileNumber(m_csSection, "CurSel", 0);
    if (odd)
        LogOutput("CSetDocumentFontsDlg - values out of range in section " + m_csSection + ", defaults taken",
                  LOG_ERROR, LOG_HERE);
}

void CSetDocumentFontsDlg::WriteRecords()
{
    CCorraAppBase& app = CorraApp();
    for (const CDocFontRecord& r : m_records) {
        app.WriteProfileInt(m_csSection, r.csName + "ChangeFlag", r.bChange ? 1 : 0);
        app.WriteProfileInt(m_csSection, r.csName + "UseDefaultFlag", r.bUseDefault ? 1 : 0);
        app.WriteProfileInt(m_csSection, r.csName + "AffectsRadio", r.nAffects);
        app.WriteProfileInt(m_csSection, r.csName + "Face", r.bFace ? 1 : 0);
        app.WriteProfileInt(m_csSection, r.csName + "Size", r.bSize ? 1 : 0);
        app.WriteProfileInt(m_csSection, r.csName + "Styles", r.bStyles ? 1 : 0);
        app.WriteProfileFont(m_csSection, r.csName + "lf", r.lf);
    }
    app.WriteProfileInt(m_csSection, "CurSel", m_nCurSel);
}

BOOL CSetDocumentFontsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(CString("Set Document Fonts - ") + (m_pDoc ? m_pDoc->GetTitle() : CString()));
    for (CDocFontRecord& r : m_records) {
        const int item = m_pItems->AddString(r.csName);
        m_pItems->SetItemDataPtr(item, &r);
    }
    if (m_nCurSel < 0 || m_nCurSel >= m_pItems->GetCount())
        m_nCurSel = 0;
    m_pItems->SetCurSel(m_nCurSel);
    ChooseRadio(m_nRange ? IDC_SDF_SELECTED : IDC_SDF_ENTIRE, m_nRange ? IDC_SDF_ENTIRE : IDC_SDF_SELECTED);
    ShowRecord();
    return TRUE;
}

void CSetDocumentFontsDlg::ChooseRadio(int nIDOn, int nIDOff)
{
    CheckDlgButton(nIDOff, FALSE);
    CheckDlgButton(nIDOn, TRUE);
}

int CSetDocumentFontsDlg::GetSelectedItem() const
{
    return m_pItems->GetCurSel();
}

void CSetDocumentFontsDlg::ShowRecord()
{
    const int item = GetSelectedItem();
    if (item >= 0) {
        const CDocFontRecord& r = *static_cast<CDocFontRecord*>(m_pItems->GetItemDataPtr(item));
        m_bShowing = TRUE;
        CheckDlgButton(IDC_SDF_CHANGE, r.bChange);
        if (r.bUseDefault)
            ChooseRadio(IDC_SDF_DEFAULT, IDC_SDF_FONT);
        else
            ChooseRadio(IDC_SDF_FONT, IDC_SDF_DEFAULT);
        if (r.nAffects)
            ChooseRadio(IDC_SDF_THESE_ONLY, IDC_SDF_ALL_ATTRIBUTES);
        else
            ChooseRadio(IDC_SDF_ALL_ATTRIBUTES, IDC_SDF_THESE_ONLY);
        CheckDlgButton(IDC_SDF_FACE, r.bFace);
        CheckDlgButton(IDC_SDF_SIZE, r.bSize);
        CheckDlgButton(IDC_SDF_STYLES, r.bStyles);
        SetDlgItemText(IDC_SDF_DESCRIPTION, r.csDescription);
        m_bShowing = FALSE;
    } else {
        SetDlgItemText(IDC_SDF_DESCRIPTION, "");
    }
    UpdateControls();
}

void CSetDocumentFontsDlg::UpdateControls()
{
    const BOOL selected = GetSelectedItem() >= 0;
    const BOOL change = selected && IsDlgButtonChecked(IDC_SDF_CHANGE);
    EnableDlgItem(IDC_SDF_CHANGE, selected);
    for (int id : {IDC_SDF_DEFAULT, IDC_SDF_FONT, IDC_SDF_DESCRIPTION, IDC_SDF_ALL_ATTRIBUTES, IDC_SDF_THESE_ONLY})
        EnableDlgItem(id, change);
    const BOOL some = change && IsDlgButtonChecked(IDC_SDF_THESE_ONLY);
    for (int id : {IDC_SDF_FACE, IDC_SDF_SIZE, IDC_SDF_STYLES})
        EnableDlgItem(id, some);
}

void CSetDocumentFontsDlg::OnSelChange()
{
    m_nCurSel = GetSelectedItem();
    ShowRecord();
}

void CSetDocumentFontsDlg::OnChoice()
{
    const int item = GetSelectedItem();
    if (item < 0 || m_bShowing)
        return;
    CDocFontRecord& r = *static_cast<CDocFontRecord*>(m_pItems->GetItemDataPtr(item));
    r.bChange = IsDlgButtonChecked(IDC_SDF_CHANGE);
    r.bUseDefault = IsDlgButtonChecked(IDC_SDF_DEFAULT);
    r.nAffects = IsDlgButtonChecked(IDC_SDF_THESE_ONLY) ? 1 : 0;
    r.bFace = IsDlgButtonChecked(IDC_SDF_FACE);
    r.bSize = IsDlgButtonChecked(IDC_SDF_SIZE);
    r.bStyles = IsDlgButtonChecked(IDC_SDF_STYLES);
    r.csDescription = r.Describe();
    ShowRecord();
}

void CSetDocumentFontsDlg::OnFont()
{
    const int item = GetSelectedItem();
    if (item < 0)
        return;
    OnChoice();
    CDocFontRecord& r = *static_cast<CDocFontRecord*>(m_pItems->GetItemDataPtr(item));
    CFontDlg dlg(nullptr, &r.lf, nullptr, this);
    if (dlg.DoModal() == IDOK) {
        r.lf = dlg.m_lf;
        r.csDescription = r.Describe();
    }
    ShowRecord();
}

void CSetDocumentFontsDlg::OnOK()
{
    m_nRange = IsDlgButtonChecked(IDC_SDF_SELECTED) ? 1 : 0;
    for (int i = 0; i < m_pItems->GetCount(); ++i) {
        CDocFontRecord& r = *static_cast<CDocFontRecord*>(m_pItems->GetItemDataPtr(i));
        if (r.bUseDefault)
            CFontMgr::GetSlotCharFormat(r.cf, r.nSlot);
        else
            CFontMgr::LogFontToCharFormat(r.lf, r.cf);
        if (r.nAffects == 0) {
            r.bFace = r.bSize = r.bStyles = TRUE;
        } else if (r.bChange && r.Mask() == 0) {
            m_pItems->SetCurSel(i);
            OnSelChange();
            MessageBoxService().Show("You have selected that for " + r.csName +
                                         " only selected items will be affected but no items are selected.",
                                     CORRA_PRODUCT_NAME, MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        r.cf.dwMask = r.Mask();
        r.bAll = m_nRange == 0;
    }
    WriteRecords();
    EndDialog(IDOK);
}

void CDocumentFontsDialogService::Fill(const std::vector<CDocFontRecord>& records, int nRange, CDocumentFonts& fonts)
{
    // The items whose fonts the questions' own text carries; the others' fonts are the font
    // manager's, drawn as they are.
    struct CTarget {
        int nSlot;
        LOGFONT* pFont;
        DWORD* pMask;
        BOOL* pDefault;
    };
    const CTarget targets[] = {{FM_QUESTION, &fonts.textFont, &fonts.textMask, &fonts.bTextDefault},
                               {FM_CHOICES, &fonts.choicesFont, &fonts.choicesMask, &fonts.bChoicesDefault},
                               {FM_ANSWER, &fonts.answerFont, &fonts.answerMask, &fonts.bAnswerDefault}};
    for (const CTarget& t : targets) {
        const CDocFontRecord& r = records[static_cast<size_t>(t.nSlot)];
        *t.pMask = r.bChange ? r.Mask() : 0;
        *t.pFont = r.ShownFont();
        *t.pDefault = r.bUseDefault;
    }
    fonts.bAll = nRange == 0;
}

BOOL CDocumentFontsDialogService::Run(CCorraDoc& doc, CDocumentFonts& fonts)
{
    CSetDocumentFontsDlg dlg(&doc, AfxGetMainWnd());
    if (dlg.DoModal() != IDOK)
        return FALSE;
    Fill(dlg.Records(), dlg.m_nRange, fonts);
    return TRUE;
}
