#pragma once
// "Textbooks/Chapters": picks (textbook, chapter) pairs of a question; the textbooks come from
// the master textbook list. A chapter is an unsigned number; 0 stands for the whole book.

#include "controls/FixedFontDialog.h"
#include "foundation/StringArrayEx.h"
#include "foundation/TextListFile.h"

class CComboBox;
class CListBox;

class CTextbooksDlg : public CFixedFontDialog {
public:
    explicit CTextbooksDlg(CWnd* pParent = nullptr);

    // Parallel lists, in and out.
    CStringArrayEx m_saBooks;
    CStringArrayEx m_saChapters;

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    void OnSelect();
    void OnDelete();
    void OnDeleteAll();
    void OnEditTextbooks();
    const CTextListFile& MasterList() const { return m_master; }
    // Whether text is a chapter: an unsigned decimal number.
    static BOOL IsChapterNumber(const CString& text);

private:
    void UpdateButtons();
    void FillList();

    CTextListFile m_master;
    CComboBox* m_pBooks = nullptr;
    CListBox* m_pList = nullptr;
    BOOL m_bModified = FALSE;
};
