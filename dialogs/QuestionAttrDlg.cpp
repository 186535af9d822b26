#include "dialogs/QuestionAttrDlg.h"

#include "platform/ui/DC.h"
#include "platform/ui/DataExchange.h"
#include "res/ids/QuestionSearch.h"

#include <QApplication>
#include <QCheckBox>
#include <QPalette>

namespace {

// The text colour of an unticked attribute's text.
constexpr COLORREF kUntickedText = 0xC0C0C0;

}  // namespace

const int CQuestionAttrDlg::kCheckIds[9] = {IDC_QA_TYPE_CHECK,     IDC_QA_ANSWER_CHECK,   IDC_QA_CHOICES_CHECK,
                                            IDC_QA_INDEX_CHECK,    IDC_QA_LEVEL_CHECK,    IDC_QA_QUESTION_CHECK,
                                            IDC_QA_SUBJECTS_CHECK, IDC_QA_BOOKS_CHECK,    IDC_QA_ID_CHECK};

CQuestionAttrDlg::CQuestionAttrDlg(UINT nIDTemplate, CWnd* pParent, EQuestionDlgChoice choice)
    : CQuestionDlg(nIDTemplate, pParent, choice)
{
    const char* const texts[9] = {"T&ype", "&Answer", "&Choices", "I&ndex", "&Level", "&Question text",
                                  "&Subjects", "&Books", "&ID"};
    for (int i = 0; i < 9; ++i) {
        const int id = kCheckIds[i];
        CreateCheckBox(id, texts[i]);
        BindNotify(id, BN_CLICKED, [this, id] { OnAttrCheck(id); });
    }
}

BOOL CQuestionAttrDlg::OnInitDialog()
{
    CQuestionDlg::OnInitDialog();
    EnableAllByChecks();
    return TRUE;
}

void CQuestionAttrDlg::ExchangeChecks(CDataExchange* pDX)
{
    int* const values[9] = {&m_bType, &m_bAnswer, &m_bChoices, &m_bIndex, &m_bLevel,
                            &m_bQuestion, &m_bSubjects, &m_bBooks, &m_bId};
    for (int i = 0; i < 9; ++i)
        DDX_Check(pDX, kCheckIds[i], *values[i]);
}

void CQuestionAttrDlg::EnableByCheck(int nCheckId, int nControlId)
{
    EnableDlgItem(nControlId, IsDlgButtonChecked(nCheckId) != 0);
}

void CQuestionAttrDlg::EnableForCheck(int nCheckId)
{
    switch (nCheckId) {
    case IDC_QA_ID_CHECK:
        EnableByCheck(nCheckId, IDC_QD_ID);
        break;
    case IDC_QA_TYPE_CHECK:
        EnableByCheck(nCheckId, IDC_QD_TYPE);
        break;
    case IDC_QA_ANSWER_CHECK:
        EnableByCheck(nCheckId, IDC_QD_ANSWER_LETTER);
        break;
    case IDC_QA_CHOICES_CHECK:
        EnableByCheck(nCheckId, IDC_QA_CHOICES_TEXT);
        UpdateTextColours();
        break;
    case IDC_QA_INDEX_CHECK:
        EnableByCheck(nCheckId, IDC_QD_INDEX);
        break;
    case IDC_QA_LEVEL_CHECK:
        EnableByCheck(nCheckId, IDC_QD_LEVEL);
        break;
    case IDC_QA_QUESTION_CHECK:
        EnableByCheck(nCheckId, IDC_QA_QUESTION_TEXT);
        UpdateTextColours();
        break;
    case IDC_QA_SUBJECTS_CHECK:
        EnableByCheck(nCheckId, IDC_QD_SUBJECTS);
        EnableByCheck(nCheckId, IDC_QD_SUBJECTS_TEXT);
        break;
    case IDC_QA_BOOKS_CHECK:
        EnableByCheck(nCheckId, IDC_QD_BOOKS);
        EnableByCheck(nCheckId, IDC_QD_BOOKS_TEXT);
        break;
    default:
        break;
    }
}

void CQuestionAttrDlg::EnableAllByChecks()
{
    for (int id : kCheckIds)
        EnableForCheck(id);
}

void CQuestionAttrDlg::UpdateTextColours()
{
    const std::pair<int, int> texts[] = {{IDC_QA_QUESTION_CHECK, IDC_QA_QUESTION_TEXT},
                                         {IDC_QA_CHOICES_CHECK, IDC_QA_CHOICES_TEXT}};
    for (const auto& [check, control] : texts) {
        QWidget* w = GetDlgItem(control);
        if (!w)
            continue;
        const BOOL ticked = IsDlgButtonChecked(check) != 0;
        const QPalette standard = QApplication::palette(w);
        QPalette palette = w->palette();
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            palette.setColor(group, QPalette::Text,
                             ticked ? standard.color(group, QPalette::Text) : ColorFromRef(kUntickedText));
        w->setPalette(palette);
        w->update();
    }
}
