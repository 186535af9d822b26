#pragma once
// What the documents and the question model ask of the views that show them. The views stand
// above the model, so the model reaches them through one interface in a service slot, which the
// views install; until they do, the quiet default answers as a document without views would see
// it (no panes, no lists, nothing selected, nothing to save).
//
// Also here: the private messages posted to a document's first view (the update hints are in
// model/Update.h).

#include "platform/core/ServiceSlot.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CView;
class CPtrListEx;
class CCorraQuestion;
class CCorraDoc;

// Posted to a document's first view: run the exam's link check (the save-again message,
// WM_CORRA_RESAVE, is in CorraDoc.h).
constexpr UINT WM_CORRA_LINKCHECK = 0x8053;

// Flags of ICorraViewServices::SelectQuestion.
constexpr UINT SELQ_FOCUS = 1;
constexpr UINT SELQ_VISIBLE = 2;
constexpr UINT SELQ_UPDATE_DIALOG = 4;
// Every other item is deselected first; with a NULL question the selection is only cleared.
constexpr UINT SELQ_DESELECT_FIRST = 8;

class ICorraViewServices {
public:
    virtual ~ICorraViewServices() = default;

    // The frame links its two panes once made: the upper view gets pane 0 and the lower view as
    // its partner; the lower view pane 1, the upper as its partner and display mode 2.
    virtual void LinkPanes(CView* upper, CView* lower) = 0;

    // The pane of a question view: 0 upper (questions), 1 lower (collections); -1 for a view that
    // is not a question view.
    virtual int GetPaneIndex(CView* view) = 0;
    // The view of the other pane; NULL when none.
    virtual CView* GetPartner(CView* view) = 0;
    // The display mode the frame set (2 on the lower view).
    virtual int GetDisplayMode(CView* view) = 0;
    // How many items the view shows, and the size of its laid-out content.
    virtual int GetItemCount(CView* view) = 0;
    virtual CSize GetContentSize(CView* view) = 0;
    // The questions the view shows, in display order; FALSE when it has no list.
    virtual BOOL GetListOrder(CView* view, CPtrListEx& questions) = 0;
    // The questions selected in the view's list; their number.
    virtual int GetSelectedItems(CView* view, CPtrListEx& questions) = 0;
    // Selects a question (SELQ_ flags); FALSE when the view does not show it.
    virtual BOOL SelectQuestion(CView* view, CCorraQuestion* question, UINT flags) = 0;
    // Shows the questions in this order and redraws.
    virtual void SetItemOrder(CView* view, const CPtrListEx& questions) = 0;
    // The start-up counter step, once at the end of start-up.
    virtual void StepStartUpCounter() = 0;

    // Collection views (a collection's own window, or an exam form's).
    virtual BOOL IsCollectionView(CView* view) = 0;
    // Asks to save a modified collection view; FALSE when the user cancels.
    virtual BOOL SaveCollectionView(CView* view) = 0;
    // Shows the list, clearing the view's subject and chapter lists.
    virtual void SetCollection(CView* view, const CPtrListEx& questions) = 0;
    virtual void RefreshCollection(CView* view) = 0;
    // Writes the view's list (and scramble list) back into its collection of the document.
    virtual void ApplyToCollection(CView* view) = 0;
    // Closes the view's frame; with discard its changes are dropped first.
    virtual void CloseCollectionView(CView* view, BOOL discard) = 0;
    // A new window of the document's collection template showing the collection (a new,
    // unsaved one when NULL); NULL when none opens.
    virtual CView* OpenCollectionView(CCorraDoc& doc, CCorraQuestion* collection) { return nullptr; }
    // The name a collection view shows, and the collection of the document it saves into
    // (NULL while it has none).
    virtual CString GetCollectionViewName(CView* view) { return CString(); }
    virtual CCorraQuestion* GetViewCollection(CView* view) { return nullptr; }
    // The view's name (and its frame's caption); marking it modified (unsaved work).
    virtual void SetCollectionViewName(CView* view, LPCSTR name) {}
    virtual void SetCollectionViewModified(CView* view) {}
};
CServiceSlot<ICorraViewServices>& CorraViewServicesSlot();
ICorraViewServices& CorraViewServices();
// The quiet default: what a document without views sees.
ICorraViewServices& NoCorraViewServices();
