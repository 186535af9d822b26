#pragma once
// The fonts a document gives its questions all at once: the "Set Document Fonts" dialog prepares
// them (the dialogs stand above the model, so the document reaches it through a service slot,
// which the dialogs install), and the document applies them.

#include "platform/core/ServiceSlot.h"
#include "platform/core/WinTypes.h"

class CCorraDoc;

struct CDocumentFonts {
    LOGFONT textFont{};
    DWORD textMask = 0;     // CFM_ bits of textFont to apply; 0 leaves the question text alone
    LOGFONT choicesFont{};
    DWORD choicesMask = 0;  // the same for the choices
    LOGFONT answerFont{};
    DWORD answerMask = 0;   // the same for the answers kept as text (essays and the like)
    // Whether each is the program's font for it (text in that font then goes on following it)
    // rather than one chosen, whose size and styles the text keeps.
    BOOL bTextDefault = FALSE;
    BOOL bChoicesDefault = FALSE;
    BOOL bAnswerDefault = FALSE;
    BOOL bAll = TRUE;       // every question, or (FALSE) those selected in the main view
};

class IDocumentFontsDialog {
public:
    virtual ~IDocumentFontsDialog() = default;
    // Asks for the fonts of the document's questions; FALSE when the user cancelled.
    virtual BOOL Run(CCorraDoc& doc, CDocumentFonts& fonts) = 0;
};
// Until the dialogs install one, every request is declined.
CServiceSlot<IDocumentFontsDialog>& DocumentFontsDialogSlot();
