#pragma once
// "Duplicate Questions": copied questions that clash with the target document (an ID it holds,
// or in an exam an INDEX it holds) or among themselves (one ID, or in an exam one INDEX, twice)
// are listed beside the target's questions they clash with; for each the user skips it, adds it
// as a duplicate (a new ID) or overwrites the existing one. OK applies the decisions as one undo
// entry; the ID map then says which target question every copied ID became.

#include "foundation/PtrListEx.h"
#include "foundation/SerialMap.h"
#include "platform/core/Collections.h"
#include "platform/ui/Dialog.h"

class CCorraDoc;
class CCorraQuestion;
class CODListCtrl;
class CUpdate;
class QLabel;

// Dialog and control ids.
constexpr UINT IDD_DUPLICATE_QUESTIONS = 301;
constexpr int IDC_DUPQ_NEW_PREVIEW = 1563;
constexpr int IDC_DUPQ_OLD_PREVIEW = 1564;
constexpr int IDC_DUPQ_NEW_LIST = 1565;
constexpr int IDC_DUPQ_OLD_LIST = 1566;
constexpr int IDC_DUPQ_DUPLICATE = 1570;
constexpr int IDC_DUPQ_OVERWRITE_ALL = 1580;
constexpr int IDC_DUPQ_ADVANCED = 2098;
constexpr int IDC_DUPQ_SKIP = 2103;
constexpr int IDC_DUPQ_DUPLICATE_ALL = 2104;
constexpr int IDC_DUPQ_OVERWRITE = 2122;

class CDuplicateQuestionsDlg : public CDialog {
public:
    // questions: the copied ones (not owned; the caller keeps them until Apply is done). The
    // request gives the source's title and path for the added questions.
    CDuplicateQuestionsDlg(CCorraDoc* pTarget, const CPtrListEx& questions, const CUpdate* pRequest,
                           CWnd* pParent = nullptr);
    ~CDuplicateQuestionsDlg() override;

    // Sorts the copied questions by their clashes; the number still undecided.
    int Check();
    // The decisions; FALSE (said) when refused.
    BOOL Skip(CCorraQuestion* q);
    // Skip's button: the selected and the marked rows of the new list.
    BOOL SkipSelected();
    BOOL Duplicate(CCorraQuestion* q);
    BOOL DuplicateAll();
    BOOL Overwrite(CCorraQuestion* q);
    BOOL OverwriteAll();
    // OK's state: nothing left undecided.
    BOOL IsSettled() const { return m_plNew.IsEmpty(); }
    // Puts the decisions into the target document and tells its views: target questions pushed
    // out by an overwrite leave, overwritten ones take the copies' contents (by INDEX keeping
    // their own ID), the rest is added. One undo entry holds it all.
    BOOL Apply();
    BOOL IsExamTarget() const { return m_bExam; }

    // Undecided clashing copied questions and the target questions they clash with.
    const CPtrListEx& NewList() const { return m_plNew; }
    const CPtrListEx& ExistingList() const { return m_plExisting; }
    BOOL IsAdvanced() const { return m_bAdvanced; }
    void SetAdvanced(BOOL bAdvanced);

    // After Apply: each copied question's counterpart in the target, in the copied order, the
    // distinct IDs of those ascending, and each copied ID's target ID.
    CPtrListEx m_plResult;
    CDWordArray m_dwaResultIds;
    CSerialMap<int, int> m_idMap;

    // The list a Duplicate, Overwrite or Skip acts on: the new list's selection, else its one
    // marked row (marked by selecting an existing question).
    CCorraQuestion* ActiveNew() const;
    CODListCtrl* GetNewListCtrl() const { return m_pNewList; }
    CODListCtrl* GetExistingListCtrl() const { return m_pOldList; }

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    BOOL HasInternalClash() const { return !m_plInternal.IsEmpty() || !m_plInternalIndex.IsEmpty(); }
    BOOL IsDecided(const CCorraQuestion* q) const;
    // The target question of q's ID, and in an exam the first of its INDEX (neither a
    // collection nor one an overwrite pushes out).
    CCorraQuestion* TargetById(const CCorraQuestion* q) const;
    CCorraQuestion* TargetByIndex(const CCorraQuestion* q) const;
    // An exam question that would give the exam a second question of its INDEX.
    BOOL HasIndexClash(const CCorraQuestion* q) const;
    void Fill();
    void UpdateButtons();
    void ClearFlags();
    CCorraQuestion* SelectedNew() const;

    CCorraDoc* m_pTarget;
    BOOL m_bExam = FALSE;
    CPtrListEx m_plCopied;        // still to go in (skipped ones leave)
    CPtrListEx m_plInternal;      // copied questions sharing an ID with another copied one
    CPtrListEx m_plInternalIndex; // exam: sharing an INDEX with another going in
    CPtrListEx m_plNew;
    CPtrListEx m_plExisting;
    CPtrListEx m_plDuplicate;
    CPtrListEx m_plOverwrite;      // replace the target question of the same ID
    CPtrListEx m_plOverwriteIndex; // exam: replace the first target question of the same INDEX
    CPtrListEx m_plRemove;         // exam: target questions an overwrite by ID pushes out
    CPtrListEx m_plFlagged;        // questions the lists' flags were set on
    CPtrListEx m_plAll;            // every copied question, in order
    CCorraDoc* m_pSrcDoc = nullptr;
    CString m_csSrcTitle;
    CString m_csSrcPath;
    BOOL m_bAdvanced = FALSE;
    QWidget* m_pAdvancedOnly[6] = {};

    CODListCtrl* m_pNewList = nullptr;
    CODListCtrl* m_pOldList = nullptr;
    QLabel* m_pNewPreview = nullptr;
    QLabel* m_pOldPreview = nullptr;
};
