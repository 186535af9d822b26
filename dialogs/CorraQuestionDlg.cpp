#include "dialogs/CorraQuestionDlg.h"

#include "controls/HVRichEditCtrl.h"
#include "dialogs/QuestionImagesDlg.h"
#include "foundation/Log.h"
#include "foundation/LogException.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/ExamDialogs.h"
#include "model/ExamDoc.h"
#include "model/ExamQuestion.h"
#include "model/ViewServices.h"
#include "platform/core/Services.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/QtString.h"
#include "platform/ui/SpinButtonCtrl.h"
#include "platform/ui/View.h"
#include "res/ids/QuestionTypes.h"

#include <QApplication>
#include <QEvent>
#include <QShowEvent>
#include <QToolButton>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <exception>

namespace {

constexpr const char* kReadOnlySuffix = " (read-only)";
// The answer size is kept as a fraction of a page, at most 100 pages.
constexpr double kMaxAnswerSize = 100.0;

void ShowScrambledMessage()
{
    MessageBoxService().Show(LoadStringId(IDS_SCRAMBLED_READ_ONLY), CORRA_PRODUCT_NAME, MB_OK | MB_ICONEXCLAMATION);
}

void ShowNoQuestionSelected()
{
    MessageBoxService().Show("No question selected", CORRA_PRODUCT_NAME, MB_OK | MB_ICONEXCLAMATION);
}

BOOL IsExamDocument(const CCorraDoc* doc)
{
    return dynamic_cast<const CExamDoc*>(doc) != nullptr;
}

} // namespace

CCorraQuestionDlg::CCorraQuestionDlg(CCorraDoc* pDoc, CWnd* pParent)
    : CQuestionDlg(IDD_CORRA_QUESTION_DLG, pParent), m_pDoc(pDoc)
{
    CreateButton(IDC_QD_IDENTITY, "I&dentity...");
    CreateButton(IDC_QD_NEXT, "Ne&xt");
    CreateButton(IDC_QD_PREV, "&Prev");
    CreateButton(IDC_QD_INDEX_UP, "+");
    CreateButton(IDC_QD_INDEX_DOWN, "-");
    CreateStatic("Choices", IDC_QD_PANE_LABEL);
    CreateStatic("Answer:", IDC_QD_ANSWER_LABEL);
    CreateEdit(IDC_QD_ANSWER_SIZE);
    m_pSpin = AddControl(IDC_QD_ANSWER_SPIN, new CSpinButtonCtrl(this));
    m_pSpin->SetRange(0, 100);
    m_pSpin->SetBuddy(GetDlgItem(IDC_QD_ANSWER_SIZE));
    m_pSpin->SetBuddyInt(TRUE);
    CreateButton(IDC_QD_IMAGES, "I&mages...");
    CreateButton(IDC_QD_ADD, "&Add");
    CreateButton(IDC_QD_MODIFY, "&Modify");
    CreateButton(IDC_QD_RESET, "&Reset");
    LayOut();
    setWindowFlags(windowFlags() | Qt::Tool);
    SetWindowText("Question");

    BindCommand(IDC_QD_ADD, [this] { OnAdd(); });
    BindCommand(IDC_QD_MODIFY, [this] { OnModify(); });
    BindCommand(IDCLOSE, [this] { OnClose(); });
    BindCommand(IDC_QD_NEXT, [this] { OnNext(); });
    BindCommand(IDC_QD_PREV, [this] { OnPrev(); });
    BindCommand(IDC_QD_RESET, [this] { OnReset(); });
    BindCommand(IDC_QD_IMAGES, [this] { OnImages(); });
    BindCommand(IDC_QD_IDENTITY, [this] { OnIdentity(); });
    BindCommand(ID_QD_EDITING_TOOLBAR, [this] { OnEditingToolbar(); });
    BindUpdate(ID_QD_EDITING_TOOLBAR, [](CCmdUI* ui) { ui->Enable(TRUE); });
    BindNotify(IDC_QD_TYPE, CBN_SELCHANGE, [this] { OnTypeChange(); });
    BindNotify(IDC_QD_ANSWER_SIZE, EN_CHANGE, [this] { OnChange(); });
}

CCorraQuestionDlg::~CCorraQuestionDlg()
{
    m_answers.clear();
    m_sizes.clear();
    m_choices.clear();
}

void CCorraQuestionDlg::LayOut()
{
    auto* top = new QGridLayout;
    top->addWidget(CreateStatic("ID:", 0, m_pIdEdit), 0, 0);
    m_pIdEdit->setReadOnly(true);
    // IDs run to ten digits; the whole ID shows.
    const int idWidth = m_pIdEdit->fontMetrics().horizontalAdvance("0000000000") + 12;
    m_pIdEdit->setMinimumWidth(idWidth);
    m_pIdEdit->setMaximumWidth(idWidth);
    top->addWidget(m_pIdEdit, 0, 1);
    top->addWidget(CreateStatic("T&ype:", 0, m_pTypeCombo), 0, 2);
    m_pTypeCombo->setMinimumWidth(70);
    m_pLevelCombo->setMinimumWidth(50);
    top->addWidget(m_pTypeCombo, 0, 3);
    top->addWidget(CreateStatic("&Level:", 0, m_pLevelCombo), 0, 4);
    top->addWidget(m_pLevelCombo, 0, 5);
    top->setColumnStretch(6, 1);

    auto* index = new QGroupBox("Index", this);
    auto* indexRow = new QHBoxLayout(index);
    m_pIndexEdit->setMinimumWidth(m_pIndexEdit->fontMetrics().horizontalAdvance("00000") + 12);
    m_pIndexEdit->setMaximumWidth(60);
    indexRow->addWidget(m_pIndexEdit);
    for (int id : {IDC_QD_INDEX_DOWN, IDC_QD_INDEX_UP}) {
        GetDlgItem(id)->setMaximumWidth(28);
        indexRow->addWidget(GetDlgItem(id));
    }
    for (int id : {IDC_QD_PREV, IDC_QD_NEXT}) {
        GetDlgItem(id)->setMaximumWidth(56);
        indexRow->addWidget(GetDlgItem(id));
    }
    index->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Maximum);

    auto* lists = new QGridLayout;
    lists->addWidget(GetDlgItem(IDC_QD_SUBJECTS), 0, 0);
    lists->addWidget(m_pSubjectsText, 0, 1);
    lists->addWidget(GetDlgItem(IDC_QD_BOOKS), 1, 0);
    lists->addWidget(m_pBooksText, 1, 1);
    lists->setColumnStretch(1, 1);

    auto* head = new QHBoxLayout;
    auto* headLeft = new QVBoxLayout;
    headLeft->addLayout(top);
    headLeft->addLayout(lists);
    head->addLayout(headLeft, 1);
    head->addWidget(index, 0, Qt::AlignTop);

    auto* answer = new QHBoxLayout;
    answer->addWidget(GetDlgItem(IDC_QD_ANSWER_LABEL));
    answer->addWidget(m_pAnswerLetter);
    answer->addWidget(m_pTrue);
    answer->addWidget(m_pFalse);
    auto* size = GetDlgItem(IDC_QD_ANSWER_SIZE);
    size->setMaximumWidth(60);
    // The arrows sit against the edit at its height, as one control with it.
    const int height = size->sizeHint().height();
    m_pSpin->setFixedSize(16, height);
    for (QWidget* arrow : {static_cast<QWidget*>(m_pSpin->GetUpButton()), static_cast<QWidget*>(m_pSpin->GetDownButton())})
        arrow->setFixedSize(16, height / 2);
    auto* sizeRow = new QHBoxLayout;
    sizeRow->setSpacing(0);
    sizeRow->addWidget(size);
    sizeRow->addWidget(m_pSpin);
    answer->addLayout(sizeRow);
    answer->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(GetDlgItem(IDC_QD_IDENTITY));
    buttons->addWidget(GetDlgItem(IDC_QD_IMAGES));
    buttons->addStretch(1);
    buttons->addWidget(GetDlgItem(IDC_QD_ADD));
    buttons->addWidget(GetDlgItem(IDC_QD_MODIFY));
    buttons->addWidget(GetDlgItem(IDC_QD_RESET));
    buttons->addWidget(CreateButtonBox({IDCLOSE, IDHELP}));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(CreateStatic("&Question", 0, m_pQuestionPane));
    layout->addWidget(m_pQuestionPane, 3);
    layout->addWidget(GetDlgItem(IDC_QD_PANE_LABEL));
    layout->addWidget(m_pChoicesPane, 2);
    layout->addWidget(m_pAnswerPane, 2);
    layout->addLayout(answer);
    layout->addLayout(buttons);
    resize(620, 540);
}

BOOL CCorraQuestionDlg::CreateHidden()
{
    if (!Create(IDD_CORRA_QUESTION_DLG, m_pParentWnd))
        return FALSE;
    ResetQuestion(FALSE);
    OnTypeChange();
    SetModified(FALSE);
    UpdateControls();
    return TRUE;
}

BOOL CCorraQuestionDlg::OnInitDialog()
{
    CQuestionDlg::OnInitDialog();
    // A modeless editor is resized by the user; the base centred it on its owner.
    setSizeGripEnabled(true);
    ShowDlgItem(IDC_QD_IDENTITY, IsExamDocument(m_pDoc) ? SW_SHOW : SW_HIDE);
    for (CHVRichEditCtrl* pane : {m_pQuestionPane, m_pChoicesPane, m_pAnswerPane})
        pane->installEventFilter(this);
    return TRUE;
}

bool CCorraQuestionDlg::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::FocusIn) {
        for (CHVRichEditCtrl* pane : {m_pQuestionPane, m_pChoicesPane, m_pAnswerPane}) {
            if (watched == pane)
                m_pLastPane = pane;
        }
    }
    return CQuestionDlg::eventFilter(watched, e);
}

CHVRichEditCtrl* CCorraQuestionDlg::LastEditedPane() const
{
    // A pane the type hides no longer counts.
    if (m_pLastPane && m_pLastPane->isVisibleTo(const_cast<CCorraQuestionDlg*>(this)))
        return m_pLastPane.data();
    return m_pQuestionPane;
}

// ---- the shown question -------------------------------------------------------------------------

CCorraQuestion* CCorraQuestionDlg::FindShownQuestion() const
{
    return m_nShownId != 0 && m_pDoc ? m_pDoc->FindQuestionById(m_nShownId) : nullptr;
}

void CCorraQuestionDlg::SetQuestion(CCorraQuestion* question)
{
    if (question) {
        ResetQuestion(TRUE);
        m_nShownId = question->m_nId;
        m_Question.Copy(*question);
        m_dAnswerSize = question->m_dAnswerSize;
        // Shown from a form's window: the choices in the form's order, which cannot be stored.
        m_bScrambled = FALSE;
        if (auto* exam = dynamic_cast<CExamDoc*>(m_pDoc))
            if (const CScrambleList* scramble = ExamDialogs().GetActiveScrambleList(*exam))
                m_bScrambled = ApplyChoiceScramble(m_Question, *scramble);
    } else {
        // The ID edit keeps the last ID; Add gives the new question one of its own.
        m_nShownId = 0;
        m_bScrambled = FALSE;
        ResetQuestion(TRUE);
        m_dAnswerSize = 0.0;
    }
    SetReadOnlyMode(m_bScrambled);
    UpdateData(FALSE);
    m_nLastType = -1;
    ShowControlsForType(-1, -1);
    SetModified(FALSE);
    UpdateControls();
}

BOOL CCorraQuestionDlg::SelectQuestion(CCorraQuestion* question)
{
    if (CheckSaveChanges(MB_YESNO) == IDCANCEL)
        return FALSE;
    SetQuestion(question);
    return TRUE;
}

void CCorraQuestionDlg::GetQuestion(CCorraQuestion& question) const
{
    question = m_Question;
    question.m_dAnswerSize = m_dAnswerSize;
}

int CCorraQuestionDlg::CheckSaveChanges(UINT style)
{
    if (!m_bModified)
        return IDYES;
    if (m_bScrambled) {
        ShowScrambledMessage();
        SetModified(FALSE);
        return IDNO;
    }
    int answer = MessageBoxService().Show("Save changes?", GetWindowText(), style | MB_ICONQUESTION);
    if (answer != IDYES)
        return answer;
    // A new question is added; a shown one stored into. A store that fails keeps the dialog
    // open with what the user typed.
    BOOL bStored = HasShownQuestion() ? OnModify() : OnAdd();
    return bStored ? IDYES : IDCANCEL;
}

// ---- data exchange ------------------------------------------------------------------------------

int CCorraQuestionDlg::PercentFromSize(double dSize)
{
    double percent = std::round(dSize * 100.0);
    return static_cast<int>(std::clamp(percent, 0.0, kMaxAnswerSize * 100.0));
}

double CCorraQuestionDlg::SizeFromPercent(int nPercent)
{
    return std::clamp(nPercent * 0.01, 0.0, kMaxAnswerSize);
}

void CCorraQuestionDlg::DoDataExchange(CDataExchange* pDX)
{
    if (!pDX->m_bSaveAndValidate)
        m_nPercent = PercentFromSize(m_dAnswerSize);
    if (GetDlgItemText(IDC_QD_ANSWER_SIZE).IsEmpty())
        SetDlgItemText(IDC_QD_ANSWER_SIZE, "0");
    CQuestionDlg::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_QD_ANSWER_SIZE, m_nPercent);
    if (pDX->m_bSaveAndValidate)
        m_dAnswerSize = SizeFromPercent(m_nPercent);
}

void CCorraQuestionDlg::SetModified(BOOL bModified)
{
    m_bModified = bModified;
}

void CCorraQuestionDlg::ResetQuestion(BOOL bKeepId)
{
    CQuestionDlg::ResetQuestion(bKeepId);
    m_sizes = {{IDS_QTYPE_MC, 0.0},
               {IDS_QTYPE_ES, CCorraQuestion::GetEssayLen()},
               {IDS_QTYPE_SA, CCorraQuestion::GetShortAnswerLen()},
               {IDS_QTYPE_FI, CCorraQuestion::GetFillInLen()},
               {IDS_QTYPE_TF, 0.0}};
    m_answers.clear();
    m_choices.clear();
    for (int type : {IDS_QTYPE_MC, IDS_QTYPE_ES, IDS_QTYPE_SA, IDS_QTYPE_FI, IDS_QTYPE_TF}) {
        m_answers[type] = "";
        m_choices[type] = "";
    }
    m_choices[IDS_QTYPE_TF] = "a. True\nb. False";
    m_nLastType = -1;
    // A reset of a shown question is a change to it.
    SetModified(HasShownQuestion());
    m_bScrambled = FALSE;
}

// ---- type changes -------------------------------------------------------------------------------

void CCorraQuestionDlg::SaveTypeState(int nType)
{
    m_sizes[nType] = GetDlgItemInt(IDC_QD_ANSWER_SIZE) / 100.0;
    CString answer;
    m_pAnswerPane->StreamOutText(answer, SF_RTF);
    m_answers[nType] = m_pAnswerPane->GetTextLength() ? answer : CString();
    m_choices[nType] = m_pChoicesPane->GetTextLength() ? ChoicesPaneText(*m_pChoicesPane, nType != static_cast<int>(IDS_QTYPE_TF))
                                                       : CString();
}

void CCorraQuestionDlg::RestoreTypeState(int nType)
{
    SetDlgItemInt(IDC_QD_ANSWER_SIZE, static_cast<int>(std::lround(m_sizes[nType] * 100.0)));
    m_pAnswerPane->SetText(m_answers[nType], SF_RTF);
    m_pChoicesPane->SetText(m_choices[nType], nType == static_cast<int>(IDS_QTYPE_TF) ? SF_TEXT : SF_RTF);
}

void CCorraQuestionDlg::OnTypeChange()
{
    const int nOld = m_nLastType != -1 ? m_nLastType : m_Question.m_nType;
    SaveTypeState(nOld);
    const int nNew = GetSelectedType();
    ShowControlsForType(nOld, nNew);
    RestoreTypeState(nNew);
    m_Question.m_nType = nNew;
    m_nLastType = nNew;
    OnChange();
}

void CCorraQuestionDlg::ShowControlsForType(int nOldType, int nNewType)
{
    CQuestionDlg::ShowControlsForType(nOldType, nNewType);
    const BOOL bSize = IsWrittenAnswerType(GetSelectedType());
    ShowDlgItem(IDC_QD_ANSWER_SIZE, bSize ? SW_SHOW : SW_HIDE);
    ShowDlgItem(IDC_QD_ANSWER_SPIN, bSize ? SW_SHOW : SW_HIDE);
    UpdateControls();
}

void CCorraQuestionDlg::UpdateControls()
{
    if (!GetDlgItem(IDC_QD_PANE_LABEL))
        return;
    const int nType = GetSelectedType();
    const char* pane = "Choices";
    const char* answer = "Answer:";
    if (nType == static_cast<int>(IDS_QTYPE_ES)) {
        pane = "Essay Answer";
        answer = "Answer Size (% of page.)";
    } else if (nType == static_cast<int>(IDS_QTYPE_SA)) {
        pane = "Short Answer";
        answer = "Answer Size (% of page.)";
    } else if (nType == static_cast<int>(IDS_QTYPE_FI)) {
        pane = "Fill-In Answer";
        answer = "Answer Size (% of page.)";
    } else if (nType == static_cast<int>(IDS_QTYPE_TF)) {
        pane = "TRUE or FALSE";
        answer = "";
    }
    SetDlgItemText(IDC_QD_PANE_LABEL, pane);
    SetDlgItemText(IDC_QD_ANSWER_LABEL, answer);
    EnableDlgItem(IDC_QD_MODIFY, m_bModified && FindShownQuestion() != nullptr);
    if (nType == static_cast<int>(IDS_QTYPE_MC)) {
        CString caption = GetWindowText();
        const BOOL bSuffix = caption.Right(static_cast<int>(std::strlen(kReadOnlySuffix))) == kReadOnlySuffix;
        if (m_bScrambled) {
            if (!bSuffix)
                SetWindowText(caption + kReadOnlySuffix);
            SetDlgItemText(IDC_QD_PANE_LABEL, "Choices (scrambled)");
        } else if (bSuffix) {
            SetWindowText(caption.Left(caption.GetLength() - static_cast<int>(std::strlen(kReadOnlySuffix))));
        }
    }
}

void CCorraQuestionDlg::SetScrambled(BOOL bScrambled)
{
    m_bScrambled = bScrambled;
    SetReadOnlyMode(bScrambled);
}

void CCorraQuestionDlg::SetReadOnlyMode(BOOL bReadOnly)
{
    try {
        m_pChoicesPane->SetReadOnly(bReadOnly);
        m_pQuestionPane->SetReadOnly(bReadOnly);
        m_pAnswerLetter->setReadOnly(bReadOnly);
        for (int id : {IDC_QD_TYPE, IDC_QD_LEVEL, IDC_QD_IDENTITY, IDC_QD_INDEX, IDC_QD_NEXT, IDC_QD_PREV,
                       IDC_QD_INDEX_UP, IDC_QD_INDEX_DOWN, IDC_QD_SUBJECTS, IDC_QD_BOOKS, IDC_QD_IMAGES})
            EnableDlgItem(id, !bReadOnly);
        UpdateControls();
    } catch (const std::exception& e) {
        LogException(e, LOG_HERE);
    } catch (...) {
        LogUnknownException(LOG_HERE);
    }
}

// ---- buttons ------------------------------------------------------------------------------------

BOOL CCorraQuestionDlg::OnAdd()
{
    try {
        if (!UpdateData(TRUE))
            return FALSE;
        m_nLastIndex = m_Question.m_nIndex;
        SetModified(FALSE);
        CCorraQuestion question;
        GetQuestion(question);
        CCorraQuestion* added = m_pDoc ? m_pDoc->AddDlgQuestion(question) : nullptr;
        if (!added) {
            // Nothing was stored: what was typed is still unsaved.
            SetModified(TRUE);
            UpdateControls();
            return FALSE;
        }
        // The document shows the new question here through its dialogs; without them, so do we.
        if (m_nShownId != added->m_nId)
            SetQuestion(added);
        SetModified(FALSE);
        UpdateControls();
        return TRUE;
    } catch (const std::exception& e) {
        LogException(e, LOG_HERE);
    } catch (...) {
        LogUnknownException(LOG_HERE);
    }
    return FALSE;
}

BOOL CCorraQuestionDlg::OnModify()
{
    try {
        if (m_bScrambled) {
            ShowScrambledMessage();
            SetModified(FALSE);
            return FALSE;
        }
        if (!FindShownQuestion()) {
            ShowNoQuestionSelected();
            return FALSE;
        }
        if (!UpdateData(TRUE))
            return FALSE;
        // A question emptied of its text would replace one that has it.
        if (m_pQuestionPane->GetText().Trim().IsEmpty()) {
            CString text;
            text.Format("Question %d would be replaced by a question without text.\n\nStore it anyway?", m_nShownId);
            if (MessageBoxService().Show(text, GetWindowText(), MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) != IDYES)
                return FALSE;
        }
        // The document stores into the question of the shown ID, whatever the views have
        // selected meanwhile.
        CCorraQuestion edited;
        GetQuestion(edited);
        CDlgQuestionStore store;
        store.nId = m_nShownId;
        store.pQuestion = &edited;
        CView* first = m_pDoc->GetFirstView();
        CCmdTarget* route = first ? static_cast<CCmdTarget*>(first) : m_pDoc;
        route->OnCmdMsg(ID_CORRA_STORE_DLG_QUESTION, CN_COMMAND, &store);
        if (!store.bStored) {
            ShowNoQuestionSelected();
            return FALSE;
        }
        m_nLastIndex = m_Question.m_nIndex;
        SetModified(FALSE);
        UpdateControls();
        return TRUE;
    } catch (const std::exception& e) {
        LogException(e, LOG_HERE);
    } catch (...) {
        LogUnknownException(LOG_HERE);
    }
    return FALSE;
}

void CCorraQuestionDlg::OnClose()
{
    if (CheckSaveChanges(MB_YESNOCANCEL) == IDCANCEL)
        return;
    SetModified(FALSE);
    ShowWindow(SW_HIDE);
    // A hidden editor shows nothing: what it would store next is typed anew.
    m_nShownId = 0;
    ResetQuestion(TRUE);
    SetModified(FALSE);
}

void CCorraQuestionDlg::OnCancel()
{
    OnClose();
}

void CCorraQuestionDlg::OnOK()
{
    // No OK button: Enter stores nothing.
}

void CCorraQuestionDlg::OnNext()
{
    if (!m_pDoc)
        return;
    m_pDoc->UpdateHighestIds();
    SetDlgItemInt(IDC_QD_INDEX, m_pDoc->m_nHighestIndex + 1);
}

void CCorraQuestionDlg::OnPrev()
{
    if (m_nLastIndex < 0) {
        MessageBoxService().Show(LoadStringId(IDS_NO_PREVIOUS_INDEX), CORRA_PRODUCT_NAME, MB_OK | MB_ICONINFORMATION);
        return;
    }
    SetDlgItemInt(IDC_QD_INDEX, m_nLastIndex);
}

void CCorraQuestionDlg::OnReset()
{
    // The emptied form is a new question: nothing is shown, so Modify has nothing to store into
    // until a question is shown again.
    m_nShownId = 0;
    ResetQuestion(FALSE);
    UpdateControls();
}

void CCorraQuestionDlg::TakeImages(const CQuestion& question)
{
    CPtrList images;
    question.GetImages(images);
    m_Question.SetImages(images);
}

void CCorraQuestionDlg::OnImages()
{
    // The dialog lays the images out around what is typed now, not what was stored.
    CString text;
    m_pQuestionPane->Exchange(TRUE, text, SF_RTF);
    m_Question.m_cszQuestionText = text;
    if (m_Question.IsChoiceType()) {
        const CString choices = ChoicesPaneText(*m_pChoicesPane, TRUE);
        if (!CString(choices).Trim().IsEmpty())
            m_Question.SetChoices(choices, '*', '.');
    }
    CQuestionImagesDlg dlg(&m_Question, m_pDoc, this);
    if (dlg.DoModal() == IDOK)
        OnChange();
}

void CCorraQuestionDlg::OnIdentity()
{
    if (!IsExamDocument(m_pDoc)) {
        MessageBoxService().Show("Only applies to Exams.", CORRA_PRODUCT_NAME, MB_OK | MB_ICONINFORMATION);
        return;
    }
    CCorraQuestion* shown = FindShownQuestion();
    if (!shown) {
        MessageBoxService().Show("Question not saved.", CORRA_PRODUCT_NAME, MB_OK | MB_ICONINFORMATION);
        return;
    }
    auto* examQuestion = dynamic_cast<CExamQuestion*>(shown);
    if (shown->m_nKind != QKIND_EXAM || !examQuestion) {
        MessageBoxService().Show("Only applies to Exam Questions.", CORRA_PRODUCT_NAME, MB_OK | MB_ICONINFORMATION);
        return;
    }
    static_cast<CExamDoc*>(m_pDoc)->ShowQuestProps(examQuestion);
}

void CCorraQuestionDlg::OnEditingToolbar()
{
    QWidget* focus = QApplication::focusWidget();
    CHVRichEditCtrl* pane = nullptr;
    for (CHVRichEditCtrl* p : {m_pQuestionPane, m_pChoicesPane, m_pAnswerPane}) {
        if (focus == p)
            pane = p;
    }
    if (!pane) {
        pane = LastEditedPane();
        pane->SetFocus();
    }
    pane->ShowFloatToolbar();
}

BOOL CCorraQuestionDlg::GetAnswerText(UINT nFormat, CString& out) const
{
    const int nType = m_Question.m_nType;
    if (nType == static_cast<int>(IDS_QTYPE_MC) || nType == static_cast<int>(IDS_QTYPE_TF)) {
        if (m_Question.GetCorrectChoice(out))
            return TRUE;
    } else if (IsWrittenAnswerType(nType)) {
        return m_pAnswerPane->StreamOutText(out, nFormat == SF_RTF ? SF_RTF : SF_TEXT);
    }
    LogOutput("CCorraQuestionDlg::OnGetAns() - bad status", LOG_ERROR, LOG_HERE);
    return FALSE;
}

LRESULT CCorraQuestionDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_QD_GET_ANSWER)
        return CQuestionDlg::WindowProc(message, wParam, lParam);
    const UINT nFormat = static_cast<UINT>(wParam & 0xFFFF);
    const int nSize = static_cast<int>((wParam >> 16) & 0xFFFF);
    char* buffer = reinterpret_cast<char*>(lParam);
    if (!buffer || nSize <= 0) {
        LogOutput("CCorraQuestionDlg::OnGetAns() - Bad string ptr.", LOG_ERROR, LOG_HERE);
        return 0;
    }
    CString text;
    if (!GetAnswerText(nFormat, text)) {
        buffer[0] = '\0';
        return 0;
    }
    // At most size - 1 bytes and the terminator.
    const int n = std::min(text.GetLength(), nSize - 1);
    std::memcpy(buffer, static_cast<LPCSTR>(text), static_cast<size_t>(n));
    buffer[n] = '\0';
    return n;
}

void CCorraQuestionDlg::showEvent(QShowEvent* e)
{
    CQuestionDlg::showEvent(e);
    // While hidden the shown question may have been deleted: "Modify" asks the document again.
    UpdateControls();
}

void CCorraQuestionDlg::changeEvent(QEvent* e)
{
    CQuestionDlg::changeEvent(e);
    // Coming back (from the editing toolbar too) the typing goes on where it was.
    if (e->type() == QEvent::ActivationChange && isActiveWindow()) {
        CHVRichEditCtrl* pane = LastEditedPane();
        if (pane->isEnabled())
            pane->setFocus(Qt::ActiveWindowFocusReason);
    }
}
