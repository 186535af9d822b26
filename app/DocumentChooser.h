#pragma once
// The documents a task of the main frame works on. Choosing goes through the installed chooser:
// the application's chooser routine with the shell's file chooser; until it is installed the
// plain file dialog asks for a file of the kind in the kind's folder and the application opens it.

#include "platform/core/ServiceSlot.h"
#include "platform/core/WinTypes.h"

#include <memory>

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
// The plain file dialog's chooser that stands in the slot until the application installs its own.
IDocumentChooser& PlainDocumentChooser();

// The style the tasks choose with: every feature of the file chooser.
constexpr DWORD CHOOSE_TASK_STYLE = 0xFF;

// The application's choosing services while it lives: the document chooser of the tasks (its
// chooser routine), the file chooser that code below the shell calls, and the folder view that
// shows a folder in the file chooser.
class CChooserServices {
public:
    CChooserServices();
    ~CChooserServices();
    CChooserServices(const CChooserServices&) = delete;
    CChooserServices& operator=(const CChooserServices&) = delete;

private:
    struct CImpl;
    std::unique_ptr<CImpl> m_pImpl;
};

// The chooser routine (CCorraApp::ChooseDocument): the file chooser of the kind in its default
// folder, the tree limited to the kind's folder; on OK with a document the chooser's folder
// becomes the kind's default. bOpened: the chooser opened or created it. NULL when cancelled or
// no document was chosen.
CDocument* ChooseDocumentOfKind(int nKind, LPCSTR title, LPCSTR info, DWORD dwStyle, BOOL& bOpened, BOOL bVisible,
                                CDocument* pExclude, LPCSTR excludeFile);

// The kind whose default folder holds the folder (itself or above it), 0 when none does.
int KindOfFolder(LPCSTR folder);

// The application's template of a kind (by its extension), or NULL.
CDocTemplate* TemplateOfKind(int nKind);
// A new, visible document of the kind; NULL when there is no template for it.
CDocument* NewDocumentOfKind(int nKind);
