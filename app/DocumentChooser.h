#pragma once
// Choosing a document for a task of the main frame. The file chooser of the shell answers when
// it is installed; until then the plain file dialog asks for a file of the kind in the kind's
// folder and the application opens it.

#include "platform/core/ServiceSlot.h"
#include "platform/core/WinTypes.h"

class CDocument;

class IDocumentChooser {
public:
    virtual ~IDocumentChooser() = default;
    // A document of nKind (3 Question Corra, 4 exam), pExclude never; bOpened tells that the
    // chooser opened it (it was not open before). NULL when cancelled.
    virtual CDocument* ChooseDocument(int nKind, LPCSTR info, BOOL& bOpened, CDocument* pExclude) = 0;
};

CServiceSlot<IDocumentChooser>& DocumentChooserSlot();
IDocumentChooser& DocumentChooser();
