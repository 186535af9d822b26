#pragma once
// The master lists of subjects and textbooks: their files in the data folder (names in the
// profile), reading them, and adding whole entries. Entries match whole, case ignored: "Algebra"
// is not found in "Linear Algebra".

#include "foundation/TextListFile.h"
#include "platform/core/String.h"

// What differs between the two lists: profile key, default name, the words of the messages.
struct CMasterListKind {
    const char* profileKey;   // "SubjectFile"
    const char* defaultName;  // "Subjects.txt"
    const char* title;        // "Subjects", in string 133
    const char* owner;        // "CSubjectsDlg", in the log lines
    const char* pathOwner;    // who logs a missing data folder
    const char* word;         // "subject"
    const char* forbidden;    // characters an entry may not hold
    const char* editCaption;  // "Edit Subject List"
};
const CMasterListKind& SubjectList();
const CMasterListKind& TextbookList();

// The file name from the profile (the default written back), and a new one stored (logged
// when the data folder or the file is missing). A name is relative to the data folder, or a full
// path for a list kept elsewhere.
CString GetMasterFileName(const CMasterListKind& kind);
void SetMasterFileName(const CMasterListKind& kind, LPCSTR name);
// The file a stored name stands for: a full path as it stands, else the name in the data folder.
CString MasterFilePathOf(LPCSTR name);
// The name to store for a file: relative to the data folder when it lies inside it, else full.
CString MasterFileNameOf(LPCSTR path);
// The full path; a missing file is offered to be created empty (string 133). Empty when there
// is no data folder or the user declined.
CString GetMasterFilePath(const CMasterListKind& kind);
// Reads the list from path (empty: from GetMasterFilePath); FALSE, logged, when it cannot.
BOOL InitMasterList(const CMasterListKind& kind, CTextListFile& list, LPCSTR path = nullptr);

// Index of the entry equal to text (case ignored); -1 when none.
int FindMasterEntry(const CTextListFile& list, LPCSTR text);
// Appends text unless an equal entry is there; FALSE when it was.
BOOL AddMasterEntry(CTextListFile& list, LPCSTR text);
// Saves a changed list at once; a failure is shown to the user.
BOOL SaveMasterList(CTextListFile& list);
// Lets the user edit the list in the "Edit File List" dialog and saves it when it changed;
// FALSE when the changes could not be saved.
BOOL EditMasterList(const CMasterListKind& kind, CTextListFile& list);
// The same on the list file at path; FALSE when it cannot be read or saved.
BOOL EditMasterListFile(const CMasterListKind& kind, LPCSTR path);
// The first forbidden character text holds; 0 when none.
char FindForbiddenChar(LPCSTR text, LPCSTR forbidden);
