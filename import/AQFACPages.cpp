#include "import/AQFACPages.h"

#include "controls/HVRichEditCtrl.h"
#include "import/ACAttrDlg.h"
#include "dialogs/MasterLists.h"
#include "foundation/CorraAppBase.h"
#include "foundation/Log.h"
#include "import/AddQuestFromSheet.h"
#include "import/SourceDoc.h"
#include "platform/core/Services.h"
#include "platform/core/StringTable.h"
#include "platform/ui/QtString.h"
#include "platform/ui/SysColor.h"
#include "res/ids/QuestionTypes.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr const char* kLineSection = "AQF_ACLineFmt";
constexpr const char* kChoiceSection = "AQF_ACChoice";
constexpr const char* kNumberSection = "ACRemoveQNum";
constexpr const char* kAttrSection = "AQF_ACQAttr";
constexpr UINT_PTR kCheckTimer = 1;

int ReadInt(const char* section, const char* key, int def)
{
    return CorraApp().GetProfileInt(section, key, def, TRUE);
}

void WriteInt(const char* section, const char* key, int value)
{
    CorraApp().WriteProfileInt(section, key, value);
}

BOOL IsQuestionType(int nType)
{
    static const unsigned kTypes[] = {IDS_QTYPE_MC, IDS_QTYPE_ES, IDS_QTYPE_MA, IDS_QTYPE_FI,
                                      IDS_QTYPE_UN, IDS_QTYPE_SA, IDS_QTYPE_TF};
    return std::any_of(std::begin(kTypes), std::end(kTypes), [nType](unsigned t) { return static_cast<int>(t) == nType; });
}

// The entries of a list text that a document file can keep; the others are logged and dropped.
CString KeptEntries(const CString& list, char separator, const char* forbidden, const char* what)
{
    CString kept;
    int start = 0;
    while (start <= list.GetLength()) {
        int end = list.Find(separator, start);
        if (end < 0)
            end = list.GetLength();
        CString entry = list.Mid(start, end - start);
        entry.Trim();
        if (!entry.IsEmpty()) {
            if (FindForbiddenChar(entry, forbidden)) {
                LogOutput(CString("CAQFSetACQuestAttr - ") + what + " dropped from the profile: " + entry, LOG_ERROR,
                          LOG_HERE);
            } else {
                if (!kept.IsEmpty())
                    kept += separator;
                kept += entry;
            }
        }
        start = end + 1;
    }
    return kept;
}

// text less every character of set.
CString WithoutChars(const CString& text, const CString& set)
{
    CString kept;
    for (int i = 0; i < text.GetLength(); ++i) {
        if (set.Find(text[i]) < 0)
            kept += text[i];
    }
    return kept;
}

} // namespace

// --- the pages' common part ---------------------------------------------------------------------

CAQFACPage::CAQFACPage(UINT nIDTemplate, const char* caption, UINT nInfoId, const char* titlePrefix, UINT nNext)
    : CAQFPage(nIDTemplate, caption, nInfoId), m_csTitlePrefix(titlePrefix), m_nNext(nNext)
{
    m_pEdit = AddControl(IDC_AQF_AC_TEXT, new CHVRichEditCtrl(this));
    m_pEdit->setMinimumHeight(180);
    BindNotify(IDC_AQF_AC_RELOAD, BN_CLICKED, [this] { OnReload(); });
    BindNotify(IDC_AQF_AC_TROUBLE, BN_CLICKED, [this] {
        CAddQuestFromSheet* pSheet = Sheet();
        ConversionSupportSlot().Get().Offer(pSheet ? pSheet->m_SourceBuf.GetFileName() : CString());
    });
}

BOOL CAQFACPage::OnInitDialog()
{
    CAQFPage::OnInitDialog();
    m_pInfo->Init(1, AQF_INFO_COLOR, m_nInfoId, GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

BOOL CAQFACPage::Init()
{
    CAddQuestFromSheet* pSheet = Sheet();
    const char* text = pSheet ? pSheet->m_SourceBuf.GetWorkingText() : nullptr;
    if (!text || !*text) {
        LogOutput(CString(m_className) + "::Init() - null buff from attr1 page", LOG_ERROR, LOG_HERE);
        // Never the text of a source loaded before.
        m_pEdit->SetText("", SF_TEXT);
        m_pEdit->SetModify(FALSE);
        return FALSE;
    }
    // The limit always admits the whole text.
    const long nLength = static_cast<long>(std::strlen(text));
    if (m_pEdit->GetLimitText() < nLength)
        m_pEdit->LimitText(nLength + nLength / 5 + 1);
    long start = 0, end = 0;
    m_pEdit->GetSel(start, end);
    const int firstLine = m_pEdit->GetFirstVisibleLine();
    CString lead = text;
    lead.TrimLeft();
    m_pEdit->SetText(text, lead.Left(5) == "{\\rtf" ? SF_RTF : SF_TEXT);
    m_pEdit->SetSel(start, end);
    // The place the user was reading stays in view.
    if (const int shift = firstLine - m_pEdit->GetFirstVisibleLine())
        m_pEdit->LineScroll(shift);
    m_pEdit->SetModify(FALSE);
    pSheet->SetTitle(m_csTitlePrefix + pSheet->m_SourceBuf.GetFileName());
    return TRUE;
}

BOOL CAQFACPage::OnSetActive()
{
    CAQFPage::OnSetActive();
    Init();
    SetButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return TRUE;
}

BOOL CAQFACPage::SaveEdits()
{
    CAddQuestFromSheet* pSheet = Sheet();
    if (!pSheet)
        return TRUE;
    const BOOL bModified = m_pEdit->GetModify();
    if (pSheet->SaveEditedSource(m_pEdit, MB_YESNOCANCEL) != IDCANCEL)
        return TRUE;
    // The user stays with the edits: the next Next or Back asks about them again.
    m_pEdit->SetModify(bModified);
    return FALSE;
}

LRESULT CAQFACPage::OnWizardNext()
{
    if (!SaveEdits())
        return -1;
    StoreSettings();
    PushThisPage();
    return m_nNext;
}

LRESULT CAQFACPage::OnWizardBack()
{
    if (!SaveEdits())
        return -1;
    return CAQFPage::OnWizardBack();
}

void CAQFACPage::OnReload()
{
    CAddQuestFromSheet* pSheet = Sheet();
    if (pSheet && pSheet->LoadSourceFile())
        Init();
}

// --- line format --------------------------------------------------------------------------------

CAQFSetACLineFmt::CAQFSetACLineFmt()
    : CAQFACPage(IDD_AQF_AC_LINE_FORMAT, "Select Line Format", IDS_AQF_AC_LINES_INFO, "Line Format - ",
                 IDD_AQF_AC_ATTR2)
{
    m_className = "CAQFSetACLineFmt";
    m_nHasLines = ReadInt(kLineSection, "HasLinesRB", 0) ? 1 : 0;
    m_pNote = MakePane(IDC_AQF_AC_INFO2, 52);
    PageLayout()->addWidget(m_pNote);
    PageLayout()->addWidget(CreateRadioButton(IDC_AQF_AC_BLANK_LINES, "Questions are separated by at least one blank line", TRUE));
    PageLayout()->addWidget(CreateRadioButton(IDC_AQF_AC_NO_BLANK_LINES, "Questions are NOT separated by any blank lines"));
    PageLayout()->addWidget(m_pEdit, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CreateButton(IDC_AQF_AC_RELOAD, "&Reload"));
    buttons->addStretch(1);
    PageLayout()->addLayout(buttons);
    BindNotify(IDC_AQF_AC_BLANK_LINES, BN_CLICKED, [this] { m_nHasLines = 0; });
    BindNotify(IDC_AQF_AC_NO_BLANK_LINES, BN_CLICKED, [this] { m_nHasLines = 1; });
}

CAQFSetACLineFmt::~CAQFSetACLineFmt()
{
    WriteInt(kLineSection, "HasLinesRB", m_nHasLines);
}

BOOL CAQFSetACLineFmt::OnInitDialog()
{
    CAQFACPage::OnInitDialog();
    m_pNote->Init(2, AQF_INFO_COLOR, IDS_AQF_AC_LINES_NOTE, GetSysColor(COLOR_BTNFACE));
    CheckRadioButton(IDC_AQF_AC_BLANK_LINES, IDC_AQF_AC_NO_BLANK_LINES,
                     m_nHasLines ? IDC_AQF_AC_NO_BLANK_LINES : IDC_AQF_AC_BLANK_LINES);
    return TRUE;
}

BOOL CAQFSetACLineFmt::OnSetActive()
{
    CAddQuestFromSheet* pSheet = Sheet();
    if (pSheet) {
        BOOL bLoaded = FALSE;
        if (!pSheet->m_ForcedSource.IsSet() && pSheet->m_FromDocPage.GetPathName().IsEmpty())
            AfxMessageBox("No source document has been selected.");
        else
            bLoaded = pSheet->LoadSourceText();
        // A source that cannot be read leaves nothing behind, not the text of one read before.
        if (!bLoaded)
            pSheet->m_SourceBuf.Free();
    }
    return CAQFACPage::OnSetActive();
}

void CAQFSetACLineFmt::StoreSettings()
{
    if (CAddQuestFromSheet* pSheet = Sheet())
        pSheet->m_ACSettings.m_bBlankLinesSeparate = m_nHasLines == 0;
}

// --- choices ------------------------------------------------------------------------------------

CAQFSetACAttr2::CAQFSetACAttr2()
    : CAQFACPage(IDD_AQF_AC_ATTR2, "AutoConvert Settings 2", IDS_AQF_AC_CHOICES_INFO, "Choices - ", IDD_AQF_AC_ATTR1)
{
    m_className = "CAQFSetACAttr2";
    m_bUsesChoices = ReadInt(kChoiceSection, "UsesChoicesFlag", 1) != 0;
    m_nLetterType = std::clamp(ReadInt(kChoiceSection, "LetterType", 0), 0, 2);
    m_nTermType = ReadInt(kChoiceSection, "TermType", 1) ? 1 : 0;
    auto* grid = new QGridLayout;
    grid->addWidget(CreateCheckBox(IDC_AQF_AC_HAS_CHOICES, "Questions have &choices"), 0, 0, 1, 2);
    grid->addWidget(CreateRadioButton(IDC_AQF_AC_LOWER, "&Lower case (a, b, c, ...)", TRUE), 1, 0);
    grid->addWidget(CreateRadioButton(IDC_AQF_AC_UPPER, "&Upper case (A, B, C, ...)"), 2, 0);
    grid->addWidget(CreateRadioButton(IDC_AQF_AC_NUMBERED, "&Numbered (1, 2, 3, ...)"), 3, 0);
    grid->addWidget(CreateStatic("Each choice is terminated with...", IDC_AQF_AC_TERM_LABEL), 1, 1);
    grid->addWidget(CreateRadioButton(IDC_AQF_AC_PARENTHESIS, "a &parenthesis", TRUE), 2, 1);
    grid->addWidget(CreateRadioButton(IDC_AQF_AC_PERIOD, "a p&eriod"), 3, 1);
    PageLayout()->addLayout(grid);
    PageLayout()->addWidget(m_pEdit, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CreateButton(IDC_AQF_AC_RELOAD, "&Reload"));
    buttons->addStretch(1);
    PageLayout()->addLayout(buttons);
    BindNotify(IDC_AQF_AC_HAS_CHOICES, BN_CLICKED, [this] { SetUsesChoices(IsDlgButtonChecked(IDC_AQF_AC_HAS_CHOICES)); });
    const int letters[] = {IDC_AQF_AC_LOWER, IDC_AQF_AC_UPPER, IDC_AQF_AC_NUMBERED};
    for (int i = 0; i < 3; ++i)
        BindNotify(letters[i], BN_CLICKED, [this, i] { m_nLetterType = i; });
    BindNotify(IDC_AQF_AC_PARENTHESIS, BN_CLICKED, [this] { m_nTermType = 0; });
    BindNotify(IDC_AQF_AC_PERIOD, BN_CLICKED, [this] { m_nTermType = 1; });
}

CAQFSetACAttr2::~CAQFSetACAttr2()
{
    WriteInt(kChoiceSection, "UsesChoicesFlag", m_bUsesChoices ? 1 : 0);
    WriteInt(kChoiceSection, "LetterType", m_nLetterType);
    WriteInt(kChoiceSection, "TermType", m_nTermType);
}

BOOL CAQFSetACAttr2::OnInitDialog()
{
    CAQFACPage::OnInitDialog();
    CheckDlgButton(IDC_AQF_AC_HAS_CHOICES, m_bUsesChoices);
    SetLetterType(m_nLetterType);
    CheckRadioButton(IDC_AQF_AC_PARENTHESIS, IDC_AQF_AC_PERIOD, m_nTermType ? IDC_AQF_AC_PERIOD : IDC_AQF_AC_PARENTHESIS);
    UpdateControls();
    return TRUE;
}

void CAQFSetACAttr2::SetUsesChoices(BOOL bUses)
{
    m_bUsesChoices = bUses;
    CheckDlgButton(IDC_AQF_AC_HAS_CHOICES, bUses);
    UpdateControls();
}

void CAQFSetACAttr2::SetLetterType(int nType)
{
    m_nLetterType = std::clamp(nType, 0, 2);
    const int letters[] = {IDC_AQF_AC_LOWER, IDC_AQF_AC_UPPER, IDC_AQF_AC_NUMBERED};
    CheckRadioButton(IDC_AQF_AC_LOWER, IDC_AQF_AC_NUMBERED, letters[m_nLetterType]);
}

void CAQFSetACAttr2::UpdateControls()
{
    for (int id : {IDC_AQF_AC_LOWER, IDC_AQF_AC_UPPER, IDC_AQF_AC_NUMBERED, IDC_AQF_AC_TERM_LABEL, IDC_AQF_AC_PARENTHESIS,
                   IDC_AQF_AC_PERIOD})
        EnableDlgItem(id, m_bUsesChoices);
}

void CAQFSetACAttr2::StoreSettings()
{
    CAddQuestFromSheet* pSheet = Sheet();
    if (!pSheet)
        return;
    CAQFConvertSettings& s = pSheet->m_ACSettings;
    s.m_bHaveChoices = m_bUsesChoices;
    s.m_szFirstLabel[0] = "aA1"[m_nLetterType];
    s.m_szTerminator[0] = m_nTermType ? '.' : ')';
}

// --- question numbers ---------------------------------------------------------------------------

CAQFSetACAttr1::CAQFSetACAttr1()
    : CAQFACPage(IDD_AQF_AC_ATTR1, "AutoConvert Settings 1", IDS_AQF_AC_NUMBERS_INFO, "Choices - ",
                 IDD_AQF_AC_QUEST_ATTR)
{
    m_className = "CAQFSetACAttr1";
    m_bRemove = ReadInt(kNumberSection, "RemoveQNumsFlag", 0) != 0;
    m_bDigits = ReadInt(kNumberSection, "ContDigitsFlag", 1) != 0;
    m_bLower = ReadInt(kNumberSection, "ContLowerFlag", 0) != 0;
    m_bUpper = ReadInt(kNumberSection, "ContUpperFlag", 0) != 0;
    m_bNumOther = ReadInt(kNumberSection, "ContOtherFlag", 0) != 0;
    m_csNumOther = CorraApp().GetProfileString(kNumberSection, "ContOtherText", "", TRUE);
    m_bPeriod = ReadInt(kNumberSection, "TermPeriodFlag", 0) != 0;
    m_bParens = ReadInt(kNumberSection, "TermParensFlag", 0) != 0;
    m_bSpace = ReadInt(kNumberSection, "TermSpaceFlag", 0) != 0;
    m_bTermOther = ReadInt(kNumberSection, "TermOtherFlag", 0) != 0;
    m_csTermOther = CorraApp().GetProfileString(kNumberSection, "TermOtherText", "", TRUE);
    // A profile edited by hand may give both sets a character: the other-texts lose it.
    const CString numOther = m_csNumOther;
    const CString termOther = m_csTermOther;
    m_csNumOther = WithoutChars(m_csNumOther, TerminatorChars());
    m_csTermOther = WithoutChars(m_csTermOther, NumberChars());
    if (m_csNumOther != numOther || m_csTermOther != termOther)
        LogOutput("CAQFSetACAttr1 - characters of both number and terminator sets dropped from the profile",
                  LOG_ERROR, LOG_HERE);
    auto* grid = new QGridLayout;
    grid->addWidget(CreateCheckBox(IDC_AQF_AC_REMOVE_NUMBERS, "Remove &question numbers"), 0, 0, 1, 2);
    grid->addWidget(CreateStatic("Numbers contain:"), 1, 0);
    grid->addWidget(CreateCheckBox(IDC_AQF_AC_DIGITS, "&Digits (0-9)"), 2, 0);
    grid->addWidget(CreateCheckBox(IDC_AQF_AC_LOWERCASE, "&Lowercase letters (a-z)"), 3, 0);
    grid->addWidget(CreateCheckBox(IDC_AQF_AC_UPPERCASE, "&Uppercase letters (A-Z)"), 4, 0);
    grid->addWidget(CreateCheckBox(IDC_AQF_AC_NUM_OTHER, "&Other (specify)"), 5, 0);
    grid->addWidget(CreateEdit(IDC_AQF_AC_NUM_OTHER_TEXT), 6, 0);
    grid->addWidget(CreateStatic("Numbers end with:"), 1, 1);
    grid->addWidget(CreateCheckBox(IDC_AQF_AC_TERM_PERIOD, "&Period"), 2, 1);
    grid->addWidget(CreateCheckBox(IDC_AQF_AC_TERM_PARENS, "&Right parenthesis"), 3, 1);
    grid->addWidget(CreateCheckBox(IDC_AQF_AC_TERM_SPACE, "&Blank space"), 4, 1);
    grid->addWidget(CreateCheckBox(IDC_AQF_AC_TERM_OTHER, "O&ther (specify)"), 5, 1);
    grid->addWidget(CreateEdit(IDC_AQF_AC_TERM_OTHER_TEXT), 6, 1);
    PageLayout()->addLayout(grid);
    PageLayout()->addWidget(m_pEdit, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CreateButton(IDC_AQF_AC_RELOAD, "&Reload"));
    buttons->addWidget(CreateButton(IDC_AQF_AC_APPLY, "&Apply"));
    buttons->addStretch(1);
    buttons->addWidget(CreateButton(IDC_AQF_AC_TROUBLE, "&Having trouble?"));
    PageLayout()->addLayout(buttons);
    for (int id : {IDC_AQF_AC_REMOVE_NUMBERS, IDC_AQF_AC_DIGITS, IDC_AQF_AC_LOWERCASE, IDC_AQF_AC_UPPERCASE,
                   IDC_AQF_AC_NUM_OTHER, IDC_AQF_AC_TERM_PERIOD, IDC_AQF_AC_TERM_PARENS, IDC_AQF_AC_TERM_SPACE,
                   IDC_AQF_AC_TERM_OTHER})
        BindNotify(id, BN_CLICKED, [this, id] { SetBox(id, IsDlgButtonChecked(id)); });
    for (int id : {IDC_AQF_AC_NUM_OTHER_TEXT, IDC_AQF_AC_TERM_OTHER_TEXT})
        BindNotify(id, EN_CHANGE, [this, id] {
            if (!m_bSetting)
                CleanOther(id);
        });
    BindNotify(IDC_AQF_AC_APPLY, BN_CLICKED, [this] { Apply(); });
}

CAQFSetACAttr1::~CAQFSetACAttr1()
{
    WriteInt(kNumberSection, "RemoveQNumsFlag", m_bRemove);
    WriteInt(kNumberSection, "ContDigitsFlag", m_bDigits);
    WriteInt(kNumberSection, "ContLowerFlag", m_bLower);
    WriteInt(kNumberSection, "ContUpperFlag", m_bUpper);
    WriteInt(kNumberSection, "ContOtherFlag", m_bNumOther);
    CorraApp().WriteProfileString(kNumberSection, "ContOtherText", m_csNumOther);
    WriteInt(kNumberSection, "TermPeriodFlag", m_bPeriod);
    WriteInt(kNumberSection, "TermParensFlag", m_bParens);
    WriteInt(kNumberSection, "TermSpaceFlag", m_bSpace);
    WriteInt(kNumberSection, "TermOtherFlag", m_bTermOther);
    CorraApp().WriteProfileString(kNumberSection, "TermOtherText", m_csTermOther);
}

BOOL* CAQFSetACAttr1::Flag(int nID)
{
    switch (nID) {
    case IDC_AQF_AC_REMOVE_NUMBERS: return &m_bRemove;
    case IDC_AQF_AC_DIGITS: return &m_bDigits;
    case IDC_AQF_AC_LOWERCASE: return &m_bLower;
    case IDC_AQF_AC_UPPERCASE: return &m_bUpper;
    case IDC_AQF_AC_NUM_OTHER: return &m_bNumOther;
    case IDC_AQF_AC_TERM_PERIOD: return &m_bPeriod;
    case IDC_AQF_AC_TERM_PARENS: return &m_bParens;
    case IDC_AQF_AC_TERM_SPACE: return &m_bSpace;
    case IDC_AQF_AC_TERM_OTHER: return &m_bTermOther;
    default: return nullptr;
    }
}

BOOL CAQFSetACAttr1::OnInitDialog()
{
    CAQFACPage::OnInitDialog();
    m_bSetting = TRUE;
    for (int id : {IDC_AQF_AC_REMOVE_NUMBERS, IDC_AQF_AC_DIGITS, IDC_AQF_AC_LOWERCASE, IDC_AQF_AC_UPPERCASE,
                   IDC_AQF_AC_NUM_OTHER, IDC_AQF_AC_TERM_PERIOD, IDC_AQF_AC_TERM_PARENS, IDC_AQF_AC_TERM_SPACE,
                   IDC_AQF_AC_TERM_OTHER})
        CheckDlgButton(id, *Flag(id));
    SetDlgItemText(IDC_AQF_AC_NUM_OTHER_TEXT, m_csNumOther);
    SetDlgItemText(IDC_AQF_AC_TERM_OTHER_TEXT, m_csTermOther);
    m_bSetting = FALSE;
    UpdateControls();
    return TRUE;
}

CString CAQFSetACAttr1::NumberChars() const
{
    CString set;
    if (m_bDigits)
        set += "0123456789";
    if (m_bLower)
        set += "abcdefghijklmnopqrstuvwxyz";
    if (m_bUpper)
        set += "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    if (m_bNumOther)
        set += m_csNumOther;
    return set;
}

CString CAQFSetACAttr1::TerminatorChars() const
{
    CString set;
    if (m_bPeriod)
        set += ".";
    if (m_bParens)
        set += ")";
    if (m_bSpace)
        set += " \t";
    if (m_bTermOther)
        set += m_csTermOther;
    return set;
}

void CAQFSetACAttr1::SetBox(int nID, BOOL bChecked)
{
    BOOL* pFlag = Flag(nID);
    if (!pFlag)
        return;
    *pFlag = bChecked;
    CheckDlgButton(nID, bChecked);
    if (bChecked && nID != IDC_AQF_AC_REMOVE_NUMBERS) {
        if (nID == IDC_AQF_AC_NUM_OTHER)
            CleanOther(IDC_AQF_AC_NUM_OTHER_TEXT);
        else if (nID == IDC_AQF_AC_TERM_OTHER)
            CleanOther(IDC_AQF_AC_TERM_OTHER_TEXT);
        const CString terms = TerminatorChars();
        if (FindForbiddenChar(NumberChars(), terms)) {
            AfxMessageBox(IDS_AQF_AC_EXCLUSIVE);
            *pFlag = FALSE;
            CheckDlgButton(nID, FALSE);
        }
    }
    UpdateControls();
}

void CAQFSetACAttr1::TypeOther(int nID, const char* text)
{
    SetDlgItemText(nID, text);
}

void CAQFSetACAttr1::CleanOther(int nEditID)
{
    const BOOL bNumbers = nEditID == IDC_AQF_AC_NUM_OTHER_TEXT;
    const CString text = GetDlgItemText(nEditID);
    // The characters of the other set as the other boxes give it.
    const CString kept = WithoutChars(text, bNumbers ? TerminatorChars() : NumberChars());
    (bNumbers ? m_csNumOther : m_csTermOther) = kept;
    if (kept != text) {
        AfxMessageBox(IDS_AQF_AC_EXCLUSIVE);
        m_bSetting = TRUE;
        SetDlgItemText(nEditID, kept);
        m_bSetting = FALSE;
    }
}

void CAQFSetACAttr1::UpdateControls()
{
    for (int id : {IDC_AQF_AC_DIGITS, IDC_AQF_AC_LOWERCASE, IDC_AQF_AC_UPPERCASE, IDC_AQF_AC_NUM_OTHER,
                   IDC_AQF_AC_TERM_PERIOD, IDC_AQF_AC_TERM_PARENS, IDC_AQF_AC_TERM_SPACE, IDC_AQF_AC_TERM_OTHER,
                   IDC_AQF_AC_APPLY})
        EnableDlgItem(id, m_bRemove);
    EnableDlgItem(IDC_AQF_AC_NUM_OTHER_TEXT, m_bRemove && m_bNumOther);
    EnableDlgItem(IDC_AQF_AC_TERM_OTHER_TEXT, m_bRemove && m_bTermOther);
}

void CAQFSetACAttr1::StoreSettings()
{
    // Numbers go only through Apply; the sheet's copies are brought up to date.
    if (CAddQuestFromSheet* pSheet = Sheet())
        pSheet->GatherACSettings();
}

int CAQFSetACAttr1::Apply()
{
    CAddQuestFromSheet* pSheet = Sheet();
    if (!m_bRemove || !pSheet)
        return 0;
    const CChoiceLabelRule rule = pSheet->m_ACSettings.LabelRule();
    const int nRemoved = m_pEdit->RemoveIdentifiers(TerminatorChars(), NumberChars(), &rule);
    m_csApplied = m_pEdit->StreamOut(SF_TEXT);
    return nRemoved;
}

LRESULT CAQFSetACAttr1::OnWizardNext()
{
    // A ticked box takes the numbers out, but never twice: a second pass would eat the start of
    // the text after each number (a year, a count).
    CAddQuestFromSheet* pSheet = Sheet();
    if (m_bRemove && pSheet && m_pEdit->StreamOut(SF_TEXT) != m_csApplied) {
        const BOOL bEdited = m_pEdit->GetModify();
        if (Apply() > 0 && !bEdited) {
            // Only what the box asked for changed: nothing to ask the user about.
            pSheet->StoreEditedSource(m_pEdit);
            m_pEdit->SetModify(FALSE);
        }
    }
    return CAQFACPage::OnWizardNext();
}

// --- question attributes ------------------------------------------------------------------------

CAQFSetACQuestAttr::CAQFSetACQuestAttr()
    : CAQFACPage(IDD_AQF_AC_QUEST_ATTR, "Select Question Attributes", IDS_AQF_AC_ATTR_INFO,
                 "Assign question attributes - ", IDD_AQF_AC_RUN)
{
    m_className = "CAQFSetACQuestAttr";
    m_nMode = ReadInt(kAttrSection, "AttrMode", 0) ? 1 : 0;
    const BOOL bChoices = ReadInt(kChoiceSection, "UsesChoicesFlag", 1) != 0;
    const CQuestion fresh;
    int nType = ReadInt(kAttrSection, "AttrQType", fresh.m_nType);
    if (!IsQuestionType(nType))
        nType = static_cast<int>(bChoices ? IDS_QTYPE_MC : IDS_QTYPE_ES);
    m_Specific.m_nType = nType;
    const int nLevel = ReadInt(kAttrSection, "AttrQLevel", fresh.m_nLevel);
    m_Specific.m_nLevel = nLevel >= 0 && nLevel <= 6 ? nLevel : 0;
    m_Specific.m_nIndex = std::max(0, ReadInt(kAttrSection, "AttrQIndex", fresh.m_nIndex));
    const CString subjects =
        KeptEntries(CorraApp().GetProfileString(kAttrSection, "AttrQSubjects", "", TRUE), ',', "{},", "subject");
    int start = 0;
    while (start < subjects.GetLength()) {
        int end = subjects.Find(',', start);
        if (end < 0)
            end = subjects.GetLength();
        m_Specific.AddSubject(subjects.Mid(start, end - start));
        start = end + 1;
    }
    m_Specific.SetTextbooks(
        KeptEntries(CorraApp().GetProfileString(kAttrSection, "AttrQBooks", "", TRUE), ';', "{};", "textbook"), ";");
    if (m_nMode == 1)
        m_Default = m_Specific;
    PageLayout()->addWidget(CreateRadioButton(IDC_AQF_AC_DEFAULT_ATTR, "Use &default attributes for each question", TRUE));
    auto* specific = new QHBoxLayout;
    specific->addWidget(CreateRadioButton(IDC_AQF_AC_SPECIFIC_ATTR, "Select &specific attributes for each question"));
    specific->addWidget(CreateButton(IDC_AQF_AC_ATTRIBUTES, "A&ttributes..."));
    specific->addStretch(1);
    PageLayout()->addLayout(specific);
    PageLayout()->addWidget(m_pEdit, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CreateButton(IDC_AQF_AC_RELOAD, "&Reload"));
    buttons->addStretch(1);
    PageLayout()->addLayout(buttons);
    BindNotify(IDC_AQF_AC_DEFAULT_ATTR, BN_CLICKED, [this] {
        m_nMode = 0;
        EnableDlgItem(IDC_AQF_AC_ATTRIBUTES, FALSE);
    });
    BindNotify(IDC_AQF_AC_SPECIFIC_ATTR, BN_CLICKED, [this] {
        m_nMode = 1;
        EnableDlgItem(IDC_AQF_AC_ATTRIBUTES, TRUE);
    });
    BindNotify(IDC_AQF_AC_ATTRIBUTES, BN_CLICKED, [this] { ChooseAttributes(); });
}

BOOL CAQFSetACQuestAttr::ChooseAttributes()
{
    CACAttrDlg dlg(this);
    dlg.m_Question = m_Specific;
    if (dlg.DoModal() != IDOK)
        return FALSE;
    m_Specific = dlg.m_Question;
    m_Default = dlg.m_Question;
    return TRUE;
}

CAQFSetACQuestAttr::~CAQFSetACQuestAttr()
{
    WriteInt(kAttrSection, "AttrMode", m_nMode);
    WriteInt(kAttrSection, "AttrQType", m_Specific.m_nType);
    WriteInt(kAttrSection, "AttrQLevel", m_Specific.m_nLevel);
    WriteInt(kAttrSection, "AttrQIndex", m_Specific.m_nIndex);
    CString subjects;
    for (int i = 0; i < m_Specific.m_saSubjects.GetSize(); ++i)
        subjects += (i ? "," : "") + m_Specific.m_saSubjects[i];
    CorraApp().WriteProfileString(kAttrSection, "AttrQSubjects", subjects);
    CString books;
    m_Specific.GetTextbooks(books, ";");
    CorraApp().WriteProfileString(kAttrSection, "AttrQBooks", books);
}

BOOL CAQFSetACQuestAttr::OnInitDialog()
{
    CAQFACPage::OnInitDialog();
    CheckRadioButton(IDC_AQF_AC_DEFAULT_ATTR, IDC_AQF_AC_SPECIFIC_ATTR,
                     m_nMode ? IDC_AQF_AC_SPECIFIC_ATTR : IDC_AQF_AC_DEFAULT_ATTR);
    EnableDlgItem(IDC_AQF_AC_ATTRIBUTES, m_nMode == 1);
    return TRUE;
}

BOOL CAQFSetACQuestAttr::OnSetActive()
{
    CAddQuestFromSheet* pSheet = Sheet();
    const int nType = static_cast<int>(pSheet && !pSheet->m_ACSettings.m_bHaveChoices ? IDS_QTYPE_ES : IDS_QTYPE_MC);
    m_Default.m_nType = nType;
    m_Specific.m_nType = nType;
    return CAQFACPage::OnSetActive();
}

void CAQFSetACQuestAttr::StoreSettings()
{
    if (CAddQuestFromSheet* pSheet = Sheet())
        pSheet->GatherACSettings();
}

// --- the run ------------------------------------------------------------------------------------

CAQFDoACPage::CAQFDoACPage()
    : CAQFACPage(IDD_AQF_AC_RUN, "Auto Convert", IDS_AQF_AC_RUN_INFO, "Complete AutoConvert - ", 0)
{
    m_className = "CAQFDoACPage";
    m_pResult = MakePane(IDC_AQF_AC_INFO2, 40);
    PageLayout()->addWidget(m_pResult);
    PageLayout()->addWidget(m_pEdit, 1);
    // Two halves of one width, 50 pixels apart: the two buttons stand 25 pixels either side of
    // the text's centre, whatever their widths.
    auto* left = new QHBoxLayout;
    left->addWidget(CreateButton(IDC_AQF_AC_RELOAD, "&Reload"));
    left->addStretch(1);
    left->addWidget(CreateButton(IDC_AQF_AC_CONTINUE, "&Continue AutoConvert"));
    auto* right = new QHBoxLayout;
    right->addWidget(CreateButton(IDC_AQF_AC_TROUBLE, "&Having trouble?"));
    right->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(0);
    buttons->addLayout(left, 1);
    buttons->addSpacing(50);
    buttons->addLayout(right, 1);
    PageLayout()->addLayout(buttons);
    BindNotify(IDC_AQF_AC_CONTINUE, BN_CLICKED, [this] { Check(); });
}

BOOL CAQFDoACPage::OnInitDialog()
{
    CAQFACPage::OnInitDialog();
    m_pResult->Init(2, AQF_INFO_COLOR, 0, GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

BOOL CAQFDoACPage::OnSetActive()
{
    CAQFPage::OnSetActive();
    m_bConverted = FALSE;
    m_pResult->SetPaneText("");
    Init();
    UpdateControls();
    SetTimer(kCheckTimer, 500);
    return TRUE;
}

void CAQFDoACPage::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kCheckTimer)
        return;
    KillTimer(kCheckTimer);
    Check();
}

BOOL CAQFDoACPage::Check()
{
    CAddQuestFromSheet* pSheet = Sheet();
    if (!pSheet)
        return FALSE;
    m_bConverted = FALSE;
    // Indents pasted in from a word processor would be carried into every question.
    m_pEdit->SetParagraphIndents();
    m_pEdit->RemoveIdentifiers('.');
    CAQFConvertSettings& settings = pSheet->m_ACSettings;
    const int result = CSourceDoc::AutoConvert2(m_pEdit, nullptr, &settings);
    // With choices each question is two ranges: its text and its choices.
    const int questions = settings.m_bHaveChoices ? settings.m_nRangeCount / 2 : settings.m_nRangeCount;
    if (result == AQF_SYNTAX_OK) {
        if (questions == 1 && AfxMessageBox(IDS_AQF_AC_ONE_QUESTION, MB_YESNO) != IDYES) {
            UpdateControls();
            return FALSE;
        }
        m_bConverted = TRUE;
        CString text;
        text.Format(LoadStringId(IDS_AQF_AC_NO_ERRORS), questions);
        m_pResult->SetPaneText(text);
    } else if (result == AQF_CONVERT_NONE_FOUND && m_pEdit->GetTextLength() > 0) {
        AfxMessageBox(IDS_AQF_AC_NO_QUESTIONS);
    }
    UpdateControls();
    return m_bConverted;
}

void CAQFDoACPage::UpdateControls()
{
    ShowDlgItem(IDC_AQF_AC_CONTINUE, m_bConverted ? SW_HIDE : SW_SHOW);
    ShowDlgItem(IDC_AQF_AC_TROUBLE, m_bConverted ? SW_HIDE : SW_SHOW);
    SetButtons(m_bConverted ? PSWIZB_BACK | PSWIZB_FINISH : PSWIZB_BACK | PSWIZB_DISABLEDFINISH);
}

LRESULT CAQFDoACPage::OnWizardBack()
{
    KillTimer(kCheckTimer);
    m_bConverted = FALSE;
    return CAQFACPage::OnWizardBack();
}

BOOL CAQFDoACPage::OnWizardFinish()
{
    CAddQuestFromSheet* pSheet = Sheet();
    if (!m_bConverted || !pSheet || !pSheet->CanFinish())
        return FALSE;
    m_pEdit->StreamOutText(m_csFinished, SF_RTF);
    pSheet->m_SourceBuf.SetText(m_csFinished, m_csFinished.GetLength());
    return TRUE;
}
