#pragma once
// The wizard's pages that say where questions go and where they come from: the kind of the
// target, the target document and its collection, the kind of the source, the source document
// and its collection.

#include "import/AQFPage.h"
#include "model/CorraHeader.h"
#include "model/Statistics.h"
#include "platform/ui/Document.h"

#include <vector>

class CCorraDoc;
class CHVListCtrl;
class CListCtrl;
class QLabel;
class QLineEdit;

// "Add Questions To...": a Question Corra, an Exam (the default) or a Question Corra's collection.
class CAQFChooseToTypePage : public CAQFPage {
public:
    CAQFChooseToTypePage();
    int GetType() const { return m_nType; }
    void SetType(int nType);

    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;

private:
    int m_nType = AQF_TO_EXAM;
};

// "Add questions to document...": one open or recently opened, a file on disk, or a new one.
class CAQFChooseToDocPage : public CAQFPage {
public:
    enum { choiceOpen = 0, choiceRecent = 1, choiceSearch = 2, choiceNew = 3 };
    CAQFChooseToDocPage();

    void SetChoice(int nChoice);
    int GetChoice() const { return m_nChoice; }
    // The document the wizard was started for; the page offers nothing else.
    void SetFixedDoc(CDocument* pDoc) { m_FixedDoc.Reset(pDoc); }
    // Next goes straight to this page (0: the usual way).
    void SetJump(UINT nID) { m_nJump = nID; }
    // A new document of the target kind (an exam, else a Question Corra), at once.
    CDocument* CreateNewDoc(int nTargetKind);
    // Closes the document "Create New" made and clears its name.
    void CloseTargetDoc();
    CDocument* GetNewDoc() const { return m_NewDoc.Get(); }
    CString GetPathName() const;
    // The target document; a file chosen on disk is opened (bOpened then TRUE). NULL when
    // there is none or it cannot be opened.
    CDocument* GetDoc(BOOL& bOpened, BOOL bOpen = TRUE);
    // Whether Next may be pressed.
    BOOL HaveSelection() const;
    // The chosen document's header (FALSE when it cannot be read).
    BOOL GetHeader(CCorraHeader& header) const;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;

    // For tests and the shots: the name a new document gets, as typed.
    void TypeNewName(const char* text);
    void TypePath(const char* path);
    CHVListCtrl* GetOpenList() const { return m_pOpenList; }
    CHVListCtrl* GetRecentList() const { return m_pRecentList; }

private:
    void UpdateControls();
    void OnChoice(int nChoice);
    void OnNameChange();
    void OnPathChange();
    void OnSearch();
    void OnSelectRow(BOOL bRecent);
    CString Extension() const;

    int m_nChoice = choiceOpen;
    CDocumentRef m_NewDoc;
    CDocumentRef m_FixedDoc;
    UINT m_nJump = 0;
    CCorraHeader m_Header;
    BOOL m_bHeaderRead = FALSE;
    BOOL m_bSettingName = FALSE;
    CHVListCtrl* m_pOpenList = nullptr;
    CHVListCtrl* m_pRecentList = nullptr;
    QLineEdit* m_pPath = nullptr;
    QLineEdit* m_pName = nullptr;
};

// "Add questions from...": AutoConvert a text file, a Question Corra (the default), an Exam, a
// collection, or questions composed in the editor.
class CAQFChooseTypePage : public CAQFPage {
public:
    CAQFChooseTypePage();
    int GetType() const { return m_nType; }
    void SetType(int nType);

    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;
    BOOL OnWizardFinish() override;

private:
    void UpdateControls();
    int m_nType = AQF_FROM_CORRA;
};

// "Add questions from document...".
class CAQFChooseDocPage : public CAQFPage {
public:
    enum { choiceOpen = 0, choiceRecent = 1, choiceSearch = 2 };
    CAQFChooseDocPage();

    void SetFixedDoc(CDocument* pDoc) { m_FixedDoc.Reset(pDoc); }
    CDocument* GetFixedDoc() const { return m_FixedDoc.Get(); }
    // What the target page chose, never listed here.
    void SetTarget(const CString& fileName, CDocument* pDoc);
    void SetChoice(int nChoice);
    int GetChoice() const { return m_nChoice; }
    CString GetPathName() const;
    // The source document, opened when needed (then closed after the wizard unless "Keep Open"
    // is checked); NULL when it cannot be opened. Source files of AutoConvert are not opened.
    CDocument* GetDoc();
    const CStatistics& GetStatistics() const { return m_Stats; }
    // The header's question count, with or without its collections.
    int GetQuestionCount(BOOL bWithCollections) const;
    const CCorraHeader& GetHeader() const { return m_Header; }
    // Leaves the current source document open after the wizard.
    void KeepSourceOpen();
    // The documents the wizard opened and is to close; the list is emptied.
    std::vector<CDocumentRef> TakeDocsToClose();
    BOOL HaveSelection() const;
    // Whether the source may be copied to the target; texts of the refusal.
    BOOL CanGoNext(CString* pMessage, CString* pMore, CString* pLast);
    BOOL IsKeepOpen() const { return m_bKeepOpen; }

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;

    void TypePath(const char* path);
    void SetKeepOpen(BOOL bKeep);
    CHVListCtrl* GetOpenList() const { return m_pOpenList; }
    CHVListCtrl* GetRecentList() const { return m_pRecentList; }

private:
    void UpdateControls();
    void OnChoice(int nChoice);
    void OnPathChange();
    void OnSearch();
    void OnSelectRow(BOOL bRecent);
    CString Extensions() const;
    int SourceKind() const;
    // The document the choice names, if open (nothing is opened).
    CDocument* ChosenOpenDoc() const;

    int m_nChoice = choiceOpen;
    BOOL m_bKeepOpen = FALSE;
    CDocumentRef m_FixedDoc;
    CString m_csTargetFile;
    CDocumentRef m_TargetDoc;
    CCorraHeader m_Header;
    BOOL m_bHeaderRead = FALSE;
    CStatistics m_Stats;
    CDocumentRef m_StatsDoc;
    std::vector<CDocumentRef> m_toClose;
    CHVListCtrl* m_pOpenList = nullptr;
    CHVListCtrl* m_pRecentList = nullptr;
    QLineEdit* m_pPath = nullptr;
    QLabel* m_pRecentLabel = nullptr;
};

// "Select collection": the collections of the document the page before chose.
class CAQFChooseCollectionPage : public CAQFPage {
public:
    explicit CAQFChooseCollectionPage(UINT nIDTemplate = IDD_AQF_FROM_COLLECTION);

    void SetHeader(const CCorraHeader& header) { m_Header = header; }
    const CString& GetCollectionName() const { return m_csName; }
    int GetCollectionCount() const { return m_nCount; }
    // Chooses the row of that collection, as a click would.
    BOOL SelectCollection(const char* name);

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;


protected:
    virtual void OnChosen() {}

private:
    void UpdateControls();
    void OnClickRow();

    CCorraHeader m_Header;
    CString m_csCachedName;
    CString m_csName;
    int m_nCount = 0;
    CListCtrl* m_pList = nullptr;
    CInfoRichEdit* m_pDocPane = nullptr;
    CInfoRichEdit* m_pPrompt = nullptr;
};

// The target's "Select collection": the name chosen goes to the sheet.
class CAQFChooseToCollectionPage : public CAQFChooseCollectionPage {
public:
    CAQFChooseToCollectionPage();

protected:
    void OnChosen() override;
};

// The same document on both sides: one open document, or one file however its path is spelt
// (links, "." and ".."; case tells files apart).
BOOL IsSameDocumentPath(const CString& a, const CString& b);
