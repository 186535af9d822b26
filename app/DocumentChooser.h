#pragma once
// The documents a task of the main frame works on. Choosing goes through the installed chooser
// (the shell's file chooser, once there is one); by default the plain file dialog asks for a
// file of the kind in the kind's folder and the application opens it.

#include "platform/core/ServiceSlot.h"
#include "platform/core/WinTypes.h"

class CDocTemplate;
class CDocument;

class IDocumentChooser {
public:
    virtual ~IDocumentChooser() = default;
    // A document of nKind (3 Question Corra, 4 exam), never pExclude; bOpened tells that the
    // chooser opened it (it was not open before). NULL when cancelled.
    virtual CDocument* ChooseDocument(int nKind, LPCSTR info, BOOL& bOpened, CDocument* pExclude) = 0;
};

CServiceSlot<IDocumentChooser>& DocumentChooserSlot();
IDocumentChooser& DocumentChooser();

// The application's template of a kind (by its extension), or NULL.
CDocTemplate* TemplateOfKind(int nKind);
// A new, visible document of the kind; NULL when there is no template for it.
CDocument* NewDocumentOfKind(int nKind);
