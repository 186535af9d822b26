#pragma once
// The dialogs an exam document opens: its file properties, the identity of a question, the
// printing properties, the link sheet that repairs missing and out-of-date links, and the folder
// chooser of the form export. They stand above the model, so the exam reaches them through one
// interface in a service slot, which the dialogs install; until they do, every dialog declines.

#include "foundation/StringArrayEx.h"
#include "platform/core/ServiceSlot.h"
#include "platform/core/String.h"

class CExamDoc;

// What the file properties dialog shows; the two titles come back when it ends with OK.
struct CExamFileProperties {
    CString caption = "Exam File Properties";
    CString title1Label = "Course Name";
    CString title2Label = "Exam Title";
    CString countLabel = "Forms:";
    CString title1;
    CString title2;
    CString questionCount;  // entries of the question list, as text
    CString formCount;
    CString path;
    CStringArrayEx linkedFiles;  // the bank files the exam's questions are linked to, that exist
};

// The exam's printing values the printing-properties page edits.
struct CExamPrintingValues {
    CString title1;
    CString title2;
    int numQuestSepLines = 2;
    int numQuestChoiceSepLines = 1;
    int printMode = 0;
    BOOL tabbedChoices = FALSE;
    int choicesIndentLevel = 0;
    int numChoiceSepSpaces = 0;
    double leftMargin = 0, rightMargin = 0, topMargin = 0, bottomMargin = 0;
};

class IExamDialogs {
public:
    virtual ~IExamDialogs() = default;
    // Each returns FALSE when the user cancelled.
    virtual BOOL FileProperties(CExamDoc& exam, CExamFileProperties& props) = 0;
    virtual BOOL PrintingProperties(CExamDoc& exam, CExamPrintingValues& values) = 0;
    // The "Question Identify" dialog: fixed flag, identity flag, fixed position.
    virtual BOOL QuestionIdentify(CExamDoc& exam, BOOL& fixed, BOOL& identity, int& position) = 0;
    // The "Exam Link Status..." sheet over the exam's problems: TRUE when the user finished it.
    virtual BOOL LinkSheet(CExamDoc& exam) = 0;
    // A folder for the form export, starting in folder.
    virtual BOOL ChooseFolder(CString& folder) = 0;
};
CServiceSlot<IExamDialogs>& ExamDialogsSlot();
IExamDialogs& ExamDialogs();
