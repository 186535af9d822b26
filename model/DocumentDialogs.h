#pragma once
// The modeless windows and dialogs that belong to a Question Corra document: its question
// dialog, its groups window, the image link check, the properties dialogs and the offer of help
// with a file that could not be read. They stand above the model, so the document reaches them
// through one interface in a service slot, which the dialogs install; until they do, no window
// is open and every request does nothing.

#include "foundation/StringArrayEx.h"
#include "platform/core/Collections.h"
#include "platform/core/ServiceSlot.h"
#include "platform/core/String.h"

#include <utility>
#include <vector>

class CCorraDoc;
class CCorraQuestion;

// What the file properties dialog shows of a document; the two titles come back after OK. The
// dialog reads the dates and the location from the path itself.
struct CFileProperties {
    CString caption = "Question Corra File Properties";
    CString title1Label = "Title";
    CString title2Label = "Description";
    CString countLabel = "Collections:";
    CString title1;
    CString title2;
    CString questionCount;    // as text
    CString collectionCount;  // as text
    CString corraId;
    CString path;             // empty for a document never saved
    CStringArrayEx linkedFiles;  // the bank files an exam's questions are linked to, that exist
};

// The image links a check repaired: (missing path, new path) pairs in the order applied.
using CImageRelinks = std::vector<std::pair<CString, CString>>;

// The printing values the printing-properties page edits for either kind of document.
struct CPrintingValues {
    CString title1;
    CString title2;
    int numQuestSepLines = 2;
    int numQuestChoiceSepLines = 1;
    int printMode = 0;
    BOOL tabbedChoices = FALSE;
    int choicesIndentLevel = 0;
    int numChoiceSepSpaces = 0;
    double leftMargin = 0, rightMargin = 0, topMargin = 0, bottomMargin = 0;
    int startNumber = 1;
    BOOL showAnswers = FALSE;
};

class IDocumentDialogs {
public:
    virtual ~IDocumentDialogs() = default;

    // The question dialog of the document: shown (and repainted), visible, whether it holds a
    // question, and its title.
    virtual void ShowQuestionDialog(CCorraDoc& doc) = 0;
    virtual BOOL IsQuestionDialogVisible(CCorraDoc& doc) = 0;
    virtual BOOL QuestionDialogHasQuestion(CCorraDoc& doc) = 0;
    virtual void SetQuestionDialogTitle(CCorraDoc& doc, const CString& title) = 0;
    // Stores the dialog's contents into the question it shows (its "Modify"); FALSE when
    // there was nothing to store.
    virtual BOOL StoreDialogQuestion(CCorraDoc& doc) = 0;
    // Shows a question of the document in its dialog (NULL: a new, empty question), first
    // asking to save what was typed there; FALSE when the user kept the dialog's changes.
    virtual BOOL SelectDlgQuestion(CCorraDoc& doc, CCorraQuestion* question) { return TRUE; }
    // Asks to save the dialog's changes with a message-box style (MB_YESNO or MB_YESNOCANCEL);
    // IDYES when saved or nothing was changed, IDNO when dropped, IDCANCEL to keep editing.
    virtual int CheckSaveDlgChanges(CCorraDoc& doc, UINT style) { return 6; }
    // Offers the subjects of a just-opened document that the master list lacks to the list
    // ("New Subjects"); FALSE when there is no chooser to offer them in.
    virtual BOOL OfferNewSubjects(CCorraDoc& doc, const CStringArray& subjects) { return FALSE; }
    // The document's fonts changed: the dialog lays its text out again.
    virtual void DocumentFontsChanged(CCorraDoc& doc) {}
    // The question's images were stored: a dialog showing it takes them, so that storing its
    // other changes later does not put the old images back.
    virtual void QuestionImagesChanged(CCorraDoc& doc, CCorraQuestion& question) {}
    // The groups window of the document, and its caption.
    virtual void ShowGroupsWindow(CCorraDoc& doc) = 0;
    virtual void SetGroupsWindowTitle(CCorraDoc& doc, const CString& title) {}
    // The image link check ("Image Link Status..."): FALSE when the user left it unfinished.
    // With showMessages it says how it ended; relinked (when given) gets the links repaired.
    virtual BOOL CheckImageLinks(CCorraDoc& doc, BOOL showMessages = TRUE, CImageRelinks* relinked = nullptr) = 0;
    // Closes the document's question dialog and groups window.
    virtual void CloseDocumentWindows(CCorraDoc& doc) = 0;
    // Hides the question dialog (its document's frames are minimised).
    virtual void HideQuestionDialog(CCorraDoc& doc) {}
    // The question dialog shows no question.
    virtual void ClearQuestionDialog(CCorraDoc& doc) {}
    // The question dialog is in the middle of its own work (its question may not change).
    virtual BOOL IsQuestionDialogBusy(CCorraDoc& doc) { return FALSE; }
    // The file properties dialog over a document: FALSE when the user cancelled.
    virtual BOOL FileProperties(CCorraDoc& doc, CFileProperties& props) { return FALSE; }
    // The printing-properties page over a bank's values: FALSE when the user cancelled.
    // Without one a bank prints in its stored print mode.
    virtual BOOL HasPrintingPropertiesDialog() const { return FALSE; }
    virtual BOOL PrintingProperties(CCorraDoc& doc, CPrintingValues& values) { return FALSE; }
    // After a failed read: offers to send the file to the maker's support for recovery. The
    // application shell makes the offer; nothing is offered until it installs it.
    virtual void OfferRecoverySupport(CCorraDoc& doc, const CString& path) {}
};
CServiceSlot<IDocumentDialogs>& DocumentDialogsSlot();
IDocumentDialogs& DocumentDialogs();
