#include "dialogs/TextbooksDlg.h"

#include "controls/TextListBoxes.h"
#include "dialogs/MasterLists.h"
#include "foundation/Log.h"
#include "platform/core/Services.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/QtString.h"
#include "res/ids/QuestionDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cctype>
#include <vector>

namespace {

CString PairText(const CString& book, const CString& chapter)
{
    return book + " chapt. " + chapter;
}

} // namespace

CTextbooksDlg::CTextbooksDlg(CWnd* pParent) : CFixedFontDialog(IDD_TEXTBOOKS_DLG, pParent), m_master(256)
{
    m_nTemplateId = IDD_TEXTBOOKS_DLG;
    m_pBooks = AddControl(IDC_BOOK_COMBO, new CComboBox(this, FALSE));
    QLineEdit* chapter = CreateEdit(IDC_BOOK_CHAPTER, "0");
    chapter->setMaximumWidth(70);
    m_pList = AddControl(IDC_BOOK_LIST, new CListBox(this, TRUE));
    m_pList->setMinimumSize(320, 160);
    m_pBooks->setMinimumWidth(240);

    auto* grid = new QGridLayout;
    grid->addWidget(CreateStatic("Select &Textbook", 0, m_pBooks), 0, 0);
    grid->addWidget(CreateStatic("Select &Chapter", 0, chapter), 0, 1);
    grid->addWidget(m_pBooks, 1, 0);
    grid->addWidget(chapter, 1, 1);
    grid->addWidget(CreateButton(IDC_BOOK_SELECT, "&Select"), 1, 2);
    grid->addWidget(CreateStatic("C&urrent Selections", 0, m_pList), 2, 0);
    grid->addWidget(m_pList, 3, 0, 3, 2);
    grid->addWidget(CreateButton(IDC_BOOK_DELETE, "&Delete"), 3, 2);
    grid->addWidget(CreateButton(IDC_BOOK_DELETE_ALL, "Delete A&ll"), 4, 2);
    grid->setRowStretch(5, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(CreateButton(IDC_BOOK_EDIT, "&Edit Textbooks..."));
    bottom->addStretch(1);
    bottom->addWidget(CreateButtonBox({IDOK, IDCANCEL, IDHELP}));
    layout->addLayout(bottom);

    BindCommand(IDC_BOOK_SELECT, [this] { OnSelect(); });
    BindCommand(IDC_BOOK_DELETE, [this] { OnDelete(); });
    BindCommand(IDC_BOOK_DELETE_ALL, [this] { OnDeleteAll(); });
    BindCommand(IDC_BOOK_EDIT, [this] { OnEditTextbooks(); });
}

BOOL CTextbooksDlg::IsChapterNumber(const CString& text)
{
    if (text.IsEmpty())
        return FALSE;
    for (int i = 0; i < text.GetLength(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return FALSE;
    }
    return TRUE;
}

void CTextbooksDlg::FillList()
{
    // The pairs in the order the list shows them: sorted by their text.
    std::vector<std::pair<CString, CString>> pairs;
    for (int i = 0; i < m_saBooks.GetSize(); ++i)
        pairs.emplace_back(m_saBooks[i], i < m_saChapters.GetSize() ? m_saChapters[i] : CString("0"));
    std::stable_sort(pairs.begin(), pairs.end(), [](const auto& a, const auto& b) {
        return PairText(a.first, a.second).CompareNoCase(PairText(b.first, b.second)) < 0;
    });
    m_saBooks.RemoveAll();
    m_saChapters.RemoveAll();
    m_pList->ResetContent();
    for (const auto& [book, chapter] : pairs) {
        m_saBooks.Add(book);
        m_saChapters.Add(chapter);
        m_pList->AddString(PairText(book, chapter));
    }
}

BOOL CTextbooksDlg::OnInitDialog()
{
    CFixedFontDialog::OnInitDialog();
    SetWindowText("Textbooks/Chapters");
    if (!InitMasterList(TextbookList(), m_master))
        LogOutput("CTextbooksDlg::OnInitDialog() - failed to InitFileList()", 2, LOG_HERE);
    FillComboBox(m_master, *m_pBooks);
    FillList();
    CString missing;
    for (int i = 0; i < m_saBooks.GetSize(); ++i) {
        // Whole lines: "Algebra" must still be named beside "Linear Algebra".
        if (m_pBooks->FindStringExact(-1, m_saBooks[i]) < 0 && ("\n" + missing).Find("\n" + m_saBooks[i] + "\n") < 0)
            missing += m_saBooks[i] + "\n";
    }
    if (!missing.IsEmpty()) {
        missing.TrimRight("\n");
        MessageBoxService().Show("The following textbooks are not in the master list:\n\n" + missing +
                                     "\n\nYou can add these by editing the master textbook list.",
                                 CORRA_PRODUCT_NAME, MB_OK | MB_ICONEXCLAMATION);
    }
    SetDlgItemText(IDC_BOOK_CHAPTER, "0");
    m_bModified = FALSE;
    UpdateButtons();
    return TRUE;
}

void CTextbooksDlg::OnSelect()
{
    int sel = m_pBooks->GetCurSel();
    if (sel < 0) {
        MessageBoxService().Show("You must pick a known textbook from the\ndropdown list.  See Add New Textbook section\n"
                                 "below if you still cannot find the desired\nbook.",
                                 "Textbook not found", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CString chapter = GetDlgItemText(IDC_BOOK_CHAPTER);
    chapter.Trim();
    if (!IsChapterNumber(chapter)) {
        MessageBoxService().Show("Invalid or missing chapter number.  Chapter\nnumber must be a positive non-zero number.",
                                 "Format error", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    m_saBooks.Add(m_pBooks->GetLBText(sel));
    m_saChapters.Add(chapter);
    FillList();
    m_bModified = TRUE;
    UpdateButtons();
}

void CTextbooksDlg::OnDelete()
{
    for (int i = m_pList->GetCount() - 1; i >= 0; --i) {
        if (m_pList->GetSel(i) > 0) {
            m_saBooks.RemoveAt(i);
            if (i < m_saChapters.GetSize())
                m_saChapters.RemoveAt(i);
        }
    }
    FillList();
    m_bModified = TRUE;
    UpdateButtons();
}

void CTextbooksDlg::OnDeleteAll()
{
    m_saBooks.RemoveAll();
    m_saChapters.RemoveAll();
    FillList();
    m_bModified = TRUE;
    UpdateButtons();
}

void CTextbooksDlg::OnEditTextbooks()
{
    EditMasterList(TextbookList(), m_master);
    m_pBooks->ResetContent();
    FillComboBox(m_master, *m_pBooks);
}

void CTextbooksDlg::UpdateButtons()
{
    EnableDlgItem(IDOK, m_bModified);
    EnableDlgItem(IDC_BOOK_DELETE, m_pList->GetCount() > 0);
    EnableDlgItem(IDC_BOOK_DELETE_ALL, m_pList->GetCount() > 0);
}

void CTextbooksDlg::OnOK()
{
    EndDialog(IDOK);
}

void CTextbooksDlg::OnCancel()
{
    if (m_bModified) {
        int answer = MessageBoxService().Show("Keep changes?", CORRA_PRODUCT_NAME, MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDYES) {
            OnOK();
            return;
        }
        if (answer == IDCANCEL)
            return;
    }
    EndDialog(IDCANCEL);
}
