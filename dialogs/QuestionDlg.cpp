#include "dialogs/QuestionDlg.h"

#include "controls/HVRichEditCtrl.h"
#include "dialogs/SubjectsDlg.h"
#include "dialogs/TextbooksDlg.h"
#include "foundation/Log.h"
#include "foundation/LogException.h"
#include "foundation/QuestionTypes.h"
#include "model/Choices.h"
#include "platform/core/Services.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/QtString.h"
#include "res/ids/QuestionTypes.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cctype>
#include <exception>

namespace {

constexpr UINT_PTR kFormatTimer = 2;
constexpr UINT kFormatDelay = 250;
// The pane colour of a choices error.
constexpr COLORREF kErrorPaneColour = 0xFF0000;
// How the choices of an "MC" question are laid into the pane: one per line, a tab after each
// label, no indent, labels in the choices' font.
constexpr DWORD kPaneChoicesFlags = 849;
// The label font effects a choice label gets (slot 1).
constexpr DWORD kLabelFontMask = 0xA8000007;

void EmptyPane(CHVRichEditCtrl* pane)
{
    pane->SelectAll();
    pane->ReplaceSel("");
}

} // namespace

int CQuestionDlg::s_nDefaultType = IDS_QTYPE_MC;
int CQuestionDlg::s_nDefaultLevel = 3;

BOOL IsWrittenAnswerType(int nType)
{
    return nType == static_cast<int>(IDS_QTYPE_ES) || nType == static_cast<int>(IDS_QTYPE_SA) ||
           nType == static_cast<int>(IDS_QTYPE_FI);
}

CString ChoicesPaneText(CHVRichEditCtrl& pane, BOOL bRtf)
{
    CString text;
    pane.StreamOutText(text, bRtf ? SF_RTF : SF_TEXT);
    return text;
}

CQuestionDlg::CQuestionDlg(CWnd* pParent) : CQuestionDlg(IDD_QUESTION_DLG, pParent)
{
    LayOutQuestionDialog();
}

CQuestionDlg::CQuestionDlg(UINT nIDTemplate, CWnd* pParent, EQuestionDlgChoice choice)
    : CFixedFontDialog(nIDTemplate, pParent)
{
    m_nTemplateId = static_cast<int>(nIDTemplate);
    m_Question.Reset(FALSE);
    m_Question.m_nType = IDS_QTYPE_MC;
    BuildControls(choice);
}

CQuestionDlg::~CQuestionDlg() = default;

void CQuestionDlg::BuildControls(EQuestionDlgChoice choice)
{
    m_pIdEdit = CreateEdit(IDC_QD_ID);
    if (choice == QDC_MULTIPLE) {
        m_pTypeList = AddControl(IDC_QD_TYPE, new CListBox(this, TRUE));
        m_pLevelList = AddControl(IDC_QD_LEVEL, new CListBox(this, TRUE));
    } else {
        m_pTypeCombo = AddControl(IDC_QD_TYPE, new CComboBox(this, FALSE));
        m_pLevelCombo = AddControl(IDC_QD_LEVEL, new CComboBox(this, FALSE));
    }
    m_pIndexEdit = CreateEdit(IDC_QD_INDEX);
    CreateButton(IDC_QD_SUBJECTS, "&Subjects...");
    m_pSubjectsText = CreateEdit(IDC_QD_SUBJECTS_TEXT);
    m_pSubjectsText->setReadOnly(true);
    CreateButton(IDC_QD_BOOKS, "&Books...");
    m_pBooksText = CreateEdit(IDC_QD_BOOKS_TEXT);
    m_pBooksText->setReadOnly(true);
    m_pQuestionPane = AddControl(IDC_QD_QUESTION, new CHVRichEditCtrl(this));
    m_pChoicesPane = AddControl(IDC_QD_CHOICES, new CHVRichEditCtrl(this));
    m_pAnswerPane = AddControl(IDC_QD_ANSWER, new CHVRichEditCtrl(this));
    m_pAnswerLetter = CreateEdit(IDC_QD_ANSWER_LETTER);
    m_pAnswerLetter->setMaximumWidth(48);
    m_pTrue = CreateRadioButton(IDC_QD_TRUE, "&True", TRUE);
    m_pFalse = CreateRadioButton(IDC_QD_FALSE, "&False");
    for (CHVRichEditCtrl* pane : {m_pQuestionPane, m_pChoicesPane, m_pAnswerPane}) {
        pane->SetEventMask(ENM_CHANGE);
        pane->SetContextMenu(TRUE);
    }
    m_pQuestionPane->setMinimumHeight(120);
    m_pChoicesPane->setMinimumHeight(110);
    m_pAnswerPane->setMinimumHeight(110);

    BindCommand(IDC_QD_SUBJECTS, [this] { OnSubjects(); });
    BindCommand(IDC_QD_BOOKS, [this] { OnBooks(); });
    BindCommand(IDC_QD_INDEX_DOWN, [this] { OnIndexStep(-1); });
    BindCommand(IDC_QD_INDEX_UP, [this] { OnIndexStep(1); });
    for (int id : {IDC_QD_ID, IDC_QD_INDEX, IDC_QD_QUESTION, IDC_QD_ANSWER, IDC_QD_ANSWER_LETTER})
        BindNotify(id, EN_CHANGE, [this] { OnChange(); });
    BindNotify(IDC_QD_LEVEL, CBN_SELCHANGE, [this] { OnChange(); });
    BindCommand(IDC_QD_TRUE, [this] { OnChange(); });
    BindCommand(IDC_QD_FALSE, [this] { OnChange(); });
    BindNotify(IDC_QD_CHOICES, EN_CHANGE, [this] { OnChoicesChange(); });
}

void CQuestionDlg::LayOutQuestionDialog()
{
    auto* grid = new QGridLayout;
    grid->addWidget(CreateStatic("&ID:", 0, m_pIdEdit), 0, 0);
    grid->addWidget(m_pIdEdit, 0, 1);
    grid->addWidget(CreateStatic("T&ype:", 0, m_pTypeCombo), 0, 2);
    grid->addWidget(m_pTypeCombo, 0, 3);
    grid->addWidget(CreateStatic("&Level:", 0, m_pLevelCombo), 0, 4);
    grid->addWidget(m_pLevelCombo, 0, 5);
    grid->addWidget(CreateStatic("I&ndex:", 0, m_pIndexEdit), 1, 0);
    grid->addWidget(m_pIndexEdit, 1, 1);
    grid->addWidget(GetDlgItem(IDC_QD_SUBJECTS), 2, 0);
    grid->addWidget(m_pSubjectsText, 2, 1, 1, 5);
    grid->addWidget(GetDlgItem(IDC_QD_BOOKS), 3, 0);
    grid->addWidget(m_pBooksText, 3, 1, 1, 5);
    auto* answer = new QHBoxLayout;
    answer->addWidget(CreateStatic("Answer:", 0, m_pAnswerLetter));
    answer->addWidget(m_pAnswerLetter);
    answer->addWidget(m_pTrue);
    answer->addWidget(m_pFalse);
    answer->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(CreateStatic("Question:", 0, m_pQuestionPane));
    layout->addWidget(m_pQuestionPane, 2);
    layout->addWidget(CreateStatic("Choices", 0, m_pChoicesPane));
    layout->addWidget(m_pChoicesPane, 1);
    layout->addWidget(m_pAnswerPane, 1);
    layout->addLayout(answer);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CreateButton(IDC_QD_RESET, "&Reset"));
    buttons->addStretch(1);
    buttons->addWidget(CreateButtonBox({IDOK, IDCANCEL}));
    layout->addLayout(buttons);
}

// ---- type table helpers ------------------------------------------------------------------------

void CQuestionDlg::FillTypeCombo()
{
    if (!m_pTypeCombo)
        return;
    m_pTypeCombo->ResetContent();
    for (int i = 0; i < GetQuestionTypeCount(); ++i) {
        UINT id = GetQuestionTypeId(i);
        if (!AllowedQuestDlgType(static_cast<long>(id)))
            continue;
        int item = m_pTypeCombo->AddString(LoadStringId(id));
        m_pTypeCombo->SetItemData(item, id);
    }
}

void CQuestionDlg::FillLevelCombo()
{
    if (!m_pLevelCombo)
        return;
    m_pLevelCombo->ResetContent();
    for (int level = 0; level <= 6; ++level) {
        CString text;
        text.Format("%d", level);
        int item = m_pLevelCombo->AddString(text);
        m_pLevelCombo->SetItemData(item, static_cast<DWORD_PTR>(level));
    }
}

int CQuestionDlg::GetSelectedType() const
{
    // Lists of several types have no one selected type.
    if (!m_pTypeCombo)
        return IDS_QTYPE_UN;
    try {
        int sel = m_pTypeCombo->GetCurSel();
        if (sel >= 0)
            return static_cast<int>(m_pTypeCombo->GetItemData(sel));
    } catch (const std::exception& e) {
        LogException(e, LOG_HERE);
    } catch (...) {
        LogUnknownException(LOG_HERE);
    }
    return IDS_QTYPE_UN;
}

// ---- initialisation and reset -------------------------------------------------------------------

BOOL CQuestionDlg::OnInitDialog()
{
    FillTypeCombo();
    FillLevelCombo();
    CFixedFontDialog::OnInitDialog();
    m_pQuestionPane->SetDefaultFontSlot(0);
    m_pChoicesPane->SetDefaultFontSlot(1);
    m_pAnswerPane->SetDefaultFontSlot(3);
    ShowControlsForType(-1, -1);
    UpdateControls();
    m_bInitialised = TRUE;
    m_bChoicesFormatted = FALSE;
    m_bInFormatTimer = FALSE;
    return TRUE;
}

void CQuestionDlg::ResetQuestion(BOOL bKeepId)
{
    if (GetSafeHwnd()) {
        for (CHVRichEditCtrl* pane : {m_pQuestionPane, m_pChoicesPane, m_pAnswerPane})
            EmptyPane(pane);
        SetSubjectsText("");
        SetBooksText("");
        if (GetDlgItem(IDC_QD_ANSWER_SIZE))
            SetDlgItemText(IDC_QD_ANSWER_SIZE, "");
        m_pAnswerLetter->clear();
        SetDlgItemInt(IDC_QD_INDEX, 0);
    }
    m_Question.Reset(!bKeepId);
    m_Question.m_nIndex = 0;
    m_Question.m_nType = s_nDefaultType;
    m_Question.m_nLevel = s_nDefaultLevel;
    m_nTrueFalse = -1;
    if (GetSafeHwnd()) {
        if (m_pTypeCombo) {
            m_pTypeCombo->SetCurSel(-1);
            for (int i = 0; i < m_pTypeCombo->GetCount(); ++i) {
                if (static_cast<int>(m_pTypeCombo->GetItemData(i)) == s_nDefaultType)
                    m_pTypeCombo->SetCurSel(i);
            }
        }
        ShowControlsForType(-1, s_nDefaultType);
        if (m_pLevelCombo)
            m_pLevelCombo->SetCurSel(s_nDefaultLevel);
        m_pTrue->setAutoExclusive(false);
        m_pTrue->setChecked(false);
        m_pFalse->setChecked(false);
        m_pTrue->setAutoExclusive(true);
    }
    SetModified(FALSE);
    m_pQuestionPane->SetDefaultFontSlot(0);
    m_pChoicesPane->SetDefaultFontSlot(1);
    m_pAnswerPane->SetDefaultFontSlot(3);
}

void CQuestionDlg::SetBooksText(LPCSTR text)
{
    m_pBooksText->setText(ToQString(text));
}

void CQuestionDlg::SetSubjectsText(LPCSTR text)
{
    m_pSubjectsText->setText(ToQString(text));
}

// ---- data exchange ------------------------------------------------------------------------------

void CQuestionDlg::DoDataExchange(CDataExchange* pDX)
{
    CFixedFontDialog::DoDataExchange(pDX);
    const BOOL bSave = pDX->m_bSaveAndValidate;
    if (!bSave && m_Question.m_nType == static_cast<int>(IDS_QTYPE_TF)) {
        CString answer = m_Question.m_cszAnswer;
        answer.Trim();
        m_nTrueFalse = answer.CompareNoCase("a") == 0 ? 0 : answer.CompareNoCase("b") == 0 ? 1 : -1;
    }
    DDX_Radio(pDX, IDC_QD_TRUE, m_nTrueFalse);
    ExchangeType(pDX);
    ExchangeLevel(pDX);
    ExchangeSubjects(pDX, TRUE);
    ExchangeBooks(pDX, TRUE);
    ExchangeId(pDX);
    ExchangeIndex(pDX);
    m_bRelabelPending = FALSE;
    const int nType = m_Question.m_nType;
    if (nType == static_cast<int>(IDS_QTYPE_MC) || nType == static_cast<int>(IDS_QTYPE_CO) ||
        nType == static_cast<int>(IDS_QTYPE_TF))
        ExchangeChoices(pDX);
    CString text = m_Question.m_cszQuestionText;
    DDX_HVRichText(pDX, IDC_QD_QUESTION, text, SF_RTF);
    CString answer = m_Question.m_cszAnswer;
    if (IsWrittenAnswerType(nType))
        DDX_HVRichText(pDX, IDC_QD_ANSWER, answer, SF_RTF);
    else
        ExchangeAnswerLetter(pDX, IDC_QD_ANSWER_LETTER, answer);
    if (bSave) {
        m_Question.m_cszQuestionText = text;
        if (nType == static_cast<int>(IDS_QTYPE_TF))
            m_Question.m_cszAnswer = m_nTrueFalse == 0 ? "a" : m_nTrueFalse == 1 ? "b" : "";
        else
            m_Question.m_cszAnswer = answer;
        // Digit labels become letters only now: the answer was read against the digits.
        if (m_bRelabelPending)
            m_Question.SetChoiceCase('a');
        m_bRelabelPending = FALSE;
    }
}

void CQuestionDlg::ExchangeType(CDataExchange* pDX)
{
    pDX->PrepareCtrl(IDC_QD_TYPE);
    if (!m_pTypeCombo)
        return;
    if (pDX->m_bSaveAndValidate) {
        int sel = m_pTypeCombo->GetCurSel();
        if (sel >= 0)
            m_Question.m_nType = static_cast<int>(m_pTypeCombo->GetItemData(sel));
        return;
    }
    if (!AllowedQuestDlgType(m_Question.m_nType)) {
        MessageBoxService().Show("Bad question type", "Error", MB_OK | MB_ICONEXCLAMATION);
        m_pTypeCombo->SetCurSel(-1);
        return;
    }
    m_pTypeCombo->SelectString(-1, LoadStringId(static_cast<UINT>(m_Question.m_nType)));
}

void CQuestionDlg::ExchangeLevel(CDataExchange* pDX)
{
    pDX->PrepareCtrl(IDC_QD_LEVEL);
    if (!m_pLevelCombo)
        return;
    if (pDX->m_bSaveAndValidate) {
        // No selection keeps the level the question has.
        int sel = m_pLevelCombo->GetCurSel();
        if (sel >= 0)
            m_Question.m_nLevel = sel;
    } else {
        m_pLevelCombo->SetCurSel(m_Question.m_nLevel >= 0 && m_Question.m_nLevel < m_pLevelCombo->GetCount()
                                     ? m_Question.m_nLevel
                                     : -1);
    }
}

CString CQuestionDlg::SubjectsSummary(const CStringArrayEx& subjects)
{
    CString text;
    for (int i = 0; i < subjects.GetSize() && i < 2; ++i) {
        if (i > 0)
            text += ", ";
        text += subjects[i];
    }
    if (subjects.GetSize() > 1)
        text += " ...";
    return text;
}

CString CQuestionDlg::BooksSummary(const CStringArrayEx& books, const CStringArrayEx& chapters)
{
    CString text;
    if (books.GetSize() > 0)
        text = books[0] + ";" + (chapters.GetSize() > 0 ? chapters[0] : CString("0"));
    if (books.GetSize() > 1)
        text += " ...";
    return text;
}

void CQuestionDlg::ExchangeSubjects(CDataExchange* pDX, BOOL)
{
    if (!pDX->m_bSaveAndValidate)
        SetSubjectsText(SubjectsSummary(m_Question.m_saSubjects));
}

void CQuestionDlg::ExchangeBooks(CDataExchange* pDX, BOOL)
{
    if (!pDX->m_bSaveAndValidate)
        SetBooksText(BooksSummary(m_Question.m_saBooks, m_Question.m_saChapters));
}

void CQuestionDlg::ExchangeId(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_QD_ID, m_Question.m_nId);
}

void CQuestionDlg::ExchangeIndex(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_QD_INDEX, m_Question.m_nIndex);
}

void CQuestionDlg::ShowChoicesError(const CChoicesError& error)
{
    m_pChoicesPane->SetSel(error.m_nStart, error.m_nEnd);
    CRichMessage message;
    message.title = "Error";
    const UINT ids[4] = {error.m_nId1, error.m_nId2, error.m_nId3, error.m_nId4};
    for (int i = 0; i < 4; ++i) {
        message.paneId[i] = ids[i];
        message.paneColor[i] = kErrorPaneColour;
    }
    if (!error.m_csMessage.IsEmpty() && !error.m_nId1) {
        message.pane[0] = error.m_csMessage;
    }
    RichMessageBoxService().Show(message);
}

void CQuestionDlg::ExchangeChoices(CDataExchange* pDX)
{
    pDX->PrepareCtrl(IDC_QD_CHOICES);
    const int nType = m_Question.m_nType;
    if (!pDX->m_bSaveAndValidate) {
        m_bChoicesFormatted = FALSE;
        EmptyPane(m_pChoicesPane);
        if (nType == static_cast<int>(IDS_QTYPE_MC)) {
            m_Question.m_Choices.OutputToRichEdit(*m_pChoicesPane, CDrawContext::Screen(), kPaneChoicesFlags);
        } else {
            CString text;
            m_Question.GetChoicesText(text, 0, 0);
            m_pChoicesPane->SetText(text, SF_TEXT);
        }
        m_pChoicesPane->SetSel(0, 0);
        return;
    }
    CleanUpChoices();
    CChoicesError error;
    const CString plain = ChoicesPaneText(*m_pChoicesPane, FALSE);
    if (!CChoices::ValidateChoices(plain, &error)) {
        ShowChoicesError(error);
        pDX->Fail();
    }
    // An empty pane passed the check: the question has no choices yet. The parser would
    // refuse it ("no choices found"), so it is not asked.
    if (CString(plain).Trim().IsEmpty()) {
        m_Question.m_Choices.RemoveAll();
        m_Question.m_Choices.ClearCache();
        return;
    }
    CString text = ChoicesPaneText(*m_pChoicesPane, nType == static_cast<int>(IDS_QTYPE_MC));
    text.Replace("\r\n\\par", "\\par");
    text.Replace("\\par \\", "\\par\\");
    error.Reset();
    if (!m_Question.SetChoices(text, '*', '.', &error)) {
        ShowChoicesError(error);
        pDX->Fail();
    }
    const CString first = m_Question.m_Choices.GetChoiceId(0);
    m_bRelabelPending = !first.IsEmpty() && std::isdigit(static_cast<unsigned char>(first[0]));
}

void CQuestionDlg::ExchangeAnswerLetter(CDataExchange* pDX, int nIDC, CString& answer)
{
    pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        SetDlgItemText(nIDC, answer);
        return;
    }
    if (m_Question.m_nType == static_cast<int>(IDS_QTYPE_TF))
        SetDlgItemText(nIDC, m_nTrueFalse == 0 ? "a" : m_nTrueFalse == 1 ? "b" : "");
    CString text = GetDlgItemText(nIDC);
    text.Trim();
    if (text.IsEmpty()) {
        answer.Empty();
        return;
    }
    if (text.GetLength() > 1)
        pDX->Fail("Only a single character answer is allowed.");
    char c = text[0];
    if (!std::isalnum(static_cast<unsigned char>(c)))
        pDX->Fail("Invalid answer.");
    const CString first = m_Question.m_Choices.GetChoiceId(0);
    const BOOL bLower = !first.IsEmpty() && std::islower(static_cast<unsigned char>(first[0]));
    const char base = bLower ? 'a' : 'A';
    if (std::isdigit(static_cast<unsigned char>(c)) && !first.IsEmpty() &&
        std::isdigit(static_cast<unsigned char>(first[0])))
        c = static_cast<char>(base + (c - first[0]));
    const int n = c - base;
    if (n < 0 || n >= m_Question.m_Choices.GetCount())
        pDX->Fail("Invalid answer.");
    answer = CString(c);
}

// ---- choices pane -------------------------------------------------------------------------------

void CQuestionDlg::CleanUpChoices()
{
    if (!m_pChoicesPane->TrimLineStarts())
        LogOutput("CQuestionDlg::CleanUpChoices() - failed to TrimLinesLeft()", LOG_ERROR, LOG_HERE);
    if (!ClearChoiceIdFonts())
        LogOutput("CQuestionDlg::CleanUpChoices() - failed to ClearChoiceIdFonts()", LOG_ERROR, LOG_HERE);
}

BOOL CQuestionDlg::ClearChoiceIdFonts()
{
    CChoices parsed;
    const CString plain = ChoicesPaneText(*m_pChoicesPane, FALSE);
    if (plain.IsEmpty())
        return TRUE;
    if (!parsed.SetChoices(plain, '*', '*'))
        return TRUE;  // the check that follows says what is wrong
    if (parsed.m_dwaLabelStart.GetSize() != parsed.m_saLabels.GetSize() ||
        parsed.m_dwaLabelEnd.GetSize() != parsed.m_saLabels.GetSize()) {
        LogOutput("CQuestionDlg::ClearChoiceIdFonts() - Choice CID mis-match.", LOG_ERROR, LOG_HERE);
        return FALSE;
    }
    long selStart = 0, selEnd = 0;
    m_pChoicesPane->GetSel(selStart, selEnd);
    const int last = plain.GetLength() - 1;
    for (int i = 0; i < parsed.m_saLabels.GetSize(); ++i) {
        long start = static_cast<long>(parsed.m_dwaLabelStart[i]);
        long end = static_cast<long>(parsed.m_dwaLabelEnd[i]);
        if (end < last && std::isspace(static_cast<unsigned char>(plain[static_cast<int>(end)])))
            ++end;
        m_pChoicesPane->SetSel(start, end);
        m_pChoicesPane->SetSelectionFontSlot(TRUE, kLabelFontMask);
    }
    m_pChoicesPane->SetSel(selStart, selEnd);
    return TRUE;
}

void CQuestionDlg::FormatChoices()
{
    if (GetSelectedType() != static_cast<int>(IDS_QTYPE_MC))
        return;
    if (m_pChoicesPane->GetTextLength() == 0) {
        m_bChoicesFormatted = FALSE;
        return;
    }
    if (m_bChoicesFormatted)
        return;
    // The layout reports itself as a change of the pane; it is none of the user's.
    const BOOL bModified = m_bModified;
    const int hanging = 75 * CChoices::GetNumChoiceSepSpaces();
    m_Question.m_Choices.SetIndents(*m_pChoicesPane, 0, hanging, 0, -1);
    m_pChoicesPane->Invalidate();
    m_bChoicesFormatted = TRUE;
    SetModified(bModified);
    UpdateControls();
}

// ---- change tracking ----------------------------------------------------------------------------

void CQuestionDlg::OnChange()
{
    if (!m_bInitialised)
        return;
    SetModified(TRUE);
    UpdateControls();
}

void CQuestionDlg::OnChoicesChange()
{
    KillTimer(kFormatTimer);
    if (!m_bInFormatTimer)
        SetTimer(kFormatTimer, kFormatDelay);
    OnChange();
}

void CQuestionDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kFormatTimer) {
        KillTimer(kFormatTimer);
        m_bInFormatTimer = TRUE;
        FormatChoices();
        m_bInFormatTimer = FALSE;
    }
    CFixedFontDialog::OnTimer(nIDEvent);
}

void CQuestionDlg::OnIndexStep(int nStep)
{
    int index = GetDlgItemInt(IDC_QD_INDEX) + nStep;
    SetDlgItemInt(IDC_QD_INDEX, index < 0 ? 0 : index);
    OnChange();
}

void CQuestionDlg::OnSubjects()
{
    try {
        CSubjectsDlg dlg(this);
        dlg.m_saSubjects.Copy(m_Question.m_saSubjects);
        if (dlg.DoModal() == IDOK) {
            m_Question.m_saSubjects.Copy(dlg.m_saSubjects);
            SetSubjectsText(SubjectsSummary(m_Question.m_saSubjects));
            OnChange();
        }
    } catch (const std::exception& e) {
        LogException(e, LOG_HERE);
    } catch (...) {
        LogUnknownException(LOG_HERE);
    }
}

void CQuestionDlg::OnBooks()
{
    try {
        CTextbooksDlg dlg(this);
        dlg.m_saBooks.Copy(m_Question.m_saBooks);
        dlg.m_saChapters.Copy(m_Question.m_saChapters);
        if (dlg.DoModal() == IDOK) {
            m_Question.m_saBooks.Copy(dlg.m_saBooks);
            m_Question.m_saChapters.Copy(dlg.m_saChapters);
            SetBooksText(BooksSummary(m_Question.m_saBooks, m_Question.m_saChapters));
            OnChange();
        }
    } catch (const std::exception& e) {
        LogException(e, LOG_HERE);
    } catch (...) {
        LogUnknownException(LOG_HERE);
    }
}

// ---- controls per type --------------------------------------------------------------------------

void CQuestionDlg::ShowControlsForType(int nOldType, int nNewType)
{
    const int nType = nNewType == -1 ? GetSelectedType() : nNewType;
    auto show = [this](int id, BOOL bShow) {
        if (GetDlgItem(id))
            ShowDlgItem(id, bShow ? SW_SHOW : SW_HIDE);
    };
    if (nType == static_cast<int>(IDS_QTYPE_MC)) {
        show(IDC_QD_CHOICES, TRUE);
        show(IDC_QD_ANSWER, FALSE);
        show(IDC_QD_ANSWER_LETTER, TRUE);
        show(IDC_QD_ANSWER_SIZE, FALSE);
        show(IDC_QD_ANSWER_SPIN, FALSE);
        show(IDC_QD_TRUE, FALSE);
        show(IDC_QD_FALSE, FALSE);
    } else if (IsWrittenAnswerType(nType)) {
        show(IDC_QD_CHOICES, FALSE);
        show(IDC_QD_ANSWER, TRUE);
        show(IDC_QD_ANSWER_LETTER, FALSE);
        show(IDC_QD_ANSWER_SIZE, TRUE);
        show(IDC_QD_ANSWER_SPIN, TRUE);
        show(IDC_QD_TRUE, FALSE);
        show(IDC_QD_FALSE, FALSE);
    } else if (nType == static_cast<int>(IDS_QTYPE_TF)) {
        show(IDC_QD_CHOICES, FALSE);
        show(IDC_QD_ANSWER, FALSE);
        show(IDC_QD_ANSWER_LETTER, FALSE);
        show(IDC_QD_ANSWER_SIZE, FALSE);
        show(IDC_QD_ANSWER_SPIN, FALSE);
        show(IDC_QD_TRUE, TRUE);
        show(IDC_QD_FALSE, TRUE);
        m_pChoicesPane->SetText("a. True\nb. False", SF_TEXT);
    }
    UpdateControls();
}

void CQuestionDlg::OnFontsChanged()
{
    const BOOL bModified = m_bModified;
    m_pQuestionPane->ReapplyText();
    m_pAnswerPane->ReapplyText();
    if (GetSelectedType() == static_cast<int>(IDS_QTYPE_MC)) {
        CChoices choices;
        if (choices.SetChoices(ChoicesPaneText(*m_pChoicesPane, TRUE), '*', '.')) {
            EmptyPane(m_pChoicesPane);
            choices.OutputToRichEdit(*m_pChoicesPane, CDrawContext::Screen(), kPaneChoicesFlags);
        }
    }
    m_bChoicesFormatted = FALSE;
    FormatChoices();
    SetModified(bModified);
}
