#pragma once
// The exam document (.exm): a Question Corra document whose questions are exam questions linked
// to the bank questions they were copied from, and whose collections are the exam's forms. On
// top of the bank document it keeps the links (linked copies, out-of-date and missing sources,
// updates from the source), fixed positions and the identity question, a duplicate-INDEX check,
// its print settings in the profile section "Exams", the exam commands and a text export of
// the forms.

#include "model/CorraDoc.h"

class CExamQuestion;

// The exam's commands.
constexpr UINT ID_EXAM_PROPERTIES = 32830;
constexpr UINT ID_EXAM_CHECK_LINKS = 32813;
constexpr UINT ID_EXAM_ADD_RANDOM = 32840;
constexpr UINT ID_EXAM_NEW_FORMS = 32809;
constexpr UINT ID_EXAM_FORM_KEYS = 32824;
// The main window's add-random-questions task (lParam: the exam).
constexpr UINT WM_CORRA_ADD_RANDOM = 0x801A;

// The clipboard formats of exam questions and forms; their data is the questions' byte form.
constexpr const char* EXAM_QUESTION_LIST_FORMAT = "Exam Question List";
constexpr const char* EXAM_COLLECTION_LIST_FORMAT = "Exam Collection List";

// The process-wide settings of exam headers and footers, read once at start-up.
struct CExamPrintSettings {
    BOOL printHdr = TRUE;
    BOOL everyPage = TRUE;
    BOOL firstPageOnly = FALSE;
    BOOL useCourseName = TRUE;
    BOOL useExamTitle = TRUE;
    BOOL useStudentId = TRUE;
    BOOL useStudentName = TRUE;
    CString studentNamePrompt = "Name__________";
    CString studentIdPrompt = "SS# __ __ __ __";
    int courseNamePosIndex = 0;
    int examTitlePosIndex = 3;
    int studentNamePosIndex = 2;
    int studentIdPosIndex = 5;
    BOOL useImage = FALSE;
    int imagePosIndex = 0;
    CString imageFile;
    int imageSize = 0;
    int imageBrightness = 0;
    BOOL printFtr = TRUE;
    BOOL fileName = TRUE;
    BOOL formName = TRUE;
    BOOL pageNum = TRUE;
    int filenamePosIndex = 0;
    int pageNumPosIndex = 1;
    int formNamePosIndex = 2;
    CString formNameOutputFmt;
    CString pageNumFmt = "Page %d";
    CString fileLabelFmt = "File: %s";
    CString formNameFmt = "Form %a";
};

// Whether a form name format names where the form goes: "%a", "%A" or "%d".
BOOL IsValidFormNameFormat(LPCSTR format);

class CExamDoc : public CCorraDoc {
public:
    static constexpr const char* PROFILE_SECTION = "Exams";

    CExamDoc();
    ~CExamDoc() override;

    // Reads the header, footer and form-name settings ("ExamHdr", "ExamFtr", "ExamForm") and
    // registers the exam clipboard formats.
    static void LoadDefaults();
    // The registered formats; 0 before LoadDefaults.
    static UINT QuestionListFormat();
    static UINT CollectionListFormat();
    static CExamPrintSettings& PrintSettings();
    // A form name from the format and a number: every "%a" the n-th lower-case letter from 0
    // ("z", then "aa", "bb"), else every "%A" the upper-case one, else the number at "%d"
    // (appended when missing). The format is the user's: nothing else in it is read as a
    // placeholder. Braces and "||" come out as the file writer stores them.
    static CString FormatFormName(LPCSTR format, int n);

    // ---- the bank document's operations, as an exam has them
    CString GetKindName() const override { return "Exam"; }
    CString GetCollectionKindWord() const override { return "Form"; }
    COLORREF GetInactiveColour() const override { return 0xFFFFFF; }
    int GetDocKind() const override;
    CCorraQuestion* CreateQuestion() override;
    // Mode 1 (adding): a question whose INDEX the exam holds is refused with a message; mode 2
    // (reading): it is taken with a warning. INDEX 0 always passes.
    BOOL FilterQuestion(CCorraQuestion* question, int mode) override;
    // Copies of bank questions, linked to their source file; from another exam, copies keeping
    // their own links. Nothing from this exam itself. Unlinked copies (source never saved, or
    // gone) are added with one warning per document.
    CCorraQuestion* AddQuestions(const CPtrListEx& questions, CPtrListEx* out = nullptr, CCorraDoc* source = nullptr,
                                 LPCSTR sourcePath = nullptr, LPCSTR identityName = nullptr) override;
    // By ID as the bank does; else the first question of the same INDEX takes the content (and
    // keeps its own ID, which forms and scramble lines name).
    BOOL ReplaceQuestion(const CCorraQuestion& question, CCorraQuestion** pReplaced = nullptr) override;
    // Forms keep their fixed-position questions in place.
    BOOL ReOrderCollection(CCorraQuestion* form) override;
    // Moves each fixed-position question of these IDs (in order) to its place: the first one out
    // of place at a time, until none is, or as many moves as there are IDs (two questions fixed
    // at one place would trade it for ever). TRUE when one moved.
    BOOL ApplyFixedPositions(CDWordArray& ids) const;
    // The bank's check, then the link check is asked of the first view.
    void AfterReadCheck() override;
    // The groups window is captioned for the exam.
    void OnOpenOrNew() override;
    // The form's open view brought forward, else a new form view holding a copy of the form
    // (an empty new form for NULL), announced to the views; NULL when no form view can be made.
    // bPlain: the bank's plain collection window instead.
    CView* ShowCollection(CCorraQuestion* form, BOOL bPlain = FALSE) override;
    int GroupByTypeWithoutIdentity();

    // ---- links
    // A copy of source added to the exam, linked to the file when it exists.
    CExamQuestion* CreateLinkedQuestion(const CCorraQuestion& source, LPCSTR corraFile, LPCSTR identityName);
    // Marks the linked questions whose source file changed after their link time; TRUE when
    // none is out of date. Each file's time is read once, by its full path.
    BOOL CheckLinkTimes(CPtrListEx* out = nullptr);
    // The linked questions whose file is gone; TRUE when none.
    BOOL GetMissingLinks(CPtrListEx* out = nullptr);
    // Brings the out-of-date linked questions of the list (all when NULL) up to date from their
    // files; FALSE when the user cancelled.
    BOOL UpdateOutOfDateQuestions(const CPtrListEx* questions = nullptr);
    // One question from its source; FALSE when the user cancelled. source: the bank document
    // to take it from (found or read when NULL).
    BOOL UpdateQuestion(CExamQuestion* question, CCorraDoc* source = nullptr);
    // The link sheet over the exam's problems (checkOnly: only whether there are any). TRUE
    // when there were none, or the user finished the sheet.
    BOOL CheckCorraLinks(BOOL showMessages, BOOL* pUpdated = nullptr, BOOL checkOnly = FALSE);
    // The distinct bank files of the linked questions that exist; the missing ones are named
    // to the user. TRUE when none is missing.
    BOOL GetLinkedFilesList(CStringArrayEx& files);

    // ---- fixed positions and the identity question
    BOOL CheckFixedPositions() const;
    CExamQuestion* FindFixedQuestion(int position) const;
    CExamQuestion* FindIdentityQuestion() const;
    int GetLastAvailableUnfixedPos() const;
    BOOL ValidateFixedPosition(int position);
    BOOL ConfirmSingleIdentity();
    void ShowQuestProps(CExamQuestion* question);

    // ---- dialogs and export
    void ShowFileProperties() override;
    // printMode: the caller's print mode, or -1. FALSE when the user cancelled; else the mode
    // chosen goes to pChosenMode.
    BOOL ShowPrintingProperties(int printMode = -1, int* pChosenMode = nullptr);
    void ExportCollections();
    // Writes a form as numbered plain text into folder; FALSE when the file cannot be written.
    BOOL ExportCollectionText(CCorraQuestion* form, LPCSTR folder);
    // The file the export writes a form into.
    static CString FormExportPath(LPCSTR folder, LPCSTR formName);

    // ---- forms (ExamForms.cpp)
    // New Form(s): asks how many forms, then makes them until the user saves or gives up.
    void OnNewForms();
    // Draws numForms new forms of the exam's questions as form views, avoiding a question at a
    // position it had in an earlier form of the run (fixed questions stand at their places),
    // and offers them in the Save Forms dialog:
    // 1 when they were saved, else the dialog's result (SAVE_FORMS_AGAIN: try again). 0 when
    // the exam has no questions or no form view could be made.
    int GenerateForms(int numForms, LPCSTR format, BOOL scramble);
    // Over form views (CView*) of questionsPerForm questions: how often a question stands where
    // it stood in another form, and a score of that (0 to 100). FALSE when a view, its form or
    // a member is missing.
    BOOL CountFormRepeats(int questionsPerForm, const CPtrListEx& views, int& repeats, int& score);
    // Scrambles (or with FALSE puts back) the choices of every form; the number of forms done,
    // 0 when the choices are invalid or one form failed (then none stays scrambled).
    int ScrambleForms(BOOL scramble);
    BOOL HasScrambledForms() const;
    // The most forms New Form(s) offers: n! for n below 5 questions, else 10; 0 without any.
    int GetMaxForms() const;
    // The form numbering of new form views: the next number is one past the highest n (0 to 24)
    // whose name is a form of the exam; a new view takes the next name no form has.
    void ResetNextFormNumber();
    CString TakeNewFormName();
    static int GetNextFormNumber();

    // The print mode the next printing-properties run uses in place of the stored one (-1: none).
    int m_nPrintModeOverride = -1;

private:
    void BindFormCommands();
    // The invalid-question check before scrambling; FALSE (after saying why) when it fails.
    BOOL CheckChoicesForScrambling();
    void BindExamCommands();
    void ShowUnlinkedWarning(UINT paneId);
    // The exam's questions that are not forms, as exam questions.
    template <typename F>
    void ForEachExamQuestion(F&& f) const;
    BOOL m_bUnlinkedWarned = FALSE;
};

// Asks to bring an exam's out-of-date questions up to date until they are or the user declines;
// FALSE when the user cancelled.
BOOL UpdateOutOfDateLinks(CExamDoc* exam);
