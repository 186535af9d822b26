#pragma once
// The undo record of one deleted question: the question, the view it was deleted from, its
// place in the document and its place in every collection that held it. While the deletion
// stands the record owns the question; once undone the document does again.

#include "foundation/SerialMap.h"
#include "platform/core/String.h"
#include "platform/ui/View.h"

#include <QPointer>

#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

class CCorraDoc;
class CCorraQuestion;

// "m_pView = <kind> <frame title> (<document title>)" for the dumps of the undo records: the
// kind is "Collection View" for a collection's window, "Collection List View" for the pane that
// lists the collections, else "Corra View".
CString DescribeViewForLog(CView* pView, const CCorraDoc* pDoc);

// Where every question of a document stands, in the document and in each collection (name to
// ID to position), taken in one pass for recording many questions at once.
struct CDocPlaces {
    explicit CDocPlaces(const CCorraDoc& doc);
    std::unordered_map<const CCorraQuestion*, int> docIndex;
    std::vector<std::pair<CString, std::unordered_map<int, int>>> collections;
};

class CQuestionContext {
public:
    // Records the question's place in doc and in doc's collections; the document keeps it.
    CQuestionContext(CView* pView, CCorraQuestion* pQuestion, CCorraDoc* pDoc = nullptr);
    // The same, its places read from places (taken from pDoc as it stands).
    CQuestionContext(CView* pView, CCorraQuestion* pQuestion, CCorraDoc* pDoc, const CDocPlaces& places);
    // Frees the question the record keeps.
    virtual ~CQuestionContext();
    CQuestionContext(const CQuestionContext&) = delete;
    CQuestionContext& operator=(const CQuestionContext&) = delete;

    // Takes into its keeping the recorded question, which has left the document (the deletion
    // stands). Another question is refused: FALSE.
    BOOL Keep(CCorraQuestion* question);
    // Gives up the question it keeps (NULL when it keeps none), for the document to take back.
    CCorraQuestion* Release();
    BOOL OwnsQuestion() const { return m_pKept != nullptr; }
    // The recorded question: the one kept, else the document's of that serial (NULL when gone).
    CCorraQuestion* GetQuestion() const;

    // Puts the question back into the collections that held it, at its former places, and
    // tells the views.
    void RestoreCollections();
    // Puts the question back into one collection at a position.
    void RestoreInto(const CString& name, int at);
    virtual void DumpToLog(int nLevel, int nMaxLevel = 99) const;

    QPointer<CView> m_pView;  // cleared when the view closes
    // The question by its serial, never by address: once the document has it back it may free
    // it, and the next question made can take the same address.
    std::uint64_t m_nSerial = 0;
    CCorraDoc* m_pDoc;
    // Collection name to the question's position in it.
    CSerialMap<CString, int> m_mCollIndex;
    // Place in the document's list when it was recorded (-1 when unknown).
    int m_nDocIndex = -1;

private:
    CCorraQuestion* m_pKept = nullptr;  // owned
};
