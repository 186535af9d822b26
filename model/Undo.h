#pragma once
// Undo and redo of a document: each action (questions deleted, an order changed) is a context
// on a stack, newest first. Undoing moves a context to the redo stack, redoing moves it back.

#include "foundation/PtrListEx.h"
#include "foundation/SerialMap.h"
#include "platform/core/String.h"
#include "platform/ui/View.h"

#include <QPointer>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class CCmdUI;
class CCorraDoc;
class CCorraQuestion;
class CQuestionContext;
class CUndoContext;

// Kinds of action.
constexpr int UCT_DEL = 1;         // questions deleted
constexpr int UCT_COLLORDER = 2;   // the order of a collection view
constexpr int UCT_ORDER = 4;       // the question order of a view
constexpr int UCT_ADD = 8;         // questions added, with those they overwrote or pushed out

// The stack: owns its contexts.
class CUndo : public CPtrListEx {
public:
    CUndo() = default;
    ~CUndo() override;
    CUndo(const CUndo&) = delete;
    CUndo& operator=(const CUndo&) = delete;

    void Push(CUndoContext* context) { AddHead(context); }
    // The newest context, taken off the stack (NULL when empty).
    CUndoContext* Pop() { return IsEmpty() ? nullptr : static_cast<CUndoContext*>(RemoveHead()); }
    CUndoContext* Top() const { return IsEmpty() ? nullptr : static_cast<CUndoContext*>(GetHead()); }
    // Deletes every context.
    void Clear();
    void DumpToLog(int nLevel, int nMaxLevel) const;
    // Undoes (bUndo) or redoes the newest context and moves it onto to. A context that fails
    // stays where it was, one whose view has closed is dropped; both say so ("Failed to undo."
    // or "Failed to redo.") and give FALSE.
    BOOL MoveTop(CUndo& to, BOOL bUndo);
    // The Undo or Redo menu item: enabled with something to take back, named after it.
    void UpdateItem(CCmdUI* ui, BOOL bRedo) const;
};

class CUndoContext {
public:
    // A context of the document's; a view showing a collection records that collection.
    CUndoContext(CCorraDoc* pDoc, CView* pView, int nType, LPCSTR description);
    virtual ~CUndoContext();
    CUndoContext(const CUndoContext&) = delete;
    CUndoContext& operator=(const CUndoContext&) = delete;

    // Records a question about to be deleted (once per ID); the document keeps it until it is
    // taken out and handed to Keep.
    void RecordDeletion(CCorraQuestion* question);
    // The records take the questions of theirs among these that the document no longer holds.
    void Keep(const CPtrListEx& questions);
    // Records the order the view shows now.
    void RecordOrder();
    // An addition: a question just added, and a question's contents before it is overwritten.
    void RecordAddition(CCorraQuestion* question);
    void RecordOverwrite(const CCorraQuestion* question);
    int GetAddedCount() const { return m_mAdded.GetCount(); }

    // Returns the previous flag.
    BOOL SetUndone(BOOL bUndone);
    BOOL IsUndone() const { return m_bUndone; }
    // FALSE when the action could not be undone or redone.
    BOOL Undo();
    BOOL Redo();
    CString GetDescription() const { return m_csDescription; }
    int GetType() const { return m_nType; }
    int GetDeletedCount() const { return m_mDel.GetCount(); }
    // An order recorded in a view that has closed since: it can never be restored.
    BOOL IsVoid() const { return (m_nType == UCT_ORDER || m_nType == UCT_COLLORDER) && m_bRecordedInView && !m_pView; }
    virtual void DumpToLog(int nLevel, int nMaxLevel) const;

    int m_nType;
    BOOL m_bUndone = FALSE;
    CString m_csDescription;
    QPointer<CView> m_pView;  // cleared when the view closes
    BOOL m_bRecordedInView = FALSE;
    CCorraDoc* m_pDoc;
    // Question ID to its record (owned).
    CSerialMap<int, CQuestionContext*> m_mDel;
    // An addition's questions (owned while it is undone) and, by serial, what each overwritten
    // question held before (swapped with its contents at every undo and redo).
    CSerialMap<int, CQuestionContext*> m_mAdded;
    std::vector<std::pair<std::uint64_t, std::unique_ptr<CCorraQuestion>>> m_overwritten;
    // The recorded order, by question serial: a question deleted for good since may have left
    // its address to a new one.
    std::vector<std::uint64_t> m_saved;
    int nIndex = -1;
    BOOL m_bCollView = FALSE;

private:
    BOOL RestoreOrder();
    // The recorded questions back into the document at their places; out of it again.
    BOOL PutBack(CSerialMap<int, CQuestionContext*>& records);
    BOOL TakeOut(CSerialMap<int, CQuestionContext*>& records);
    void KeepIn(CSerialMap<int, CQuestionContext*>& records, const CPtrListEx& questions);
    void SwapOverwritten();
};
