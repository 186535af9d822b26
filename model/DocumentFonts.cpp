#include "model/DocumentFonts.h"

namespace {

class CNoFontsDialog : public IDocumentFontsDialog {
public:
    BOOL Run(CCorraDoc&, CDocumentFonts&) override { return FALSE; }
};

CNoFontsDialog g_noFontsDialog;
CServiceSlot<IDocumentFontsDialog> g_fontsDialogSlot(g_noFontsDialog);

} // namespace

CServiceSlot<IDocumentFontsDialog>& DocumentFontsDialogSlot()
{
    return g_fontsDialogSlot;
}
