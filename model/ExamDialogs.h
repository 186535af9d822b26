#pragma once
// The dialogs an exam document opens: its file properties, the identity of a question, the
// printing properties, the link sheet that repairs missing and out-of-date links, the folder
// chooser of the form export, and those of its forms (new forms, saving them, their keys) with
// the form views they fill. They stand above the model, so the exam reaches them through one
// interface in a service slot, which the dialogs install; until they do, every dialog declines.

#include "foundation/PtrListEx.h"
#include "foundation/StringArrayEx.h"
#include "model/DocumentDialogs.h"
#include "platform/core/ServiceSlot.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CCorraQuestion;
class CExamDoc;
class CView;
struct CExamPrintSettings;

// The file properties as an exam shows them: its titles are the course name and the exam
// title, its collections are forms.
struct CExamFileProperties : CFileProperties {
    CExamFileProperties()
    {
        caption = "Exam File Properties";
        title1Label = "Course Name";
        title2Label = "Exam Title";
        countLabel = "Forms:";
    }
};

// The exam's printing values the printing-properties page edits.
using CExamPrintingValues = CPrintingValues;

// The "Add Exam Form(s)" dialog's fields.
struct CAddFormsValues {
    CString format;       // the form-name format
    int numForms = 0;
    int maxForms = 0;
    BOOL scramble = FALSE; // scramble the choices of the new forms
};

// The Save Forms dialog over the new form views.
struct CSaveFormsValues {
    CString caption = "Save Forms";
    int duplicateScore = 0;
    int repeatCount = 0;
    BOOL closeViews = FALSE;  // read after OK
};
// What the Save Forms dialog's run gives besides OK (1) and Cancel.
constexpr int SAVE_FORMS_AGAIN = 4;

class CScrambleList;

class IExamDialogs {
public:
    virtual ~IExamDialogs() = default;
    // Each returns FALSE when the user cancelled; here every one declines, so a scripted set
    // need only answer what its test asks.
    virtual BOOL FileProperties(CExamDoc& exam, CExamFileProperties& props) { return FALSE; }
    virtual BOOL PrintingProperties(CExamDoc& exam, CExamPrintingValues& values) { return FALSE; }
    // Whether there is a printing-properties dialog: without one an exam prints in its stored
    // print mode.
    virtual BOOL HasPrintingPropertiesDialog() const { return FALSE; }
    // "Select Forms" over the exam's forms (CCorraQuestion*): the forms chosen (in: those to
    // select at the start) and whether to print forms at all. FALSE when cancelled. Without the
    // dialog the forms chosen last print.
    virtual BOOL HasSelectFormsDialog() const { return FALSE; }
    virtual BOOL SelectForms(CExamDoc& exam, const CPtrListEx& forms, BOOL& printForms, CPtrListEx& chosen)
    {
        return FALSE;
    }
    // The "Question Identify" dialog: fixed flag, identity flag, fixed position.
    virtual BOOL QuestionIdentify(CExamDoc& exam, BOOL& fixed, BOOL& identity, int& position) { return FALSE; }
    // The "Exam Link Status..." sheet over the exam's problems: TRUE when the user finished it.
    virtual BOOL LinkSheet(CExamDoc& exam) { return FALSE; }
    // A folder for the form export, starting in folder.
    virtual BOOL ChooseFolder(CString& folder) { return FALSE; }
    // The "Instructions" dialog over the exam's instructions (RTF); the text after OK. Whether
    // there is one: the command that opens it is disabled without.
    virtual BOOL HasInstructionsDialog() const { return FALSE; }
    virtual BOOL Instructions(CExamDoc& exam, CString& rtf) { return FALSE; }
    // The "Exam Print Header" page (footer: the footer page) over the program's exam header and
    // footer settings, the header page also over the exam's two titles; the values after OK.
    // Whether there are such pages: the commands that open them are disabled without.
    virtual BOOL HasPrintBandPages() const { return FALSE; }
    virtual BOOL PrintBandPage(BOOL footer, CExamPrintSettings& settings, CString& title1, CString& title2)
    {
        return FALSE;
    }

    // ---- forms
    // "Add Exam Form(s)"; FALSE when the user cancelled.
    virtual BOOL AddForms(CExamDoc& exam, CAddFormsValues& values) { return FALSE; }
    // The Save Forms dialog over the new form views (CView*): IDOK save them, SAVE_FORMS_AGAIN
    // make new ones, anything else discard them.
    virtual int SaveForms(CExamDoc& exam, const CPtrListEx& views, CSaveFormsValues& values) { return IDCANCEL; }
    // The form keys dialog over the exam.
    virtual void FormKeys(CExamDoc& exam) {}
    // The question dialog shows its question again in the order of the form the active view
    // shows (nothing when that is no form).
    virtual void ShowDialogQuestionInForm(CExamDoc& exam) {}
    // The choice orders of the form the main window's active view shows, when that view shows a
    // form of the exam; NULL otherwise (a question is then shown as the exam holds it).
    virtual const CScrambleList* GetActiveScrambleList(CExamDoc& exam) { return nullptr; }
    // The form views stand above the model too; the rest of what the exam asks of them (list,
    // refresh, write back, close) is in the view services.
    // A new, empty form view of the exam, named by CExamDoc::TakeNewFormName; NULL when none
    // can be made.
    virtual CView* NewFormView(CExamDoc& exam) { return nullptr; }
    // The form a form view holds (its own copy, with its scramble list); NULL for none.
    virtual CCorraQuestion* GetViewForm(CView* view) { return nullptr; }
    virtual void SetFormViewModified(CView* view) {}
    // A new form view now shows this form of the exam (already copied into its own) and saves
    // into it.
    virtual void AttachFormView(CView* view, CCorraQuestion* form) {}
    // A new form's name changed before it was saved: here its form takes the name and its view
    // is redrawn; a form view that shows the name elsewhere (its caption) follows it. FALSE
    // when the view holds no form.
    virtual BOOL RenameFormView(CView* view, const CString& name);
};
CServiceSlot<IExamDialogs>& ExamDialogsSlot();
IExamDialogs& ExamDialogs();
