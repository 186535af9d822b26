#pragma once
// "Exam Link Status...": a wizard over the links of an exam's questions to the banks they were
// taken from. The start page tells which problems there are (banks gone, banks changed since the
// link); the missing page finds a lost bank again and relinks, the out-of-date page updates the
// questions from their banks; both can break the links instead.
// With both problems the missing page comes first and the out-of-date page is the last.

#include "foundation/FileTypes.h"
#include "foundation/Serial.h"
#include "model/QuestionList.h"
#include "platform/core/Time.h"
#include "platform/ui/PropertySheet.h"

#include <functional>
#include <map>
#include <memory>
#include <vector>

class CCorraDoc;
class CExamDoc;
class CListCtrl;

// A file's time: 0 created, 1 last read, 2 last written; an invalid time when the file's time
// cannot be read (logged). Never opens the file: a link may name a FIFO or a device.
CTime GetFileDate(LPCSTR path, int which);
// A time in the user's short date and time format; empty for an invalid one.
CString FormatFileDate(const CTime& t);

class CELSSheet;

// Back along the pages the user came by (the newest is taken off the history); 0, the page
// before in order, when there is no history.
LRESULT BackAlongHistory(CELSSheet* sheet);
// "Break Links...": after the user agreed, unlinks every question of the list, tells the views
// and checks the links again; TRUE when it did.
BOOL BreakLinks(CELSSheet* sheet, CQuestionList& questions);

class CELSStartPage : public CPropertyPage {
public:
    CELSStartPage();

    int m_bFixMissing = 0;
    int m_bFixOutOfDate = 0;
    int m_bHasMissing = 0;
    int m_bHasOutOfDate = 0;
    // Not empty: the page shows only this text.
    CString m_csMessage;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;
    LRESULT OnWizardBack() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void UpdateControls();

private:
    CELSSheet* Sheet() const;
};

class CELSOutOfDatePage : public CPropertyPage {
public:
    // One bank file of out-of-date questions.
    struct CRecord {
        CString name;
        CString path;
        int links = 0;
        CTime dateModified;
        CTime dateLinked;
    };

    CELSOutOfDatePage();
    ~CELSOutOfDatePage() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;
    LRESULT OnWizardBack() override;
    BOOL OnWizardFinish() override;
    void DoDataExchange(CDataExchange* pDX) override {}

    void InitColumns();
    void BuildList();
    void FillList();
    void UpdateControls();
    // Update (selected rows only) and Update All.
    void OnUpdate();
    void OnUpdateAll();
    void OnBreakLinks();

    CQuestionList m_lQuestions;  // filled by the sheet's check; the exam's questions
    std::vector<std::unique_ptr<CRecord>> m_records;
    CListCtrl* GetList() const { return m_pList; }

private:
    CELSSheet* Sheet() const;
    void UpdateFiles(const std::vector<CString>& paths);
    void Rebuild();
    CListCtrl* m_pList = nullptr;
};

// The missing page (its source is MissingLinksPage.cpp) lists the files the questions are
// linked to but that are gone: banks of an exam, or a document's images (ImageLinkSheet.h). A
// file is found again by name or (banks) by Corra ID in Find File, or picked in the file
// chooser, and the questions are relinked to it; the links of an exam can be broken instead.
class CELSNoFindPage : public CPropertyPage {
public:
    // One missing file.
    struct CRecord {
        CString name;    // file name as stored
        int links = 0;   // listed questions (or images) that use the file
        CString folder;  // folder as stored
        CString corraId; // banks: the Corra ID of the first question's link
        CString path;    // the whole path as stored
    };
    // Whether path names the lost file folder + name (both as stored).
    static BOOL IsLostFile(const CString& path, const CString& name, const CString& folder);

    CELSNoFindPage();
    ~CELSNoFindPage() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    LRESULT OnWizardBack() override;
    LRESULT OnWizardNext() override;
    BOOL OnWizardFinish() override;
    void DoDataExchange(CDataExchange* pDX) override {}

    virtual void BuildList();
    virtual void AskSaveChanges();
    virtual void SearchByFileName();
    virtual void SearchByCorraId();
    // Relinks the questions of the lost file folder + name to newPath; TRUE when it did.
    virtual BOOL Relink(const CString& name, const CString& folder, const CString& newPath);
    virtual void InitColumns();
    virtual void FillList();
    void OnBrowse();
    void OnBreakLinks();
    void UpdateControls();

    // The first selected row's record; NULL (after "Nothing selected.") when none is.
    CRecord* SelectedRecord(BOOL bSay);

    CQuestionList m_lQuestions;  // filled by the sheet's check
    int m_nDocKind = DT_CORRA;
    CString m_csTitle = "Search For Missing Question Corras";
    std::vector<std::unique_ptr<CRecord>> m_records;
    CListCtrl* GetList() const { return m_pList; }

protected:
    CELSSheet* Sheet() const;
    // The rows made again after a change.
    void Rebuild();
    // Runs Find File for the record; the path picked, empty when none was. Says "Cannot find
    // file..." when the search found nothing (what: what was sought, for the message).
    CString RunFind(const CRecord& record, int mode, const CString& wanted, const CString& prompt);
    void ShowCannotFind(const CRecord& record, const CString& what, BOOL bByName);
    // The selected row's file relinked to the path pick gives (empty: nothing).
    void RelinkSelected(const std::function<CString(const CRecord&)>& pick);
    // Adds a record for path (or one more link to it).
    CRecord* AddRecord(const CString& path, std::map<CString, CRecord*>& byPath);

    CListCtrl* m_pList = nullptr;
};

class CELSSheet : public CPropertySheet {
public:
    CELSSheet(const char* caption, CWnd* pParent = nullptr, UINT iSelectPage = 0);
    ~CELSSheet() override;

    BOOL OnInitDialog() override;

    // Adds the start, out-of-date and missing pages.
    virtual void AddPages();
    // Checks the document (NULL: the one checked before) and sets the start page's values.
    virtual void CheckLinks(CCorraDoc* doc);
    // After a change, asks whether to save the document; Yes saves it.
    virtual void AskSaveChanges();

    CExamDoc* GetExam() const;
    CCorraDoc* GetDoc() const { return m_pDoc; }
    // Ends the sheet with Cancel when it runs (an entry point failed).
    void EndWithCancel();
    // Runs f; any exception is logged and ends the sheet with Cancel.
    template <typename F>
    void Guard(F&& f)
    {
        try {
            f();
        } catch (...) {
            LogFailure();
        }
    }

    CELSStartPage m_startPage;
    CELSOutOfDatePage m_outOfDatePage;
    CELSNoFindPage m_noFindPage;
    CCorraDoc* m_pDoc = nullptr;
    CVector<int> m_history;  // template ids of the pages left by Next, newest first
    int m_nInitialPage;
    int m_bChanged = 0;
    int m_bFailed = 0;

protected:
    // Takes every page off the sheet without showing another (before the members go).
    void DetachPages();

private:
    void LogFailure();
};

// The link check of an exam: no sheet when no link is broken; TRUE when there was nothing to
// fix or the user finished the sheet.
BOOL RunExamLinkSheet(CExamDoc& exam, CWnd* pParent = nullptr);
