#pragma once
// The question of a Question Corra document: a CQuestion with the answer space of essay, short
// answer and fill-in questions, the group it belongs to, display marks, where it was last drawn,
// a scramble list (exam forms), its owner document and view, statistics (collections), and the
// record elements met while it was read. It reads and writes its record of the document file
// ("BEGIN QUESTION" ... "END QUESTION"), lays itself out for the views, printing and export,
// and compares itself with others for sorting.
//
// A collection is a CCorraQuestion of type "CO": its question text is its name and its choices
// hold its members, label "n." and text the member's ID.

#include "foundation/SerialMap.h"
#include "model/DrawContext.h"
#include "model/Question.h"
#include "model/ScrambleList.h"
#include "platform/core/Collections.h"
#include "platform/core/WinTypes.h"
#include "platform/ui/View.h"

#include <QPointer>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class CArchive;
class CCorraDoc;
class CDC;
class CEncryptedArchive;
class CHVRichEditCtrl;
class CImageViewList;
class CStatistics;
class CView;

// Result of a record element that was not understood; the reader moves on past it.
constexpr int READ_ELEMENT_UNKNOWN = 4;

// m_nFlags bits.
constexpr int QFLAG_LISTED = 1;         // set by the owner-drawn lists
constexpr int QFLAG_DUPLICATE = 2;      // set by the duplicate-questions dialog
constexpr int QFLAG_DUPLICATE_ORIG = 4; // set by the duplicate-questions dialog

// Where the parts of a question fall when it is laid out into a device context (logical units;
// under MM_TWIPS y grows upward, so a rectangle's bottom lies below its top in value too).
struct CQuestionLayout {
    CRect label;    // the number label, on one line
    CRect text;     // the question text, word-wrapped
    CRect choices;  // choice types: the choices
    CRect answer;   // essay, short answer, fill in: the answer space
    int height = 0; // of the whole question
    std::shared_ptr<CImageViewList> images;  // the question's images, placed around the rest
};

class CCorraQuestion : public CQuestion {
public:
    CCorraQuestion();
    CCorraQuestion(const CQuestion& other);
    CCorraQuestion(const CCorraQuestion& other);
    CCorraQuestion& operator=(const CQuestion& other);
    CCorraQuestion& operator=(const CCorraQuestion& other);
    ~CCorraQuestion() override;

    // A number no other question of the process ever has, not even one made after this one is
    // freed at the same address: records that outlive a question (undo) name it by this. A copy
    // gets its own; assignment keeps it.
    std::uint64_t GetSerial() const { return m_nSerial; }

    // The base copy, and from a CCorraQuestion (or a kind derived from it) its marks, last
    // drawing place, kind text, answer size, group and scramble list. The owner document and
    // view stay those of this object: a copy is not shown where its source is. Statistics,
    // font slot and m_csExtra2 are not copied.
    void Copy(const CQuestion& other) override;
    // The base reset, then type "UN", marks, drawing place, owner, view, statistics, group and
    // font slot cleared; the answer size stays.
    void Reset(BOOL bResetId) override;
    // The answer as the answers draw mode shows it: "a.  b.  c.", "True   False", three blanks.
    void GetAnswerSummary(CString& out) const;

    // The base form, then the current mark, last top and rectangle, answer size and MEMBERID;
    // Serialize adds the scramble list.
    void Serialize(CArchive& ar) override;
    void Load(CArchive& ar) override;
    void Store(CArchive& ar) const override;

    virtual void ClearChoicesCache() { m_Choices.ClearCache(); }
    // Member i of a collection, looked up in the owner document; NULL when there is none.
    virtual CCorraQuestion* GetMember(int i) const;
    // Offset of the question's icon in the application's image list: 236 selected, 220 plain,
    // 228 current.
    virtual int GetImageIndex(BOOL selected) const;
    // Icon of the question's state (selected, current, plain) in a draw mode.
    virtual UINT GetIconId(BOOL selected, int mode) const;
    // Drawn after the tile's icon; exam questions draw their link marks.
    virtual void DrawLinkIcons(const CDrawContext& ctx) {}

    // ---- laying out and drawing
    // The number label: "<number>. ", with no number text "<ID>. ", with an empty one a blank.
    static CString NumberLabel(LPCSTR numberText, int id);
    // Every layout below takes the record of what it is drawn for (its device context,
    // target, mode, print layout, indent, answers); nothing else of the caller's job is read.
    //
    // Appends the whole question to a rich-edit control: number label, text (in the answers
    // draw modes the answer summary), choices with their indents, answer or answer space, blank
    // lines. Collections add nothing. choiceFlags are the caller's choice output flags;
    // textExport lays out for the plain text export. The height added, in the control's pixels.
    virtual int OutputToRichEdit(CHVRichEditCtrl& ctrl, const CDrawContext& ctx, LPCSTR numberText,
                                 DWORD choiceFlags = 0, BOOL textExport = FALSE);
    // Draws (or with bDraw FALSE measures) the question in the record's draw mode. pPage is the
    // page rectangle when printing; on screen the question takes the width of the view less 10
    // on the left and 5 on the right. y is the caller's current position: the question starts
    // there and y moves past it. Returns the height used, the same measured as drawn.
    virtual int Draw(const CDrawContext& ctx, const CRect* pPage, int width, int& y, LPCSTR numberText,
                     BOOL bDraw = TRUE);
    virtual int DrawTile(const CDrawContext& ctx, const CRect* pPage, int width, int& y, LPCSTR numberText,
                         BOOL bDraw = TRUE);
    virtual int DrawFull(const CDrawContext& ctx, const CRect* pPage, int width, int& y, LPCSTR numberText,
                         BOOL bDraw = TRUE);
    virtual int DrawLine(const CDrawContext& ctx, const CRect* pPage, int width, int& y, LPCSTR numberText,
                         BOOL bDraw = TRUE);
    // DrawFull for printing an exam: the choices always as one measured RTF piece.
    virtual int DrawNumbered(const CDrawContext& ctx, const CRect* pPage, int width, int& y, LPCSTR numberText,
                             BOOL bDraw = TRUE);
    // Measures the question laid out from the top of area across its width, its images around
    // the text (their sizes shares of the page, or of the window on screen).
    int CalcDrawHeight(const CDrawContext& ctx, const CRect& area, LPCSTR numberText, BOOL measuredChoices,
                       CQuestionLayout* pLayout = nullptr);
    // The height of the answer space: the answer size times the page (MM_TWIPS) or the window's
    // client area (MM_TEXT); 0 under any other mapping mode.
    int GetPageExtent(CDC* pDC) const;
    // Appends the question to a rich-edit control as an HTML table (number and text cells, in
    // the classes of their font slots), followed by the HTML form of the choices.
    virtual int OutputHtml(CHVRichEditCtrl& ctrl, const CDrawContext& ctx, LPCSTR numberText,
                           const CChoicesHtmlStyle* pStyle = nullptr);

    // ---- the question record
    // Appends the record.
    void WriteRecord(CEncryptedArchive& out);
    // Reads one record at the cursor: READ_OK (cursor past it), READ_NOT_THIS (not a question
    // record, cursor unchanged), READ_MALFORMED (ErrorText says why, cursor put back before
    // "END"), READ_END (end of the text), or what an element of a derived class returned. Throws
    // std::runtime_error when the record never ends (the document's read loop catches it).
    int ReadRecord(LPCSTR* ppText, UINT* pnRemaining, CCorraDoc* pDoc);
    // The error text of the last read on this thread.
    static CString& ErrorText();
    // Writes elements of a derived class before "END QUESTION"; nothing here.
    virtual void WriteExtraElements(CEncryptedArchive& out) {}
    // Reads an element this class does not know, its keyword (token id) already read: 1 read,
    // 0 not known (the reader reports "Read Error: " and moves on), or another result that ends
    // the record.
    virtual int OnQElement(int keyword, LPCSTR* ppText, UINT* pnRemaining) { return 0; }
    // The required elements missing from the record just read, as lower-case keywords joined
    // by ", "; TRUE when any is missing.
    virtual BOOL GetMissingFields(CString& out) const;
    // Whether an element was met in the record just read.
    BOOL HasReadField(int keyword) const { return m_mFieldsRead.Contains(keyword); }

    // ---- sorting and printing
    // -1, 0 or 1 by the field of a record keyword (TEXT, ANSWER, SUBJECT, CHAPTERS, TYPE,
    // LEVEL, ID, INDEX); 0 for any other field, which is logged once.
    virtual int Compare(const CCorraQuestion& other, int fieldToken) const;
    // The text an identity question prints in a form; empty here.
    virtual CString GetIdentityText() { return CString(); }
    // Called on an exam form: puts the question's choices and answer into the form's order.
    // FALSE (nothing changed) when the form has no valid line for it.
    BOOL ApplyScrambleTo(CQuestion& question) const;

    // ---- collections (type "CO")
    void SetDoc(CCorraDoc* pDoc) { m_pDoc = pDoc; }
    BOOL IsCollection() const;
    // Whether a type has an answer space: essay, short answer, fill in.
    static BOOL HasAnswerSpace(int type);
    // Adds the question's ID as a member labelled with the member count; FALSE (logged) when it
    // is a member already.
    BOOL AddQuestion(CQuestion* question);
    // The members found in the owner document (missing ones skipped); their number.
    int GetQuestions(CPtrList& out) const;
    BOOL HasQuestId(int id) const { return FindQuestId(id) >= 0; }
    // Position of the member with that ID; -1 when none.
    int FindQuestId(int id) const;
    int GetQuestIds(CDWordArray& ids) const;
    int GetQuestId(int i) const;
    int GetLabelNumber(int i) const;
    // The members become these IDs (each once, in order), labelled by position; every ID added
    // is appended to pAdded (emptied first). The number added.
    int SetQuestIds(const CDWordArray& ids, CDWordArray* pAdded = nullptr);
    int SetQuestions(const CPtrList& questions, CDWordArray* pAdded = nullptr);
    // The ID inserted at position (appended past the end), the members set again.
    int InsertQuestId(int position, int id);
    int RemoveMemberAt(int position);
    // FALSE when the ID is not a member.
    BOOL RemoveQuestId(int id);
    // Replaces the member at position; refused (logged) when the new ID is a member already or
    // the owner document has no question with it.
    BOOL SetCollectionQuestId(int position, int newId);
    // Closes the view that shows the collection, when there is one.
    void CloseView();
    // Brings the frame of the view that shows the question to the top.
    void BringViewToTop();
    // Statistics of the members, made again.
    void UpdateStatistics();
    CStatistics* GetStatistics() const { return m_pStats; }

    // ---- small things
    // Sets the current mark; the previous one.
    int SetAuxNumber(int n);
    // Subject n; empty when there is none.
    CString GetSubject(int n) const;

    // ---- process-wide settings
    // "Settings"/"EssayLen", "ShortAnswerLen", "FillInLen" (written back when missing).
    static void LoadAnswerLengths();
    static double GetEssayLen();
    static double GetShortAnswerLen();
    static double GetFillInLen();
    // "Printing"/"SubjCharLen": the widest subject box of a tile as a fraction of its width.
    static void LoadSubjCharLen();
    static double GetSubjCharLen();

    int m_nFlags = 0;
    CString m_csKindText;
    double m_dAnswerSize = 0.33;
    int m_nCurrent = 0;
    int m_nMemberId = 0;
    int m_nFontSlot = 0;
    CString m_csExtra2;
    int m_nLastTop = 0;
    CRect m_rcLast;
    CScrambleList m_Scramble;
    CCorraDoc* m_pDoc = nullptr;   // not owned
    QPointer<CView> m_pView;       // the collection's window; cleared when it closes
    CStatistics* m_pStats = nullptr;  // owned
    CIntIntMap m_mFieldsRead;

private:
    const std::uint64_t m_nSerial;

    int DrawFullAs(const CDrawContext& ctx, const CRect* pPage, int width, int& y, LPCSTR numberText, BOOL bDraw,
                   BOOL measuredChoices);
    int ReadBody(LPCSTR* ppText, UINT* pnRemaining);
    int ReadElement(LPCSTR* ppText, UINT* pnRemaining);
    void ReadImages(LPCSTR* ppText, UINT* pnRemaining);
    void AppendMember(int id);
};

// A collection that carries its member questions with it, for collections that travel without
// their document (the collection clipboard list, the collection view).
class CCollectionEntry : public CCorraQuestion {
public:
    CCollectionEntry();
    ~CCollectionEntry() override;
    CCollectionEntry(const CCollectionEntry&) = delete;
    CCollectionEntry& operator=(const CCollectionEntry&) = delete;

    // Member i from the owner document when one is set, else from the outer list when one is
    // set, else from the entry's own questions.
    CCorraQuestion* GetMember(int i) const override;

    CPtrListEx m_lOwnQuestions;                  // CCorraQuestion*, owned
    const CPtrListEx* m_plOuterQuestions = nullptr; // not owned
};

// The question of a list with that ID or INDEX; NULL when none.
CCorraQuestion* FindListQuestionById(const CPtrList& questions, int id);
BOOL ListHasQuestionId(const CPtrList& questions, int id);
BOOL ListHasQuestionIndex(const CPtrList& questions, int index);
// Puts a question's choices and answer into the order of a scramble list; FALSE when the list
// has no valid line for it (nothing changes).
BOOL ApplyChoiceScramble(CQuestion& question, const CScrambleList& scramble);
// A full path read from a record, for a file of a document kind (CFileTypes) that belongs in
// its primary folder: a path outside that folder is logged (logLine, the path, the folder); it
// names the file of the same name in the primary folder when only that one exists.
CString RelocateToPrimaryFolder(const CString& path, int kind, LPCSTR logLine);

// While one stands on a thread, RelocateToPrimaryFolder asks the profile for a kind's primary
// folder once: a bank's read relocates every image its questions name, and each ask reads the
// profile and the disk. A scope inside another leaves the outer one in charge.
class CPrimaryFolderScope {
public:
    CPrimaryFolderScope();
    ~CPrimaryFolderScope();
    CPrimaryFolderScope(const CPrimaryFolderScope&) = delete;
    CPrimaryFolderScope& operator=(const CPrimaryFolderScope&) = delete;

    // The kind's primary folder (CFileTypes::GetPriDir), asked once while a scope stands.
    static CString PrimaryFolder(int kind);

private:
    BOOL m_bOwner = FALSE;
    std::vector<std::pair<int, CString>> m_folders;
};
