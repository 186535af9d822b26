#pragma once
// The Question Corra document: titles, instructions, unique id, groups and questions (with
// collections), read from and written to the keyword text file through the cipher stream.
//
// The reading loop hands the text to the record readers (question, group, title) in turn; what
// a reader does not know ends the loop. After a complete, clean read the document is repaired
// (missing id, collections holding collections) and, when anything was repaired or the file
// was plain, the first view is asked to save it again at once. A damaged, partly read or
// cancelled read never asks for that: the user is warned and the file stays as it was, and
// the document replaces that file only when the user says so to a warning naming the loss.

#include "foundation/PtrListEx.h"
#include "foundation/SerialMap.h"
#include "foundation/StringArrayEx.h"
#include "model/Undo.h"
#include "model/ViewServices.h"
#include "platform/core/String.h"
#include "platform/ui/Document.h"

#include <cstdint>
#include <functional>
#include <unordered_set>

class CCorraHeader;
class CCorraQuestion;
class CEncryptedArchive;
class CGroup;
class COldProgressDlg;
struct CPrintingValues;
class CUpdate;
class CView;

// The private message that asks a view to mark its document modified and save it.
constexpr UINT WM_CORRA_RESAVE = 0x8051;
// The main window's AutoConvert task (lParam: the document).
constexpr UINT WM_CORRA_AUTOCONVERT = 0x805B;

// The clipboard and drag formats of the bank's questions and collections.
constexpr const char* CORRA_QUESTION_LIST_FORMAT = "Corra Question List";
constexpr const char* CORRA_COLLECTION_LIST_FORMAT = "Corra Collection List";

// Commands of the document's table.
constexpr UINT ID_CORRA_AUTO_CONVERT = 32772;
constexpr UINT ID_CORRA_QUESTION_DIALOG = 32776;
constexpr UINT ID_CORRA_STORE_DLG_QUESTION = 32782;
constexpr UINT ID_CORRA_NEW_COLLECTION = 32799;
constexpr UINT ID_CORRA_AUTO_SUBJECTS = 32862;
constexpr UINT ID_CORRA_CHECK_IMAGE_LINKS = 32914;
constexpr UINT ID_CORRA_QUESTION_GROUPS = 33029;

// What the question dialog sends as the extra of ID_CORRA_STORE_DLG_QUESTION: the question it
// holds and the ID of the question shown, which is the one stored into. The views' selection
// plays no part: it may have moved on while the dialog was open. The handler sets bStored.
struct CDlgQuestionStore {
    int nId = 0;
    const CCorraQuestion* pQuestion = nullptr;  // the dialog's question and its answer size
    BOOL bStored = FALSE;
};

// Whether a question is a collection (type "CO").
BOOL IsCollection(const CCorraQuestion* question);
// The questions of a document that are not collections; with bUnique one per INDEX (1 or more).
int GetDocQuestions(const CCorraDoc* doc, CPtrListEx& out, BOOL bUnique = FALSE);
// A collection's member questions in member order, with the same option.
int GetCollectionQuestions(CCorraQuestion* collection, CPtrListEx& out, BOOL bUnique = FALSE);
// The distinct IDs of a list, ascending; collections give their members' IDs with bExpand.
int GetQuestionIds(const CPtrListEx& questions, CDWordArray& ids, BOOL bExpand = FALSE);
// Removes and deletes every question of the list.
void DeleteQuestionList(CPtrListEx& questions);

class CCorraDoc : public CDocument {
public:
    // How a read ended.
    enum ReadOutcome {
        readComplete,    // every record read up to the end of the text
        readUnknownText, // text that no reader knows; what came before it was read
        readCancelled,   // the user cancelled; what came before was read
        readFailed,      // a malformed record; the document is to be closed
        readUnreadable,  // the file could not be read at all (missing, or neither text nor block)
    };
    // How a write ended.
    enum WriteOutcome { writeDone, writeCancelled, writeFailed };

    CCorraDoc();
    ~CCorraDoc() override;
    static constexpr const char* PROFILE_SECTION = "QCorras";
    // Registers the two clipboard formats once (every document does on construction).
    static void RegisterClipboardFormats();
    static UINT QuestionListFormat();
    static UINT CollectionListFormat();
    CCorraDoc(const CCorraDoc&) = delete;
    CCorraDoc& operator=(const CCorraDoc&) = delete;

    // ---- file
    // Reads the file at path into the (empty) document.
    ReadOutcome ReadCorraDoc(LPCSTR path);
    // Writes the document to path; a cancelled or failed write leaves the old file as it was.
    WriteOutcome WriteCorraDoc(LPCSTR path);
    // The header, titles, instructions, groups and questions; with a progress box it is
    // stepped per question and writing stops once it is cancelled.
    void WriteBody(CEncryptedArchive& out, COldProgressDlg* progress);
    void FillHeader(CCorraHeader& header);

    // Record readers: 1 read, 0 not this record (cursor unchanged), 3 malformed or refused,
    // 6 end of the text.
    virtual int ReadQuestionRecord(LPCSTR* ppText, UINT* pnRemaining);
    virtual int ReadGroupRecord(LPCSTR* ppText, UINT* pnRemaining);
    virtual int ReadTitleRecord(LPCSTR* ppText, UINT* pnRemaining);
    virtual void OnBeforeRead() {}
    virtual void OnBeforeWrite() {}
    virtual void AfterReadCheck();
    virtual CString GetKindName() const { return "Corra"; }
    virtual BOOL FilterGroup(CGroup* group) { return TRUE; }
    // Writes one question's record (the list holds the document's questions).
    virtual void WriteQuestionRecord(CEncryptedArchive& out, void* question);
    // Removes collections held by collections; TRUE when any collection changed.
    virtual BOOL CleanCollections();
    // Highest question ID and INDEX over the questions.
    virtual void UpdateHighestIds();
    // The collections' names and member counts, and the questions' image files.
    virtual void FillHeaderFromQuestions(CCorraHeader& header);
    // Whether to take a question: mode 1 while adding, 2 while reading the file. Every one here.
    virtual BOOL FilterQuestion(CCorraQuestion* question, int mode) { return TRUE; }

    // ---- questions
    // Puts a question into the document (which then owns it): an ID of 0, or one another
    // question has, is replaced by a new one; it goes before the insertion position when one
    // is set, else at the end, and into the collection of that name when there is one.
    CCorraQuestion* InsertQuestion(CCorraQuestion* question, LPCSTR collection = nullptr);
    // InsertQuestion before the question at index (at the end when there is none).
    CCorraQuestion* InsertQuestionAt(CCorraQuestion* question, int index);
    // Inserts a copy (made by CreateQuestionFrom); NULL when none could be made.
    virtual CCorraQuestion* AddNewQuestion(const CCorraQuestion* question, LPCSTR collection = nullptr);
    // A copy of each; the copies into out when given; the first copy. The source document, its
    // path and identity name matter to the exam, which links its copies to them.
    virtual CCorraQuestion* AddQuestions(const CPtrListEx& questions, CPtrListEx* out = nullptr,
                                         CCorraDoc* source = nullptr, LPCSTR sourcePath = nullptr,
                                         LPCSTR identityName = nullptr);
    // The questions of a hint into the collection its first text names.
    CCorraQuestion* AddHintQuestions(const CUpdate& hint, CPtrListEx* out = nullptr);
    virtual CCorraQuestion* CreateQuestion();
    virtual CCorraQuestion* CreateQuestionFrom(const CCorraQuestion& question);
    // Takes the questions out of the document (and out of every collection) without deleting
    // them. A question the document does not hold stops it: logged, FALSE, the ones before it
    // detached.
    BOOL DetachQuestions(const CPtrListEx& questions);
    // Detaches the questions and deletes them.
    BOOL DeleteQuestions(const CPtrListEx& questions);
    // The question dialog's Add: a copy of question with a new ID goes to the end; the views
    // hear of it (HINT_QUESTIONS_ADDED with the list of it), the main view selects it and the
    // dialog shows it. The copy, or NULL when none could be made.
    CCorraQuestion* AddDlgQuestion(const CCorraQuestion& question);
    // The question dialog's Modify: the document's question of ID nId takes the question's
    // contents and answer size (keeping its ID, which collections and groups refer to, and its
    // group and marks) and the views are updated. FALSE, nothing stored, when the document no longer has that ID.
    BOOL StoreDlgQuestion(int nId, const CCorraQuestion& question);
    // Shows a question (of a type the dialog edits) in the question dialog, or clears it for a
    // new question; either first asks to save what was typed there. FALSE when the user kept
    // the dialog's changes (or the type is not edited there).
    BOOL SelectDlgQuestion(CCorraQuestion* question);
    BOOL ClearDlgQuestion() { return SelectDlgQuestion(nullptr); }
    // The last question of the list in the question dialog; an empty list clears it.
    BOOL SelectLastInDlg(const CPtrListEx& questions);
    // The question with that ID, or NULL; *pIndex its place in the list (-1 when none).
    CCorraQuestion* FindQuestionById(int id, int* pIndex = nullptr) const;
    // Whether the question is one of the document's (by address, not by ID).
    BOOL HoldsQuestion(const CCorraQuestion* question) const;
    // The document's question of that serial (CCorraQuestion::GetSerial), or NULL.
    CCorraQuestion* FindQuestionBySerial(std::uint64_t serial) const;
    int FindQuestionsByIndex(int index, CPtrListEx& out) const;
    // The document's question with the given question's ID takes over its contents: TRUE and
    // that question in *pReplaced; FALSE when the document has no such ID.
    virtual BOOL ReplaceQuestion(const CCorraQuestion& question, CCorraQuestion** pReplaced = nullptr);
    BOOL ReplaceQuestions(const CPtrListEx& questions, CPtrListEx* out = nullptr);
    BOOL ReplaceOneQuestion(const CCorraQuestion& question, CCorraQuestion** pReplaced = nullptr);
    // Splits questions into those whose ID (or mapped ID, or for collections name) the document
    // already holds and the others; the number found.
    int FindDuplicateQuestions(const CPtrListEx& questions, CPtrListEx& found, CPtrListEx& others) const;
    int FindDuplicateQuestionsMapped(const CPtrListEx& questions, const CUIntIntMap& idMap, CPtrListEx& found,
                                     CPtrListEx& others) const;
    int FindDuplicateCollections(const CPtrListEx& questions, CPtrListEx& found, CPtrListEx& others) const;
    // Up to n questions (never collections) at random, in the order drawn.
    void PickRandomQuestions(CPtrListEx& out, int n);
    // Relabels the choices of every choice question ('a' or 'A').
    void SetChoiceLabelCase(char c);
    BOOL RefreshChoices();
    // New questions go before this one (NULL: at the end).
    void SetInsertBefore(CCorraQuestion* question);
    // Builds the ID index again from the questions.
    void RebuildIdIndex();
    // Sorts the question list.
    void SortQuestions(const std::function<bool(const CCorraQuestion*, const CCorraQuestion*)>& less);

    // ---- collections
    CCorraQuestion* FindCollection(LPCSTR name) const;
    int GetCollections(CPtrListEx& out) const;
    int GetCollectionCount() const;
    CCorraQuestion* GetOrCreateCollection(LPCSTR name, const CPtrListEx* members = nullptr, BOOL bShow = FALSE);
    // "Collection%d" with the smallest number no collection uses.
    CString NewCollectionName() const;
    // Asks for a collection name until it is given, free and not open in another collection
    // window; FALSE when the user cancelled. self: the collection being renamed, if any;
    // window: the collection window being renamed, if any (one not saved yet has no collection).
    BOOL PromptCollectionName(CString& name, BOOL bSaveAs = FALSE, const CCorraQuestion* self = nullptr,
                              const CView* window = nullptr);
    BOOL RenameCollection(CCorraQuestion* collection);
    virtual CString GetCollectionKindWord() const { return "Collection"; }
    int CollCollCount(CCorraQuestion* collection) const;
    BOOL CleanCollection(CCorraQuestion* collection);

    // Shows a collection in a collection window (a new collection when NULL) and gives that
    // window's view; NULL when there is no window to show it in. bPlain: a plain collection
    // window even where the document's own kind of window is another (an exam's form view).
    virtual CView* ShowCollection(CCorraQuestion* collection, BOOL bPlain = FALSE);
    // A new collection window holding these questions under that name, refreshed (and
    // modified when asked: nothing is saved until the user saves it); NULL when none opens.
    CView* ShowQuestionsInCollection(const CPtrListEx& questions, LPCSTR name, BOOL bModified);
    // The invalid questions a check found, in a new collection window "Invalid questions...".
    CView* ShowInvalidQuestions(const CPtrListEx& questions);
    // Whether a collection window other than the one of self (and than window) shows a
    // collection of that name (trimmed, case ignored).
    virtual BOOL IsCollectionWindowOpen(LPCSTR name, const CCorraQuestion* self, const CView* window = nullptr) const;
    // Selects exactly these questions in the main view.
    void SelectInMainView(const CPtrListEx& questions);
    // Clears the main view's selection and the question dialog's question.
    void UnselectAll();

    // The collection whose trimmed name equals name (case ignored), shown; FALSE when none.
    BOOL ShowCollectionByName(LPCSTR name);
    // The file properties dialog over the document; after OK the document takes the two titles
    // back and is marked modified.
    virtual void ShowFileProperties();
    // The printing-properties page over the bank's printing values, opened on printMode (-1:
    // the stored one); after OK they are stored in the document and its profile section. FALSE
    // when the user cancelled.
    BOOL ShowPrintingProperties(int printMode = -1);
    // Show answers and the first question number as the printing-properties page left them.
    void TakeAnswerValues(const CPrintingValues& values);
    // Each collection put in the order its kind keeps (nothing here; the exam's forms have
    // one); TRUE when any changed.
    virtual BOOL ReOrderCollection(CCorraQuestion* collection) { return FALSE; }
    BOOL ReOrderAllCollections();
    // Statistics over a collection's members (NULL or empty name: over every question): the
    // number of distinct INDEX values, and of questions without one.
    int GetStatisticsTotal(LPCSTR collection = nullptr) const;
    int GetStatisticsLastTotal(LPCSTR collection = nullptr) const;
    // The subjects of every question, each once (case ignored), in order of appearance.
    int CollectSubjects(CStringArrayEx& out) const;
    virtual COLORREF GetInactiveColour() const { return 0xC0C0C0; }

    // ---- invalid questions
    // The invalid questions into out with a summary of the first ones; writes the report file
    // "InvldQRept.txt" beside the program. TRUE when no question is invalid.
    BOOL FindInvalidQuestions(CPtrListEx& out, CString& summary);
    static CString InvalidReportPath();
    // Opens the report in the text viewer; FALSE when it cannot be shown.
    static BOOL ShowInvalidQuestionReport();

    // ---- undo and redo
    // Records the questions about to be deleted from pView (a question already recorded once).
    void AddUndoDelete(CView* pView, const CPtrListEx& questions, LPCSTR description);
    // Records the order pView shows now (the document's own order without a view).
    void AddUndoReorder(CView* pView, LPCSTR description);
    // A context made elsewhere (the document owns it from here); the redo stack is emptied.
    void AddUndo(CUndoContext* context);
    // Records and deletes: what the views' Delete does through the document.
    BOOL DeleteQuestionsUndoable(CView* pView, const CPtrListEx& questions, LPCSTR description);
    BOOL Undo();
    BOOL Redo();
    CString GetUndoText() const;
    CString GetRedoText() const;
    CUndo& GetUndoStack() { return m_undo; }
    CUndo& GetRedoStack() { return m_redo; }
    // The order of the questions pView shows (the document's own list without a view), and a
    // new one for it; the document then takes its order from its views.
    virtual void GetViewOrder(CView* pView, CPtrListEx& out);
    virtual void SetViewOrder(CView* pView, const CPtrListEx& order);
    // The questions of the main view (pane 0) followed by those of the collection pane; with
    // bModified the document is marked modified.
    void TakeOrderFromViews(BOOL bModified = TRUE);
    // The main view (the upper pane of the first question view) or NULL.
    CView* GetCorraView() const;
    // The collection pane beside the main view, or NULL.
    CView* GetCollectionView() const;
    // The frame of the first view, or NULL; brought forward, or every frame shown (nCmdShow).
    CFrameWnd* GetFirstFrame() const;
    BOOL ActivateFirstFrame();
    void ShowAllFrames(int nCmdShow);
    // The questions selected in the main view.
    int GetSelectedQuestions(CPtrListEx& out) const;
    // The question list becomes order, followed by the document's questions order lacks
    // (nothing is lost; pointers the document does not hold are dropped).
    void TakeOrder(const CPtrListEx& order, BOOL bModified = TRUE);

    // ---- groups
    virtual CGroup* AddNewGroup(const CGroup& group);
    // Clears the group of every question of group id (-1: of every group); how many.
    int UngroupQuestions(int id);
    void DeleteAllGroups();
    // Header questions of the groups that use one, made when missing, appended to out.
    void MakeGroupHeaderQuestions(CPtrListEx& out);
    virtual int GroupByType() { return GroupQuestions(1, FALSE); }
    virtual int GroupByLevel() { return GroupQuestions(2, FALSE); }
    // Mode 1 by type, else by level; the number of groups.
    virtual int GroupQuestions(int mode, BOOL bDeleteFirst);
    // Puts questions (the document's list when NULL) in group order; with bCollections the
    // collections' members too; with bNotify the views hear of it.
    void ApplyGroupOrder(CPtrListEx* questions = nullptr, BOOL bNotify = TRUE, BOOL bCollections = FALSE);
    // The non-collection questions of a group, selected in the main view.
    int SelectGroupMembers(int id);
    void AddGroups(const CPtrListEx& groups);
    CGroup* FindGroupById(int id) const;
    CGroup* FindGroupByHeader(const CCorraQuestion* question) const;
    void ResetGroupCounters();

    // The list algorithms under the question-based group operations, over items told apart by
    // the callers' functions (the items are the document's questions).
    //
    // Puts items in group order: the members of each group (its header question first) in the
    // order of the group list, then every other item in its own order. groupIdOf gives an
    // item's group ID, or 0 for an item that belongs to no group (a collection).
    void OrderItemsByGroups(CPtrListEx& items, const std::function<int(void*)>& groupIdOf);
    // Gives each item (keyOf FALSE skips it) the group of its key, made when missing: named by
    // nameOf, with the key as its ID when that is 1 or more, else a new ID (so a level of 0
    // makes one group too, "Level 0"). setGroupId stores the group's ID in the item. Returns
    // the number of groups and marks the document modified.
    int GroupItemsByKey(const CPtrListEx& items, const std::function<BOOL(void*, int&)>& keyOf,
                        const std::function<CString(int)>& nameOf, const std::function<void(void*, int)>& setGroupId);

    // ---- fonts
    // Asks for the fonts of question text and choices ("Set Document Fonts") and gives them to
    // every question, or to those selected, through a hidden rich-edit control; nothing while
    // the question dialog is busy. TRUE when any question changed.
    virtual BOOL SetAllFonts();

    // ---- print values
    virtual CString GetProfileSection() const { return m_csProfileSection; }
    // NumChoiceSepSpaces and ChoicesIndentLevel (kept by CChoices) from the profile section,
    // and the tiles' subject width ("Printing"/"SubjCharLen").
    void LoadPrintValues();
    void SavePrintValues();
    CString GetPrintSettingsText() const;

    // ---- the framework's side
    void SetModifiedFlag(BOOL modified = TRUE) override;
    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(LPCSTR lpszPathName) override;
    // After open or new: subjects the master list lacks are offered to it.
    virtual void OnOpenOrNew();
    // The question dialog's title: "QuestDlg/" and the document's title, then the collection's
    // name when it edits a collection's question.
    CString GetQuestionDlgTitle(LPCSTR collection = nullptr) const;
    // The master subject list file (profile "Settings"/"SubjectFile").
    static CString MasterSubjectListPath();
    // Asks to save, then closes.
    void CloseDocument();
    // A message to the window of the document's first view; FALSE when there is none.
    virtual BOOL PostViewMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return PostToFirstView(message, wParam, lParam);
    }
    // Empties titles, instructions, id, groups and the invalid-question text.
    void DeleteContents() override;
    // Nothing may save or close the document while it is read or written.
    BOOL SaveModified() override;
    BOOL CanCloseFrame(CFrameWnd* pFrame) override;
    // Asks for a name when none is given; an existing other file is replaced only when the user
    // agrees, a read-only one never. The old file stays whole until the new one is written.
    BOOL DoSave(LPCSTR lpszPathName, BOOL bReplace = TRUE) override;
    // The document kind of CFileTypes (its extension and default folder).
    virtual int GetDocKind() const;
    BOOL DoFileSave() override;
    void OnCloseDocument() override;
    // The reader and writer have said what went wrong already.
    void ReportSaveLoadException(LPCSTR lpszPathName, BOOL bSaving) override {}

    // Reading or writing is under way: the progress box lets events run, and none of them may
    // close or save the document meanwhile.
    BOOL IsBusy() const { return m_bBusy; }
    int GetQuestionCount() const { return m_plQuestions.GetCount(); }
    // Raised by every SetModifiedFlag: what a view formatted is stale once it moved (two edits
    // within one clock tick still count twice).
    int GetChangeCount() const { return m_nChangeCount; }

    // Whether a document is being read on the user-interface thread: its progress box lets
    // events run, and a box that comes up then stops the read until it is closed.
    static BOOL IsReadingOnUiThread();

    // Set by the main frame while it opens a document as part of a larger task: no repairs
    // and no automatic save after reading.
    static BOOL IsAutoSaveSuppressed();
    static void SuppressAutoSave(BOOL suppress);

    CString m_csInstructions;
    CString m_csTitle1;
    CString m_csTitle2;
    CPtrListEx m_plQuestions;  // CCorraQuestion*, owned
    CString m_csCorraId;
    BOOL m_bNeedsSave = FALSE;
    CPtrListEx m_plGroups;     // CGroup*, owned
    CString m_csInvalidQuestions;
    DWORD m_dwModifiedTick = 0;
    int m_nHighestId = 0;
    int m_nHighestIndex = 0;
    BOOL m_bIdsReassigned = FALSE;
    int m_nNumQuestSepLines = 2;
    int m_nNumQuestChoiceSepLines = 1;
    int m_nPrintMode = 0;
    BOOL m_bTabbedChoices = FALSE;
    // Kept while the document is open: neither its file nor the profile holds them.
    BOOL m_bShowAnswers = FALSE;
    int m_nFirstQuestionNumber = 1;

protected:
    // A document whose print values live in another profile section (the exam's).
    explicit CCorraDoc(LPCSTR profileSection);

    // Error texts of the question and group readers, shown or logged by the loop.
    CString m_csQuestionError;
    int m_nErrorQuestionId = 0;

protected:
    BOOL ReadFromFile(LPCSTR lpszPathName) override;
    BOOL WriteToFile(LPCSTR lpszPathName) override;

private:
    // "Error occured while reading file <path>" with the pending error text in front, the ID
    // and the tokenizer's last token after it.
    CString ReadErrorText(const CString& pending, int id, const CString& lastToken) const;
    void ShowReadError(const CString& text);
    void DeleteGroups();
    void DeleteQuestionsAll();
    void BindCommands();

    // Describes what a read that was not clean left out of the document.
    void NoteReadLoss(LPCSTR why, int headerCount, long unread, long total);

    BOOL m_bBusy = FALSE;
    // What the last read of the document's file left out ("" after a clean read): while it is
    // set, Save goes to Save As and saving over that file asks first.
    CString m_csReadLoss;
    int m_nChangeCount = 0;
    CString m_csProfileSection;
    CSerialMap<int, CCorraQuestion*> m_mIds;  // the ID index
    std::unordered_set<const CCorraQuestion*> m_held;  // the questions, by address
    CStringArrayEx m_saKnownSubjects;
    CCorraQuestion* m_pInsertBefore = nullptr;
    CUndo m_undo;
    CUndo m_redo;
};
