#include "tests/support/EditorScript.h"

#include "controls/HVRichEditCtrl.h"
#include "dialogs/CorraQuestionDlg.h"
#include "dialogs/SubjectsDlg.h"
#include "dialogs/TextbooksDlg.h"
#include "foundation/FileTypes.h"
#include "model/CorraQuestion.h"
#include "platform/core/FileSys.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/ListBox.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/ModalScript.h"

#include <QRadioButton>

#include <gtest/gtest.h>

#include <string>

namespace {

void WriteMaster(const char* name, const std::string& text)
{
    CString folder = CFileTypes::GetDefDir(DT_DATA);
    fsys::CreateDirectories(folder);
    fsys::WriteFile(fsys::Join(folder, name), text.data(), text.size());
}

CString Plain(const CString& rtf)
{
    CHVRichEditCtrl ctrl;
    ctrl.SetText(rtf, SF_RTF);
    return ctrl.GetText().Trim();
}

void Choose(CComboBox* combo, DWORD_PTR data)
{
    for (int i = 0; i < combo->GetCount(); ++i) {
        if (combo->GetItemData(i) == data)
            combo->SetCurSel(i);
    }
}

const CTypedQuestion kTyped[] = {
    {IDS_QTYPE_MC, "Which organelle makes ATP?", "a. Ribosome\nb. Mitochondrion\nc. Nucleus", "b", 2, nullptr},
    {IDS_QTYPE_ES, "Explain osmosis.", nullptr, "Water moves across a membrane.", 4, "40"},
    {IDS_QTYPE_SA, "Name the cell's control centre.", nullptr, "The nucleus", 1, "16"},
    {IDS_QTYPE_FI, "DNA is a double ____.", nullptr, "helix", 0, "5"},
    {IDS_QTYPE_TF, "Plant cells have walls.", nullptr, "a", 6, nullptr},
};

} // namespace

const CTypedQuestion* TypedQuestions(int* pnCount)
{
    *pnCount = static_cast<int>(sizeof kTyped / sizeof kTyped[0]);
    return kTyped;
}

void WriteRoundTripMasterLists()
{
    WriteMaster("Subjects.txt", "Biology\r\nChemistry\r\n");
    WriteMaster("Textbooks.txt", "Campbell Biology\r\n");
}

bool TypeAndAdd(CCorraQuestionDlg& dlg, const CTypedQuestion& t)
{
    dlg.OnReset();
    Choose(dlg.GetDlgItemAs<CComboBox>(IDC_QD_TYPE), t.type);
    dlg.OnTypeChange();
    dlg.GetDlgItemAs<CComboBox>(IDC_QD_LEVEL)->SetCurSel(t.level);
    dlg.QuestionPane()->SetText(t.text, SF_TEXT);
    if (t.type == IDS_QTYPE_MC) {
        dlg.ChoicesPane()->SetText(t.choices, SF_TEXT);
        dlg.SetDlgItemText(IDC_QD_ANSWER_LETTER, t.answer);
    } else if (t.type == IDS_QTYPE_TF) {
        dlg.GetDlgItemAs<QRadioButton>(IDC_QD_TRUE)->setChecked(true);
    } else {
        dlg.AnswerPane()->SetText(t.answer, SF_TEXT);
        dlg.SetDlgItemText(IDC_QD_ANSWER_SIZE, t.percent);
    }
    CModalScript script;
    script.On<CSubjectsDlg>([](CSubjectsDlg& d) {
        auto* master = d.GetDlgItemAs<CListBox>(IDC_SUBJ_MASTER);
        master->SetCurSel(master->FindStringExact(-1, "Biology"));
        d.OnSelect();
        ClickDlgButton(d, IDOK);
    });
    script.On<CTextbooksDlg>([](CTextbooksDlg& d) {
        d.GetDlgItemAs<CComboBox>(IDC_BOOK_COMBO)->SetCurSel(0);
        d.SetDlgItemText(IDC_BOOK_CHAPTER, "7");
        d.OnSelect();
        ClickDlgButton(d, IDOK);
    });
    ClickDlgButton(dlg, IDC_QD_SUBJECTS);
    ClickDlgButton(dlg, IDC_QD_BOOKS);
    EXPECT_EQ(script.Pending(), 0);
    return dlg.OnAdd() != FALSE;
}

void ExpectTyped(CCorraQuestionDlg& dlg, CCorraQuestion& q, const CTypedQuestion& t, bool bShow)
{
    CCorraQuestion* question = &q;
    SCOPED_TRACE(t.text);
    EXPECT_EQ(question->m_nType, static_cast<int>(t.type));
    EXPECT_EQ(question->m_nLevel, t.level);
    EXPECT_EQ(Plain(question->m_cszQuestionText), t.text);
    ASSERT_EQ(question->m_saSubjects.GetSize(), 1);
    EXPECT_EQ(question->m_saSubjects[0], "Biology");
    ASSERT_EQ(question->m_saBooks.GetSize(), 1);
    EXPECT_EQ(question->m_saBooks[0], "Campbell Biology");
    EXPECT_EQ(question->m_saChapters[0], "7");

    if (bShow)
        dlg.SetQuestion(question);
    EXPECT_EQ(dlg.GetShownId(), question->m_nId);
    EXPECT_EQ(dlg.GetDlgItemAs<CComboBox>(IDC_QD_TYPE)->GetItemData(dlg.GetDlgItemAs<CComboBox>(IDC_QD_TYPE)->GetCurSel()),
          t.type);
    EXPECT_EQ(dlg.GetDlgItemAs<CComboBox>(IDC_QD_LEVEL)->GetCurSel(), t.level);
    EXPECT_EQ(dlg.QuestionPane()->GetText().Trim(), t.text);
    EXPECT_EQ(dlg.GetDlgItemText(IDC_QD_SUBJECTS_TEXT), "Biology");
    EXPECT_EQ(dlg.GetDlgItemText(IDC_QD_BOOKS_TEXT), "Campbell Biology;7");
    if (t.type == IDS_QTYPE_MC) {
        EXPECT_EQ(question->m_cszAnswer, t.answer);
        EXPECT_EQ(question->GetChoicesCount(), 3);
        EXPECT_EQ(dlg.GetDlgItemText(IDC_QD_ANSWER_LETTER), t.answer);
        EXPECT_EQ(dlg.ChoicesPane()->GetText().Trim(), "a.\tRibosome\nb.\tMitochondrion\nc.\tNucleus");
    } else if (t.type == IDS_QTYPE_TF) {
        EXPECT_EQ(question->m_cszAnswer, "a");
        EXPECT_TRUE(dlg.GetDlgItemAs<QRadioButton>(IDC_QD_TRUE)->isChecked());
    } else {
        EXPECT_EQ(Plain(question->m_cszAnswer), t.answer);
        EXPECT_EQ(dlg.AnswerPane()->GetText().Trim(), t.answer);
        EXPECT_EQ(dlg.GetDlgItemText(IDC_QD_ANSWER_SIZE), t.percent);
    }
    EXPECT_FALSE(dlg.IsModified());
}
