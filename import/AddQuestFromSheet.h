#pragma once
// The Add Question Wizard: one sheet of seventeen pages that says where questions go, where they
// come from and how they are taken (copied by hand or all at once, drawn at random by criteria,
// or converted from a teacher's text). The sheet decides nothing about questions: it keeps the
// way back through the pages, what the pages share and the text and settings of AutoConvert.
// Whoever ran it reads what the pages chose after Finish and does the transfer.

#include "foundation/PtrListEx.h"
#include "foundation/Serial.h"
#include "import/AQFACPages.h"
#include "import/AQFConvertSettings.h"
#include "import/AQFDocPages.h"
#include "import/AQFMethodPage.h"
#include "import/AQFRandCriteria.h"
#include "import/AQFRandResults.h"
#include "import/FileBuf.h"
#include "platform/ui/Document.h"

#include <vector>

class CCorraDoc;
class CHVRichEditCtrl;

// What the wizard is started for (the codes the main window's tasks give).
constexpr UINT AQF_START_AUTOCONVERT = 32776;
constexpr UINT AQF_START_AUTOCONVERT_EXAM = 32859;
constexpr UINT AQF_START_AUTOCONVERT_DOC = 32860;
constexpr UINT AQF_START_RANDOM_EXAM = 32788;
constexpr UINT AQF_START_RANDOM_ADD = 32794;
// The sheet flag of a new random exam.
constexpr DWORD AQF_SHEET_RANDOM_EXAM = 4;

class CAddQuestFromSheet : public CPropertySheet {
public:
    CAddQuestFromSheet(const char* caption, CWnd* pParent = nullptr, UINT iSelectPage = 0);
    ~CAddQuestFromSheet() override;

    // Prepares the pages for a start code; pDoc is the document the task named (or NULL). 1, or
    // 0 (logged) for a code the wizard does not know, which leaves every page as it was.
    int Setup(UINT nStart, CDocument* pDoc);

    int GetTargetKind() const { return m_ToTypePage.GetType(); }
    int GetSourceKind() const { return m_FromTypePage.GetType(); }
    int GetMethod() const { return m_MethodPage.GetMethod(); }
    // The target document, opened when it was chosen on disk; NULL when it cannot be.
    CDocument* GetTargetDoc();
    // The source document of a copy (not of AutoConvert).
    CDocument* GetSourceDoc() { return m_FromDocPage.GetDoc(); }
    CString GetSourceCollection() const;
    // The questions the random draw chose (copy mode "the list").
    const CPtrListEx& GetRandomSelection() const { return m_RandomSelection; }

    // The candidates of a random draw: the source's questions (or its collection's members, one
    // per INDEX with bGatherUnique), less those whose ID, and with bUnique whose INDEX, the
    // target holds. pSourceTotal: the source's number of distinct INDEX values.
    int BuildCandidates(CPtrListEx& out, BOOL bUnique, BOOL bGatherUnique, int* pSourceTotal = nullptr);
    // Says that the target holds shortfall of the questions asked for.
    void ShowDuplicatesMessage(int nShortfall);
    // Whether the wizard can end here: the target (and a copy's source) can be opened.
    BOOL CanFinish();

    // Takes the settings pages' texts and question into the settings.
    void GatherACSettings();
    // Loads the source of AutoConvert into the buffer (a source document's own text when it is
    // open); FALSE when it cannot be read (said to the user).
    BOOL LoadSourceText();
    // Asks before loading again; 0 for No or a failed load, 1 when loaded.
    BOOL LoadSourceFile();
    // The control's edited text back into the buffer when the user says so: 1 for Yes or No,
    // else the answer.
    int SaveEditedSource(CHVRichEditCtrl* pCtrl, UINT nStyle);
    // The control's text as RTF, without the blanks at its end, into the buffer.
    void StoreEditedSource(CHVRichEditCtrl* pCtrl);
    // After Cancel: the target document the wizard made or opened is closed.
    void CancelCleanup();
    // A target chosen on disk that the wizard opened.
    CDocument* GetOpenedTarget() const { return m_OpenedTarget.Get(); }
    // The documents the wizard opened as sources, to be closed once the transfer is done.
    std::vector<CDocumentRef> TakeDocsToClose() { return m_FromDocPage.TakeDocsToClose(); }

    CVector<int> m_History;
    CAQFConvertSettings m_ACSettings;
    CFileBuf m_SourceBuf;
    CString m_csToCollection;
    CString m_csACText1;
    CString m_csACText2;
    int m_nACValue = 0;
    CDocumentRef m_ForcedSource;
    BOOL m_bResultsStale = TRUE;
    CPtrListEx m_RandomSelection;

    CAQFChooseToTypePage m_ToTypePage;
    CAQFChooseToDocPage m_ToDocPage;
    CAQFChooseToCollectionPage m_ToCollectionPage;
    CAQFChooseTypePage m_FromTypePage;
    CAQFChooseDocPage m_FromDocPage;
    CAQFChooseCollectionPage m_FromCollectionPage;
    CAQFChooseMethodPage m_MethodPage;
    CAQFRandCriteriaPage m_RandTypePage;
    CAQFRandCriteriaLevelPage m_RandLevelPage;
    CAQFRandCriteriaSubjPage m_RandSubjectPage;
    CAQFRandCriteriaTextbookPage m_RandTextbookPage;
    CAQFShowRandResults m_RandResultsPage;
    CAQFSetACLineFmt m_ACLineFormatPage;
    CAQFSetACAttr2 m_ACAttr2Page;
    CAQFSetACAttr1 m_ACAttr1Page;
    CAQFSetACQuestAttr m_ACQuestAttrPage;
    CAQFDoACPage m_ACRunPage;

private:
    void AddPages();
    // The source of AutoConvert when it is an open document (bClosed: it was named and is gone).
    CDocument* FindSourceDocument(BOOL& bClosed) const;
    // The source's text into buf: an open source document's shown text, else the file at path.
    BOOL ReadSource(CFileBuf& buf, LPCSTR path) const;
    CDocumentRef m_OpenedTarget;
};
