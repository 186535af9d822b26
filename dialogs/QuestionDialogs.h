#pragma once
// The question dialogs of the open documents, as the documents reach them (IDocumentDialogs):
// each document gets one modeless question editor, made hidden on first use and destroyed when
// the document closes its windows. The application installs one of these at start-up, with
// the Edit File List service of the master lists.

#include "model/DocumentDialogs.h"

#include <map>
#include <memory>

class CCorraQuestion;
class CCorraQuestionDlg;
class CGroupsDlg2;
class CWnd;

class CQuestionDialogs : public IDocumentDialogs {
public:
    // pParent: the window the editors stay above (the main window); NULL for none.
    explicit CQuestionDialogs(CWnd* pParent = nullptr);
    ~CQuestionDialogs() override;

    void ShowQuestionDialog(CCorraDoc& doc) override;
    BOOL IsQuestionDialogVisible(CCorraDoc& doc) override;
    BOOL QuestionDialogHasQuestion(CCorraDoc& doc) override;
    void SetQuestionDialogTitle(CCorraDoc& doc, const CString& title) override;
    BOOL StoreDialogQuestion(CCorraDoc& doc) override;
    BOOL SelectDlgQuestion(CCorraDoc& doc, CCorraQuestion* question) override;
    int CheckSaveDlgChanges(CCorraDoc& doc, UINT style) override;
    void DocumentFontsChanged(CCorraDoc& doc) override;
    void QuestionImagesChanged(CCorraDoc& doc, CCorraQuestion& question) override;
    BOOL OfferNewSubjects(CCorraDoc& doc, const CStringArray& subjects) override;
    // The document's groups window, made on first use; Close only hides it.
    void ShowGroupsWindow(CCorraDoc& doc) override;
    void SetGroupsWindowTitle(CCorraDoc& doc, const CString& title) override;
    // The groups window when there is one; NULL otherwise.
    CGroupsDlg2* FindGroupsWindow(CCorraDoc& doc) const;
    // The image link sheet (ImageLinkSheet.cpp).
    BOOL CheckImageLinks(CCorraDoc& doc, BOOL showMessages, CImageRelinks* relinked) override;
    void CloseDocumentWindows(CCorraDoc& doc) override;
    // The editor shows no question (what was typed there is dropped: callers ask first).
    void ClearQuestionDialog(CCorraDoc& doc) override;
    void HideQuestionDialog(CCorraDoc& doc) override;
    // A dialog the editor opened is still up.
    BOOL IsQuestionDialogBusy(CCorraDoc& doc) override;
    // The file properties dialog (CorraPropertiesDlg.cpp).
    BOOL FileProperties(CCorraDoc& doc, CFileProperties& props) override;

    // The document's editor, made hidden when it has none yet.
    CCorraQuestionDlg& Editor(CCorraDoc& doc);
    // The editor when there is one; NULL otherwise.
    CCorraQuestionDlg* FindEditor(CCorraDoc& doc) const;

    void SetParent(CWnd* pParent) { m_pParent = pParent; }

protected:
    // A groups window was made (the application gives it the frame's idle updates).
    virtual void OnGroupsWindowMade(CGroupsDlg2& dlg) {}

private:
    CWnd* m_pParent;
    std::map<CCorraDoc*, std::unique_ptr<CCorraQuestionDlg>> m_editors;
    std::map<CCorraDoc*, std::unique_ptr<CGroupsDlg2>> m_groups;
};

// What a view does on a double-click or Edit: shows the question in its document's editor
// (asking first to save what was typed there) and brings the editor up. FALSE when the user
// kept editing the other question.
BOOL EditQuestionInDialog(CCorraDoc& doc, CCorraQuestion* question);
